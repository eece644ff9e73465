// SPDX-License-Identifier: MIT
#include "ui/lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget* parent) : QWidget(parent), fill_(Qt::white) {}

void Lamp::SetFill(const QColor& fill)
{
    fill_ = fill;
    update();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
