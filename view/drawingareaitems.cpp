// SPDX-License-Identifier: MIT
#include "view/drawingareaitems.h"

#include "view/drawingarea.h"

#include <QActionGroup>
#include <QLocale>
#include <QMenu>

namespace {

QAction* Switch(QMenu* menu, const char* name, const QString& caption, bool checked)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

void AddDrawingAreaItems(QMenu* view, DrawingArea& area)
{
    QAction* live = Switch(view, "LiveTurning1", QStringLiteral("Live Turning"), area.LiveTurning());
    QObject::connect(live, &QAction::toggled, &area, [&area](bool on) { area.SetLiveTurning(on); });

    QAction* depth = Switch(view, "Depth1", QStringLiteral("Depth"), false);
    QObject::connect(depth, &QAction::toggled, &area, [&area](bool on) {
        area.SetDepthLook(on);
        area.RedrawView();
    });

    QMenu* lengths = view->addMenu(QStringLiteral("Trail Length"));
    lengths->setObjectName(QStringLiteral("TrailLength1"));
    auto* group = new QActionGroup(lengths);
    const QLocale english(QLocale::English); // "1,000" whatever the user's locale
    for (int length : TrailHistory::Lengths) {
        const QByteArray name = "TrailLength" + QByteArray::number(length);
        QAction* item = Switch(lengths, name.constData(), english.toString(length), length == area.Trails().Length());
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, &area, [&area, length] {
            area.Trails().SetLength(length);
            area.RedrawView();
        });
    }
}
