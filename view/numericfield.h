// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QLineEdit;

// Puts NumericKeyFilter in front of a field: a typed character that the rule
// refuses has no effect, and neither has a control character such as Ctrl+V.
// Keys that type nothing (arrows, Home, End, Insert, Delete, Backspace,
// Enter, Escape, Tab) pass, with Ctrl and Shift too.
class NumericKeyGuard : public QObject {
    Q_OBJECT
public:
    static void Attach(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
