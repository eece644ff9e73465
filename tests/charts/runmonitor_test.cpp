#include "charts/runmonitor.h"
#include "charts/runplot.h"
#include "scenes/numbertext.h"
#include "scenes/runlog.h"
#include "scripteddialogs.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Two present points, one in group 1 moving, one in group 3 at rest.
TaonSystem TwoPoints()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.5L;
    s.Present[1] = s.Present[80] = 1;
    s.U[1] = 2;
    s.X[80] = 4;
    return s;
}

} // namespace

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
        system_ = TwoPoints();
        tally_ = {};
        dialogs_ = {};
        monitor_ = std::make_unique<RunMonitor>(system_, tally_, dialogs_);
    }

    void recordsOnlyWhileShown()
    {
        Step(); // hidden: nothing recorded
        QVERIFY(monitor_->Record().Samples().empty());
        monitor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(monitor_.get()));
        QCOMPARE(monitor_->windowTitle(), QStringLiteral("Run Monitor"));
        QVERIFY(!monitor_->isModal());
        for (int k = 0; k < 4; ++k)
            Step();
        monitor_->Refresh();
        const auto& samples = monitor_->Record().Samples();
        QCOMPARE(samples.size(), std::size_t(5)); // the state at opening and four steps
        QCOMPARE(samples.front().Step, 1);
        QCOMPARE(samples.back().Step, 5);
        QCOMPARE(samples.back().Time, 2.5L);
        QCOMPARE(monitor_->EnergyPlot->PointsOfLine(0), 5);
        QCOMPARE(monitor_->EnergyPlot->PointsOfLine(2), 5);
        // U[1] went 2 -> 7: kinetic energy 24.5, all in group 1.
        QCOMPARE(Value("Kinetic energy, group 1"), FloatToText(24.5L));
        QCOMPARE(Value("Kinetic energy, group 3"), QStringLiteral("0"));
        QCOMPARE(Value("Model time"), FloatToText(2.5L));
        QCOMPARE(Value("Steps in all"), QStringLiteral("5"));
        QCOMPARE(Value("Steps per second"), QStringLiteral("4"));
        QCOMPARE(Value("Largest speed"), FloatToText(7));

        monitor_->hide();
        Step();
        QCOMPARE(monitor_->Record().Samples().size(), std::size_t(5));
    }

    void clearKeepsTheCurrentState()
    {
        monitor_->show();
        for (int k = 0; k < 3; ++k)
            Step();
        monitor_->Clear->click();
        QCOMPARE(monitor_->Record().Samples().size(), std::size_t(1));
        QCOMPARE(monitor_->Record().Samples().front().Step, 3);
        QCOMPARE(monitor_->EnergyPlot->PointsOfLine(3), 1);
        QCOMPARE(monitor_->SampleNote->text(), QStringLiteral("Samples: 1, one every step"));
    }

    // A long record is drawn with no more points than the chart can show,
    // from the first sample to the last.
    void longRecordsAreDrawnSparsely()
    {
        monitor_->show();
        for (int k = 0; k < 2000; ++k)
            Step();
        monitor_->Refresh();
        QCOMPARE(monitor_->Record().Samples().size(), std::size_t(2001));
        const int points = monitor_->EnergyPlot->PointsOfLine(3);
        QVERIFY2(points >= 500 && points <= 801, qPrintable(QString::number(points)));
        auto* line = static_cast<QLineSeries*>(monitor_->EnergyPlot->chart()->series().at(3));
        QCOMPARE(line->at(0).x(), 0.0);
        QCOMPARE(line->at(points - 1).x(), 2000.0);
    }

    void secondChartFollowsTheChoice()
    {
        monitor_->show();
        Step();
        Step();
        monitor_->Refresh();
        for (int index = 0; index < monitor_->SecondFigure->count(); ++index) {
            monitor_->SecondFigure->setCurrentIndex(index);
            QCOMPARE(monitor_->SecondPlot->chart()->title(), monitor_->SecondFigure->currentText());
            QCOMPARE(monitor_->SecondPlot->PointsOfLine(0), 3);
        }
        QCOMPARE(monitor_->SecondFigure->count(), 3);
    }

    void saveCsvWritesEverySample_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("saved") << "run.csv"
                               << "";
        QTest::newRow("folder missing") << "none/run.csv"
                                        << "Invalid filename.";
        QTest::newRow("cancelled") << ""
                                   << "";
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
};

QTEST_MAIN(RunMonitorTest)
#include "runmonitor_test.moc"
