// SPDX-License-Identifier: MIT
// View › Sweep...: the Sweep window, fed with the current scene and switches;
// a job it opens becomes the main window's scene as File › Open makes it.
#include "ui/mainform.h"
#include "ui/sweepwindow.h"

void TMainForm::Sweep1Click()
{
    if (Sweeper == nullptr) {
        // The scene as its file would hold it, so that zarvitone-cli sweep of
        // the saved scene gives the same rows.
        const auto scene = [this] {
            TaonSystem copy = system_;
            FillSceneRecord(copy);
            RestoreFromSceneRecord(copy);
            return copy;
        };
        SweepWindow::Hooks hooks{scene, [this] { return CurrentSwitches(); },
                                 [this](const QString& path) { OpenScene(path); }};
        Sweeper = new SweepWindow(std::move(hooks), dialogs_, this);
    }
    Sweeper->show();
    Sweeper->raise();
    Sweeper->activateWindow();
}
