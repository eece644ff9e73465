// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "editor/editdlg.h"
#include "scenes/commentary.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

QByteArray SceneBytes(TaonSystem scene)
{
    FillSceneRecord(scene);
    return QByteArray(reinterpret_cast<const char*>(scene.Record.data()), SceneRecordSize);
}

// Types into the commentary page and leaves it, as a user does.
void EditCommentary(MainFormFixture& f, const QString& typed)
{
    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.Find<QTabWidget>("PageControl")->setCurrentIndex(1);
    f.Find<QPlainTextEdit>("Comment")->setFocus();
    if (!typed.isEmpty())
        QTest::keyClicks(f.Find<QPlainTextEdit>("Comment"), typed);
    f.Find("EditDT")->setFocus(Qt::MouseFocusReason);
}

// Answers the point editor once it is open: `fill` types, then OK or Cancel.
void AnswerEditor(MainFormFixture& f, bool ok, const std::function<void(TEditDlg*)>& fill = {})
{
    QTimer::singleShot(0, f.form.get(), [&f, ok, fill] {
        TEditDlg* editor = f.Window<TEditDlg>();
        QVERIFY(editor->isVisible());
        if (fill)
            fill(editor);
        editor->findChild<QPushButton*>(ok ? QStringLiteral("OKBtn") : QStringLiteral("CancelBtn"))->click();
    });
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void openThenSaveRewritesTheSameFile()
    {
        MainFormFixture f;
        f.Start();
        const TaonSystem scene = SceneOf({5, 6}, 0.01L);
        const QString path = f.SaveScene(QStringLiteral("a.ato"), scene);
        f.dialogs.openAnswers.push_back(path);
        f.form->Open1Click();
        QVERIFY(!f.form->View().SpiralMode);
        QCOMPARE(f.Find("FName")->text(), path);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), path.toUtf8());
        QCOMPARE(f.system.StepCount, 0);
        QCOMPARE(f.Find("EditDT")->text(), QStringLiteral("0.01"));
        QCOMPARE(f.system.dt, 0.01L);

        f.config.WriteStartFile("/elsewhere.ato");
        f.system.X[5] = 42;
        f.form->Save1Click();
        TaonSystem expected = scene;
        expected.X[5] = 42;
        QCOMPARE(f.config.ReadFile(path), SceneBytes(expected));
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), QByteArray("/elsewhere.ato"));
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void openingAMissingFile()
    {
        MainFormFixture f;
        const QString start = f.SaveScene(QStringLiteral("start.ato"), SceneOf({1}));
        f.StartWith(start);
        const Real x1 = f.system.X[1];
        const QString missing = f.config.Path(QStringLiteral("typed-name.ato"));
        f.dialogs.openAnswers.push_back(missing);
        f.form->Open1Click();
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("File not found.")});
        QCOMPARE(f.Find("FName")->text(), missing);
        QVERIFY(!f.form->View().SpiralMode);
        QVERIFY(f.Find<QPushButton>("Go")->isEnabled());
        QCOMPARE(f.system.X[1], x1);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), start.toUtf8());
    }

    // An Open that fails, at the read or at the start file's write, leaves
    // both names and the start file as they were: Save then writes the scene
    // still in the model to its own file, never over the one that failed.
    void failedOpenKeepsTheCurrentScene_data()
    {
        QTest::addColumn<bool>("startFileFails");
        QTest::addColumn<QString>("error");
        QTest::newRow("short file") << false << "Read beyond end of file.";
        QTest::newRow("start file not writable") << true << "File access denied.";
    }
    void failedOpenKeepsTheCurrentScene()
    {
        QFETCH(bool, startFileFails);
        QFETCH(QString, error);
        MainFormFixture f;
        const QString start = f.SaveScene(QStringLiteral("start.ato"), SceneOf({1}));
        f.StartWith(start);
        const QString chosen = f.SaveScene(QStringLiteral("chosen.ato"), SceneOf({2, 3}));
        if (startFileFails) // a folder where the start file was
            QVERIFY(QFile::remove(f.config.StartFile()) && QDir().mkpath(f.config.StartFile()));
        else
            f.config.WriteFile(chosen, QByteArray(1000, '\x7f'));
        const QByteArray chosenBytes = f.config.ReadFile(chosen);
        f.dialogs.openAnswers.push_back(chosen);
        f.form->Open1Click();
        QCOMPARE(f.dialogs.errors, QStringList{error});
        QCOMPARE(f.Find("FName")->text(), chosen);
        QCOMPARE(f.form->Names().StartSceneName, start);
        f.system.X[1] = 5;
        f.form->Save1Click();
        QCOMPARE(f.config.ReadFile(chosen), chosenBytes);
        QCOMPARE(f.config.ReadFile(start), SceneBytes(f.system));
    }

    void cancelledDialogsChangeNothing()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("s.ato"), SceneOf({1})));
        f.dialogs.openAnswers.push_back(std::nullopt);
        f.dialogs.saveAnswers.push_back(std::nullopt);
        const QString name = f.Find("FName")->text();
        f.form->Open1Click();
        f.form->Saveas1Click();
        QCOMPARE(f.Find("FName")->text(), name);
        QCOMPARE(f.dialogs.openDialogs + f.dialogs.saveDialogs, 2);
    }

    // A scene without a commentary file shows an empty page, and what is
    // typed there is saved as its commentary alone.
    void commentaryEmptiesWhenTheNextSceneHasNone()
    {
        MainFormFixture f;
        f.Start();
        const QString a = f.SaveScene(QStringLiteral("a.ato"), SceneOf({1}));
        const QString b = f.SaveScene(QStringLiteral("b.ato"), SceneOf({2}));
        f.config.WriteFile(CommentaryPath(a), "about a\r\n");
        f.dialogs.openAnswers = {a, b};
        f.form->Open1Click();
        QCOMPARE(f.Find<QPlainTextEdit>("Comment")->toPlainText(), QStringLiteral("about a"));
        f.form->Open1Click();
        QCOMPARE(f.Find<QPlainTextEdit>("Comment")->toPlainText(), QString());
        QCOMPARE(f.Find("FName")->text(), b);
        // An emptied page is no change: leaving it asks nothing.
        EditCommentary(f, QString());
        QVERIFY(f.dialogs.confirmations.isEmpty());
        f.dialogs.confirmAnswers = {true};
        EditCommentary(f, QStringLiteral("about b"));
        QCOMPARE(f.config.ReadFile(CommentaryPath(b)), QByteArray("about b\r\n"));
    }

    void editedCommentaryIsSavedAfterYes()
    {
        MainFormFixture f;
        const QString scene = f.SaveScene(QStringLiteral("c.ato"), SceneOf({1}));
        f.StartWith(scene);
        f.dialogs.confirmAnswers = {true};
        EditCommentary(f, QStringLiteral("x"));
        QCOMPARE(f.dialogs.confirmations, QStringList{QStringLiteral("The text was changed. Save now?")});
        QCOMPARE(f.config.ReadFile(CommentaryPath(scene)), QByteArray("xNo Comment\r\n"));
        EditCommentary(f, QString()); // no change since: no question
        QCOMPARE(f.dialogs.confirmations.size(), 1);
    }

    void declinedCommentaryAsksAgainAfterTheNextChange()
    {
        MainFormFixture f;
        const QString scene = f.SaveScene(QStringLiteral("c.ato"), SceneOf({1}));
        f.StartWith(scene);
        f.dialogs.confirmAnswers = {false, true};
        EditCommentary(f, QStringLiteral("a"));
        QVERIFY(!QFileInfo::exists(CommentaryPath(scene)));
        EditCommentary(f, QString());
        QCOMPARE(f.dialogs.confirmations.size(), 1);
        EditCommentary(f, QStringLiteral("b"));
        QCOMPARE(f.dialogs.confirmations.size(), 2);
        QVERIFY(QFileInfo::exists(CommentaryPath(scene)));
    }

    void saveAsReplacesAFileAndBecomesTheStartScene()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("s.ato"), SceneOf({1})));
        const QString target = f.config.Path(QStringLiteral("existing.ato"));
        f.config.WriteFile(target, "old content");
        f.dialogs.saveAnswers.push_back(target);
        f.form->Saveas1Click();
        QCOMPARE(f.config.ReadFile(target), SceneBytes(f.system));
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), target.toUtf8());
        QCOMPARE(f.Find("FName")->text(), target);
        f.system.Y[1] = -1;
        f.form->Save1Click();
        QCOMPARE(f.config.ReadFile(target), SceneBytes(f.system));
    }

    void saveAfterTheEasySquareFallbackWritesToTheStartScene()
    {
        MainFormFixture f;
        const QString missing = f.config.Path(QStringLiteral("lost.ato"));
        f.StartWith(missing);
        f.form->Save1Click();
        QCOMPARE(f.config.ReadFile(missing), SceneBytes(f.system));
        QCOMPARE(f.system.B2, 2.718L);
    }

    // A file named like a caption is still a file: Save writes over it.
    void fileNamedLikeACaptionIsSavedOver()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("a.ato"), SceneOf({1})));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(f.config.Path(QString()));
        f.dialogs.saveAnswers.push_back(SpiralCaption);
        f.form->Saveas1Click();
        f.system.X[1] = 5;
        f.form->Save1Click();
        QDir::setCurrent(previous);
        QCOMPARE(f.dialogs.saveDialogs, 1);
        QCOMPARE(f.config.ReadFile(f.config.Path(SpiralCaption)), SceneBytes(f.system));
    }

    // No name, or a caption in its place, is no file to save over.
    void saveWithoutAFileNameAsksForOne_data()
    {
        QTest::addColumn<bool>("repainted");
        QTest::newRow("empty name after a repaint") << true;
        QTest::newRow("the caption") << false;
    }
    void saveWithoutAFileNameAsksForOne()
    {
        QFETCH(bool, repainted);
        MainFormFixture f;
        f.config.WriteStartFile(QByteArray());
        f.Start();
        f.form->Daons1Click(); // the easy square, from an empty start file
        if (repainted)
            f.form->Names().SceneFileName.clear();
        const QString target = f.config.Path(QStringLiteral("named.ato"));
        f.dialogs.saveAnswers.push_back(target);
        f.form->Save1Click();
        QCOMPARE(f.dialogs.saveDialogs, 1);
        QCOMPARE(f.config.ReadFile(target).size(), SceneRecordSize);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), target.toUtf8());
    }

    void spiralViewIgnoresSaving()
    {
        MainFormFixture f;
        f.Start();
        QVERIFY(f.form->View().SpiralMode);
        f.form->Save1Click();
        f.form->Saveas1Click();
        QCOMPARE(f.dialogs.saveDialogs, 0);
        QVERIFY(!QFileInfo::exists(f.config.Path(QStringLiteral("ThetraSpiral"))));
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void newThenCancelChangesNothing()
    {
        MainFormFixture f;
        f.Start();
        f.system.StepCount = 7;
        AnswerEditor(f, false);
        f.form->New1Click();
        QVERIFY(f.form->View().SpiralMode);
        QCOMPARE(f.system.StepCount, 7);
        QCOMPARE(f.Find("FName")->text(), QStringLiteral("File Name"));
        QVERIFY(!f.Find<QPushButton>("Go")->isEnabled());
    }

    void newThenOkLeavesTheSpiralView()
    {
        MainFormFixture f;
        f.Start();
        f.system.StepCount = 7;
        const QString target = f.config.Path(QStringLiteral("new.ato"));
        f.dialogs.saveAnswers.push_back(target);
        AnswerEditor(f, true, [](TEditDlg* editor) {
            editor->findChild<QLineEdit*>(QStringLiteral("EditDT"))->setText(QStringLiteral("0.25"));
        });
        f.form->New1Click();
        QVERIFY(!f.form->View().SpiralMode);
        QVERIFY(f.Find<QPushButton>("Go")->isEnabled());
        QCOMPARE(f.system.StepCount, 0);
        QCOMPARE(f.Find<QLabel>("LTime")->text(), QStringLiteral("0"));
        QCOMPARE(f.Find("FName")->text(), target);
        QCOMPARE(f.Find("EditDT")->text(), QStringLiteral("0.25"));
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), target.toUtf8());
    }

    void saveDuringARunStoresTheLastStep()
    {
        MainFormFixture f;
        const QString path = f.SaveScene(QStringLiteral("run.ato"), SceneOf({1, 2, 3}));
        f.StartWith(path);
        QByteArray saved;
        TaonSystem atSave;
        f.DuringRun([&] {
            f.form->Save1Click();
            saved = f.config.ReadFile(path);
            atSave = f.system;
            f.Find<QPushButton>("Go")->click();
        });
        QCOMPARE(atSave.StepCount, 1);
        QCOMPARE(saved, SceneBytes(atSave));
        QVERIFY(saved != SceneBytes(SceneOf({1, 2, 3})));
    }

    // A coefficient stored by the editor that New opens during a run drives
    // the next steps: with A1 = 0 the group-1 points rest until A1 is set.
    void coefficientEditedDuringARunActsFromTheNextStep()
    {
        MainFormFixture f;
        TaonSystem scene = SceneOf({1, 2});
        scene.A1 = 0;
        f.StartWith(f.SaveScene(QStringLiteral("still.ato"), scene));
        f.system.dt = 0.01L;
        Real xAtEdit = 0;
        f.dialogs.saveAnswers.push_back(f.config.Path(QStringLiteral("edited.ato")));
        QTimer stopper;
        stopper.setInterval(0);
        int stepsAfterEdit = -1;
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (stepsAfterEdit < 0 && f.system.StepCount == 3) {
                xAtEdit = f.system.X[1];
                QCOMPARE(xAtEdit, scene.X[1]); // at rest so far
                AnswerEditor(f, true, [](TEditDlg* editor) {
                    editor->findChild<QLineEdit*>(QStringLiteral("EditA1"))->setText(QStringLiteral("1"));
                });
                f.form->New1Click();
                stepsAfterEdit = 0;
            } else if (stepsAfterEdit >= 0 && ++stepsAfterEdit == 3) {
                f.Find<QPushButton>("Go")->click();
            }
        });
        stopper.start();
        f.Find<QPushButton>("Go")->click();
        QCOMPARE(f.system.A1, 1.0L);
        QVERIFY(f.system.X[1] != xAtEdit);
        QVERIFY(f.dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(FileCommandsTest)
#include "filecommands_test.moc"
