#include "mainformfixture.h"

#include "view/drawingarea.h"
#include "view/framerecorder.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

namespace {

// The drawing area as the widget paints it, without the controls over it.
QImage GrabbedDrawingArea(TMainForm& form)
{
    DrawingArea& area = *form.Drawing;
    const QRect drawn(0, 0, area.width(), area.DrawingHeight());
    QImage shown(drawn.size(), QImage::Format_RGB32);
    area.render(&shown, QPoint(), QRegion(drawn), QWidget::DrawWindowBackground);
    return shown;
}

QImage ReadImage(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class PictureCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void savedPictureIsTheDrawingArea()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        f.form->ShowNumbersOfPoints->trigger();
        f.form->Trails1->trigger();
        f.form->Axes1->trigger();
        f.RunSteps(5);
        const QString path = f.config.Path(QStringLiteral("picture.png"));
        f.dialogs.pictureAnswers = {path, f.config.Path(QStringLiteral("none/picture.png")), std::nullopt};
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(ReadImage(path), GrabbedDrawingArea(*f.form));
        f.form->SavePicture1->trigger();
        f.form->SavePicture1->trigger(); // cancelled
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("Invalid filename.")});
        QVERIFY(f.dialogs.pictureAnswers.empty());
    }

    // Frames are numbered on across Stop and Go until the recording is
    // switched off; the last one is the picture the last step showed.
    void recordingKeepsEveryNthStep()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        QTemporaryDir folder;
        f.dialogs.folderAnswers = {folder.path()};
        f.dialogs.integerAnswers = {2};
        f.form->RecordFrames1->trigger();
        QVERIFY(f.form->RecordFrames1->isChecked());
        QCOMPARE(f.dialogs.integerQuestions,
                 QStringList{QStringLiteral("Record Frames: Record every N steps, N: [1..2147483647]")});
        f.RunSteps(5);
        f.RunSteps(5);
        const QImage last = f.form->Drawing->Picture();
        f.form->RecordFrames1->trigger();
        QVERIFY(!f.form->RecordFrames1->isChecked());
        QVERIFY(!f.form->Recording());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 (QStringList{"frame-000001.png", "frame-000002.png", "frame-000003.png", "frame-000004.png",
                              "frame-000005.png"}));
        QCOMPARE(ReadImage(folder.filePath(QStringLiteral("frame-000005.png"))),
                 last.convertToFormat(QImage::Format_RGB32));
        f.RunSteps(2); // switched off: nothing more
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 5);

        f.dialogs.folderAnswers = {std::nullopt};
        f.form->RecordFrames1->trigger();
        QVERIFY(!f.form->RecordFrames1->isChecked());
        QVERIFY(f.dialogs.unexpected.isEmpty());
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void writeFailureStopsOnlyTheRecording()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(FrameRecorder::FrameName(3))); // frame 3 cannot be written
        f.form->StartRecording(folder.path(), 1);
        QVERIFY(f.form->RecordFrames1->isChecked());
        f.RunSteps(12);
        QCOMPARE(f.system.StepCount, 12);
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("File access denied.")});
        QVERIFY(!f.form->Recording());
        QVERIFY(!f.form->RecordFrames1->isChecked());
        QVERIFY(QFile::exists(folder.filePath(FrameRecorder::FrameName(2))));
        QVERIFY(!QFile::exists(folder.filePath(FrameRecorder::FrameName(4))));
    }

    void trailsStartAfreshWithAScene()
    {
        MainFormFixture f;
        const QString scene = f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76}));
        f.StartWith(scene);
        f.RunSteps(3);
        QCOMPARE(f.form->Drawing->Trails().Count(1), 0); // off: nothing kept
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(f.form->Trails1->isChecked());
        f.RunSteps(3);
        QCOMPARE(f.form->Drawing->Trails().Count(1), 3);
        QVERIFY(f.form->Drawing->Trails().At(1, 2).x == f.system.X[1]);
        f.dialogs.openAnswers = {scene};
        f.form->Open1->trigger();
        QCOMPARE(f.form->Drawing->Trails().Count(1), 0);
    }

    void noTwoCommandsShareAKey()
    {
        MainFormFixture f;
        f.Start();
        QMap<QString, QString> owners;
        for (const QAction* action : f.form->findChildren<QAction*>()) {
            const QString key = action->shortcut().toString();
            if (key.isEmpty())
                continue;
            QVERIFY2(!owners.contains(key), qPrintable(key + ": " + owners.value(key) + ", " + action->objectName()));
            owners[key] = action->objectName();
        }
        QCOMPARE(owners.value(QStringLiteral("Ctrl+E")), QStringLiteral("SavePicture1"));
        QCOMPARE(owners.value(QStringLiteral("Ctrl+R")), QStringLiteral("RecordFrames1"));
        QCOMPARE(owners.value(QStringLiteral("Ctrl+T")), QStringLiteral("Trails1"));
    }
};

QTEST_MAIN(PictureCommandsTest)
#include "picturecommands_test.moc"
