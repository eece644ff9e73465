// SPDX-License-Identifier: MIT
#include "model/usererror.h"
#include "scenes/commentary.h"
#include "scenes/startfile.h"
#include "tempconfig.h"

#include <QDir>
#include <QTest>

class StartFileTest : public QObject {
    Q_OBJECT
private slots:
    void locationFollowsTheConfigFolder()
    {
        TempConfig config;
        QCOMPARE(StartFilePath(), QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/zarvitone/Start.zarv");
    }

    void readsTheFirstLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::newRow("as the program writes it") << QByteArray("/home/u/ring.ato") << "/home/u/ring.ato";
        QTest::newRow("LF") << QByteArray("/home/u/ring.ato\nsecond") << "/home/u/ring.ato";
        QTest::newRow("CR LF") << QByteArray("/home/u/ring.ato\r\n") << "/home/u/ring.ato";
        QTest::newRow("CR") << QByteArray("/a b/ring.ato\rx") << "/a b/ring.ato";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("empty first line") << QByteArray("\n/home/u/ring.ato") << "";
        QTest::newRow("UTF-8") << QByteArray("/home/u/кольцо.ato") << "/home/u/кольцо.ato";
    }
    void readsTheFirstLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        TempConfig config;
        config.WriteStartFile(content);
        FileNames names;
        names.StartSceneName = QStringLiteral("stale");
        QVERIFY(ReadStartFile(names));
        QCOMPARE(names.StartSceneName, name);
        QCOMPARE(config.ReadFile(config.StartFile()), content); // reading never changes it
    }

    void missingStartFileIsOnlyReported()
    {
        TempConfig config;
        FileNames names;
        QVERIFY(!ReadStartFile(names));
        QVERIFY(!QFileInfo::exists(config.StartFile()));
    }

    void writesWithoutLineEndAndMakesTheFolder()
    {
        TempConfig config;
        FileNames names;
        names.StartSceneName = QStringLiteral("/data/scènes/a.ato");
        WriteStartFile(names);
        QCOMPARE(config.ReadFile(config.StartFile()), names.StartSceneName.toUtf8());
        CreateEmptyStartFile();
        QCOMPARE(config.ReadFile(config.StartFile()).size(), 0);
    }

    void unwritableStartFileIsAnError()
    {
        TempConfig config;
        QVERIFY(QDir().mkpath(config.StartFile())); // a folder where the file belongs
        QString error;
        try {
            CreateEmptyStartFile();
        } catch (const UserError& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, QStringLiteral("File access denied."));
    }
};

QTEST_GUILESS_MAIN(StartFileTest)
#include "startfile_test.moc"
