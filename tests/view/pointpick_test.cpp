// SPDX-License-Identifier: MIT
#include "view/pointpick.h"

#include "model/point3.h"
#include "view/projection.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

// Slots 1..count present at the given model points, drawn through the
// unturned view: x to the right, z down, y (the depth) away from the viewer.
TaonSystem Scene(std::initializer_list<Point3> points)
{
    TaonSystem system;
    system.TaonCount = SlotCount;
    int i = 0;
    for (const Point3& p : points) {
        ++i;
        system.Present[i] = 1;
        system.X[i] = system.DrawX[i] = p.x;
        system.Y[i] = system.DrawY[i] = p.y;
        system.Z[i] = system.DrawZ[i] = p.z;
    }
    return system;
}

ViewState Drawn(const TaonSystem& system)
{
    ViewState view;
    view.SpiralMode = false;
    view.UpdateCenter(800, 400);
    ProjectScene(system, view);
    return view;
}

} // namespace

class PointPickTest : public QObject {
    Q_OBJECT
private slots:
    // Points 1 and 2 share a pixel at the centre, point 1 behind (y 1), point
    // 2 in front (y -1); point 3 lies 30 pixels right, in front of both.
    void picksTheNearestFrontPoint_data()
    {
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<int>("slot");
        QTest::newRow("on the shared pixel") << QPoint(400, 200) << 2;
        QTest::newRow("four pixels off the square") << QPoint(405, 196) << 2;
        QTest::newRow("five pixels off") << QPoint(406, 200) << 0;
        QTest::newRow("on the lone one") << QPoint(431, 201) << 3;
        QTest::newRow("empty space") << QPoint(100, 100) << 0;
    }
    void picksTheNearestFrontPoint()
    {
        QFETCH(QPoint, click);
        QFETCH(int, slot);
        const TaonSystem system = Scene({{0, 1, 0}, {0, -1, 0}, {0.5L, -5, 0}});
        const ViewState view = Drawn(system);
        QCOMPARE(PickPoint(system, view, {click.x(), click.y()}), slot);
    }

    // Two points of group 1 at rest at a stable distance of the reference
    // row: the line names the other one at that distance, and the equilibrium
    // found afresh from the push curve.
    void neighbourLineAtAStableDistance()
    {
        const GroupCoefficients row{1, 1, 2, 3, 4, 5};
        const LawSwitches gravoscope;
        const std::vector<Real> r = EvenDistances(0.05L, 12, 1000);
        const std::vector<Equilibrium> found =
            FindEquilibria(row, gravoscope, Parity::Opposite, r, SamplePush(row, gravoscope, Parity::Opposite, r).Push);
        const auto stable = std::find_if(found.begin(), found.end(), [](const Equilibrium& e) { return e.Stable; });
        QVERIFY(stable != found.end());
        TaonSystem system = Scene({{0, 0, 0}, {stable->R, 0, 0}, {40, 0, 0}});
        for (int k = 0; k < CoefficientCount; ++k)
            system.*CoefficientFields[k] = std::array{row.A, row.B, row.C, row.D, row.F, row.G}[k % 6];
        system.U[1] = 0.3L;
        system.W[1] = 0.4L;
        PickDescription description;
        const QString distance = QString::number(double(stable->R), 'g', 6);
        QCOMPARE(description.Line(system, gravoscope, 1),
                 QStringLiteral("Point 1, group 1: at (0, 0, 0), speed 0.5; nearest point 2 at %1, "
                                "nearest equilibrium %1 (stable)")
                     .arg(distance));
        system.Present[2] = 0;
        QVERIFY(description.Line(system, gravoscope, 1).contains(QStringLiteral("nearest point 3 at 40,")));
    }
};

QTEST_GUILESS_MAIN(PointPickTest)
#include "pointpick_test.moc"
