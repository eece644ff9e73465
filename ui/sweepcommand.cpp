// SPDX-License-Identifier: MIT
// View › Sweep...: the Sweep window, fed with the current scene and switches;
// a job it opens becomes the main window's scene as File › Open makes it.
#include "ui/mainform.h"
#include "ui/sweepwindow.h"

void TMainForm::Sweep1Click()
{
    if (Sweeper == nullptr) {
        SweepWindow::Hooks hooks{[this] { return system_; }, [this] { return CurrentSwitches(); },
                                 [this](const QString& path) { OpenScene(path); }};
        Sweeper = new SweepWindow(std::move(hooks), dialogs_, this);
    }
    Sweeper->show();
    Sweeper->raise();
    Sweeper->activateWindow();
}
