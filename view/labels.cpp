#include "view/labels.h"

#include "view/colours.h"
#include "view/standinfont.h"

#include <QFontMetrics>
#include <QPainter>

LabelCache::LabelCache() : font_(StandInFont(QStringLiteral("MS Sans Serif"), 8))
{
    // Crisp pixels in the label's one colour, as a bitmap font draws them.
    font_.setStyleStrategy(QFont::NoAntialias);
}

const QImage& LabelCache::Label(int number, QRgb colour)
{
    const quint64 key = (quint64(quint32(number)) << 32) | colour;
    auto found = labels_.find(key);
    if (found != labels_.end())
        return *found;
    const QString text = QString::number(number);
    const QFontMetrics metrics(font_);
    QImage label(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    label.fill(Colours::Black);
    QPainter painter(&label);
    painter.setFont(font_);
    painter.setPen(QColor(colour));
    painter.drawText(0, metrics.ascent(), text);
    painter.end();
    return *labels_.insert(key, label);
}
