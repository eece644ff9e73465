// SPDX-License-Identifier: MIT
#include "view/numericfield.h"

#include "scenes/numbertext.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

// Keys outside the character range (arrows, Home, Insert, Delete, Tab,
// Enter, Escape, ...) type nothing, whatever the modifiers: they keep their
// work (moving, selecting, copying, deleting, the default and cancel buttons).
bool TypesNothing(const QKeyEvent& key)
{
    return key.key() >= Qt::Key_Escape && key.key() != Qt::Key_unknown;
}

} // namespace

void NumericKeyGuard::Attach(QLineEdit* field)
{
    field->installEventFilter(new NumericKeyGuard(field));
}

bool NumericKeyGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // A line edit leaves Ctrl+Home and Ctrl+End to its parent; in a one-line
    // field they go to its start and end (with Shift, selecting).
    if ((key.modifiers() & Qt::ControlModifier) && (key.key() == Qt::Key_Home || key.key() == Qt::Key_End)) {
        auto* field = static_cast<QLineEdit*>(watched);
        const bool select = key.modifiers() & Qt::ShiftModifier;
        key.key() == Qt::Key_Home ? field->home(select) : field->end(select);
        return true;
    }
    if (TypesNothing(key))
        return false;
    // Ctrl+letter types a control character, which the rule refuses even
    // where the platform reports no text for it.
    if (key.modifiers() & Qt::ControlModifier)
        return true;
    const QString typed = key.text();
    return !std::all_of(typed.cbegin(), typed.cend(), NumericKeyFilter);
}
