// SPDX-License-Identifier: MIT
#include "view/labels.h"

#include "view/colours.h"
#include "view/standinfont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

const QImage& LabelCache::Label(int number, QRgb colour, qreal ratio)
{
    if (ratio != ratio_) {
        labels_.clear();
        ratio_ = ratio;
    }
    const quint64 key = (quint64(quint32(number)) << 32) | colour;
    auto found = labels_.find(key);
    if (found != labels_.end())
        return *found;
    const QString text = QString::number(number);
    const QFontMetrics metrics(LabelFont());
    QImage label(qCeil(metrics.horizontalAdvance(text) * ratio), qCeil(metrics.height() * ratio), QImage::Format_RGB32);
    label.fill(Colours::Black);
    QPainter painter(&label);
    painter.scale(ratio, ratio);
    painter.setFont(LabelFont());
    painter.setPen(QColor(colour));
    painter.drawText(0, metrics.ascent(), text);
    painter.end();
    return *labels_.insert(key, label);
}
