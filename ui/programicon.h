// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program's own icon in every size it is drawn at (16 to 256 pixels, the
// main window's 32 x 32 among them).
QIcon ProgramIcon();

// The about box's second picture: the turning wireframe of the spiral view.
QIcon SecondIcon();
