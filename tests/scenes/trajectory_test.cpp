#include "model/extended.h"
#include "model/usererror.h"
#include "scenes/trajectory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <limits>

namespace {

// Slots 1, 51 and 100 present, one in each group; slot 2 absent.
TaonSystem ThreeGroups()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.001L;
    for (int i : {1, 51, 100}) {
        s.Present[i] = 1;
        s.X[i] = i;
        s.Y[i] = 0.5L;
        s.Z[i] = -2;
        s.U[i] = 0.25L;
    }
    s.X[2] = 7;
    return s;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TrajectoryTest : public QObject {
    Q_OBJECT

private slots:
    void frameText_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("extended XYZ") << int(TrajectoryFormat::ExtendedXyz)
                                      << QByteArray(
                                             "3\n"
                                             "Properties=species:S:1:pos:R:3:vel:R:3:group:I:1 step=20 time=0.02\n"
                                             "X 1 0.5 -2 0.25 0 0 1\n"
                                             "X 51 0.5 -2 0.25 0 0 2\n"
                                             "X 100 0.5 -2 0.25 0 0 3\n");
        QTest::newRow("CSV") << int(TrajectoryFormat::Csv)
                             << QByteArray("step,time,slot,group,x,y,z,u,v,w\n"
                                           "20,0.02,1,1,1,0.5,-2,0.25,0,0\n"
                                           "20,0.02,51,2,51,0.5,-2,0.25,0,0\n"
                                           "20,0.02,100,3,100,0.5,-2,0.25,0,0\n");
    }

    void frameText()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, text);
        std::string written = TrajectoryHeader(TrajectoryFormat(format));
        AppendTrajectoryFrame(written, TrajectoryFormat(format), ThreeGroups(), 20, 0.02L);
        QCOMPARE(QByteArray::fromStdString(written), text);
    }

    void numbers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("word"); // empty: a decimal that reads back bit for bit
        const auto row = [](const char* name, Real value, const char* word) {
            ExtendedBytes b{};
            StoreExtended(value, b.data());
            QTest::newRow(name) << QByteArray(reinterpret_cast<const char*>(b.data()), ExtendedSize)
                                << QString::fromLatin1(word);
        };
        row("a third", 1.0L / 3, "");
        row("0.001", 0.001L, "");
        row("negative zero", -0.0L, "");
        row("largest", std::numeric_limits<Real>::max(), "");
        row("smallest denormal", std::numeric_limits<Real>::denorm_min(), "");
        row("infinity", std::numeric_limits<Real>::infinity(), "inf");
        row("minus infinity", -std::numeric_limits<Real>::infinity(), "-inf");
        row("NaN", std::numeric_limits<Real>::quiet_NaN(), "nan");
        row("NaN with payload", LoadExtended(JoinExtended({true, 0x7fff, 0xC000000000beef01ull}).data()), "nan");
    }

    void numbers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, word);
        const Real value = LoadExtended(reinterpret_cast<const std::uint8_t*>(bytes.constData()));
        std::string text;
        AppendTrajectoryNumber(text, value);
        if (!word.isEmpty()) {
            QCOMPARE(QString::fromStdString(text), word);
            return;
        }
        char* end = nullptr;
        const Real back = std::strtold(text.c_str(), &end);
        QCOMPARE(end, text.c_str() + text.size());
        ExtendedBytes backBytes{};
        StoreExtended(back, backBytes.data());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(backBytes.data()), ExtendedSize), bytes);
    }

    void formatByExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("format"); // -1: none
        QTest::newRow("xyz") << "run.xyz" << int(TrajectoryFormat::ExtendedXyz);
        QTest::newRow("XYZ in a folder") << "out/Run.XYZ" << int(TrajectoryFormat::ExtendedXyz);
        QTest::newRow("csv") << "run.csv" << int(TrajectoryFormat::Csv);
        QTest::newRow("extxyz") << "run.extxyz" << -1;
        QTest::newRow("no extension") << "xyz" << -1;
    }

    void formatByExtension()
    {
        QFETCH(QString, path);
        QFETCH(int, format);
        const std::optional<TrajectoryFormat> found = TrajectoryFormatOf(path);
        QCOMPARE(found ? int(*found) : -1, format);
    }

    // The old file stays whole until the new one is committed; a file that
    // cannot be made fails at once.
    void fileIsReplacedOnlyAtCommit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.csv"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        {
            TrajectoryFile abandoned(path, TrajectoryFormat::Csv);
            abandoned.WriteFrame(ThreeGroups(), 0, 0);
        }
        QCOMPARE(ReadAll(path), QByteArray("old"));
        TrajectoryFile file(path, TrajectoryFormat::Csv);
        file.WriteFrame(ThreeGroups(), 0, 0);
        file.Commit();
        QVERIFY(ReadAll(path).startsWith("step,time,slot,group,x,y,z,u,v,w\n0,0,1,1,1,"));
        QVERIFY_THROWS_EXCEPTION(
            UserError, TrajectoryFile(dir.filePath(QStringLiteral("none/run.xyz")), TrajectoryFormat::ExtendedXyz));
    }
};

QTEST_GUILESS_MAIN(TrajectoryTest)
#include "trajectory_test.moc"
