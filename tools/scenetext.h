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
// Reals are written in the shortest decimal form that reads back to the same
// 80-bit value; a value no decimal gives back bit for bit (a NaN with a
// payload, a signalling NaN, an encoding the x87 no longer makes) is written
// as raw: and its 10 bytes in file order, in hex. Blank lines and lines
// starting with # are ignored; a slot not listed is empty, all zero.

std::string SceneToText(const TaonSystem& system);

// The text form of one real, and back. TextToReal returns false for anything
// but a number (decimal, hex float, inf, nan) or a raw: form; a decimal out
// of range is refused rather than rounded to 0 or infinity.
std::string RealToText(Real value);
bool TextToReal(const std::string& text, Real& value);

// Fills dt, the coefficients, every slot and the reserved bytes of `system`
// from the text. Throws UserError naming the line and the problem.
void SceneFromText(const std::string& text, TaonSystem& system);

// The field of a scene's scalar by its name in the text: dt, A1 ... G3.
std::optional<Real TaonSystem::*> SceneScalarNamed(const std::string& name);

// A scene text to start from, every field named in a comment: the built-in
// square (its coefficients, its four points, dt 0.001). Only present slots
// are listed.
std::string StarterSceneText();
