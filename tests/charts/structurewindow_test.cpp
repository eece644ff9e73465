// SPDX-License-Identifier: MIT
#include "charts/structurewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <cmath>

// Two tetrahedra of group 1 at the stable distance of the row, far apart,
// and a point of group 2 between them.
class StructureWindowTest : public QObject {
    Q_OBJECT

    TaonSystem system_;

private slots:
    void init()
    {
        system_ = {};
        system_.TaonCount = SlotCount;
        for (int k = 0; k < CoefficientCount; ++k)
            system_.*CoefficientFields[k] = std::array<Real, 6>{1, 0.4L, 0.6L, 0.8L, 1, 1.2L}[k % 6];
        const Real a = 0.3932L / std::sqrt(Real(2)); // edge 0.3932 of a cube's alternate corners
        const Real corners[4][3] = {{a, a, a}, {a, -a, -a}, {-a, a, -a}, {-a, -a, a}};
        for (int c = 0; c < 2; ++c)
            for (int k = 0; k < 4; ++k) {
                const int i = 1 + 4 * c + k;
                system_.Present[i] = 1;
                system_.X[i] = corners[k][0] / 2 + 10 * c;
                system_.Y[i] = corners[k][1] / 2;
                system_.Z[i] = corners[k][2] / 2;
            }
        system_.Present[51] = 1;
        system_.X[51] = 5;
    }

    // The histogram counts the chosen range, the equilibria of the chosen
    // pairs' groups are drawn, and a chosen cluster's slots are sent out.
    void histogramEquilibriaAndClusters()
    {
        StructureWindow window(system_, [] { return RunSwitches(); });
        QSignalSpy chosen(&window, &StructureWindow::ClusterChosen);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const PairHistogram& h = window.Histogram();
        std::int64_t near = 0;
        for (std::int64_t n : h.Counts[0])
            near += n;
        QCOMPARE(near, 12);      // the six edges of each tetrahedron
        QCOMPARE(h.Above[1], 8); // group 2's point is 5 from every other
        // Group 1's equilibria only, the first stable one at 0.3932.
        QVERIFY(!window.Markers().empty());
        for (const auto& marker : window.Markers())
            QCOMPARE(marker.Group, 1);
        QVERIFY(std::fabs(window.Markers().front().R - 0.3932L) < 1e-4L && window.Markers().front().Stable);
        window.Pairs[4]->setChecked(true); // 2-3 brings in groups 2 and 3
        bool group3 = false;
        for (const auto& marker : window.Markers())
            group3 = group3 || marker.Group == 3;
        QVERIFY(group3);

        QCOMPARE(window.Cluster->count(), 3); // None and the two tetrahedra
        window.Cluster->setCurrentIndex(2);
        window.Refresh();
        QCOMPARE(chosen.last().at(0).value<std::vector<int>>(), (std::vector<int>{5, 6, 7, 8}));
        window.hide();
        QVERIFY(chosen.last().at(0).value<std::vector<int>>().empty());
    }

    // A range the histogram cannot take is said, not drawn.
    void badRangeIsSaid()
    {
        StructureWindow window(system_, [] { return RunSwitches(); });
        window.show();
        window.From->setValue(3);
        window.To->setValue(1);
        QVERIFY(window.Note->text().contains(QLatin1String("A less than B")));
        QCOMPARE(window.Histogram().Bins, 0);
    }
};

QTEST_MAIN(StructureWindowTest)
#include "structurewindow_test.moc"
