// SPDX-License-Identifier: MIT
#include "ui/helpviewer.h"

#include "ui/helplookup.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString ContentsAnchor = QStringLiteral("contents");
const QString ViewerTitle = QStringLiteral("Zarvitone Help");

} // namespace

HelpViewer::HelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window),
      browser_(new QTextBrowser(this)),
      contentsButton_(new QPushButton(QStringLiteral("&Contents"), this)),
      backButton_(new QPushButton(QStringLiteral("&Back"), this)),
      forwardButton_(new QPushButton(QStringLiteral("&Forward"), this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    browser_->setObjectName(QStringLiteral("HelpText"));
    contentsButton_->setObjectName(QStringLiteral("HelpContents"));
    backButton_->setObjectName(QStringLiteral("HelpBack"));
    forwardButton_->setObjectName(QStringLiteral("HelpForward"));
    // An open help window must not keep the program alive once the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(ViewerTitle);
    resize(760, 600);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton_);
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);
    connect(contentsButton_, &QPushButton::clicked, this, &HelpViewer::ContentsClick);
    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::UpdateTitle);
}

void HelpViewer::ShowContents(const QString& helpFileName, const QStringList& folders)
{
    const std::optional<QString> document = FindHelpDocument(helpFileName, folders);
    if (document) {
        contents_ = QUrl::fromLocalFile(*document);
        contents_.setFragment(ContentsAnchor);
        browser_->setSource(contents_);
        browser_->clearHistory(); // each opening starts a history of its own
    } else {
        ShowMissing(helpFileName, folders);
    }
    contentsButton_->setEnabled(document.has_value());
    UpdateTitle();
    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        show();
    }
}

QUrl HelpViewer::ContentsPage() const
{
    return contents_;
}

QTextBrowser* HelpViewer::Browser() const
{
    return browser_;
}

void HelpViewer::ContentsClick()
{
    if (!contents_.isEmpty())
        browser_->setSource(contents_);
}

void HelpViewer::ShowMissing(const QString& helpFileName, const QStringList& folders)
{
    contents_.clear();
    browser_->clearHistory();
    QString page = QStringLiteral("<h2>%1</h2><p>The help document %2 could not be found.</p>"
                                  "<p>It was looked for as %3 in these folders, in this order:</p><ul>")
                       .arg(ViewerTitle, helpFileName.toHtmlEscaped(), HelpDocumentName(helpFileName).toHtmlEscaped());
    for (const QString& folder : folders)
        page += QStringLiteral("<li>%1</li>").arg(folder.toHtmlEscaped());
    page += QStringLiteral("</ul>");
    browser_->setHtml(page);
}

void HelpViewer::UpdateTitle()
{
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? ViewerTitle : title);
}
