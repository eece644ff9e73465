// SPDX-License-Identifier: MIT
#include "view/projection.h"

#include <QTest>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

Matrix3 Product(const Matrix3& a, const Matrix3& b)
{
    Matrix3 m{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                m[r][c] += a[r][k] * b[k][c];
    return m;
}

ViewState CenteredView()
{
    ViewState view;
    view.UpdateCenter(854, 288);
    return view;
}

} // namespace

class ProjectionTest : public QObject {
    Q_OBJECT
private slots:
    void startValues()
    {
        const ViewState view;
        QVERIFY(view.SpiralMode);
        QCOMPARE(view.Scale, 120.0L);
        QCOMPARE(view.RotStep, 0.01L);
        QCOMPARE(view.ZoomStep, 3.0L);
        QCOMPARE(view.PanStep, 5.0L);
        QVERIFY(view.ViewMatrix == IdentityMatrix);
        QVERIFY(!view.SpinOn && !view.ShowNumbers);
    }

    void center_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("panelTop");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("the window as designed") << 854 << 288 << 427 << 144;
        QTest::newRow("halves up to even") << 855 << 291 << 428 << 146;
        QTest::newRow("halves down to even") << 857 << 289 << 428 << 144;
        QTest::newRow("nothing left") << 0 << 0 << 0 << 0;
    }
    void center()
    {
        QFETCH(int, width);
        QFETCH(int, panelTop);
        QFETCH(int, x);
        QFETCH(int, y);
        ViewState view;
        view.UpdateCenter(width, panelTop);
        QCOMPARE(view.CenterX, x);
        QCOMPARE(view.CenterY, y);
    }

    void rotationIsTheProductOfTheThreeAxes_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("c");
        QTest::newRow("small") << 0.1 << -0.2 << 0.3;
        QTest::newRow("large, never reduced") << 40.0 << 7.5 << -13.0;
    }
    void rotationIsTheProductOfTheThreeAxes()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, c);
        const Real ca = std::cos(Real(a)), sa = std::sin(Real(a));
        const Real cb = std::cos(Real(b)), sb = std::sin(Real(b));
        const Real cc = std::cos(Real(c)), sc = std::sin(Real(c));
        const Matrix3 rx = {{{1, 0, 0}, {0, ca, -sa}, {0, sa, ca}}};
        const Matrix3 ry = {{{cb, 0, sb}, {0, 1, 0}, {-sb, 0, cb}}};
        const Matrix3 rz = {{{cc, -sc, 0}, {sc, cc, 0}, {0, 0, 1}}};
        const Matrix3 expected = Product(Product(rx, ry), rz);
        const Matrix3 m = RotationMatrix(a, b, c);
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
                QVERIFY(std::fabs(double(m[r][col] - expected[r][col])) < 1e-17);
    }

    void matricesComeFromTheirOwnAngles()
    {
        ViewState view;
        view.Teta = 0.3L;
        view.dPsi = 0.7L;
        BuildViewMatrix(view);
        QVERIFY(view.ViewMatrix == RotationMatrix(0.3L, 0, 0));
        BuildTurnMatrix(view);
        QVERIFY(view.ViewMatrix == RotationMatrix(0, 0.7L, 0));
    }

    // With all angles zero x points right, z down and y has no effect.
    void pointAtOneFiveOne()
    {
        ViewState view = CenteredView();
        BuildViewMatrix(view);
        const PixelPoint p = ProjectPoint(view, 1, 5, 1);
        QCOMPARE(p.x, view.CenterX + 60);
        QCOMPARE(p.y, view.CenterY + 60);
    }

    void roundingHalvesToEven_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("pan");
        QTest::addColumn<int>("expected"); // CenterX is 427
        QTest::newRow("+0.5 up to 428") << 0.5 << 0.0 << 428;
        QTest::newRow("+1.5 down to 428") << 1.5 << 0.0 << 428;
        QTest::newRow("-0.5: 426.5 to 426") << -0.5 << 0.0 << 426;
        QTest::newRow("pan half") << 0.0 << -1.5 << 426;
        QTest::newRow("just above a half") << 0.5000001 << 0.0 << 428;
        QTest::newRow("just below a half") << 0.4999999 << 0.0 << 427;
    }
    void roundingHalvesToEven()
    {
        QFETCH(double, x);
        QFETCH(double, pan);
        QFETCH(int, expected);
        ViewState view = CenteredView();
        view.Scale = 2; // a model length is drawn as many pixels
        view.PanX = pan;
        QCOMPARE(ProjectPoint(view, x, 0, 0).x, expected);
    }

    void negativeScaleMirrorsThroughTheCenter()
    {
        ViewState view = CenteredView();
        view.Scale = -30;
        const PixelPoint p = ProjectPoint(view, 2, 0, -4);
        QCOMPARE(p.x, view.CenterX - 30);
        QCOMPARE(p.y, view.CenterY + 60);
        view.Scale = 0;
        const PixelPoint q = ProjectPoint(view, 2, 0, -4);
        QVERIFY(q.x == view.CenterX && q.y == view.CenterY);
    }

    void pixelsSaturate_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << INT_MIN;
        QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << INT_MAX;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << INT_MIN;
        QTest::newRow("beyond int") << 1e12 << INT_MAX;
        QTest::newRow("below int") << -1e12 << INT_MIN;
        QTest::newRow("largest int") << double(INT_MAX) << INT_MAX;
        QTest::newRow("ordinary") << -17.5 << -18;
    }
    void pixelsSaturate()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(RoundToPixel(value), expected);
    }

    void sceneProjectsPresentPointsOnly()
    {
        TaonSystem s;
        s.TaonCount = SlotCount;
        s.Present[3] = 1;
        s.DrawX[3] = 1;
        s.DrawX[4] = 1; // absent: keeps its old pixel
        ViewState view = CenteredView();
        view.ScreenX[4] = -7;
        view.Psi = -std::numbers::pi_v<Real> / 2; // about y: x turns down the window
        ProjectScene(s, view);
        QCOMPARE(view.ScreenX[3], view.CenterX);
        QCOMPARE(view.ScreenY[3], view.CenterY + 60);
        QCOMPARE(view.ScreenX[4], -7);
    }

    void turnFigureTurnsInPlace()
    {
        TaonSystem s;
        s.DrawX[1] = 1;
        s.DrawY[2] = 1;
        s.DrawX[3] = 5; // beyond n: untouched
        ViewState view = CenteredView();
        view.dPhi = std::numbers::pi_v<Real> / 2;
        BuildTurnMatrix(view);
        TurnFigure(s, view, 2);
        // Rz turns x onto y and y onto -x.
        QVERIFY(std::fabs(double(s.DrawY[1] - 1)) < 1e-18 && std::fabs(double(s.DrawX[1])) < 1e-18);
        QVERIFY(std::fabs(double(s.DrawX[2] + 1)) < 1e-18);
        QCOMPARE(view.ScreenX[1], view.CenterX);
        QCOMPARE(view.ScreenX[2], view.CenterX - 60);
        QCOMPARE(s.DrawX[3], 5.0L);
    }
};

QTEST_GUILESS_MAIN(ProjectionTest)
#include "projection_test.moc"
