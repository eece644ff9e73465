// SPDX-License-Identifier: MIT
#include "view/framerecorder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The picture of step k: a shade no other step has.
QImage StepPicture(int k)
{
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(qRgb(k, 255 - k, 7));
    return picture;
}

QImage ReadFrame(const QTemporaryDir& dir, int number)
{
    return QImage(dir.filePath(FrameRecorder::FrameName(number))).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class FrameRecorderTest : public QObject {
    Q_OBJECT
private slots:
    // A queue of one place is full at once: the steps wait for the disk, and
    // every third picture arrives, numbered in order.
    void everyNthStepIsWrittenInOrder()
    {
        QTemporaryDir dir;
        {
            FrameRecorder recorder(dir.path(), 3, 1);
            for (int k = 1; k <= 30; ++k)
                recorder.StepDrawn(StepPicture(k));
        } // the destructor writes what is queued
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 10);
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(ReadFrame(dir, n), StepPicture(3 * n));
    }

    // Frames already in the folder stay: a recording goes on after the
    // highest, and a name taken after it began fails that frame's write.
    void noFrameIsWrittenOver()
    {
        QTemporaryDir dir;
        QVERIFY(StepPicture(1).save(dir.filePath(FrameRecorder::FrameName(1))));
        QVERIFY(StepPicture(4).save(dir.filePath(FrameRecorder::FrameName(4))));
        {
            FrameRecorder recorder(dir.path(), 1);
            for (int k = 10; k <= 11; ++k)
                recorder.StepDrawn(StepPicture(k));
        }
        QCOMPARE(ReadFrame(dir, 1), StepPicture(1));
        QCOMPARE(ReadFrame(dir, 4), StepPicture(4));
        QCOMPARE(ReadFrame(dir, 5), StepPicture(10));
        QCOMPARE(ReadFrame(dir, 6), StepPicture(11));

        FrameRecorder recorder(dir.path(), 1);
        QVERIFY(StepPicture(20).save(dir.filePath(FrameRecorder::FrameName(7))));
        recorder.StepDrawn(StepPicture(21));
        recorder.Flush();
        QVERIFY(recorder.Failed());
        QCOMPARE(ReadFrame(dir, 7), StepPicture(20));
    }
};

QTEST_MAIN(FrameRecorderTest)
#include "framerecorder_test.moc"
