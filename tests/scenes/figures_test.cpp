// SPDX-License-Identifier: MIT
#include "model/taonsystem.h"
#include "scenes/figures.h"

#include <QTest>

#include <cmath>

namespace {

// A full scene of 100 present points, all copies consistent, as after a load.
TaonSystem LoadedScene()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.05L;
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = Real(k + 3) / 4;
    for (int i = 1; i <= SlotCount; ++i) {
        s.Present[i] = 1;
        s.DrawX[i] = s.NewX[i] = s.X[i] = Real(i) / 10;
        s.DrawY[i] = s.NewY[i] = s.Y[i] = -Real(i) / 20;
        s.DrawZ[i] = s.NewZ[i] = s.Z[i] = Real(i) / 30;
        s.NewU[i] = s.U[i] = Real(i);
        s.NewV[i] = s.V[i] = -Real(i);
        s.NewW[i] = s.W[i] = Real(i) / 2;
    }
    s.StepCount = 77;
    return s;
}

} // namespace

class FiguresTest : public QObject {
    Q_OBJECT
private slots:
    void pointBetween_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("expected");
        QTest::newRow("midpoint") << 2.0 << 6.0 << 1.0 << 4.0;
        QTest::newRow("one to two") << 0.0 << 3.0 << 2.0 << 2.0;
        QTest::newRow("at a") << -5.0 << 7.0 << 0.0 << -5.0;
        QTest::newRow("half: centroid from a median") << 3.0 << 0.0 << 0.5 << 2.0;
    }
    void pointBetween()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, r);
        QFETCH(double, expected);
        const Point3 p = PointBetween({a, -a, 2 * a}, {b, -b, 2 * b}, r);
        QCOMPARE(double(p.x), expected);
        QCOMPARE(double(p.y), -expected);
        QCOMPARE(double(p.z), 2 * expected);
    }

    void thetraSpiralPoints_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("z");
        QTest::newRow("P1") << 1 << 0.0 << 0.0 << 0.0;
        QTest::newRow("P3") << 3 << 0.5 << 0.0 << 0.8660254038;
        QTest::newRow("P4") << 4 << 0.5 << 0.7071067812 << 0.2886751346;
        QTest::newRow("P6") << 6 << 0.5 << -0.4714045208 << -0.6735753141;
        QTest::newRow("P10") << 10 << 1.9814814815 << -0.0581980890 << -0.1793824910;
        QTest::newRow("P14") << 14 << 2.4833104710 << -0.0000718495 << 0.6829763587;
        QTest::newRow("P19") << 19 << 2.4768139831 << 0.2893625956 << -0.9498246629;
    }
    void thetraSpiralPoints()
    {
        QFETCH(int, k);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, z);
        TaonSystem s;
        BuildFigure(s, true);
        QVERIFY2(std::fabs(double(s.DrawX[k]) - x) < 5e-11, qPrintable(QString::number(double(s.DrawX[k]), 'f', 12)));
        QVERIFY2(std::fabs(double(s.DrawY[k]) - y) < 5e-11, qPrintable(QString::number(double(s.DrawY[k]), 'f', 12)));
        QVERIFY2(std::fabs(double(s.DrawZ[k]) - z) < 5e-11, qPrintable(QString::number(double(s.DrawZ[k]), 'f', 12)));
    }

    void spiralTouchesOnlyTheDisplayCopies()
    {
        const TaonSystem before = LoadedScene();
        TaonSystem s = before;
        BuildFigure(s, true);
        for (int i = 20; i <= SlotCount; ++i)
            QVERIFY(s.DrawX[i] == 0 && s.DrawY[i] == 0 && s.DrawZ[i] == 0);
        QVERIFY(s.X == before.X && s.Y == before.Y && s.Z == before.Z);
        QVERIFY(s.U == before.U && s.V == before.V && s.W == before.W);
        QVERIFY(s.NewX == before.NewX && s.NewW == before.NewW);
        QVERIFY(s.Present == before.Present);
        for (int k = 0; k < CoefficientCount; ++k)
            QCOMPARE(s.*CoefficientFields[k], before.*CoefficientFields[k]);
        QCOMPARE(s.dt, before.dt);
        QCOMPARE(s.StepCount, before.StepCount);
    }

    void easySquareOverALoadedScene()
    {
        const TaonSystem before = LoadedScene();
        TaonSystem s = before;
        BuildFigure(s, false);
        const Real a = 0.212L;
        const Real corners[4][3] = {{a, a, -a}, {a, a, a}, {-a, a, a}, {-a, a, -a}};
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(int(s.Present[i]), 1);
            QCOMPARE(s.DrawX[i], corners[i - 1][0]);
            QCOMPARE(s.DrawY[i], corners[i - 1][1]);
            QCOMPARE(s.DrawZ[i], corners[i - 1][2]);
            QVERIFY(s.X[i] == s.DrawX[i] && s.NewX[i] == s.X[i]);
            QVERIFY(s.Y[i] == s.DrawY[i] && s.NewY[i] == s.Y[i]);
            QVERIFY(s.Z[i] == s.DrawZ[i] && s.NewZ[i] == s.Z[i]);
            QVERIFY(s.U[i] == 0 && s.V[i] == 0 && s.W[i] == 0);
            QVERIFY(s.NewU[i] == 0 && s.NewV[i] == 0 && s.NewW[i] == 0);
        }
        // Slots 5..100 keep their points; only their display copies are cleared.
        for (int i = 5; i <= SlotCount; ++i) {
            QCOMPARE(int(s.Present[i]), 1);
            QVERIFY(s.X[i] == before.X[i] && s.Y[i] == before.Y[i] && s.Z[i] == before.Z[i]);
            QVERIFY(s.U[i] == before.U[i] && s.V[i] == before.V[i] && s.W[i] == before.W[i]);
            QVERIFY(s.NewX[i] == before.NewX[i] && s.NewY[i] == before.NewY[i] && s.NewZ[i] == before.NewZ[i]);
            QVERIFY(s.NewU[i] == before.NewU[i] && s.NewV[i] == before.NewV[i] && s.NewW[i] == before.NewW[i]);
            QVERIFY(s.DrawX[i] == 0 && s.DrawY[i] == 0 && s.DrawZ[i] == 0);
        }
        QCOMPARE(s.dt, before.dt);
        QCOMPARE(s.StepCount, before.StepCount);
    }

    void easySquareCoefficients()
    {
        TaonSystem s;
        BuildFigure(s, false);
        const Real row[6] = {1, 2.718L, 5, 10, 20, 30};
        for (int k = 0; k < CoefficientCount; ++k)
            QVERIFY2(s.*CoefficientFields[k] == row[k % 6], CoefficientNames[k]);
        QVERIFY(s.B2 != std::exp(Real(1)));
    }

};

QTEST_GUILESS_MAIN(FiguresTest)
#include "figures_test.moc"
