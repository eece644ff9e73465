// SPDX-License-Identifier: MIT
// The Interaction Law window and what makes it redraw.
#include "ui/mainform.h"

#include "charts/lawwindow.h"

#include <QCheckBox>
#include <QRadioButton>

void TMainForm::WireInteractionLaw()
{
    connect(Taoscope, &QRadioButton::toggled, this, &TMainForm::FollowLaw);
    connect(Functions3X1, &QCheckBox::toggled, this, &TMainForm::FollowLaw);
}

void TMainForm::InteractionLaw1Click()
{
    if (LawWindow == nullptr)
        LawWindow =
            new InteractionLawWindow([this] { return LawSettingOf(system_, CurrentSwitches().Law); }, dialogs_, this);
    LawWindow->show();
    LawWindow->raise();
    LawWindow->activateWindow();
}

void TMainForm::FollowLaw()
{
    if (LawWindow != nullptr)
        LawWindow->Follow();
}
