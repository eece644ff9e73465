// SPDX-License-Identifier: MIT
#pragma once

#include "model/switches.h"
#include "model/taonsystem.h"
#include "sweep/runner.h"
#include "sweep/summarytable.h"

#include <QTemporaryDir>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class SweepMap;
class UserDialogs;

// The Sweep window: one or two names of the current scene (dt, A1 ... G3)
// with their ranges and counts, the steps per job, and Start. The jobs run
// in the background on every core but one, their results in a folder of
// the window's own; the table of summaries and, for two names, the colour
// map of a chosen column fill in as jobs end. Double-clicking a row or a
// cell opens that job's end scene (or its start) in the main window.
class SweepWindow : public QWidget {
    Q_OBJECT

public:
    struct Hooks {
        std::function<TaonSystem()> Scene;     // the current scene, committed
        std::function<RunSwitches()> Switches; // the main window's
        std::function<void(const QString&)> Open;
    };
    SweepWindow(Hooks hooks, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~SweepWindow() override;

    // The controls, named for tests.
    void StartClick();
    void CancelClick();
    bool Running() const { return worker_.joinable(); }
    // Opens the job shown in table row `row` (after sorting, as shown).
    void OpenJob(int tableRow);
    const SummaryTable& Summaries() const { return table_; }
    QString Folder() const;

private:
    struct NameRow {
        QComboBox* Name;
        QLineEdit* From;
        QLineEdit* To;
        QSpinBox* Count;
    };
    NameRow AddNameRow(class QGridLayout* grid, int row, bool optional);
    void NameChosen(const NameRow& row);
    void Progress(const SweepProgress& progress);
    void Finished(const QString& failure, const SweepReport& report);
    void Reload();
    void FillTable();
    void FillMap();
    std::vector<std::string> VariedNames() const;

    Hooks hooks_;
    UserDialogs& dialogs_;
    std::vector<NameRow> names_;
    QSpinBox* steps_;
    QPushButton* start_;
    QPushButton* cancelButton_;
    QProgressBar* progress_;
    QLabel* state_;
    QTableWidget* tableView_;
    QComboBox* mapColumn_;
    QCheckBox* openStart_;
    SweepMap* map_;

    SweepPlan plan_;
    std::vector<std::unique_ptr<QTemporaryDir>> folders_; // every sweep's, kept while the window lives
    std::atomic<bool> stop_{false};
    std::thread worker_;
    SummaryTable table_;
};
