// SPDX-License-Identifier: MIT
#include "editorfixture.h"

#include <QLocale>

#include <cmath>

namespace {

// Points 1 = (0, 0, 0) and 2 = (3, 4, 0) at rest and moving with (0, 6, 8)
// and (0, 0, 0); 3 is a third corner of an equilateral base with 1 and 4.
void PlaceDistancePoints(TaonSystem& s)
{
    s.X[1] = 0, s.Y[1] = 0, s.Z[1] = 0;
    s.U[1] = 0, s.V[1] = 6, s.W[1] = 8;
    s.X[2] = 3, s.Y[2] = 4, s.Z[2] = 0;
    s.U[2] = 0, s.V[2] = 0, s.W[2] = 0;
}

void PlaceTetrahedronBase(TaonSystem& s)
{
    const Real corners[3][3] = {{0, 0, 0}, {1, 0, 0}, {0.5L, std::sqrt(3.0L) / 2, 0}};
    for (int k = 0; k < 3; ++k) {
        const int slot = 11 + k;
        s.X[slot] = corners[k][0];
        s.Y[slot] = corners[k][1];
        s.Z[slot] = corners[k][2];
        s.Present[slot] = 1;
    }
}

double Value(QLineEdit* field)
{
    return field->text().toDouble();
}

} // namespace

class EditCalculatorsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void distance_data()
    {
        QTest::addColumn<int>("calculator");
        QTest::addColumn<bool>("velocities");
        QTest::addColumn<QString>("result");
        for (int n = 1; n <= 4; ++n) {
            QTest::addRow("calculator %d, positions", n) << n << false << "5";
            QTest::addRow("calculator %d, velocities", n) << n << true << "10";
        }
    }
    void distance()
    {
        QFETCH(int, calculator);
        QFETCH(bool, velocities);
        QFETCH(QString, result);
        EditorFixture f;
        PlaceDistancePoints(f.system);
        f.Open();
        if (velocities)
            QTest::mouseDClick(f.Grid()->viewport(), Qt::LeftButton, {}, f.CellCentre(1, 1));
        const QByteArray n = QByteArray::number(calculator);
        f.Type("EditCal" + n + "Part1", QStringLiteral("1"));
        f.Type("EditCal" + n + "Part2", QStringLiteral("2"));
        f.Click("Calculate" + n);
        QVERIFY(f.dialogs.errors.isEmpty());
        QCOMPARE(f.Field("EditResult" + n)->text(), result);
        // The other calculators are untouched.
        for (int other = 1; other <= 4; ++other) {
            if (other != calculator)
                QCOMPARE(f.Field("EditResult" + QByteArray::number(other))->text(), QStringLiteral("0"));
        }
        f.Click("Reset" + n);
        for (const QByteArray& field : {"EditCal" + n + "Part1", "EditCal" + n + "Part2", "EditResult" + n})
            QCOMPARE(f.Field(field)->text(), QStringLiteral("0"));
    }

    // The grid shows stored values only, and the calculators read the grid.
    void unstoredTypingIsNotSeen()
    {
        EditorFixture f;
        PlaceDistancePoints(f.system);
        f.Open();
        f.Type("EditX", QStringLiteral("100"));
        f.Type("EditCal1Part1", QStringLiteral("1"));
        f.Type("EditCal1Part2", QStringLiteral("2"));
        f.Click("Calculate1");
        QCOMPARE(f.Field("EditResult1")->text(), QStringLiteral("5"));
        f.Click("Submit");
        f.Click("Calculate1");
        QCOMPARE(f.Field("EditResult1")->text(), QString::number(std::hypot(97.0, 4.0), 'g', 15));
    }

    void badPointNumbers_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("velocities");
        QTest::addColumn<QString>("error");
        QTest::newRow("0 reads the header") << "0" << "1" << false << "'X' is not a valid floating point value";
        QTest::newRow("0 in velocity mode") << "1" << "0" << true << "'u(x)' is not a valid floating point value";
        QTest::newRow("absent point") << "5" << "1" << false << "'' is not a valid floating point value";
        QTest::newRow("above 100") << "1" << "150" << false << "'' is not a valid floating point value";
        QTest::newRow("negative") << "-4" << "1" << false << "List index out of bounds (-4)";
        QTest::newRow("not an integer") << "1" << "2,5" << false << "'2,5' is not a valid integer value";
        QTest::newRow("empty") << "" << "1" << false << "'' is not a valid integer value";
    }
    void badPointNumbers()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, velocities);
        QFETCH(QString, error);
        EditorFixture f;
        f.Open();
        if (velocities)
            QTest::mouseDClick(f.Grid()->viewport(), Qt::LeftButton, {}, f.CellCentre(1, 1));
        f.Field("EditResult2")->setText(QStringLiteral("42"));
        f.Type("EditCal2Part1", first);
        f.Type("EditCal2Part2", second);
        f.Click("Calculate2");
        QCOMPARE(f.dialogs.errors, QStringList{error});
        QCOMPARE(f.Field("EditResult2")->text(), QStringLiteral("42"));
    }

    void fourthPoint_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<bool>("upper");
        const QStringList orders[] = {{"11", "12", "13"}, {"13", "11", "12"}, {"12", "11", "13"}};
        for (const QStringList& order : orders) {
            QTest::addRow("%s above", qPrintable(order.join(' '))) << order << true;
            QTest::addRow("%s below", qPrintable(order.join(' '))) << order << false;
        }
    }
    void fourthPoint()
    {
        QFETCH(QStringList, numbers);
        QFETCH(bool, upper);
        EditorFixture f;
        PlaceTetrahedronBase(f.system);
        f.Open();
        QCOMPARE(f.Field("EditV")->text(), QStringLiteral("-1"));
        const char* numberFields[] = {"EditCal5Part1", "EditCal5Part2", "EditCal5Part3"};
        for (int i = 0; i < 3; ++i)
            f.Type(numberFields[i], numbers[i]);
        f.Find<QCheckBox>("Del")->setChecked(upper);
        f.Click("Calculate5");
        QVERIFY(f.dialogs.errors.isEmpty());
        const double z = upper ? 0.816497 : -0.816497;
        QVERIFY(std::fabs(Value(f.Field("EditResultX4")) - 0.5) < 1e-6);
        QVERIFY(std::fabs(Value(f.Field("EditResultY4")) - 0.288675) < 1e-6);
        QVERIFY(std::fabs(Value(f.Field("EditResultZ4")) - z) < 1e-6);
        QCOMPARE(f.Field("EditX")->text(), f.Field("EditResultX4")->text());
        QCOMPARE(f.Field("EditY")->text(), f.Field("EditResultY4")->text());
        QCOMPARE(f.Field("EditZ")->text(), f.Field("EditResultZ4")->text());
        for (const char* velocity : {"EditV", "EditU", "EditW"})
            QCOMPARE(f.Field(velocity)->text(), QStringLiteral("0"));
        QCOMPARE(f.Number(), QStringLiteral("1")); // the slot shown before
    }

    void verticalBaseFails()
    {
        EditorFixture f;
        f.system.X[1] = 0, f.system.Y[1] = 0, f.system.Z[1] = 0;
        f.system.X[2] = 1, f.system.Y[2] = 0, f.system.Z[2] = 0;
        f.system.X[3] = 0, f.system.Y[3] = 0, f.system.Z[3] = 1;
        f.Open();
        f.Type("EditCal5Part1", QStringLiteral("1"));
        f.Type("EditCal5Part2", QStringLiteral("2"));
        f.Type("EditCal5Part3", QStringLiteral("3"));
        f.Field("EditResultX4")->setText(QStringLiteral("9"));
        f.Click("Calculate5");
        QCOMPARE(f.dialogs.errors, QStringList{"Floating point division by zero"});
        QCOMPARE(f.Field("EditResultX4")->text(), QStringLiteral("9"));
        QCOMPARE(f.Field("EditX")->text(), QStringLiteral("0"));
        QCOMPARE(f.Field("EditV")->text(), QStringLiteral("-1"));
    }

    void reset5KeepsVelocities()
    {
        EditorFixture f;
        PlaceTetrahedronBase(f.system);
        f.Open();
        f.Type("EditCal5Part1", QStringLiteral("11"));
        f.Type("EditCal5Part2", QStringLiteral("12"));
        f.Type("EditCal5Part3", QStringLiteral("13"));
        f.Click("Calculate5");
        f.Type("EditV", QStringLiteral("7"));
        f.Type("EditW", QStringLiteral("8"));
        f.Click("Reset5");
        for (const char* name : {"EditCal5Part1", "EditCal5Part2", "EditCal5Part3", "EditResultX4", "EditResultY4",
                                 "EditResultZ4", "EditX", "EditY", "EditZ"})
            QCOMPARE(f.Field(name)->text(), QStringLiteral("0"));
        QCOMPARE(f.Field("EditV")->text(), QStringLiteral("7"));
        QCOMPARE(f.Field("EditU")->text(), QStringLiteral("0"));
        QCOMPARE(f.Field("EditW")->text(), QStringLiteral("8"));
    }

    // "To cells!" selects the slot in ToCel and puts the last result there,
    // so that "&Yes" stores it.
    void toCellsPreparesTheSlot()
    {
        EditorFixture f;
        PlaceTetrahedronBase(f.system);
        f.Open();
        f.Type("EditCal5Part1", QStringLiteral("11"));
        f.Type("EditCal5Part2", QStringLiteral("12"));
        f.Type("EditCal5Part3", QStringLiteral("13"));
        f.Click("Calculate5");
        f.Type("ToCel", QStringLiteral("14"));
        f.Click("DataToCel");
        QVERIFY(f.dialogs.errors.isEmpty());
        QCOMPARE(f.Grid()->Row(), 14);
        QCOMPARE(f.Number(), QStringLiteral("14"));
        QCOMPARE(f.Field("EditZ")->text(), f.Field("EditResultZ4")->text());
        QVERIFY(f.Find<QCheckBox>("DaoTrue")->isChecked());
        f.Click("Submit");
        QCOMPARE(int(f.system.Present[14]), 1);
        QVERIFY(std::fabs(double(f.system.Z[14]) - 0.816497) < 1e-6);
        QCOMPARE(double(f.system.U[14]), 0.0);
        QVERIFY(!f.Grid()->Cell(3, 14).isEmpty());
    }

    void toCellsRefusesSlotsOutsideTheGrid_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("error");
        QTest::newRow("0") << "0" << "List index out of bounds (0)";
        QTest::newRow("101") << "101" << "List index out of bounds (101)";
        QTest::newRow("empty") << "" << "'' is not a valid integer value";
    }
    void toCellsRefusesSlotsOutsideTheGrid()
    {
        QFETCH(QString, slot);
        QFETCH(QString, error);
        EditorFixture f;
        f.Open();
        f.Type("ToCel", slot);
        f.Click("DataToCel");
        QCOMPARE(f.dialogs.errors, QStringList{error});
        QCOMPARE(f.Grid()->Row(), 1);
        QCOMPARE(f.Field("EditX")->text(), QStringLiteral("1"));
    }

    void commaLocaleGrid()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        EditorFixture f;
        f.system.X[2] = 2.5L, f.system.Y[2] = 0, f.system.Z[2] = 0;
        f.system.X[1] = 0, f.system.Y[1] = 0, f.system.Z[1] = 0;
        f.Open();
        f.Type("EditCal3Part1", QStringLiteral("1"));
        f.Type("EditCal3Part2", QStringLiteral("2"));
        f.Click("Calculate3");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(f.Grid()->Cell(1, 2), QStringLiteral("2,5"));
        QCOMPARE(f.Field("EditResult3")->text(), QStringLiteral("2,5"));
    }
};

QTEST_MAIN(EditCalculatorsTest)
#include "editcalculators_test.moc"
