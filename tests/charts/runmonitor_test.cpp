// SPDX-License-Identifier: MIT
#include "charts/runmonitor.h"
#include "charts/runplot.h"
#include "scenes/numbertext.h"
#include "scenes/runlog.h"
#include "scripteddialogs.h"

#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include <array>
#include <memory>

class RunMonitorTest : public QObject {
    Q_OBJECT

    TaonSystem system_;
    RunTally tally_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<RunMonitor> monitor_;

    // One step as the run makes it: the point moves, then the window hears of it.
    void Step()
    {
        system_.X[1] += system_.U[1] * system_.dt;
        system_.U[1] += 1;
        ++system_.StepCount;
        tally_.StepTaken(system_.dt);
        monitor_->StepTaken();
    }
    QString Value(const char* figure) const
    {
        const auto rows = monitor_->Figures->findItems(QString::fromLatin1(figure), Qt::MatchExactly);
        return rows.size() == 1 ? monitor_->Figures->item(rows.front()->row(), 1)->text() : QStringLiteral("?");
    }

private slots:
    void init()
    {
        // Two present points, one in group 1 moving, one in group 3 at rest.
        system_ = {};
        system_.TaonCount = SlotCount;
        system_.dt = 0.5L;
        system_.Present[1] = system_.Present[80] = 1;
        system_.U[1] = 2;
        tally_ = {};
        dialogs_ = {};
        monitor_ = std::make_unique<RunMonitor>(system_, tally_, [] { return RunSwitches(); }, dialogs_);
    }

    void recordsOnlyWhileShown()
    {
        Step(); // hidden: nothing recorded
        QVERIFY(monitor_->Record().Samples().empty());
        monitor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(monitor_.get()));
        for (int k = 0; k < 4; ++k)
            Step();
        monitor_->Refresh();
        const auto& samples = monitor_->Record().Samples();
        QCOMPARE(samples.size(), std::size_t(5)); // the state at opening and four steps
        QCOMPARE(samples.back().Step, 5);
        QCOMPARE(monitor_->EnergyPlot->PointsOfLine(2), 5);
        // U[1] went 2 -> 7: kinetic energy 24.5, all in group 1.
        QCOMPARE(Value("Kinetic energy, group 1"), FloatToText(24.5L));
        QCOMPARE(Value("Model time"), FloatToText(2.5L));
        QCOMPARE(Value("Steps per second"), QStringLiteral("4"));
        QCOMPARE(Value("Largest speed"), FloatToText(7));

        // A long record is drawn with no more points than the chart can
        // show, from the first sample to the last.
        for (int k = 0; k < 2000; ++k)
            Step();
        monitor_->Refresh();
        const int points = monitor_->EnergyPlot->PointsOfLine(3);
        QVERIFY2(points >= 500 && points <= 801, qPrintable(QString::number(points)));
        const auto* line = static_cast<QLineSeries*>(monitor_->EnergyPlot->chart()->series().at(3));
        QCOMPARE(line->at(points - 1).x(), 2005.0);
        // A refresh within the axes' ticks leaves the axes as they are: Qt
        // lays out an axis's labels anew whenever its range changes.
        const auto* steps = static_cast<QValueAxis*>(monitor_->EnergyPlot->chart()->axes(Qt::Horizontal).first());
        const double end = steps->max();
        Step();
        monitor_->Refresh();
        QCOMPARE(steps->max(), end);

        monitor_->hide();
        Step();
        QCOMPARE(monitor_->Record().Samples().size(), std::size_t(2006));
    }

    void saveCsvWritesEverySample_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("saved") << QStringLiteral("run.csv") << QString();
        QTest::newRow("folder missing") << QStringLiteral("none/run.csv") << QStringLiteral("Invalid filename.");
        QTest::newRow("cancelled") << QString() << QString();
    }

    void saveCsvWritesEverySample()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        dialogs_.csvAnswers.push_back(name.isEmpty() ? std::nullopt : std::optional<QString>(path));
        monitor_->show();
        Step();
        monitor_->SaveCsv->click();
        QCOMPARE(dialogs_.csvDialogs, 1);
        QCOMPARE(dialogs_.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly), error.isEmpty() && !name.isEmpty());
        if (!file.isOpen())
            return;
        const auto& samples = monitor_->Record().Samples();
        QCOMPARE(file.readAll(), RunLogHeader() + RunLogRow(samples[0]) + RunLogRow(samples[1]));
    }

    // A pair in its well: one cluster of two, and its energy only where the
    // run keeps it; the drift from the run's first step.
    void structureFigures_data()
    {
        QTest::addColumn<bool>("cool");
        QTest::addColumn<QString>("total");
        QTest::newRow("plain") << false << QString();
        QTest::newRow("cool") << true << QStringLiteral("not conserved");
    }
    void structureFigures()
    {
        QFETCH(bool, cool);
        QFETCH(QString, total);
        for (int k = 0; k < CoefficientCount; ++k)
            system_.*CoefficientFields[k] = std::array<Real, 6>{1, 0.4L, 0.6L, 0.8L, 1, 1.2L}[k % 6];
        system_.Present[80] = 0;
        system_.Present[2] = 1;
        system_.X[2] = 0.4L;
        system_.dt = 0.001L;
        monitor_ = std::make_unique<RunMonitor>(
            system_, tally_, [cool] { return RunSwitches{.Cool = cool}; }, dialogs_);
        monitor_->show();
        QCOMPARE(Value("Clusters"), QStringLiteral("1"));
        QCOMPARE(Value("Largest cluster"), QStringLiteral("2"));
        Step();
        Step();
        monitor_->Refresh();
        if (!total.isEmpty()) {
            QCOMPARE(Value("Total energy"), total);
            QCOMPARE(Value("Energy drift"), QStringLiteral("-"));
            return;
        }
        bool number = false;
        Value("Total energy").toDouble(&number);
        QVERIFY(number);
        // The figures' own step moved slot 1 by hand: the energy changed since step 1.
        QVERIFY(Value("Energy drift").toDouble() != 0);
        QVERIFY(monitor_->Record().Samples().front().Structure.Total.has_value());
    }
};

QTEST_MAIN(RunMonitorTest)
#include "runmonitor_test.moc"
