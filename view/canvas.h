// SPDX-License-Identifier: MIT
#pragma once

#include "view/viewstate.h"

#include <QImage>

// Pixel work on a 32-bit picture. Every operation clips to the picture, and
// coordinates may be anything an int holds, so points thrown far away by a
// huge Scale cost nothing and never overflow.
class Canvas {
public:
    explicit Canvas(QImage& picture);

    void Fill(QRgb colour);
    // The 2 x 2 square with its top-left pixel at (x, y).
    void Square(int x, int y, QRgb colour) { Block(x, y, 2, colour); }
    // The size x size square with its top-left pixel at (x, y).
    void Block(int x, int y, int size, QRgb colour);
    // A filled disc of the given radius around the 2 x 2 square at (x, y).
    void Disc(int x, int y, int radius, QRgb colour);
    // A one-pixel circle of the given radius around the 2 x 2 square at (x, y).
    void Ring(int x, int y, int radius, QRgb colour);
    // A one-pixel line including both ends. Ends outside the picture are
    // first cut back to its border.
    void Line(PixelPoint from, PixelPoint to, QRgb colour);
    // Copies a picture (a label) with its top-left corner at (x + dx, y + dy).
    void Paste(const QImage& piece, int x, int y, int dx = 0, int dy = 0);

private:
    void Put(qint64 x, qint64 y, QRgb colour);
    QRgb* Row(qint64 y) { return reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_); }
    QImage& picture_;
    uchar* bits_;
    qint64 bytesPerLine_;
    qint64 width_;
    qint64 height_;
};
