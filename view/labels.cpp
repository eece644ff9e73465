// SPDX-License-Identifier: MIT
#include "view/labels.h"

#include "view/colours.h"
#include "view/standinfont.h"

#include <QFontMetrics>
#include <QPainter>

const QImage& LabelCache::Label(int number, QRgb colour)
{
    const quint64 key = (quint64(quint32(number)) << 32) | colour;
    auto found = labels_.find(key);
    if (found != labels_.end())
        return *found;
    const QString text = QString::number(number);
    const QFontMetrics metrics(LabelFont());
    QImage label(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    label.fill(Colours::Black);
    QPainter painter(&label);
    painter.setFont(LabelFont());
    painter.setPen(QColor(colour));
    painter.drawText(0, metrics.ascent(), text);
    painter.end();
    return *labels_.insert(key, label);
}
