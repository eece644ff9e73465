// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QString>

// Text put into a field by the program shows its beginning, however long.
inline void ShowText(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->setCursorPosition(0);
}
