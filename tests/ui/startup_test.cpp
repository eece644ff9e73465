// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "scenes/commentary.h"
#include "view/drawingarea.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QPlainTextEdit>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    // Without a start file, or with an empty first line: the spiral figure.
    void withoutStartScene_data()
    {
        QTest::addColumn<bool>("startFileExists");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no start file") << false << QByteArray();
        QTest::newRow("empty start file") << true << QByteArray();
        QTest::newRow("empty first line") << true << QByteArray("\n/some/scene.ato");
    }
    void withoutStartScene()
    {
        QFETCH(bool, startFileExists);
        QFETCH(QByteArray, content);
        MainFormFixture f;
        if (startFileExists)
            f.config.WriteStartFile(content);
        f.Start();
        QVERIFY(QFileInfo::exists(f.config.StartFile()));
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), content); // created empty, or left alone
        QVERIFY(f.form->View().SpiralMode);
        QVERIFY(!f.Find<QPushButton>("Go")->isEnabled());
        QCOMPARE(f.Find("FName")->text(), QStringLiteral("File Name"));
        QCOMPARE(SceneName(f.form->Names()), QStringLiteral("ThetraSpiral"));
        QCOMPARE(f.system.TaonCount, SlotCount);
        QVERIFY(f.system.Stopped);
        QCOMPARE(f.system.dt, 0.001L);
        QVERIFY(f.system.DrawX[2] == 1 && f.system.DrawX[20] == 0); // the figure's second point
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void missingSceneFallsBackToTheEasySquare()
    {
        MainFormFixture f;
        const QString missing = f.config.Path(QStringLiteral("gone.ato"));
        f.StartWith(missing);
        QVERIFY(!f.form->View().SpiralMode);
        QVERIFY(f.Find<QPushButton>("Go")->isEnabled());
        QCOMPARE(f.Find("FName")->text(), QStringLiteral("The easy square"));
        QCOMPARE(f.form->Names().SceneFileName, missing);
        for (int i = 1; i <= 4; ++i)
            QVERIFY(f.system.Present[i]);
        QCOMPARE(f.system.B1, 2.718L);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), missing.toUtf8());
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void sceneWithCommentary()
    {
        MainFormFixture f;
        const QString path = f.SaveScene(QStringLiteral("ring.ato"), SceneOf({1, 2, 60}, 0.05L));
        f.config.WriteFile(CommentaryPath(path), "A ring\r\nof three\r\n");
        f.StartWith(path);
        QVERIFY(!f.form->View().SpiralMode);
        QCOMPARE(f.Find("FName")->text(), path);
        QCOMPARE(f.Find<QPlainTextEdit>("Comment")->toPlainText(), QStringLiteral("A ring\nof three"));
        QVERIFY(f.system.Present[60] && !f.system.Present[3]);
        QCOMPARE(f.system.X[60], 0.3L * 60 + 1);
        QCOMPARE(f.Find("EditG1")->text(), QStringLiteral("5"));

        // The field shows the scene's dt while the model runs with 0.001 until
        // the user changes the field: merely leaving it changes nothing.
        QCOMPARE(f.Find("EditDT")->text(), QStringLiteral("0.05"));
        QCOMPARE(f.system.dt, 0.001L);
        f.Find("EditDT")->setFocus();
        f.Find<QCheckBox>("Cool")->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.system.dt, 0.001L);
    }

    // A read error is reported and the rest of the start-up skipped.
    void damagedSceneStopsTheStartUp()
    {
        MainFormFixture f;
        const QString path = f.config.Path(QStringLiteral("short.ato"));
        f.config.WriteFile(path, QByteArray(100, '\1'));
        f.StartWith(path);
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("Read beyond end of file.")});
        QCOMPARE(f.Find("FName")->text(), path);
        QVERIFY(!f.system.Stopped);
        QCOMPARE(f.system.dt, 0.0L);
        QCOMPARE(f.Find("EditDT")->text(), QStringLiteral("0"));
        // The first click only brings the window to rest; the second starts a run.
        f.Find<QPushButton>("Go")->click();
        QVERIFY(f.system.Stopped);
        QCOMPARE(f.Find<QPushButton>("Go")->text(), QStringLiteral("Go"));
        // The file that failed is not the current scene: Save asks for a name.
        f.dialogs.saveAnswers.push_back(std::nullopt);
        f.form->Save1Click();
        QCOMPARE(f.dialogs.saveDialogs, 1);
        QCOMPARE(f.config.ReadFile(path), QByteArray(100, '\1'));
    }

    void resizeFollowsTheControlPanel()
    {
        MainFormFixture f;
        f.Start();
        // The control panel is 243 wide at the right edge: a width of 843 puts its left edge at 600.
        f.form->resize(843, f.form->height() + 50);
        QTRY_COMPARE(f.Find<QFrame>("Panel1")->x(), 600);
        QCOMPARE(f.Find("FName")->width(), 598);
        QCOMPARE(f.Find<QTabWidget>("PageControl")->width(), 595);
        QCOMPARE(f.Find<StringGrid>("DaonsTable")->width(), 593);
        QCOMPARE(f.Find<StringGrid>("DaonsTable")->horizontalHeader()->defaultSectionSize(), 94);
        QCOMPARE(f.Find<QPlainTextEdit>("Comment")->height(), f.Find<QTabWidget>("PageControl")->height() - 29);
        QCOMPARE(f.form->View().CenterX, 422); // 843 / 2, halves to even
        QCOMPARE(f.form->View().CenterY, f.Find<QWidget>("Pan")->y() / 2);
    }

    // Asked to be smaller than its minimum, the window stops there and the
    // views still draw.
    void smallestWindowStillDraws()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("s.ato"), SceneOf({1, 2})));
        f.form->resize(120, 90);
        QTRY_COMPARE(f.form->centralWidget()->size(), f.form->centralWidget()->minimumSize());
        f.Find<DrawingArea>("DrawingArea")->DrawScene();
        f.form->View().SpiralMode = true;
        f.Find<DrawingArea>("DrawingArea")->RedrawView();
        f.form->resize(854, 525);
        QTRY_VERIFY(f.Find<DrawingArea>("DrawingArea")->Picture().height() > 0);
    }

    void windowStartsAtItsSize()
    {
        MainFormFixture f;
        f.Start();
        QCOMPARE(f.form->centralWidget()->size(), QSize(854, 470));
        QCOMPARE(f.Find<QWidget>("Pan")->geometry(), QRect(0, 288, 854, 182));
        QCOMPARE(f.form->View().CenterX, 427);
        QCOMPARE(f.form->View().CenterY, 144);
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Zarvitone"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
