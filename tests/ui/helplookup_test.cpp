// SPDX-License-Identifier: MIT
#include "ui/helplookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class HelpLookupTest : public QObject {
    Q_OBJECT
private slots:
    void documentName_data()
    {
        QTest::addColumn<QString>("helpFileName");
        QTest::addColumn<QString>("document");
        QTest::newRow("Russian") << "DezUdoRu.hlp" << "DezUdoRu.html";
        QTest::newRow("Polish") << "DezUdoPl.hlp" << "DezUdoPl.html";
        QTest::newRow("English") << "DezUdoEn.hlp" << "DezUdoEn.html";
        QTest::newRow("capital extension") << "Guide.HLP" << "Guide.html";
        QTest::newRow("dots in the base name") << "a.b.hlp" << "a.b.html";
        QTest::newRow("no extension") << "Guide" << "Guide.html";
    }
    void documentName()
    {
        QFETCH(QString, helpFileName);
        QFETCH(QString, document);
        QCOMPARE(HelpDocumentName(helpFileName), document);
    }

    void foldersInOrder()
    {
        const QStringList folders = HelpFolders(QStringLiteral("/opt/zarvitone/bin"));
        QCOMPARE(folders.size(), 3);
        QCOMPARE(folders[0], QStringLiteral("/opt/zarvitone/bin"));
        QCOMPARE(folders[1], QStringLiteral("/opt/zarvitone/bin/help"));
        // The installed folder lies outside the program's folder, under the same prefix.
        QVERIFY2(folders[2].endsWith(QStringLiteral("/zarvitone/help")), qPrintable(folders[2]));
        QVERIFY(!folders[2].startsWith(QStringLiteral("/opt/zarvitone/bin/")));
        QVERIFY(folders[2].startsWith(QStringLiteral("/opt/zarvitone/")));
    }

    void runningProgramLooksBesideItself()
    {
        QCOMPARE(HelpFolders().first(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
    }

    // Which of the three folders hold the document, and which one is chosen.
    void firstFolderWins_data()
    {
        QTest::addColumn<QList<int>>("holding");
        QTest::addColumn<int>("found"); // -1: none
        QTest::newRow("installed only") << QList<int>{2} << 2;
        QTest::newRow("help subfolder before installed") << QList<int>{1, 2} << 1;
        QTest::newRow("beside the program first") << QList<int>{0, 1, 2} << 0;
        QTest::newRow("beside the program only") << QList<int>{0} << 0;
        QTest::newRow("nowhere") << QList<int>{} << -1;
    }
    void firstFolderWins()
    {
        QFETCH(QList<int>, holding);
        QFETCH(int, found);
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        const QStringList folders = HelpFolders(prefix.filePath(QStringLiteral("bin")));
        for (const int index : holding) {
            QVERIFY(QDir().mkpath(folders[index]));
            QFile document{QDir(folders[index]).filePath(QStringLiteral("DezUdoRu.html"))};
            QVERIFY(document.open(QIODevice::WriteOnly));
        }
        const std::optional<QString> document = FindHelpDocument(QStringLiteral("DezUdoRu.hlp"), folders);
        if (found < 0) {
            QVERIFY(!document);
        } else {
            QVERIFY(document);
            QCOMPARE(*document, QDir(folders[found]).filePath(QStringLiteral("DezUdoRu.html")));
        }
    }

    void folderOfTheSameNameIsNoDocument()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("DezUdoPl.html")));
        QVERIFY(!FindHelpDocument(QStringLiteral("DezUdoPl.hlp"), {folder.path()}));
    }
};

QTEST_GUILESS_MAIN(HelpLookupTest)
#include "helplookup_test.moc"
