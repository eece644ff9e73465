// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

// The window designs name Windows fonts. Each is replaced by the installed
// font closest to it in metrics (the Liberation fonts match Arial and Times
// New Roman), sized in pixels as Windows sizes points on a 96 dpi screen, so
// texts fit the pixel layout whatever the screen's own resolution.
QFont StandInFont(const QString& windowsFamily, int pointSize, bool bold = false);

// The font for arrow glyphs that replace the Wingdings symbols.
QFont ArrowFont(int pointSize);

// The small font of point numbers and the axes' letters: MS Sans Serif 8,
// in crisp pixels of the text's one colour, as a bitmap font draws them.
const QFont& LabelFont();
