// SPDX-License-Identifier: MIT
#include "ui/examplefolder.h"
#include "ui/helplookup.h"
#include "ui/helpmenu.h"
#include "ui/helpviewer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

// Installs this build into a scratch prefix, as a user or a packager would,
// and checks that the program, its help, its examples, its desktop entry,
// metadata, file type and manual pages arrive in the usual places, and that
// the installed program finds its help and its examples.
class HelpInstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(prefix_.isValid());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(ZARV_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(ZARV_BUILD_DIR), QStringLiteral("--prefix"),
                       prefix_.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        const QString bin = QStringLiteral(ZARV_INSTALL_BINDIR "/");
        const QString data = QStringLiteral(ZARV_INSTALL_DATADIR "/");
        QTest::newRow("program") << bin + "zarvitone" << true;
        if (ZARV_HAS_CLI)
            QTest::newRow("command-line program") << bin + "zarvitone-cli" << true;
        for (const char* document : {"DezUdoEn.html", "DezUdoRu.html", "DezUdoPl.html"})
            QTest::newRow(document) << QStringLiteral(ZARV_HELP_INSTALL_DIR "/") + document << false;
        QTest::newRow("desktop entry") << data + "applications/" ZARV_DESKTOP_ID ".desktop" << false;
        QTest::newRow("metadata") << data + "metainfo/" ZARV_DESKTOP_ID ".metainfo.xml" << false;
        QTest::newRow("scene file type") << data + "mime/packages/" ZARV_DESKTOP_ID ".xml" << false;
        for (const char* page : {"zarvitone.1.gz", "zarvitone-cli.1.gz"})
            QTest::newRow(page) << QStringLiteral(ZARV_INSTALL_MANDIR "/man1/") + page << false;
        for (const char* example : {ZARV_EXAMPLES}) {
            for (const char* extension : {".ato", ".txt"})
                QTest::newRow(qPrintable(QStringLiteral("example %1%2").arg(example, extension)))
                    << QStringLiteral(ZARV_EXAMPLES_INSTALL_DIR "/%1%2").arg(example, extension) << false;
        }
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(size)))
                << data + QStringLiteral("icons/hicolor/%1x%1/apps/zarvitone.png").arg(size) << false;
        QTest::newRow("licence") << data + "doc/zarvitone/copyright" << false;
        QTest::newRow("change log") << data + "doc/zarvitone/changelog.gz" << false;
    }
    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo file(QDir(prefix_.path()).filePath(path));
        QVERIFY2(file.isFile(), qPrintable(file.filePath()));
        QVERIFY(file.size() > 0);
        QCOMPARE(file.isExecutable(), executable);
    }

    void iconSizesAreTrue_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void iconSizesAreTrue()
    {
        QFETCH(int, size);
        const QImage icon(QDir(prefix_.path())
                              .filePath(QStringLiteral(ZARV_INSTALL_DATADIR "/icons/hicolor/%1x%1/apps/zarvitone.png")
                                            .arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    void desktopEntry()
    {
        QFile file(QDir(prefix_.path())
                       .filePath(QStringLiteral(ZARV_INSTALL_DATADIR "/applications/" ZARV_DESKTOP_ID ".desktop")));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
        for (const char* entry : {"Type=Application", "Name=Zarvitone", "Exec=zarvitone %f", "Icon=zarvitone",
                                  "Categories=Science;Physics;", "MimeType=application/x-zarvitone-scene;"})
            QVERIFY2(lines.contains(QString::fromLatin1(entry)), entry);
    }

    // The manual pages, compressed, name the examples folder of the prefix
    // they were installed to.
    void manualPagesNameTheirPrefix_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("zarvitone") << "zarvitone.1.gz";
        QTest::newRow("zarvitone-cli") << "zarvitone-cli.1.gz";
    }
    void manualPagesNameTheirPrefix()
    {
        QFETCH(QString, page);
        QProcess gunzip;
        gunzip.start(QStringLiteral("gzip"),
                     {QStringLiteral("-dc"),
                      QDir(prefix_.path()).filePath(QStringLiteral(ZARV_INSTALL_MANDIR "/man1/") + page)});
        QVERIFY(gunzip.waitForFinished(10000));
        QCOMPARE(gunzip.exitCode(), 0);
        const QString text = QString::fromUtf8(gunzip.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral(".I ") +
                              QDir(prefix_.path()).filePath(QStringLiteral(ZARV_EXAMPLES_INSTALL_DIR)) + '\n'));
        QVERIFY(!text.contains(QStringLiteral("/usr/share/zarvitone")));
    }

    // The lookup the installed program makes, from its own folder.
    void installedProgramFindsItsHelp_data()
    {
        QTest::addColumn<QString>("helpFileName");
        QTest::newRow("English") << "DezUdoEn.hlp";
        QTest::newRow("Russian") << "DezUdoRu.hlp";
        QTest::newRow("Polish") << "DezUdoPl.hlp";
    }
    void installedProgramFindsItsHelp()
    {
        QFETCH(QString, helpFileName);
        const QString program = QDir(prefix_.path()).filePath(QStringLiteral(ZARV_INSTALL_BINDIR));
        const std::optional<QString> document = FindHelpDocument(helpFileName, HelpFolders(program));
        QVERIFY(document);
        QCOMPARE(
            *document,
            QDir(prefix_.path()).filePath(QStringLiteral(ZARV_HELP_INSTALL_DIR "/") + HelpDocumentName(helpFileName)));
    }

    void installedHelpOpensInTheViewer()
    {
        const QString program = QDir(prefix_.path()).filePath(QStringLiteral(ZARV_INSTALL_BINDIR));
        QWidget owner;
        HelpMenu menu(&owner, HelpFolders(program));
        menu.Help1Click();
        QCOMPARE(QFileInfo(menu.Viewer()->ContentsPage().toLocalFile()).absolutePath(),
                 QDir(prefix_.path()).filePath(QStringLiteral(ZARV_HELP_INSTALL_DIR)));
        QVERIFY(menu.Viewer()->Browser()->toPlainText().contains(QStringLiteral("Contents")));
    }

    void installedProgramFindsItsExamples()
    {
        const QString program = QDir(prefix_.path()).filePath(QStringLiteral(ZARV_INSTALL_BINDIR));
        QCOMPARE(ExamplesFolder(program), QDir(prefix_.path()).filePath(QStringLiteral(ZARV_EXAMPLES_INSTALL_DIR)));
    }

    // The installed program starts and keeps running on its own (no library
    // or resource missing); it is ended by the test. A scene given as its
    // argument opens as File › Open opens it: the start file then names it.
    void installedProgramStarts_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::newRow("no argument") << QString();
        QTest::newRow("an example") << QStringLiteral(ZARV_EXAMPLES_INSTALL_DIR "/blockade.ato");
    }
    void installedProgramStarts()
    {
        QFETCH(QString, scene);
        QTemporaryDir config;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        const QString scenePath = QDir(prefix_.path()).filePath(scene);
        program.start(QDir(prefix_.path()).filePath(QStringLiteral(ZARV_INSTALL_BINDIR "/zarvitone")),
                      scene.isEmpty() ? QStringList() : QStringList{scenePath});
        QVERIFY(program.waitForStarted(10000));
        QVERIFY2(!program.waitForFinished(2000), program.readAll().constData());
        QCOMPARE(program.state(), QProcess::Running);
        QFile startFile(config.filePath(QStringLiteral("zarvitone/Start.zarv")));
        QVERIFY(startFile.open(QIODevice::ReadOnly)); // its start-up ran
        QCOMPARE(QString::fromUtf8(startFile.readAll()), scene.isEmpty() ? QString() : scenePath);
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
    }

private:
    QTemporaryDir prefix_;
};

QTEST_MAIN(HelpInstallTest)
#include "helpinstall_test.moc"
