// SPDX-License-Identifier: MIT
#pragma once

#include "model/clusters.h"
#include "model/pairhistogram.h"
#include "model/structurefigures.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QChart;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTimer;

// View > "Structure...": the histogram of the pair distances for the chosen
// pairs of groups, with the stable (solid) and unstable (dashed) equilibria of
// those groups' push curves as vertical lines in the group colours, and the
// clusters, one of which may be chosen to be marked in the drawing area.
// While shown it reads the committed state once a second: a histogram and
// the clusters of 100 points cost about a quarter of a millisecond.
class StructureWindow : public QWidget {
    Q_OBJECT
public:
    StructureWindow(const TaonSystem& system, std::function<RunSwitches()> switches, QWidget* parent = nullptr);

    // The histogram, the equilibria and the clusters from the state now.
    void Refresh();

    // An equilibrium line drawn: its group, distance and kind.
    struct Marker {
        int Group;
        Real R;
        bool Stable;
    };
    const std::vector<Marker>& Markers() const { return markers_; }
    const PairHistogram& Histogram() const { return histogram_; }
    QChart* Chart() const { return chart_; }

    // Controls, found by object name in the tests as well.
    std::array<QCheckBox*, GroupPairCount> Pairs{};
    QDoubleSpinBox* From = nullptr;
    QDoubleSpinBox* To = nullptr;
    QSpinBox* Bins = nullptr;
    QComboBox* Cluster = nullptr;
    QLabel* Note = nullptr;

signals:
    // The slots of the chosen cluster, after every refresh; empty for none.
    void ClusterChosen(const std::vector<int>& members);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Plot(const PairLaw& law, const LawSwitches& switches);
    void ListClusters();

    const TaonSystem& system_;
    std::function<RunSwitches()> switches_;
    StructureGauge gauge_;
    PairHistogram histogram_;
    Clusters clusters_;
    std::vector<Marker> markers_;
    QChart* chart_ = nullptr;
    QTimer* refresher_ = nullptr;
};
