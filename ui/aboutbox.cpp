// SPDX-License-Identifier: MIT
#include "ui/aboutbox.h"

#include "ui/programicon.h"
#include "view/colours.h"
#include "view/standinfont.h"
#include "version.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

struct CreditLine {
    int left;
    int top;
    QString text;
    QColor colour;
    int pointSize;
    bool bold;
};

QLabel* PlacedLabel(QWidget* parent, const QString& name, const QString& text, const QPoint& place, const QFont& font,
                    const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(place);
    label->adjustSize();
    return label;
}

QLabel* PlacedImage(QWidget* parent, const QString& name, const QRect& frame, const QPixmap& picture)
{
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setGeometry(frame);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(picture);
    return image;
}

} // namespace

QString ProgramVersion()
{
    return QString::fromLatin1(ZarvitoneVersion);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFont(StandInFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(363, 222);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A lowered outer bevel around a raised inner one.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 345, 169);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* innerBevel = new QFrame(panel);
    innerBevel->setGeometry(1, 1, 343, 167);
    innerBevel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    PlacedImage(panel, QStringLiteral("Image1"), QRect(8, 16, 33, 33), ProgramIcon().pixmap(QSize(32, 32)));
    QLabel* second =
        PlacedImage(panel, QStringLiteral("ProgramIcon"), QRect(288, 16, 33, 33), SecondIcon().pixmap(QSize(64, 64)));
    second->setScaledContents(true);

    PlacedLabel(panel, QStringLiteral("ProductName"), QStringLiteral("Zarvitone"), QPoint(107, 16),
                StandInFont(QStringLiteral("MS Serif"), 18), Qt::red);

    const QColor maroon(Colours::Maroon);
    const QColor blue(Colours::Blue);
    const CreditLine credits[] = {
        {64, 48, QStringLiteral("Simulator of taons and gravons"), maroon, 10, true},
        {104, 64, QStringLiteral("100 points in three dimensions"), blue, 8, true},
        {8, 88, QStringLiteral("Version ") + ProgramVersion(), maroon, 10, true},
        {79, 104, QStringLiteral("Licensed under the MIT License"), blue, 8, true},
        {72, 120, QStringLiteral("Copyright (c) 2026"), blue, 8, true},
        {128, 144, QStringLiteral("The Zarvitone developers"), Qt::black, 8, false},
    };
    int number = 1;
    for (const CreditLine& line : credits)
        PlacedLabel(panel, QStringLiteral("Credit%1").arg(number++), line.text, QPoint(line.left, line.top),
                    StandInFont(QStringLiteral("MS Sans Serif"), line.pointSize, line.bold), line.colour);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(135, 188, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
