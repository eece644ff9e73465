// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "editor/editdlg.h"
#include "view/drawingarea.h"
#include "view/framerecorder.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QImage ReadImage(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

QStringList Files(const QTemporaryDir& folder)
{
    return QDir(folder.path()).entryList(QDir::Files);
}

} // namespace

class PictureCommandsTest : public QObject {
    Q_OBJECT

    MainFormFixture f;

private slots:
    void init()
    {
        f.form.reset();
        f.dialogs = {};
        f.system = {};
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
    }

    // The file holds what the widget paints, numbers, trails and axes included.
    void savedPictureIsTheDrawingArea()
    {
        f.Find<QAction>("ShowNumbersOfPoints")->trigger();
        f.Find<QAction>("Trails1")->trigger();
        f.Find<QAction>("Axes1")->trigger();
        f.RunSteps(5);
        const QString path = f.config.Path(QStringLiteral("picture.png"));
        f.dialogs.pictureAnswers = {path, f.config.Path(QStringLiteral("none/picture.png"))};
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_E, Qt::ControlModifier);
        DrawingArea& area = *f.Find<DrawingArea>("DrawingArea");
        QImage shown(area.width(), area.DrawingHeight(), QImage::Format_RGB32);
        area.render(&shown, QPoint(), QRegion(shown.rect()), QWidget::DrawWindowBackground);
        QCOMPARE(ReadImage(path), shown);
        QVERIFY(QFileInfo(path).size() < 100'000); // compressed: mostly black
        f.Find<QAction>("SavePicture1")->trigger();
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("Invalid filename.")});
    }

    // Numbered on across Stop and Go until switched off; the last frame is
    // the last step's picture.
    void recordingKeepsEveryNthStep()
    {
        QTemporaryDir folder;
        f.dialogs.folderAnswers = {folder.path()};
        f.dialogs.integerAnswers = {2};
        f.Find<QAction>("RecordFrames1")->trigger();
        QVERIFY(f.Find<QAction>("RecordFrames1")->isChecked());
        f.RunSteps(5);
        f.RunSteps(5);
        const QImage last = f.Find<DrawingArea>("DrawingArea")->Picture().convertToFormat(QImage::Format_RGB32);
        f.Find<QAction>("RecordFrames1")->trigger();
        QVERIFY(!f.Find<QAction>("RecordFrames1")->isChecked());
        f.RunSteps(2);
        QCOMPARE(Files(folder), (QStringList{"frame-000001.png", "frame-000002.png", "frame-000003.png",
                                             "frame-000004.png", "frame-000005.png"}));
        QCOMPARE(ReadImage(folder.filePath(QStringLiteral("frame-000005.png"))), last);
        QVERIFY(f.dialogs.unexpected.isEmpty() && f.dialogs.errors.isEmpty());
    }

    void writeFailureStopsOnlyTheRecording()
    {
        QTemporaryDir folder;
        f.form->StartRecording(folder.path(), 1);
        QVERIFY(QDir(folder.path()).mkdir(FrameRecorder::FrameName(3))); // frame 3 cannot be written
        f.RunSteps(12);
        QCOMPARE(f.system.StepCount, 12);
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("File access denied.")});
        QVERIFY(!f.form->Recording() && !f.Find<QAction>("RecordFrames1")->isChecked());
        QCOMPARE(Files(folder), (QStringList{"frame-000001.png", "frame-000002.png"}));
    }

    void trailsStartAfreshWithAScene()
    {
        f.RunSteps(3);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 0); // off: nothing kept
        f.Find<QAction>("Trails1")->trigger();
        f.RunSteps(3);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 3);
        QVERIFY(f.Find<DrawingArea>("DrawingArea")->Trails().At(1, 2).x == f.system.X[1]);
        f.dialogs.openAnswers = {f.config.Path(QStringLiteral("four.ato"))};
        f.Find<QAction>("Open1")->trigger();
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 0);
    }

    // A picked point's row is the listing's current one, a double click on
    // it opens the point editor there, and a new scene drops the pick.
    void pickedPointFollowsTheListingAndTheScene()
    {
        const ViewState& view = f.form->View();
        const QPoint point51(view.ScreenX[51], view.ScreenY[51]);
        QTest::mouseClick(f.Find<DrawingArea>("DrawingArea"), Qt::LeftButton, {}, point51);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->PickedSlot(), 51);
        QCOMPARE(f.Find<StringGrid>("DaonsTable")->Row(), 51);
        QString shownInEditor;
        QTimer answer; // the editor opens once the double click is over
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [this, &shownInEditor] {
            if (!f.Window<TEditDlg>()->isVisible())
                return;
            shownInEditor = f.Window<TEditDlg>()->findChild<QLabel*>(QStringLiteral("NumberOfTaon"))->text();
            f.Window<TEditDlg>()->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        });
        answer.start();
        QTest::mouseDClick(f.Find<DrawingArea>("DrawingArea"), Qt::LeftButton, {}, point51);
        QTRY_COMPARE(shownInEditor, QStringLiteral("51"));
        f.dialogs.openAnswers = {f.config.Path(QStringLiteral("four.ato"))};
        f.Find<QAction>("Open1")->trigger();
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->PickedSlot(), 0);
    }
};

QTEST_MAIN(PictureCommandsTest)
#include "picturecommands_test.moc"
