// SPDX-License-Identifier: MIT
#include "ui/aboutbox.h"
#include "ui/programicon.h"
#include "view/standinfont.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

QLabel* Label(const QWidget& box, const char* name)
{
    return box.findChild<QLabel*>(QString::fromLatin1(name));
}

// How many pixels of the picture have exactly this colour.
int PixelsOf(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    return count;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        QCOMPARE(box.size(), QSize(363, 222));
        QCOMPARE(box.minimumSize(), box.maximumSize()); // fixed border
        QVERIFY(box.isModal());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(box.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(box.geometry().center().y() - screen.center().y()) <= 1);

        auto* panel = box.findChild<QFrame*>(QStringLiteral("Panel1"));
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), QRect(8, 8, 345, 169));

        QLabel* image = Label(box, "Image1");
        QCOMPARE(image->geometry(), QRect(8, 16, 33, 33));
        QCOMPARE(image->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        QLabel* second = Label(box, "ProgramIcon");
        QCOMPARE(second->geometry(), QRect(288, 16, 33, 33));
        QVERIFY(second->hasScaledContents());
        QVERIFY(!second->pixmap().isNull());

        QLabel* name = Label(box, "ProductName");
        QCOMPARE(name->text(), QStringLiteral("Zarvitone"));
        QCOMPARE(name->pos(), QPoint(107, 16));
        QCOMPARE(name->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(name->font(), StandInFont(QStringLiteral("MS Serif"), 18));

        auto* ok = box.findChild<QPushButton*>(QStringLiteral("OKButton"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), QRect(135, 188, 75, 25));
        QVERIFY(ok->isDefault());
    }

    void creditLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        const QColor maroon(128, 0, 0);
        const QColor blue(0, 0, 255);
        QTest::newRow("1") << "Credit1" << QPoint(64, 48) << maroon << 10 << true;
        QTest::newRow("2") << "Credit2" << QPoint(104, 64) << blue << 8 << true;
        QTest::newRow("3") << "Credit3" << QPoint(8, 88) << maroon << 10 << true;
        QTest::newRow("4") << "Credit4" << QPoint(79, 104) << blue << 8 << true;
        QTest::newRow("5") << "Credit5" << QPoint(72, 120) << blue << 8 << true;
        QTest::newRow("6") << "Credit6" << QPoint(128, 144) << QColor(Qt::black) << 8 << false;
    }
    void creditLines()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, place);
        QFETCH(QColor, colour);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        TAboutBox box;
        const QLabel* line = box.findChild<QLabel*>(name);
        QVERIFY(line);
        QVERIFY(!line->text().isEmpty());
        QCOMPARE(line->pos(), place);
        QCOMPARE(line->palette().color(QPalette::WindowText), colour);
        QCOMPARE(line->font(), StandInFont(QStringLiteral("MS Sans Serif"), pointSize, bold));
        // The whole line fits in the panel and clears both pictures.
        const QWidget* panel = line->parentWidget();
        const QRect text(line->pos(), line->fontMetrics().boundingRect(line->text()).size());
        QVERIFY2(panel->rect().adjusted(2, 2, -2, -2).contains(text), qPrintable(line->text()));
        QVERIFY(!text.intersects(Label(box, "Image1")->geometry()));
        QVERIFY(!text.intersects(Label(box, "ProgramIcon")->geometry()));
    }

    void creditsNameVersionLicenceAndYear()
    {
        TAboutBox box;
        QStringList lines;
        for (int number = 1; number <= 6; ++number)
            lines << box.findChild<QLabel*>(QStringLiteral("Credit%1").arg(number))->text();
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(ProgramVersion()).hasMatch());
        QVERIFY(lines.contains(QStringLiteral("Version ") + ProgramVersion()));
        QVERIFY(lines.contains(QStringLiteral("Licensed under the MIT License")));
        QVERIFY(lines.filter(QStringLiteral("2026")).size() == 1);
        QVERIFY(lines.filter(QStringLiteral("gravons")).size() == 1);
    }

    void okClosesTheModalBox_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click on OK") << false;
        QTest::newRow("Enter") << true;
    }
    void okClosesTheModalBox()
    {
        QFETCH(bool, byKey);
        TAboutBox box;
        bool wasModal = false;
        QTimer::singleShot(0, &box, [&] {
            wasModal = QApplication::activeModalWidget() == &box && box.isVisible();
            if (byKey)
                QTest::keyClick(&box, Qt::Key_Return);
            else
                QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
        });
        QCOMPARE(box.exec(), int(QDialog::Accepted));
        QVERIFY(wasModal);
        QVERIFY(!box.isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The program's icon carries the three group colours on black; the second
    // one is the red wireframe of the spiral view.
    void icons()
    {
        const QIcon program = ProgramIcon();
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(program.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
        const QImage image = program.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        for (const QColor& colour : {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0), QColor(0, 0, 0)})
            QVERIFY2(PixelsOf(image, colour) > 3, qPrintable(colour.name()));

        const QImage second = SecondIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(second.size(), QSize(32, 32));
        QVERIFY(PixelsOf(second, QColor(255, 0, 0)) > 10);
        QVERIFY(PixelsOf(second, QColor(0, 0, 0)) > 32 * 32 / 2);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "aboutbox_test.moc"
