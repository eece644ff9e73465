#include "ui/mainform.h"

#include <QGuiApplication>
#include <QScreen>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Zarvitone"));
    resize(854, 525);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
