// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// A window of its own, not modal, that stands in for the help engine: it opens
// the document named by a help file name at its contents page. A missing
// document is reported in this window, never by an error box of the program.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner = nullptr);

    void ShowContents(const QString& helpFileName, const QStringList& folders);

    // The contents page of the document shown; empty while a document is missing.
    QUrl ContentsPage() const;
    QTextBrowser* Browser() const;

    void ContentsClick();

private:
    void ShowMissing(const QString& helpFileName, const QStringList& folders);
    void UpdateTitle();

    QTextBrowser* browser_;
    QPushButton* contentsButton_;
    QPushButton* backButton_;
    QPushButton* forwardButton_;
    QUrl contents_;
};
