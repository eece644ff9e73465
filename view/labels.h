// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QImage>
#include <QRgb>

// Point numbers as small pictures: coloured text on an opaque black box as
// tall as the font, drawn once and then only copied, so a hundred labels per
// step cost no text layout.
// On a high-density screen they are drawn `ratio` times as large, in device pixels.
class LabelCache {
public:
    const QImage& Label(int number, QRgb colour, qreal ratio = 1);

private:
    QHash<quint64, QImage> labels_;
    qreal ratio_ = 1; // of the labels kept
};
