// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <QChar>
#include <QLocale>
#include <QString>

// The general floating format used for every real shown as text: at most 15
// significant digits, no trailing zeros or needless separator, the locale's
// decimal separator, and exponent form only below 0.00001 or with more than
// 15 integer digits.
QString FloatToText(Real value, const QLocale& locale = QLocale());

// Text typed by the user to a real, with the locale's decimal separator.
// Throws UserError "'<text>' is not a valid floating point value".
Real TextToFloat(const QString& text, const QLocale& locale = QLocale());

// Decimal integer text. Throws UserError "'<text>' is not a valid integer value".
int TextToInt(const QString& text);

// The keystroke rule of every numeric field: digits, Backspace, comma, minus
// and full stop pass; any other character is refused.
bool NumericKeyFilter(QChar typed);
