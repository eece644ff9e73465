// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"

#include <optional>
#include <string>

// A scene as text, one item per line, for scripts and batch work:
//
//   dt 0.001
//   A1 1                      the 18 coefficients A1 ... G3, one per line
//   slot 1 1 0 0 0 0.5 0 0    slot number, Present byte, x y z u v w
//   reserved 0000 00000000    the reserved bytes, shown only when not zero
//
// Reals in the exact text of RealToText (scenes/realtext.h). Blank lines and
// lines starting with # are ignored; a slot not listed is empty, all zero.

std::string SceneToText(const TaonSystem& system);

// Fills dt, the coefficients, every slot and the reserved bytes of `system`
// from the text. Throws UserError naming the line and the problem.
void SceneFromText(const std::string& text, TaonSystem& system);

// The field of a scene's scalar by its name in the text: dt, A1 ... G3.
std::optional<Real TaonSystem::*> SceneScalarNamed(const std::string& name);

// A scene text to start from, every field named in a comment: the built-in
// square (its coefficients, its four points, dt 0.001). Only present slots
// are listed.
std::string StarterSceneText();
