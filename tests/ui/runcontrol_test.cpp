// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "ui/aboutbox.h"
#include "ui/lamp.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>

class RunControlTest : public QObject {
    Q_OBJECT
private slots:
    void goStopGoKeepsCounting()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        const Real x1 = f.system.X[1];
        f.RunSteps(3);
        QCOMPARE(f.system.StepCount, 3);
        QVERIFY(f.system.Stopped);
        QVERIFY(f.system.X[1] != x1);
        QCOMPARE(f.Find<QPushButton>("Go")->text(), QStringLiteral("Go"));
        QCOMPARE(f.Find<QLabel>("LTime")->text(), QStringLiteral("0")); // not shown until switched on
        f.form->LTimeDblClick();
        f.RunSteps(2);
        QCOMPARE(f.system.StepCount, 5);
        QCOMPARE(f.Find<QLabel>("LTime")->text(), QStringLiteral("5"));
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void looksWhileRunning()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 3, 4})));
        QCOMPARE(f.Find<Lamp>("ShapeRed")->Fill(), QColor(128, 0, 0));
        QCOMPARE(f.Find<Lamp>("ShapeLime")->Fill(), QColor(0, 255, 0));
        bool checked = false;
        int showImages = 0;
        QObject::connect(f.Find<QAction>("Daons1"), &QAction::triggered, [&] { ++showImages; });
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.DuringRun([&] {
            checked = true;
            QTest::keyClick(f.form.get(), Qt::Key_F5); // Show Images is out of reach during a run
            QCOMPARE(f.Find<QPushButton>("Go")->text(), QStringLiteral("Stop"));
            QCOMPARE(f.Find<Lamp>("ShapeRed")->Fill(), QColor(255, 0, 0));
            QCOMPARE(f.Find<Lamp>("ShapeLime")->Fill(), QColor(0, 128, 0));
            QVERIFY(!f.Find<QMenu>("Images")->isEnabled());
            QVERIFY(!f.Find<QPushButton>("Null00")->isEnabled());
            f.Find<QPushButton>("Go")->click();
        });
        QVERIFY(checked);
        QCOMPARE(showImages, 0);
        QTest::keyClick(f.form.get(), Qt::Key_F5);
        QCOMPARE(showImages, 1);
        QVERIFY(f.Find<QMenu>("Images")->isEnabled());
        QVERIFY(f.Find<QPushButton>("Null00")->isEnabled());
        QCOMPARE(f.Find<Lamp>("ShapeRed")->Fill(), QColor(128, 0, 0));
    }

    void enterStartsAndEscapeStops()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 3, 4})));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.Find<QSlider>("TrackBar")->setFocus();
        int stepsSeen = 0;
        QTimer escape;
        escape.setInterval(0);
        QObject::connect(&escape, &QTimer::timeout, [&] {
            if (!f.system.Stopped && (++stepsSeen == 3 || stepsSeen == -900))
                QTest::keyClick(f.Find<QSlider>("TrackBar"), Qt::Key_Escape);
        });
        escape.start();
        QTest::keyClick(f.Find<QSlider>("TrackBar"), Qt::Key_Return); // runs until Escape
        QVERIFY(f.system.Stopped);
        QVERIFY(f.system.StepCount >= 3);
        // Escape while idle does nothing; Enter in the commentary stays in it.
        const std::int32_t steps = f.system.StepCount;
        QTest::keyClick(f.Find<QSlider>("TrackBar"), Qt::Key_Escape);
        QVERIFY(f.system.Stopped);
        f.Find<QTabWidget>("PageControl")->setCurrentIndex(1);
        f.Find<QPlainTextEdit>("Comment")->setFocus();
        stepsSeen = -1000; // a run started by mistake is stopped after a while
        QTest::keyClick(f.Find<QPlainTextEdit>("Comment"), Qt::Key_Return);
        QVERIFY(f.system.Stopped);
        QCOMPARE(f.system.StepCount, steps);
        QVERIFY(f.Find<QPlainTextEdit>("Comment")->toPlainText().contains(QLatin1Char('\n')));
    }

    // After a failed start-up Go looks "OK" while the window is not at rest:
    // the look decides, so Escape does nothing and Enter brings it to rest.
    void keysFollowTheLookOfGo()
    {
        MainFormFixture f;
        f.config.WriteFile(f.config.Path(QStringLiteral("short.ato")), QByteArray(100, '\1'));
        f.StartWith(f.config.Path(QStringLiteral("short.ato")));
        f.Find<QSlider>("TrackBar")->setFocus();
        QTest::keyClick(f.Find<QSlider>("TrackBar"), Qt::Key_Escape);
        QVERIFY(!f.system.Stopped);
        QTest::keyClick(f.Find<QSlider>("TrackBar"), Qt::Key_Return);
        QVERIFY(f.system.Stopped && f.system.StepCount == 0);
    }

    // A second click on Go between two steps of a stopped run must not nest a run.
    void stopAndGoBetweenTwoStepsContinuesTheRun()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 3, 4})));
        QTimer probe;
        probe.setInterval(0);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (f.system.StepCount == 2) {
                f.Find<QPushButton>("Go")->click(); // stop
                f.Find<QPushButton>("Go")->click(); // and go again at once
            }
            if (f.system.StepCount >= 4 && !f.system.Stopped)
                f.Find<QPushButton>("Go")->click();
        });
        probe.start();
        f.Find<QPushButton>("Go")->click();
        QVERIFY(f.system.Stopped);
        QCOMPARE(f.system.StepCount, 4);
        QVERIFY(!f.form->RunInProgress());
    }

    void faultLeavesTheRunningLook()
    {
        MainFormFixture f;
        TaonSystem scene = SceneOf({1, 2});
        scene.X[2] = scene.X[1]; // two present points at one place
        scene.Y[2] = scene.Y[1];
        scene.Z[2] = scene.Z[1];
        f.StartWith(f.SaveScene(QStringLiteral("coincident.ato"), scene));
        f.Find<QPushButton>("Go")->click(); // the first step faults
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        QVERIFY(!f.system.Stopped);
        QCOMPARE(f.Find<QPushButton>("Go")->text(), QStringLiteral("Stop"));
        QCOMPARE(f.system.StepCount, 0);
        QVERIFY(!f.form->RunInProgress());
        f.Find<QPushButton>("Go")->click(); // back to rest, no run
        QVERIFY(f.system.Stopped);
        QCOMPARE(f.Find<QPushButton>("Go")->text(), QStringLiteral("Go"));
        QCOMPARE(f.dialogs.errors.size(), 1);
    }

    void velocityResetWithCancelledSave()
    {
        MainFormFixture f;
        TaonSystem scene = SceneOf({1, 2});
        scene.U[1] = 3;
        scene.W[2] = -4;
        scene.V[50] = 5; // an empty slot is reset too
        const QString path = f.SaveScene(QStringLiteral("moving.ato"), scene);
        f.StartWith(path);
        f.dialogs.saveAnswers.push_back(std::nullopt);
        f.Find<QPushButton>("Null00")->click();
        QCOMPARE(f.dialogs.saveDialogs, 1);
        for (int i : {1, 2, 50}) {
            QCOMPARE(f.system.U[i] + f.system.V[i] + f.system.W[i], 0.0L);
            QCOMPARE(f.system.NewU[i] + f.system.NewV[i] + f.system.NewW[i], 0.0L);
        }
        QCOMPARE(f.Find<QPushButton>("Null00")->text(), QStringLiteral("Yes Null"));
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), path.toUtf8());
        QCOMPARE(f.config.ReadFile(path), [&] { TaonSystem s = scene; FillSceneRecord(s);
                                                return QByteArray(reinterpret_cast<const char*>(s.Record.data()), SceneRecordSize); }());
        f.form->DaonsTableDblClick(); // the listing shows the zeroed velocities
        QCOMPARE(f.Find<StringGrid>("DaonsTable")->Cell(1, 1), QStringLiteral("0"));
    }

    void velocityResetSavesUnderANewName()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("moving.ato"), SceneOf({1, 2})));
        const QString target = f.config.Path(QStringLiteral("resting.ato"));
        f.dialogs.saveAnswers.push_back(target);
        f.Find<QPushButton>("Null00")->click();
        QCOMPARE(f.Find("FName")->text(), target);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), target.toUtf8());
        QCOMPARE(f.config.ReadFile(target).size(), SceneRecordSize);
    }

    void velocityResetDoesNothingInSpiralView()
    {
        MainFormFixture f;
        f.Start();
        f.system.U[1] = 2;
        f.Find<QPushButton>("Null00")->click();
        QCOMPARE(f.system.U[1], 2.0L);
        QCOMPARE(f.dialogs.saveDialogs, 0);
    }

    void aboutBoxHoldsTheRun()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 3, 4})));
        std::int32_t whileOpen = -1;
        f.DuringRun([&] {
            const std::int32_t atOpen = f.system.StepCount;
            QTimer::singleShot(50, f.form.get(), [&, atOpen] {
                whileOpen = f.system.StepCount - atOpen; // no step runs behind the modal box
                f.Window<TAboutBox>()->accept();
            });
            f.form->About1Click();
            f.Find<QPushButton>("Go")->click();
        });
        QCOMPARE(whileOpen, 0);
        QVERIFY(f.system.Stopped);
    }

    void closingMidRunStopsThenCloses()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 3, 4})));
        f.DuringRun([&] { QVERIFY(!f.form->close()); }); // refused while the loop runs, then done
        QVERIFY(f.system.Stopped);
        QVERIFY(!f.form->RunInProgress());
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.system.StepCount >= 1);
    }
};

QTEST_MAIN(RunControlTest)
#include "runcontrol_test.moc"
