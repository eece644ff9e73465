// SPDX-License-Identifier: MIT
// The Interaction Law window and what makes it redraw.
#include "ui/mainform.h"

#include "charts/lawwindow.h"

#include <QCheckBox>
#include <QRadioButton>

void TMainForm::InteractionLaw1Click()
{
    if (LawWindow == nullptr) {
        LawWindow =
            new InteractionLawWindow([this] { return LawSettingOf(system_, CurrentSwitches().Law); }, dialogs_, this);
        // It reads the law at every committed change and redraws only when
        // the law differs from the one shown: never during a run's steps.
        connect(Taoscope, &QRadioButton::toggled, LawWindow, &InteractionLawWindow::Follow);
        connect(Functions3X1, &QCheckBox::toggled, LawWindow, &InteractionLawWindow::Follow);
        connect(&document_, &SceneDocument::lawChanged, LawWindow, &InteractionLawWindow::Follow);
        connect(&document_, &SceneDocument::sceneReplaced, LawWindow, &InteractionLawWindow::Follow);
    }
    LawWindow->show();
    LawWindow->raise();
    LawWindow->activateWindow();
}
