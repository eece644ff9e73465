// SPDX-License-Identifier: MIT
#include "view/framerecorder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

// The frames Record Frames writes become a video through the ffmpeg recipe
// the documents give, whatever size the window had: an odd width or height
// is padded to the even size yuv420p needs.
class FrameVideoTest : public QObject {
    Q_OBJECT
private slots:
    void recipeEncodesFramesOfAnySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("videoSize");
        QTest::newRow("odd width and height") << QSize(1001, 401) << "1002,402";
        QTest::newRow("odd width") << QSize(201, 100) << "202,100";
        QTest::newRow("even") << QSize(200, 100) << "200,100";
    }
    void recipeEncodesFramesOfAnySize()
    {
        QFETCH(QSize, size);
        QFETCH(QString, videoSize);
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            QSKIP("ffmpeg is not installed; scripts/test installs it");
        QTemporaryDir dir;
        constexpr int frames = 5;
        {
            FrameRecorder recorder(dir.path(), 1);
            for (int k = 0; k < frames; ++k) {
                QImage picture(size, QImage::Format_RGB32);
                picture.fill(qRgb(40 * k, 255 - 40 * k, 7));
                recorder.StepDrawn(picture);
            }
        } // the destructor writes what is queued

        // The output of a shell command run in the frames' folder; nothing when it fails.
        const auto run = [&](const QString& command) -> std::optional<QByteArray> {
            QProcess shell;
            shell.setWorkingDirectory(dir.path());
            shell.setProcessChannelMode(QProcess::MergedChannels);
            shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
            shell.closeWriteChannel();
            shell.waitForFinished(120000);
            const QByteArray output = shell.readAll();
            if (shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0) {
                qWarning("%s\n%s", qPrintable(command), output.constData());
                return std::nullopt;
            }
            return output.trimmed();
        };
        QVERIFY(run(QStringLiteral(
            R"(ffmpeg -framerate 25 -i frame-%06d.png -vf "pad=ceil(iw/2)*2:ceil(ih/2)*2" -pix_fmt yuv420p out.mp4)")));
        QCOMPARE(run(QStringLiteral("ffprobe -v error -select_streams v:0 -count_frames "
                                    "-show_entries stream=width,height,nb_read_frames -of csv=p=0 out.mp4"))
                     .value_or("failed"),
                 QStringLiteral("%1,%2").arg(videoSize).arg(frames).toUtf8());
    }
};

QTEST_MAIN(FrameVideoTest)
#include "framevideo_test.moc"
