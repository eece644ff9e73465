// SPDX-License-Identifier: MIT
#include "editorfixture.h"

#include <QHeaderView>
#include <QScrollBar>

class EditDlgLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void clientArea()
    {
        EditorFixture f;
        f.Open();
        QCOMPARE(f.dialog.size(), QSize(787, 447));
        QCOMPARE(f.dialog.minimumSize(), f.dialog.maximumSize());
        QCOMPARE(f.dialog.font().family(), QStringLiteral("Liberation Sans"));
    }

    // Left, top, width, height of the controls with a size of their own.
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        const char* letters = "ABCDFG";
        const char* initial = "112345";
        for (int group = 0; group < 3; ++group) {
            for (int row = 0; row < 6; ++row) {
                const QString name = QStringLiteral("Edit%1%2").arg(QLatin1Char(letters[row])).arg(group + 1);
                QTest::newRow(qPrintable(name)) << name << QRect(408 + 128 * group, 16 + 24 * row, 97, 21)
                                                << QString(QLatin1Char(initial[row]));
            }
        }
        QTest::newRow("Edit1") << "Edit1" << QRect(408, 160, 49, 21) << "1   -:-  50";
        QTest::newRow("Edit2") << "Edit2" << QRect(536, 160, 49, 21) << "51 -:- 75";
        QTest::newRow("Edit8") << "Edit8" << QRect(664, 160, 49, 21) << "76 -:-100";
        QTest::newRow("EditDT") << "EditDT" << QRect(24, 192, 65, 21) << "0,01";
        QTest::newRow("Edit3") << "Edit3" << QRect(0, 224, 217, 27)
                               << "Attention: G1E is parametr of exponentials part of function PESE";
        QTest::newRow("EditX") << "EditX" << QRect(240, 200, 121, 21) << "0";
        QTest::newRow("EditY") << "EditY" << QRect(240, 224, 121, 21) << "0";
        QTest::newRow("EditZ") << "EditZ" << QRect(240, 248, 121, 21) << "0";
        QTest::newRow("EditV") << "EditV" << QRect(240, 288, 121, 21) << "0";
        QTest::newRow("EditU") << "EditU" << QRect(240, 312, 121, 21) << "0";
        QTest::newRow("EditW") << "EditW" << QRect(240, 336, 121, 21) << "0";
        QTest::newRow("DaoTrue") << "DaoTrue" << QRect(224, 368, 144, 17) << "There is Gravon or Taon";
        QTest::newRow("Submit") << "Submit" << QRect(224, 387, 65, 25) << "&Yes";
        QTest::newRow("Saveas") << "Saveas" << QRect(296, 387, 67, 25) << "Save As";
        QTest::newRow("DaonsTable") << "DaonsTable" << QRect(386, 182, 400, 230) << "";
        QTest::newRow("EditFileName") << "EditFileName" << QRect(8, 419, 593, 24) << "EditFileName";
        QTest::newRow("OKBtn") << "OKBtn" << QRect(623, 418, 75, 26) << "OK";
        QTest::newRow("CancelBtn") << "CancelBtn" << QRect(703, 418, 75, 26) << "Cancel";
        for (int n = 1; n <= 4; ++n) {
            const int left = n <= 2 ? 8 : 192;
            const int top = n % 2 ? 16 : 96;
            QTest::addRow("calculator %d part 1", n) << QStringLiteral("EditCal%1Part1").arg(n)
                                                     << QRect(left, top + 16, 25, 21) << "0";
            QTest::addRow("calculator %d part 2", n) << QStringLiteral("EditCal%1Part2").arg(n)
                                                     << QRect(left + 40, top + 16, 25, 21) << "0";
            QTest::addRow("result %d", n) << QStringLiteral("EditResult%1").arg(n) << QRect(left + 72, top + 16, 97, 21)
                                          << "0";
            QTest::addRow("calculate %d", n) << QStringLiteral("Calculate%1").arg(n) << QRect(left, top + 40, 65, 25)
                                             << QStringLiteral("Calculate %1").arg(n);
            QTest::addRow("reset %d", n) << QStringLiteral("Reset%1").arg(n) << QRect(left + 72, top + 40, 97, 25)
                                         << QStringLiteral("Reset %1").arg(n);
        }
        for (int i = 0; i < 3; ++i)
            QTest::addRow("fourth point number %d", i + 1) << QStringLiteral("EditCal5Part%1").arg(i + 1)
                                                           << QRect(16 + 40 * i, 304, 25, 21) << "0";
        QTest::newRow("Del") << "Del" << QRect(136, 304, 81, 25) << "(+/-)Del^0.5";
        QTest::newRow("EditResultX4") << "EditResultX4" << QRect(8, 344, 65, 21) << "0";
        QTest::newRow("EditResultY4") << "EditResultY4" << QRect(72, 344, 73, 21) << "0";
        QTest::newRow("EditResultZ4") << "EditResultZ4" << QRect(144, 344, 73, 21) << "0";
        QTest::newRow("Calculate5") << "Calculate5" << QRect(8, 368, 65, 25) << "Calculate5";
        QTest::newRow("Reset5") << "Reset5" << QRect(72, 368, 75, 25) << "Reset5";
        QTest::newRow("DataToCel") << "DataToCel" << QRect(144, 368, 49, 25) << "To cells!";
        QTest::newRow("ToCel") << "ToCel" << QRect(192, 368, 25, 21) << "0";
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        EditorFixture f; // not opened: the design texts before the model is loaded
        auto* widget = f.dialog.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(field->text(), text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(button->text(), text);
    }

    // Labels size to their text; their place is their top left corner.
    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label1") << "Label1" << QPoint(416, 0) << "Parametrs";
        QTest::newRow("Label16") << "Label16" << QPoint(8, 176) << "Differential of time";
        QTest::newRow("Label15") << "Label15" << QPoint(8, 197) << "dt=";
        QTest::newRow("Label12") << "Label12" << QPoint(240, 168) << "Gravon or Taon";
        QTest::newRow("NumberOfTaon") << "NumberOfTaon" << QPoint(344, 165) << "1";
        QTest::newRow("Label4") << "Label4" << QPoint(240, 184) << "Coordinats";
        QTest::newRow("Label8") << "Label8" << QPoint(240, 272) << "VeloCity";
        QTest::newRow("Label13") << "Label13" << QPoint(16, 400) << "FileName";
        QTest::newRow("Label46") << "Label46" << QPoint(16, 256) << "Calculation of fourth point";
        QTest::newRow("Label49") << "Label49" << QPoint(16, 272) << "for regular tetrahedron";
        QTest::newRow("Label47") << "Label47" << QPoint(16, 288) << "Numbers of three points and  - or + sign";
        QTest::newRow("Label48") << "Label48" << QPoint(8, 328) << "Positional parameters of fourth point: X, Y, Z";
    }
    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, place);
        QFETCH(QString, text);
        EditorFixture f;
        auto* label = f.dialog.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->pos(), place);
        QCOMPARE(label->text(), text);
    }

    void unnamedCaptions()
    {
        EditorFixture f;
        QStringList texts;
        for (const QLabel* label : f.dialog.findChildren<QLabel*>())
            texts << label->text();
        for (const char* caption : {"S e r i a l   n u m b e r   o f   g r a v o n s   o r   t a o n s",
                                    "Calculation of distance 1", "Calculation of distance 4", "Result 2",
                                    "Result 3", "G1E", "A1", "F1", "G2", "G3", "for", "X =", "V =", "U =", "W ="})
            QVERIFY2(texts.contains(QLatin1String(caption)), caption);
        QCOMPARE(texts.count(QString(34, QLatin1Char('*'))), 2);
        QVERIFY(!texts.contains(QStringLiteral("G1"))); // group 1's G is labelled G1E
    }

    void coloursAndFonts()
    {
        EditorFixture f;
        QCOMPARE(f.Field("EditA1")->palette().color(QPalette::Base), QColor(0, 255, 0));
        QCOMPARE(f.Field("EditG2")->palette().color(QPalette::Base), QColor(255, 255, 0));
        QCOMPARE(f.Field("EditD3")->palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(f.Field("Edit1")->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE(f.Find<QLabel>("Edit3")->palette().color(QPalette::Text), QColor(255, 0, 0)); // selectable text
        QVERIFY(f.Find<QLabel>("Edit3")->font().bold());
        QCOMPARE(f.Find<QLabel>("Edit3")->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(f.Field("EditFileName")->palette().color(QPalette::Text), QColor(0, 0, 255));
        QVERIFY(f.Field("EditFileName")->font().bold());
        QCOMPARE(f.Find<QLabel>("Label12")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(f.Find<QLabel>("NumberOfTaon")->font().bold());
        QCOMPARE(f.Find<QLabel>("Label46")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(f.Find<QCheckBox>("Del")->palette().color(QPalette::Window), QColor(0, 255, 255));
        QVERIFY(f.Find<QCheckBox>("Del")->isChecked());
        QVERIFY(f.Button("DataToCel")->font().bold());
        QVERIFY(f.Button("OKBtn")->isDefault());
        QVERIFY(!f.Button("Submit")->icon().isNull());
    }

    // In the installed fonts nothing is cut off: the whole warning, the check
    // box's caption, the widest header and values of 15 digits with a sign.
    void everythingShowsWhole()
    {
        EditorFixture f;
        f.taoscope = false; // "Gravons"
        f.system.X[1] = -0.123456789012345L;
        f.system.Y[1] = -123.456789012345L;
        f.system.Z[1] = -98765.4321098765L;
        f.Open();
        auto* warning = f.Find<QLabel>("Edit3");
        const QRect room = warning->contentsRect();
        QVERIFY(room.contains(warning->fontMetrics().boundingRect(room, Qt::TextWordWrap, warning->text())));
        QVERIFY(warning->font().pixelSize() >= 10);
        auto* present = f.Find<QCheckBox>("DaoTrue");
        QVERIFY(present->sizeHint().width() <= present->width());
        StringGrid* grid = f.Grid();
        for (int column = 0; column < 4; ++column)
            QVERIFY2(grid->sizeHintForIndex(grid->model()->index(0, column)).width() <= grid->columnWidth(column),
                     qPrintable(grid->Cell(column, 1)));
        QVERIFY(grid->horizontalHeader()->sectionSizeHint(0) <= grid->columnWidth(0));
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    }

    void gridShape()
    {
        EditorFixture f;
        f.Open();
        StringGrid* grid = f.Grid();
        QCOMPARE(grid->columnCount(), 4);
        QCOMPARE(grid->rowCount(), 100); // plus the header row
        QCOMPARE(grid->rowHeight(50), 18);
        QCOMPARE(grid->horizontalHeader()->height(), 18);
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
};

QTEST_MAIN(EditDlgLayoutTest)
#include "editdlglayout_test.moc"
