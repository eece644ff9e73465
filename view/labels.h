// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QImage>
#include <QRgb>

// Point numbers as small pictures: coloured text on an opaque black box as
// tall as the font, drawn once and then only copied, so a hundred labels per
// step cost no text layout.
class LabelCache {
public:
    const QImage& Label(int number, QRgb colour);

private:
    QHash<quint64, QImage> labels_;
};
