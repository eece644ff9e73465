#include "view/numericfield.h"

#include "scenes/numbertext.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

// Keys a line edit does not type as text: they keep their work (the
// default and cancel buttons, focus moves, deleting).
bool TypesNothing(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return true;
    default:
        return key.text().isEmpty() && !(key.modifiers() & Qt::ControlModifier);
    }
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
    if (TypesNothing(key))
        return false;
    // Ctrl+letter types a control character, which the rule refuses even
    // where the platform reports no text for it.
    if ((key.modifiers() & Qt::ControlModifier) && key.key() != Qt::Key_Backspace)
        return true;
    const QString typed = key.text();
    return !std::all_of(typed.cbegin(), typed.cend(), NumericKeyFilter);
}
