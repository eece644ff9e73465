// SPDX-License-Identifier: MIT
#pragma once

#include "model/costbudget.h"
#include "model/runquantities.h"
#include "model/samplerecord.h"
#include "model/steprate.h"
#include "model/structurefigures.h"
#include "model/taonsystem.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class RunPlot;
class UserDialogs;

// "Run Monitor": the figures of the run as a table, and charts of them against
// the step, kinetic energy above and a chosen figure below. While the window
// is shown it records a sample every few steps (the spacing grows so that a
// run of any length stays within a few thousand samples) and redraws a few
// times a second, never per step, so the run keeps its pace. The structure
// figures (clusters, potential and total energy, the total's drift since the
// run's first step) cost as much as many steps: a sample carries them only
// while they have taken at most StructureShare of the time, the table always.
class RunMonitor : public QWidget {
    Q_OBJECT
public:
    static constexpr double StructureShare = 0.03;

    // `switches` gives the run's switches, which the energy depends on.
    RunMonitor(const TaonSystem& system, const RunTally& tally, std::function<RunSwitches()> switches,
               UserDialogs& dialogs, QWidget* parent = nullptr);

    // After every step of a run; costs next to nothing while hidden.
    void StepTaken();
    // "Clear", and a new scene: the samples go, the current state is the first.
    void ClearClick();
    // "Save CSV...": every sample, as the tool's run --log writes them.
    void SaveCsvClick();
    // The table and the charts from the model and the samples (the timer's work).
    void Refresh();

    const SampleRecord& Record() const { return record_; }

    // Controls, found by object name in the tests as well.
    QTableWidget* Figures = nullptr;
    RunPlot* EnergyPlot = nullptr;
    QComboBox* SecondFigure = nullptr;
    RunPlot* SecondPlot = nullptr;
    QLabel* SampleNote = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* SaveCsv = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    RunSample SampleNow(bool structure);
    StructureSample StructureNow();
    void ChooseSecondFigure(int index);
    void ShowValue(int row, const QString& text);

    const TaonSystem& system_;
    const RunTally& tally_;
    std::function<RunSwitches()> switches_;
    UserDialogs& dialogs_;
    StructureGauge gauge_;
    CostBudget structureBudget_{StructureShare};
    // The total energy the drift is measured from, and the law it holds for.
    std::optional<EnergyFigures> driftFrom_;
    std::optional<LawSetting> driftLaw_;
    QString energyNote_; // why the energy has no figure, for the table
    SampleRecord record_;
    StepRate rate_;
    QElapsedTimer clock_;
    QTimer* refresher_ = nullptr;
};
