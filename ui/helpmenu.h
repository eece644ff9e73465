// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

class HelpViewer;
class QWidget;

// The Help menu's help commands: the application's help file name and our
// viewer, which stands in for the help engine.
class HelpMenu {
public:
    explicit HelpMenu(QWidget* owner);
    // Looks the documents up in these folders instead of the program's own (tests).
    HelpMenu(QWidget* owner, QStringList folders);
    ~HelpMenu();
    HelpMenu(const HelpMenu&) = delete;
    HelpMenu& operator=(const HelpMenu&) = delete;

    void Help1Click();   // "English Help", F1
    void RusHelpClick(); // "Russian Help", Ctrl+F1
    void PolHelpClick(); // "Poland Help", Shift+F1

    // Empty at start, set by the Russian and Polish commands and never cleared.
    QString HelpFileName() const;
    // The viewer window; nothing until help was first asked for.
    HelpViewer* Viewer() const;

    static const QString EnglishHelpFile;
    static const QString RussianHelpFile;
    static const QString PolishHelpFile;

private:
    void ShowContents(const QString& helpFileName);

    QWidget* owner_;
    QStringList folders_;
    QString helpFileName_;
    QPointer<HelpViewer> viewer_;
};
