// SPDX-License-Identifier: MIT
#include "scenes/commentary.h"
#include "tempconfig.h"

#include <QTest>

class CommentaryTest : public QObject {
    Q_OBJECT
private slots:
    void commentaryPath_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("commentary");
        QTest::newRow("scene file") << "/d/scenes/ring.ato" << "/d/scenes/ring.txt";
        QTest::newRow("no extension") << "ThetraSpiral" << "ThetraSp.txt";
        QTest::newRow("four characters") << "a.at" << ".txt";
        QTest::newRow("three characters") << "abc" << "abc.txt";
        QTest::newRow("empty") << "" << ".txt";
        QTest::newRow("non-BMP character counts once") << "/d/x😀.atx" << "/d/x😀.txt";
    }
    void commentaryPath()
    {
        QFETCH(QString, scene);
        QFETCH(QString, commentary);
        const QString copy = scene;
        QCOMPARE(CommentaryPath(scene), commentary);
        QCOMPARE(scene, copy);
    }

    void loadsAnyLineBreak_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << "one\ntwo";
        QTest::newRow("LF") << QByteArray("one\ntwo") << "one\ntwo";
        QTest::newRow("CR") << QByteArray("one\rtwo\r\r") << "one\ntwo\n";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("UTF-8") << QByteArray("Кольцо\r\n") << "Кольцо";
        QTest::newRow("not UTF-8 keeps every byte") << QByteArray("caf\xe9 \xff\r\n") << "caf\u00e9 \u00ff";
    }
    void loadsAnyLineBreak()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        TempConfig config;
        const QString scene = config.Path(QStringLiteral("ring.ato"));
        config.WriteFile(config.Path(QStringLiteral("ring.txt")), file);
        const std::optional<QString> loaded = LoadCommentary(scene);
        QVERIFY(loaded.has_value());
        QCOMPARE(*loaded, text);
    }

    void missingCommentaryLoadsNothing()
    {
        TempConfig config;
        QVERIFY(!LoadCommentary(config.Path(QStringLiteral("none.ato"))).has_value());
    }

    void savesWithCrLfAndReloadsTheSame()
    {
        TempConfig config;
        const QString scene = config.Path(QStringLiteral("ring.ato"));
        const QString text = QStringLiteral("first\n\nthird, ünïcode\n");
        SaveCommentary(scene, text);
        QCOMPARE(config.ReadFile(config.Path(QStringLiteral("ring.txt"))),
                 QStringLiteral("first\r\n\r\nthird, ünïcode\r\n\r\n").toUtf8());
        QCOMPARE(LoadCommentary(scene).value(), text);
        SaveCommentary(scene, QString());
        QCOMPARE(config.ReadFile(config.Path(QStringLiteral("ring.txt"))), QByteArray());
    }
};

QTEST_GUILESS_MAIN(CommentaryTest)
#include "commentary_test.moc"
