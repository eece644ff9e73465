// SPDX-License-Identifier: MIT
#include "errortext.h"
#include "editor/calculators.h"

#include "model/usererror.h"

#include <QTest>

#include <cmath>
#include <map>

Q_DECLARE_METATYPE(Point3)

namespace {


bool Near(const Point3& a, const Point3& b, Real tolerance)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance;
}

QByteArray Text(const Point3& p)
{
    return QByteArray::number(double(p.x), 'g', 17) + ", " + QByteArray::number(double(p.y), 'g', 17) + ", " +
           QByteArray::number(double(p.z), 'g', 17);
}

const Real Root3 = std::sqrt(3.0L);

// A grid of four columns and 101 rows as the editor's: headers in row 0, the
// three values of a point in columns 1..3, nothing past row 100.
struct FakeGrid {
    std::map<std::pair<int, int>, QString> cells{
        {{1, 0}, "X"}, {{2, 0}, "Y"}, {{3, 0}, "Z"},
        {{1, 1}, "0"}, {{2, 1}, "1.5"}, {{3, 1}, "-2"},
        {{1, 2}, "3"}, {{2, 2}, ""}, {{3, 2}, "4"},
    };
    std::vector<std::pair<int, int>> reads;

    CellText Reader()
    {
        return [this](int column, int row) {
            reads.emplace_back(column, row);
            const auto it = cells.find({column, row});
            return it == cells.end() ? QString() : it->second;
        };
    }
};

} // namespace

class CalculatorsTest : public QObject {
    Q_OBJECT
private slots:
    void distance_data()
    {
        QTest::addColumn<Point3>("a");
        QTest::addColumn<Point3>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("3-4-5 triangle") << Point3{0, 0, 0} << Point3{3, 4, 0} << 5.0;
        QTest::newRow("reversed") << Point3{3, 4, 0} << Point3{0, 0, 0} << 5.0;
        QTest::newRow("same point") << Point3{1, -2, 3} << Point3{1, -2, 3} << 0.0;
        QTest::newRow("along z, negative") << Point3{0, 0, 2} << Point3{0, 0, -5} << 7.0;
        QTest::newRow("space diagonal") << Point3{1, 1, 1} << Point3{3, 3, 3} << double(std::sqrt(12.0L));
    }
    void distance()
    {
        QFETCH(Point3, a);
        QFETCH(Point3, b);
        QFETCH(double, expected);
        QCOMPARE(double(Distance(a, b)), expected);
    }

    // The base (0,0,0), (1,0,0), (0.5, sqrt 3 / 2, 0) in every order: the
    // checked sign gives the apex above the base, the other one below it.
    void tetrahedronApex_data()
    {
        QTest::addColumn<Point3>("p1");
        QTest::addColumn<Point3>("p2");
        QTest::addColumn<Point3>("p3");
        const Point3 a{0, 0, 0}, b{1, 0, 0}, c{0.5L, Root3 / 2, 0};
        QTest::newRow("a b c") << a << b << c;
        QTest::newRow("a c b") << a << c << b;
        QTest::newRow("b a c") << b << a << c;
        QTest::newRow("b c a") << b << c << a;
        QTest::newRow("c a b") << c << a << b;
        QTest::newRow("c b a") << c << b << a;
    }
    void tetrahedronApex()
    {
        QFETCH(Point3, p1);
        QFETCH(Point3, p2);
        QFETCH(Point3, p3);
        const Point3 above{0.5L, Root3 / 6, std::sqrt(2.0L / 3)};
        const Point3 below{above.x, above.y, -above.z};
        const Point3 upper = FourthPoint(p1, p2, p3, true);
        const Point3 lower = FourthPoint(p1, p2, p3, false);
        QVERIFY2(Near(upper, above, 1e-15L), Text(upper));
        QVERIFY2(Near(lower, below, 1e-15L), Text(lower));
    }

    // A tilted equilateral base: the apex is at the edge length from all three.
    void apexOverTiltedBase()
    {
        const Point3 p1{1, 2, 3}, p2{2, 3, 3}, p3{1, 3, 4};
        const Real edge = Distance(p1, p2);
        for (const bool upper : {true, false}) {
            const Point3 apex = FourthPoint(p1, p2, p3, upper);
            for (const Point3& corner : {p1, p2, p3})
                QVERIFY2(std::fabs(Distance(apex, corner) - edge) < 1e-15L, Text(apex));
        }
        QVERIFY(FourthPoint(p1, p2, p3, true).z > FourthPoint(p1, p2, p3, false).z);
    }

    // The first division of the formulas is ny / nz.
    void baseWithoutZNormal_data()
    {
        QTest::addColumn<Point3>("p1");
        QTest::addColumn<Point3>("p2");
        QTest::addColumn<Point3>("p3");
        QTest::addColumn<QString>("error");
        QTest::newRow("vertical plane x-z") << Point3{0, 0, 0} << Point3{1, 0, 0} << Point3{0, 0, 1}
                                            << "Floating point division by zero";
        // n lies along x: ny is 0 as well, and 0 / 0 is the invalid operation.
        QTest::newRow("vertical plane y-z") << Point3{0, 0, 0} << Point3{0, 1, 0} << Point3{0, 0, 1}
                                            << "Invalid floating point operation";
        QTest::newRow("collinear") << Point3{0, 0, 0} << Point3{1, 1, 1} << Point3{2, 2, 2}
                                   << "Invalid floating point operation";
        QTest::newRow("coincident") << Point3{0, 0, 0} << Point3{0, 0, 0} << Point3{0, 0, 0}
                                    << "Invalid floating point operation";
    }
    void baseWithoutZNormal()
    {
        QFETCH(Point3, p1);
        QFETCH(Point3, p2);
        QFETCH(Point3, p3);
        QFETCH(QString, error);
        for (const bool upper : {true, false})
            QCOMPARE(ErrorOf([&] { FourthPoint(p1, p2, p3, upper); }), error);
    }

    // Beyond the largest real the calculators fail as a run step does.
    void overflowIsReported()
    {
        const Point3 far{1e4000L, 0, 0}, opposite{-1e4000L, 0, 0};
        QCOMPARE(ErrorOf([&] { Distance(far, opposite); }), QStringLiteral("Floating point overflow"));
        QCOMPARE(ErrorOf([&] { FourthPoint(far, opposite, {0, 1, 1}, true); }),
                 QStringLiteral("Floating point overflow"));
    }

    // A base on which no point of the normal lies as far as |p1 p2| from p1
    // still gives a point: the root of the discriminant's absolute value.
    void unreachableDistanceStillAnswers()
    {
        const Point3 apex = FourthPoint({0, 0, 0}, {0.001L, 0, 0}, {0, 100, 0}, true);
        QVERIFY(std::isfinite(apex.x) && std::isfinite(apex.y) && std::isfinite(apex.z));
    }

    void readGridPoint_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<Point3>("point");
        QTest::addColumn<QString>("error");
        QTest::newRow("present point") << "1" << Point3{0, 1.5L, -2} << QString();
        QTest::newRow("header row") << "0" << Point3{} << "'X' is not a valid floating point value";
        QTest::newRow("empty middle cell") << "2" << Point3{} << "'' is not a valid floating point value";
        QTest::newRow("absent point") << "3" << Point3{} << "'' is not a valid floating point value";
        QTest::newRow("past the last row") << "101" << Point3{} << "'' is not a valid floating point value";
        QTest::newRow("negative") << "-3" << Point3{} << "List index out of bounds (-3)";
        QTest::newRow("not an integer") << "1,5" << Point3{} << "'1,5' is not a valid integer value";
        QTest::newRow("empty number") << "" << Point3{} << "'' is not a valid integer value";
    }
    void readGridPoint()
    {
        QFETCH(QString, number);
        QFETCH(Point3, point);
        QFETCH(QString, error);
        FakeGrid grid;
        Point3 read;
        QCOMPARE(ErrorOf([&] { read = ReadGridPoint(grid.Reader(), number); }), error);
        if (error.isEmpty())
            QVERIFY2(Near(read, point, 0), Text(read));
    }

    void readsCellsInColumnOrder()
    {
        FakeGrid grid;
        ReadGridPoint(grid.Reader(), QStringLiteral("1"));
        const std::vector<std::pair<int, int>> expected = {{1, 1}, {2, 1}, {3, 1}};
        QVERIFY(grid.reads == expected);
        grid.reads.clear();
        QVERIFY(!ErrorOf([&] { ReadGridPoint(grid.Reader(), QStringLiteral("-1")); }).isEmpty());
        QVERIFY(grid.reads.empty()); // a negative number never reaches the cells
    }
};

QTEST_GUILESS_MAIN(CalculatorsTest)
#include "calculators_test.moc"
