// SPDX-License-Identifier: MIT
#include "ui/buttonlooks.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

QIcon Glyph(bool tick)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (tick) {
        painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
    } else {
        painter.setPen(QPen(QColor(200, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return QIcon(pixmap);
}

} // namespace

void ShowOkLook(QPushButton* button)
{
    static const QIcon tick = Glyph(true);
    button->setIcon(tick);
}

void ShowCancelLook(QPushButton* button)
{
    static const QIcon cross = Glyph(false);
    button->setIcon(cross);
}
