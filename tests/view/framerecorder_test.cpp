#include "model/usererror.h"
#include "view/framerecorder.h"
#include "view/picturefile.h"

#include <QDir>
#include <QImageReader>
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
    // A queue of one place fills at once: the steps wait, and every N-th
    // picture arrives, numbered in order.
    void everyNthStepIsWrittenInOrder_data()
    {
        QTest::addColumn<int>("every");
        QTest::addColumn<int>("queueLimit");
        QTest::newRow("every step, queue of one") << 1 << 1;
        QTest::newRow("every third step") << 3 << FrameRecorder::DefaultQueueLimit;
    }

    void everyNthStepIsWrittenInOrder()
    {
        QFETCH(int, every);
        QFETCH(int, queueLimit);
        QTemporaryDir dir;
        constexpr int Steps = 30;
        {
            FrameRecorder recorder(dir.path(), every, queueLimit);
            for (int k = 1; k <= Steps; ++k)
                recorder.StepDrawn(StepPicture(k));
        } // the destructor writes what is queued
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), Steps / every);
        for (int n = 1; n <= Steps / every; ++n)
            QCOMPARE(ReadFrame(dir, n), StepPicture(n * every));
    }

    // A frame that cannot be written ends the recording; the frames before it stay.
    void failureEndsTheRecording()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(FrameRecorder::FrameName(3))); // a folder where frame 3 goes
        FrameRecorder recorder(dir.path(), 1);
        for (int k = 1; k <= 3; ++k)
            recorder.StepDrawn(StepPicture(k));
        recorder.Flush();
        QVERIFY(recorder.Failed());
        for (int k = 4; k <= 6; ++k)
            recorder.StepDrawn(StepPicture(k));
        recorder.Flush();
        QVERIFY_THROWS_EXCEPTION(UserError, recorder.ThrowFailure());
        try {
            recorder.ThrowFailure();
        } catch (const UserError& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("File access denied."));
        }
        QCOMPARE(ReadFrame(dir, 2), StepPicture(2));
        QVERIFY(!QFile::exists(dir.filePath(FrameRecorder::FrameName(4))));
    }

    void pictureFileIsPng()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture.png"));
        WritePicture(StepPicture(9), path);
        QCOMPARE(QImageReader(path).format(), QByteArray("png"));
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), StepPicture(9));
        QVERIFY_THROWS_EXCEPTION(UserError, WritePicture(StepPicture(9), dir.filePath(QStringLiteral("no/p.png"))));
    }
};

QTEST_MAIN(FrameRecorderTest)
#include "framerecorder_test.moc"
