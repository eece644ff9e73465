// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "ui/examplefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>

#include <unistd.h>

// File › Open Example..., and Save of a scene the user may not replace, such
// as an installed example.
class ExampleFilesTest : public QObject {
    Q_OBJECT
private slots:
    // The build tree's copy beside the program, else nothing: the dialog
    // then starts where it would anyway. (The installed folder: helpinstall_test.)
    void examplesFolderBesideTheProgram()
    {
        QCOMPARE(ExamplesFolder(QStringLiteral(ZARV_PROGRAM_DIR)), QStringLiteral(ZARV_PROGRAM_DIR "/examples"));
        QTemporaryDir elsewhere;
        QCOMPARE(ExamplesFolder(elsewhere.path()), QString());
    }

    // After Open Example the picture dialogs start where one may write.
    void pictureDialogsStartOutsideTheExamples_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("kept");
        QTest::newRow("a writable folder") << QStringLiteral(ZARV_PROGRAM_DIR) << true;
        QTest::newRow("the examples") << QStringLiteral(ZARV_PROGRAM_DIR "/examples") << false;
        QTest::newRow("none yet") << QString() << false;
        QTest::newRow("gone") << QStringLiteral(ZARV_PROGRAM_DIR "/no-such-folder") << false;
    }
    void pictureDialogsStartOutsideTheExamples()
    {
        QFETCH(QString, last);
        QFETCH(bool, kept);
        const QString start = PictureStartFolder(last, ExamplesFolder(QStringLiteral(ZARV_PROGRAM_DIR)));
        if (kept)
            QCOMPARE(start, last);
        else
            QVERIFY(start == QDir::homePath() || start.startsWith(QDir::homePath() + QLatin1Char('/')));
    }

    void openExampleOpensTheSceneWithItsCommentary()
    {
        MainFormFixture f;
        f.Start();
        const QString example = QStringLiteral(ZARV_PROGRAM_DIR "/examples/blockade.ato");
        f.dialogs.openAnswers.push_back(example);
        f.Find<QAction>("OpenExample1")->trigger();
        QCOMPARE(f.dialogs.openFolders, QStringList{ExamplesFolder()});
        QCOMPARE(f.Find("FName")->text(), example);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), example.toUtf8());
        QVERIFY(f.system.Present[71] && f.system.Present[76] && f.system.Present[77] && !f.system.Present[1]);
        const QByteArray commentary = f.config.ReadFile(QStringLiteral(ZARV_PROGRAM_DIR "/examples/blockade.txt"));
        QCOMPARE(f.Find<QPlainTextEdit>("Comment")->toPlainText().trimmed(), QString::fromUtf8(commentary).trimmed());
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void saveWhereTheSceneMayNotBeReplaced_data()
    {
        QTest::addColumn<bool>("folderLocked");
        QTest::addColumn<bool>("fileLocked");
        QTest::addColumn<bool>("answered"); // the Save As dialog gives a name
        QTest::newRow("writable: saved in place") << false << false << false;
        QTest::newRow("read-only folder: saved under the new name") << true << false << true;
        QTest::newRow("read-only file: saved under the new name") << false << true << true;
        QTest::newRow("read-only folder, Save As cancelled") << true << false << false;
    }
    void saveWhereTheSceneMayNotBeReplaced()
    {
        QFETCH(bool, folderLocked);
        QFETCH(bool, fileLocked);
        QFETCH(bool, answered);
        if ((folderLocked || fileLocked) && geteuid() == 0)
            QSKIP("root may replace any file; ctest runs this test once more as a user, in a user namespace");
        MainFormFixture f;
        f.Start();
        QDir(f.config.Path(QString())).mkdir(QStringLiteral("examples"));
        const TaonSystem scene = SceneOf({3, 4});
        const QString example = f.SaveScene(QStringLiteral("examples/scene.ato"), scene);
        const QByteArray original = f.config.ReadFile(example);
        f.form->OpenScene(example);
        f.system.X[3] = 42;
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        if (fileLocked)
            QFile::setPermissions(example, QFileDevice::ReadOwner);
        if (folderLocked)
            QFile::setPermissions(f.config.Path(QStringLiteral("examples")), readOnly);
        const QString chosen = f.config.Path(QStringLiteral("mine.ato"));
        if (folderLocked || fileLocked)
            f.dialogs.saveAnswers.push_back(answered ? std::optional<QString>(chosen) : std::nullopt);

        f.form->Save1Click();
        QFile::setPermissions(f.config.Path(QStringLiteral("examples")), readOnly | QFileDevice::WriteOwner);

        QVERIFY(f.dialogs.errors.isEmpty());
        QVERIFY(f.dialogs.unexpected.isEmpty());
        QCOMPARE(f.dialogs.saveDialogs, folderLocked || fileLocked ? 1 : 0);
        QCOMPARE(f.config.ReadFile(example) == original, folderLocked || fileLocked);
        QCOMPARE(QFileInfo::exists(chosen), answered);
        const QString current = answered ? chosen : example;
        QCOMPARE(f.Find("FName")->text(), current);
        QCOMPARE(f.config.ReadFile(f.config.StartFile()), current.toUtf8());
        if (answered || !(folderLocked || fileLocked)) { // what was saved is the edited scene
            TaonSystem saved;
            saved.TaonCount = SlotCount;
            ReadSceneFile(saved, current);
            RestoreFromSceneRecord(saved);
            QCOMPARE(saved.X[3], 42.0L);
        }
    }
};

QTEST_MAIN(ExampleFilesTest)
#include "examplefiles_test.moc"
