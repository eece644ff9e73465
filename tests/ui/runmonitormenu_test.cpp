// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "charts/runmonitor.h"

#include <QAction>
#include <QFile>

class RunMonitorMenuTest : public QObject {
    Q_OBJECT
private slots:
    // Ctrl+M opens the window beside the main one; it records the steps of
    // every run while open, keeps them across Stop and Go, and starts afresh
    // with the next scene.
    void watchesRunsUntilTheSceneChanges()
    {
        MainFormFixture f;
        const QString four = f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76}));
        f.StartWith(four);
        QCOMPARE(f.Find<QAction>("RunMonitor1")->text(), QStringLiteral("Run Monitor..."));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_M, Qt::ControlModifier);
        RunMonitor* monitor = f.Window<RunMonitor>();
        QVERIFY(monitor != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(monitor));
        QCOMPARE(monitor->windowTitle(), QStringLiteral("Run Monitor"));

        f.RunSteps(3);
        f.RunSteps(2);
        const auto& samples = monitor->Record().Samples();
        QCOMPARE(samples.size(), std::size_t(6));
        QCOMPARE(samples.back().Step, 5);
        Real time = 0;
        for (int step = 0; step < 5; ++step)
            time += 0.001L;
        QCOMPARE(samples.back().Time, time);
        QCOMPARE(samples.back().Figures.Kinetic, MeasureRun(f.system).Kinetic);

        f.dialogs.openAnswers.push_back(four);
        f.form->Open1Click();
        QCOMPARE(samples.size(), std::size_t(1));
        QCOMPARE(samples.front().Step, 0);
        QCOMPARE(samples.front().Time, 0.0L);
    }

    // "Taons" without a start file replaces nothing, so it resets nothing:
    // the samples stay and the next step's model time carries on.
    void taonsWithoutAStartFileKeepsTheSamples()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        f.form->RunMonitor1Click();
        f.RunSteps(2);
        QVERIFY(QFile::remove(f.config.StartFile()));
        f.form->Daons1Click();
        QCOMPARE(f.dialogs.informations, QStringList{QStringLiteral("The start File not found.")});
        f.RunSteps(1);
        const auto& samples = f.Window<RunMonitor>()->Record().Samples();
        QCOMPARE(samples.size(), std::size_t(4));
        QCOMPARE(samples.back().Time, 0.001L + 0.001L + 0.001L);
    }
};

QTEST_MAIN(RunMonitorMenuTest)
#include "runmonitormenu_test.moc"
