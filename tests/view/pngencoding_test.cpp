// SPDX-License-Identifier: MIT
#include "model/usererror.h"
#include "view/pngencoding.h"

#include <QPainter>
#include <QTest>

namespace {

// Antialiased shapes and text over a gradient, on an odd width so that the
// rows of the RGB form are padded in memory and not in the file.
QImage Drawing(QImage::Format format)
{
    QImage picture(853, 61, format);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 853, 0);
    gradient.setColorAt(0, QColor(0, 0, 0, 40));
    gradient.setColorAt(1, QColor(255, 200, 10, 255));
    painter.fillRect(QRect(0, 0, 853, 30), gradient);
    painter.setPen(Qt::white);
    painter.drawText(10, 50, QStringLiteral("17 34 51"));
    painter.setBrush(QColor(20, 120, 250, 128));
    painter.drawEllipse(QPointF(400.5, 40.25), 15.3, 11.7);
    return picture;
}

} // namespace

class PngEncodingTest : public QObject {
    Q_OBJECT
private slots:
    void readsBackPixelForPixel_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("RGB32, as the drawing area paints") << int(QImage::Format_RGB32);
        QTest::newRow("premultiplied alpha") << int(QImage::Format_ARGB32_Premultiplied);
    }
    void readsBackPixelForPixel()
    {
        QFETCH(int, format);
        const QImage picture = Drawing(QImage::Format(format));
        QImage read;
        QVERIFY(read.loadFromData(PngBytes(picture), "png"));
        QCOMPARE(read.hasAlphaChannel(), picture.hasAlphaChannel());
        QCOMPARE(read.size(), picture.size());
        const QImage::Format common = picture.hasAlphaChannel() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
        const QImage expected = picture.convertToFormat(common);
        const QImage actual = read.convertToFormat(common);
        for (int y = 0; y < expected.height(); ++y)
            QVERIFY2(std::memcmp(expected.constScanLine(y), actual.constScanLine(y), std::size_t(expected.width()) *
                                                                                     std::size_t(expected.depth() / 8)) == 0,
                     qPrintable(QStringLiteral("row %1").arg(y)));
    }

    void emptyPictureIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(UserError, PngBytes(QImage()));
    }
};

QTEST_MAIN(PngEncodingTest)
#include "pngencoding_test.moc"
