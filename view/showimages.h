// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "scenes/dialogs.h"
#include "scenes/filenames.h"
#include "view/viewcommands.h"
#include "view/viewstate.h"

#include <QString>

// What the View > Show Images commands change on the main window besides the
// model and the view.
class ShowImagesWindow {
public:
    virtual ~ShowImagesWindow() = default;
    virtual void EnableSceneButtons(bool enabled) = 0; // Go and Null00
    virtual void ShowFileName(const QString& name) = 0; // FName
    virtual void FillListing() = 0;
    // The model holds another scene: what the window kept of the old one
    // (model time, samples, trails) starts afresh.
    virtual void SceneReplaced() = 0;
};

// "Spiral": the spiral view with the ThetraSpiral built afresh. The scene in
// the model and the file names stay.
void Spiral1Click(TaonSystem& system, ViewState& view, ViewRenderer& renderer, ShowImagesWindow& window);

// "Taons" (F5): the scene view with the scene the start file names; The easy
// square when it names none or that scene cannot be opened. A read failure
// after a successful open throws UserError, with the model untouched. Only a
// scene put in place is reported as replaced.
void Daons1Click(TaonSystem& system, ViewState& view, FileNames& names, UserDialogs& dialogs,
                 ViewRenderer& renderer, ShowImagesWindow& window);
