// SPDX-License-Identifier: MIT
#include "ui/helpmenu.h"
#include "ui/helpviewer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

using Command = void (HelpMenu::*)();

Command CommandNamed(const QString& name)
{
    if (name == QLatin1String("English"))
        return &HelpMenu::Help1Click;
    if (name == QLatin1String("Russian"))
        return &HelpMenu::RusHelpClick;
    return &HelpMenu::PolHelpClick;
}

// The documents as written, from the source tree.
QStringList SourceHelpFolder()
{
    return {QFileInfo(QFINDTESTDATA("../../help/DezUdoEn.html")).absolutePath()};
}

// No message box, no dialog: nothing of the program holds the user up.
bool NothingModal()
{
    if (QApplication::activeModalWidget())
        return false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::none_of(windows.cbegin(), windows.cend(),
                        [](const QWidget* window) { return window->isVisible() && qobject_cast<const QDialog*>(window); });
}

} // namespace

class HelpMenuTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(SourceHelpFolder().first() + QStringLiteral("/DezUdoEn.html")), "help documents not found");
    }

    void contentsOfEachLanguage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("contentsHeading");
        QTest::addColumn<QString>("helpFileName");
        QTest::newRow("F1, English") << "English" << "DezUdoEn.html" << "Contents" << "";
        QTest::newRow("Ctrl+F1, Russian") << "Russian" << "DezUdoRu.html" << "Содержание" << "DezUdoRu.hlp";
        QTest::newRow("Shift+F1, Polish") << "Polish" << "DezUdoPl.html" << "Spis treści" << "DezUdoPl.hlp";
    }
    void contentsOfEachLanguage()
    {
        QFETCH(QString, command);
        QFETCH(QString, document);
        QFETCH(QString, contentsHeading);
        QFETCH(QString, helpFileName);
        QWidget owner;
        HelpMenu menu(&owner, SourceHelpFolder());
        QVERIFY(!menu.Viewer());
        (menu.*CommandNamed(command))();

        HelpViewer* viewer = menu.Viewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->isWindow());
        QCOMPARE(viewer->windowModality(), Qt::NonModal);
        QVERIFY(NothingModal());
        const QUrl source = viewer->Browser()->source();
        QCOMPARE(QFileInfo(source.toLocalFile()).fileName(), document);
        QCOMPARE(source.fragment(), QStringLiteral("contents"));
        QCOMPARE(viewer->ContentsPage(), source);
        QVERIFY2(viewer->Browser()->toPlainText().contains(contentsHeading), qPrintable(document));
        QVERIFY(!viewer->windowTitle().isEmpty());
        QCOMPARE(menu.HelpFileName(), helpFileName);
    }

    void russianThenPolish()
    {
        QWidget owner;
        HelpMenu menu(&owner, SourceHelpFolder());
        menu.RusHelpClick();
        HelpViewer* viewer = menu.Viewer();
        QVERIFY(viewer->Browser()->toPlainText().contains(QStringLiteral("Содержание")));
        menu.PolHelpClick();
        QCOMPARE(menu.HelpFileName(), QStringLiteral("DezUdoPl.hlp"));
        QCOMPARE(menu.Viewer(), viewer); // one help window, reused
        QCOMPARE(QFileInfo(viewer->Browser()->source().toLocalFile()).fileName(), QStringLiteral("DezUdoPl.html"));
        QCOMPARE(viewer->Browser()->source().fragment(), QStringLiteral("contents"));
        QVERIFY(viewer->Browser()->toPlainText().contains(QStringLiteral("Spis treści")));
        QVERIFY(!viewer->Browser()->toPlainText().contains(QStringLiteral("Содержание")));
        QVERIFY(!viewer->findChild<QPushButton*>(QStringLiteral("HelpBack"))->isEnabled()); // a history of its own
    }

    void englishLeavesTheHelpFileName()
    {
        QWidget owner;
        HelpMenu menu(&owner, SourceHelpFolder());
        menu.PolHelpClick();
        menu.Help1Click();
        QCOMPARE(menu.HelpFileName(), QStringLiteral("DezUdoPl.hlp"));
        QCOMPARE(QFileInfo(menu.Viewer()->Browser()->source().toLocalFile()).fileName(), QStringLiteral("DezUdoEn.html"));
    }

    void missingDocumentIsTheViewersConcern()
    {
        QTemporaryDir empty;
        QWidget owner;
        HelpMenu menu(&owner, {empty.path()});
        menu.PolHelpClick();

        QVERIFY(NothingModal());
        QCOMPARE(menu.HelpFileName(), QStringLiteral("DezUdoPl.hlp")); // stays set to the missing file
        HelpViewer* viewer = menu.Viewer();
        QVERIFY(viewer->isVisible());
        const QString text = viewer->Browser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("The help document DezUdoPl.hlp could not be found.")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("DezUdoPl.html")));
        QVERIFY(text.contains(empty.path()));
        QVERIFY(viewer->ContentsPage().isEmpty());
        QVERIFY(!viewer->findChild<QPushButton*>(QStringLiteral("HelpContents"))->isEnabled());
    }

    // The lookup runs at every request: a document that turns up later is shown.
    void documentFoundAfterItWasMissing()
    {
        QTemporaryDir folder;
        QWidget owner;
        HelpMenu menu(&owner, {folder.path()});
        menu.RusHelpClick();
        QVERIFY(menu.Viewer()->ContentsPage().isEmpty());
        QVERIFY(QFile::copy(SourceHelpFolder().first() + QStringLiteral("/DezUdoRu.html"),
                            folder.filePath(QStringLiteral("DezUdoRu.html"))));
        menu.RusHelpClick();
        QCOMPARE(menu.Viewer()->ContentsPage().toLocalFile(), folder.filePath(QStringLiteral("DezUdoRu.html")));
        QVERIFY(menu.Viewer()->Browser()->toPlainText().contains(QStringLiteral("Содержание")));
        QVERIFY(menu.Viewer()->findChild<QPushButton*>(QStringLiteral("HelpContents"))->isEnabled());
    }

    void contentsButtonReturnsToTheContents()
    {
        QWidget owner;
        HelpMenu menu(&owner, SourceHelpFolder());
        menu.Help1Click();
        HelpViewer* viewer = menu.Viewer();
        QUrl topic = viewer->ContentsPage();
        topic.setFragment(QStringLiteral("messages"));
        viewer->Browser()->setSource(topic);
        QCOMPARE(viewer->Browser()->source().fragment(), QStringLiteral("messages"));
        auto* back = viewer->findChild<QPushButton*>(QStringLiteral("HelpBack"));
        QVERIFY(back->isEnabled());

        QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("HelpContents")), Qt::LeftButton);
        QCOMPARE(viewer->Browser()->source(), viewer->ContentsPage());
    }

    void viewerGoesWithItsOwner()
    {
        auto owner = std::make_unique<QWidget>();
        HelpMenu menu(owner.get(), SourceHelpFolder());
        menu.Help1Click();
        QVERIFY(menu.Viewer());
        QVERIFY(!menu.Viewer()->testAttribute(Qt::WA_QuitOnClose));
        owner.reset();
        QVERIFY(!menu.Viewer());
    }
};

QTEST_MAIN(HelpMenuTest)
#include "helpmenu_test.moc"
