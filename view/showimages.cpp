// SPDX-License-Identifier: MIT
#include "view/showimages.h"

#include "scenes/figures.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"

void Spiral1Click(TaonSystem& system, ViewState& view, ViewRenderer& renderer, ShowImagesWindow& window)
{
    view.SpiralMode = true;
    BuildFigure(system, view.SpiralMode);
    window.EnableSceneButtons(false);
    renderer.DrawSpiral();
}

void Daons1Click(TaonSystem& system, ViewState& view, FileNames& names, UserDialogs& dialogs,
                 ViewRenderer& renderer, ShowImagesWindow& window)
{
    view.SpiralMode = false;
    window.EnableSceneButtons(true);
    const FileNames before = names;
    if (!ReadStartFile(names)) {
        dialogs.ShowInformation(QStringLiteral("The start File not found."));
        return;
    }
    if (names.StartSceneName.isEmpty()) {
        BuildFigure(system, view.SpiralMode);
        window.SceneReplaced();
        names.SceneFileName.clear();
        names.SceneCaption = StableStructureCaption;
        window.FillListing();
        window.ShowFileName(names.SceneCaption);
        renderer.DrawScene();
        return;
    }
    window.ShowFileName(names.StartSceneName);
    std::optional<InputFile> file = OpenStartScene(names);
    if (!file) {
        // As at start-up: the square stands in silently; the picture and the
        // listing follow at the next redraw and refill.
        BuildFigure(system, view.SpiralMode);
        window.SceneReplaced();
        return;
    }
    ReadStartScene(system, *file, names, before);
    RestoreFromSceneRecord(system);
    window.SceneReplaced();
    renderer.DrawScene();
    window.FillListing();
}
