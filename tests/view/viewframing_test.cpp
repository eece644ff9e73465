// SPDX-License-Identifier: MIT
#include "view/projection.h"
#include "view/viewframing.h"

#include <QTest>

#include <algorithm>
#include <climits>
#include <limits>

class ViewFramingTest : public QObject {
    Q_OBJECT
private slots:
    void lookAlongPutsTheAxisAtTheCentre_data()
    {
        QTest::addColumn<int>("axis");
        QTest::newRow("X") << int(ViewAxis::X);
        QTest::newRow("Y") << int(ViewAxis::Y);
        QTest::newRow("Z") << int(ViewAxis::Z);
    }
    void lookAlongPutsTheAxisAtTheCentre()
    {
        QFETCH(int, axis);
        ViewState view;
        view.UpdateCenter(854, 288);
        const ViewAngles angles = LookAlongAngles(ViewAxis(axis));
        view.Teta = angles.Teta, view.Psi = angles.Psi, view.Phi = angles.Phi;
        BuildViewMatrix(view);
        // The axis looked along falls on the centre, the other two lie across the picture.
        for (int a = 0; a < 3; ++a) {
            Real p[3] = {0, 0, 0};
            p[a] = -3;
            const PixelPoint pixel = ProjectPoint(view, p[0], p[1], p[2]);
            QCOMPARE(std::abs(pixel.x - view.CenterX) + std::abs(pixel.y - view.CenterY), a == axis ? 0 : 180);
        }
    }

    void fitKeepsEveryPointInside_data()
    {
        QTest::addColumn<bool>("follow");
        QTest::addColumn<double>("outlier"); // x of one point
        QTest::addColumn<int>("covered");    // rows hidden at the top
        QTest::newRow("scattered") << false << 0.0 << 0;
        QTest::newRow("far outlier, covered") << false << 40.0 << 33;
        QTest::newRow("following, lopsided, covered") << true << -25.0 << 33;
    }
    void fitKeepsEveryPointInside()
    {
        QFETCH(bool, follow);
        QFETCH(double, outlier);
        QFETCH(int, covered);
        ViewState view;
        view.UpdateCenter(854, 288);
        view.Teta = 0.7L, view.Psi = -1.1L, view.Phi = 3, view.Scale = -0.01L;
        view.FollowCentroid = follow;
        TaonSystem system;
        system.TaonCount = SlotCount;
        QVERIFY(!FitView(view, system) && view.Scale == -0.01L); // nothing present: nothing moves
        // Neither a point without a finite place nor an absent one may stretch the frame.
        const Real nan = std::numeric_limits<Real>::quiet_NaN(), inf = std::numeric_limits<Real>::infinity();
        const Real places[][3] = {{-2, 0, 5}, {1.3L, 2.7L, 9.2L}, {4, 0.9L, 7}, {outlier, 0, 0},
                                  {nan, 0, 0}, {0, inf, 0},        {1e6L, 0, 0}};
        for (int i = 1; i <= 7; ++i) {
            system.Present[i] = i < 7;
            system.DrawX[i] = places[i - 1][0], system.DrawY[i] = places[i - 1][1], system.DrawZ[i] = places[i - 1][2];
        }
        QVERIFY(FitView(view, system, covered));
        ProjectScene(system, view);
        int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
        for (int i = 1; i <= 4; ++i) {
            left = std::min(left, view.ScreenX[i]), right = std::max(right, view.ScreenX[i] + 1);
            top = std::min(top, view.ScreenY[i]), bottom = std::max(bottom, view.ScreenY[i] + 1);
        }
        const int width = 2 * view.CenterX, height = 2 * view.CenterY;
        // Inside, and fitted rather than merely shrunk: the nearest edge is a small margin away.
        const int nearest = std::min({left, width - 1 - right, top - covered, height - 1 - bottom});
        QVERIFY2(nearest >= 10 && nearest <= 16, qPrintable(QString::number(nearest)));
        system.DrawX[2] += 0.8L; // the points move on; a following draw keeps the centroid centred
        ProjectScene(system, view);
        const PixelPoint centroid = ProjectPoint(view, (4.1L + outlier) / 4, 3.6L / 4, 21.2L / 4);
        QVERIFY(!follow || (centroid.x == view.CenterX && centroid.y == view.CenterY));
    }
};

QTEST_APPLESS_MAIN(ViewFramingTest)
#include "viewframing_test.moc"
