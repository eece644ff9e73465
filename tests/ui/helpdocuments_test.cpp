// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include <QAction>
#include <QMenuBar>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocument>

// The help documents as written: every link lands, the three languages cover
// the same topics, and each names the program's messages, keys and controls
// exactly as the program shows them.
namespace {

const QStringList Documents = {QStringLiteral("DezUdoEn.html"), QStringLiteral("DezUdoRu.html"),
                               QStringLiteral("DezUdoPl.html")};

QString Source(const QString& document)
{
    QFile file(QFINDTESTDATA(QStringLiteral("../../help/") + document));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QSet<QString> Captures(const QString& text, const QString& pattern)
{
    QSet<QString> found;
    QRegularExpressionMatchIterator match = QRegularExpression(pattern).globalMatch(text);
    while (match.hasNext())
        found.insert(match.next().captured(1));
    return found;
}

QSet<QString> Anchors(const QString& html)
{
    return Captures(html, QStringLiteral("(?:name|id)=\"([^\"]+)\""));
}

QString PlainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

// The HTML of one section, from its anchor to the next heading of its level.
QString Section(const QString& html, const QString& anchor)
{
    const qsizetype start = html.indexOf(QStringLiteral("name=\"%1\"").arg(anchor));
    if (start < 0)
        return {};
    return html.mid(start, html.indexOf(QStringLiteral("<h2"), start) - start);
}

void AddDocumentRows()
{
    QTest::addColumn<QString>("document");
    for (const QString& document : Documents)
        QTest::newRow(qPrintable(document)) << document;
}

} // namespace

class HelpDocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void linksLand_data() { AddDocumentRows(); }
    void linksLand()
    {
        QFETCH(QString, document);
        const QString html = Source(document);
        QVERIFY2(!html.isEmpty(), qPrintable(document));
        const QSet<QString> anchors = Anchors(html);
        QVERIFY(anchors.contains(QStringLiteral("contents")));
        const QSet<QString> targets = Captures(html, QStringLiteral("href=\"#([^\"]+)\""));
        QVERIFY(targets.size() > 10);
        for (const QString& target : targets)
            QVERIFY2(anchors.contains(target), qPrintable(document + QStringLiteral(": #") + target));
        // Only links inside the document: nothing to fetch, nothing that can go missing.
        QVERIFY(Captures(html, QStringLiteral("href=\"([^#][^\"]*)\"")).isEmpty());
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QTextDocument parsed;
        parsed.setHtml(html);
        QVERIFY(!parsed.metaInformation(QTextDocument::DocumentTitle).isEmpty());
    }

    void languagesCoverTheSameTopics_data() { AddDocumentRows(); }
    void languagesCoverTheSameTopics()
    {
        QFETCH(QString, document);
        const QSet<QString> english = Anchors(Source(Documents.first()));
        const QSet<QString> anchors = Anchors(Source(document));
        QCOMPARE(QSet<QString>(anchors).subtract(english), QSet<QString>());
        QCOMPARE(QSet<QString>(english).subtract(anchors), QSet<QString>());
    }

    // Every command of the main window by its caption, and every shortcut in
    // the key table: a new window or key cannot go undocumented in a language.
    void everyCommandAndShortcut_data() { AddDocumentRows(); }
    void everyCommandAndShortcut()
    {
        QFETCH(QString, document);
        MainFormFixture fixture;
        fixture.Start();
        const QString html = Source(document);
        const QString text = PlainText(html);
        const QString keys = PlainText(Section(html, QStringLiteral("keys")));
        QVERIFY(!keys.isEmpty());
        const QList<QAction*> menuItems = fixture.form->menuBar()->findChildren<QAction*>();
        QVERIFY(menuItems.size() > 20);
        for (const QAction* action : menuItems)
            QVERIFY2(action->isSeparator() || text.contains(action->text()), qPrintable(action->text()));
        // The keys also of the commands kept off the menu bar.
        for (const QAction* action : fixture.form->findChildren<QAction*>()) {
            const QString key = action->shortcut().toString(QKeySequence::PortableText);
            QVERIFY2(keys.contains(key), qPrintable(key));
        }
    }

    // Texts the program shows; every document quotes them as they appear.
    void namesAsTheProgramShowsThem_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("text");
        const QStringList texts = {
            // messages
            "File not found.", "Invalid filename.", "Too many open files.", "File access denied.",
            "Read beyond end of file.", "Disk full.", "I/O error", "is not a valid floating point value",
            "is not a valid integer value", "List index out of bounds", "Floating point division by zero",
            "Invalid floating point operation", "Floating point overflow", "The start File not found.",
            "The text was changed. Save now?",
            // keys
            "F1", "Ctrl+F1", "Shift+F1", "F2", "F3", "Ctrl+S", "Alt+X", "F5", "F6", "F7", "F8", "Ctrl+Left",
            "Ctrl+Right", "Ctrl+Up", "Ctrl+Down", "Enter", "Escape", "Ctrl+E", "Ctrl+R", "Ctrl+T",
            // switches, modes and commands
            "Gravoscope", "Taoscope", "Functions3X1", "Blockade", "Cool", "AtomStand", "\"Hot\" contact potential",
            "\"Cold\" contact potential", "(1)ElCurrent=>=>", "(2)ElCurrent=><=", "Go", "Stop", "Show Listing",
            "ShowSpin", "Show Numbers of Points", "Move to center", "Show Images", "Taons", "Spiral", "Amplitude",
            "New", "Open", "Save As ...", "Exit", "Commentary", "Listing", "Time:", "dt=", "Yes Null",
            "There is Gravon or Taon", "Save As", "Cancel", "Calculate 1", "Reset 1", "Calculate5", "Reset5",
            "(+/-)Del^0.5", "To cells!", "English Help", "Russian Help", "Poland Help", "About",
            "Save Picture...", "Record Frames...", "Trails", "Axes", "frame-000001.png",
            // files
            "Start.zarv", "~/.config/zarvitone/Start.zarv", ".ato", ".txt", "6296", "The easy square", "ThetraSpiral",
        };
        for (const QString& document : Documents)
            for (const QString& text : texts)
                QTest::newRow(qPrintable(document + QStringLiteral(": ") + text)) << document << text;
    }
    void namesAsTheProgramShowsThem()
    {
        QFETCH(QString, document);
        QFETCH(QString, text);
        QVERIFY(PlainText(Source(document)).contains(text));
    }
};

QTEST_MAIN(HelpDocumentsTest)
#include "helpdocuments_test.moc"
