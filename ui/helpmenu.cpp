// SPDX-License-Identifier: MIT
#include "ui/helpmenu.h"

#include "ui/helplookup.h"
#include "ui/helpviewer.h"

#include <utility>

const QString HelpMenu::EnglishHelpFile = QStringLiteral("DezUdoEn.hlp");
const QString HelpMenu::RussianHelpFile = QStringLiteral("DezUdoRu.hlp");
const QString HelpMenu::PolishHelpFile = QStringLiteral("DezUdoPl.hlp");

HelpMenu::HelpMenu(QWidget* owner) : HelpMenu(owner, HelpFolders()) {}

HelpMenu::HelpMenu(QWidget* owner, QStringList folders) : owner_(owner), folders_(std::move(folders)) {}

HelpMenu::~HelpMenu()
{
    delete viewer_.data(); // already gone when the owner went first
}

// The English document is ours alone: it is shown without becoming the
// application's help file name, which only the Russian and Polish commands set.
void HelpMenu::Help1Click()
{
    ShowContents(EnglishHelpFile);
}

void HelpMenu::RusHelpClick()
{
    helpFileName_ = RussianHelpFile;
    ShowContents(helpFileName_);
}

void HelpMenu::PolHelpClick()
{
    helpFileName_ = PolishHelpFile;
    ShowContents(helpFileName_);
}

QString HelpMenu::HelpFileName() const
{
    return helpFileName_;
}

HelpViewer* HelpMenu::Viewer() const
{
    return viewer_.data();
}

void HelpMenu::ShowContents(const QString& helpFileName)
{
    if (!viewer_)
        viewer_ = new HelpViewer(owner_);
    viewer_->ShowContents(helpFileName, folders_);
}
