// SPDX-License-Identifier: MIT
#pragma once

#include "charts/lawscale.h"
#include "model/pushcurve.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QChart;
class QChartView;
class QComboBox;
class QAbstractSeries;
class QLabel;
class QLineEdit;
class UserDialogs;

// View > "Interaction Law...": the push of each index group against the
// distance, with its equilibria and shell centres, in the groups' colours.
// Non-modal. It draws what `source` gives when it is shown and whenever
// Follow() finds the law changed; nothing else makes it compute, so a run
// does not slow down while it is open.
class InteractionLawWindow : public QWidget {
    Q_OBJECT
public:
    InteractionLawWindow(std::function<LawSetting()> source, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Reads the law afresh and redraws if it is not the one shown. The main
    // window calls it after every committed change of a coefficient or switch.
    void Follow();

    // How often the curves were computed, for the tests and the benchmark.
    int Redraws() const { return redraws_; }
    QChart* Chart() const { return chart_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct GroupCurve {
        PushCurve Curve;
        std::vector<Equilibrium> Equilibria;
        std::vector<ShellCentre> Centres;
    };

    void BuildControls();
    // Whether the law shown, if any, differs from the source's.
    bool Stale() const;
    void RangeExit();
    void Redraw();
    // The plotted values' extent, for the vertical axis.
    struct PlottedExtent {
        double Low = 0, High = 0, Largest = 0;
    };
    void Plot();
    void PlotCurve(int g, PushScale scale, PlottedExtent& extent, std::vector<QAbstractSeries*>& unnamed);
    void PlotMarkers(int g, PushScale scale, std::vector<QAbstractSeries*>& unnamed);
    void PlotAxes(PushScale scale, const PlottedExtent& extent);
    void ResetZoom();
    void ShowValueAt(double r);

    std::function<LawSetting()> source_;
    UserDialogs& dialogs_;
    std::optional<LawSetting> shown_;
    Real from_ = 0.05L;
    Real to_ = 12;
    std::vector<Real> distances_;
    std::array<GroupCurve, GroupCount> groups_;
    double low_ = -1, high_ = 1; // the plotted vertical range before any zoom
    int redraws_ = 0;

    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QLineEdit* fromField_ = nullptr;
    QLineEdit* toField_ = nullptr;
    QComboBox* scaleBox_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QLabel* faultNote_ = nullptr; // the texts of the groups whose law faults
};
