// SPDX-License-Identifier: MIT
#include "errortext.h"
#include "model/extended.h"
#include "model/usererror.h"
#include "scenes/filesizelimit.h"
#include "scenes/scenefile.h"
#include "tempconfig.h"

#include <QDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

namespace {

TaonSystem SampleModel()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = Real(k + 1) / 7;
    for (int i = 1; i <= SlotCount; ++i) {
        s.X[i] = Real(i) / 3;
        s.Y[i] = -Real(i);
        s.Z[i] = std::numeric_limits<Real>::infinity();
        s.U[i] = std::numeric_limits<Real>::quiet_NaN();
        s.V[i] = std::numeric_limits<Real>::denorm_min();
        s.W[i] = Real(i) * 1e-3L;
        s.Present[i] = std::uint8_t(i % 2 ? 1 : 0);
    }
    s.Present[10] = 7;
    return s;
}


} // namespace

class SceneFileTest : public QObject {
    Q_OBJECT
private slots:
    void savedSceneReopensBitForBit()
    {
        TempConfig config;
        TaonSystem s = SampleModel();
        s.Record[191] = 0x5A; // reserved bytes of an earlier read go out again
        s.Record[6295] = 0xC3;
        const QString path = config.Path(QStringLiteral("scene.ato"));
        WriteSceneFile(s, path);
        const QByteArray bytes = config.ReadFile(path);
        QCOMPARE(bytes.size(), SceneRecordSize);
        QCOMPARE(quint8(bytes[191]), quint8(0x5A));
        QCOMPARE(quint8(bytes[6295]), quint8(0xC3));
        QCOMPARE(quint8(bytes[6192 + 9]), quint8(7));

        TaonSystem loaded;
        loaded.TaonCount = SlotCount;
        ReadSceneFile(loaded, path);
        RestoreFromSceneRecord(loaded);
        FillSceneRecord(loaded);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(loaded.Record.data()), SceneRecordSize), bytes);
        QCOMPARE(int(loaded.Present[10]), 7);
        QCOMPARE(loaded.X[3], 1.0L);
    }

    // Files that the reader meets: what it takes and what it refuses.
    void readingFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");     // -1: no file; -2: a folder in its place
        QTest::addColumn<QString>("error"); // empty: the read succeeds
        QTest::newRow("exactly one record of zeros") << "zeros.ato" << 6296 << "";
        QTest::newRow("one byte short") << "short.ato" << 6295 << "Read beyond end of file.";
        QTest::newRow("empty file") << "empty.ato" << 0 << "Read beyond end of file.";
        QTest::newRow("longer file") << "long.ato" << 10000 << "";
        QTest::newRow("missing file") << "missing.ato" << -1 << "File not found.";
        QTest::newRow("missing folder") << "nowhere/missing.ato" << -1 << "Invalid filename.";
        QTest::newRow("folder in its place") << "folder.ato" << -2 << "File access denied.";
    }
    void readingFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QString, error);
        TempConfig config;
        const QString path = config.Path(name);
        if (size == -2)
            QVERIFY(QDir().mkpath(path));
        if (size >= 0) {
            QByteArray bytes(size, '\0');
            for (int i = 0; i < size; ++i)
                bytes[i] = char(i >= SceneRecordSize ? 0xEE : (i < 190 ? 0 : i * 7));
            config.WriteFile(path, bytes);
        }

        TaonSystem s = SampleModel();
        const TaonSystem before = s;
        QCOMPARE(ErrorOf([&] { ReadSceneFile(s, path); }), error);
        // The model itself is never touched by a read; only the record is.
        QVERIFY(s.X == before.X && s.Present == before.Present && s.dt == before.dt);
        if (error.isEmpty()) {
            RestoreFromSceneRecord(s);
            QCOMPARE(s.dt, 0.0L);
            if (size > SceneRecordSize) // only the first record counts
                QCOMPARE(int(s.Present[SlotCount]), int(quint8(char((6192 + 99) * 7))));
        }
    }

    // A start scene that cannot be opened only tells; one that opens but is
    // short fails the read and leaves the names as they were before.
    void startSceneOpenTellsReadThrows()
    {
        TempConfig config;
        TaonSystem s;
        FileNames names;
        names.StartSceneName = config.Path("missing.ato");
        QVERIFY(!OpenStartScene(names).has_value());
        QCOMPARE(names.SceneFileName, names.StartSceneName);

        config.WriteFile(config.Path("short.ato"), QByteArray(100, 'x'));
        const FileNames before = names;
        names.StartSceneName = config.Path("short.ato");
        std::optional<InputFile> file = OpenStartScene(names);
        QVERIFY(file.has_value());
        QCOMPARE(ErrorOf([&] { ReadStartScene(s, *file, names, before); }), QStringLiteral("Read beyond end of file."));
        QCOMPARE(names.StartSceneName, before.StartSceneName);
    }

    // A write that fails leaves the file that was there as it was.
    void failedWritesKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("disk full") << "full.ato" << "Disk full.";
        QTest::newRow("missing folder") << "nowhere/scene.ato" << "Invalid filename.";
        QTest::newRow("folder in its place") << "folder.ato" << "File access denied.";
        QTest::newRow("read-only folder, new file") << "locked/scene.ato" << "File access denied.";
    }
    void failedWritesKeepTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        TempConfig config;
        const QString path = config.Path(name);
        const QByteArray old(SceneRecordSize, 'o');
        TaonSystem s = SampleModel();
        QString got;
        if (name == QLatin1String("full.ato")) {
            config.WriteFile(path, old);
            // A file-size limit makes the disk "full" after 4 KiB.
            LetFileSizeLimitFailWrites();
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limited = saved;
            limited.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &limited);
            got = ErrorOf([&] { WriteSceneFile(s, path); });
            setrlimit(RLIMIT_FSIZE, &saved);
        } else if (name.startsWith(QLatin1String("locked"))) {
            if (geteuid() == 0)
                QSKIP("root writes into read-only folders; the other rows cover the refusal");
            QVERIFY(QDir().mkpath(config.Path("locked")));
            QFile::setPermissions(config.Path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            got = ErrorOf([&] { WriteSceneFile(s, path); });
            QFile::setPermissions(config.Path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        } else {
            if (name == QLatin1String("folder.ato"))
                QVERIFY(QDir().mkpath(path));
            got = ErrorOf([&] { WriteSceneFile(s, path); });
        }
        QCOMPARE(got, error);
        if (QFileInfo(path).isFile())
            QCOMPARE(config.ReadFile(path), old);
        // No temporary file is left behind.
        const QStringList left = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& file : left)
            QVERIFY2(!file.startsWith(QLatin1String(".zv-")), qPrintable(file));
    }

    // Any name that can be created can be saved over (the temporary file's
    // name must fit too), and the file keeps its permissions.
    void savesOverTheLongestName()
    {
        TempConfig config;
        const QString path = config.Path(QString(251, QLatin1Char('n')) + QStringLiteral(".ato"));
        config.WriteFile(path, QByteArray(SceneRecordSize, 'o'));
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, permissions));
        TaonSystem s = SampleModel();
        QCOMPARE(ErrorOf([&] { WriteSceneFile(s, path); }), QString());
        QCOMPARE(config.ReadFile(path), QByteArray(reinterpret_cast<const char*>(s.Record.data()), SceneRecordSize));
        QCOMPARE(QFile::permissions(path) & QFileDevice::Permissions(0x7077), permissions); // without the user bits
    }
};

QTEST_GUILESS_MAIN(SceneFileTest)
#include "scenefile_test.moc"
