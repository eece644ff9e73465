// SPDX-License-Identifier: MIT
#pragma once

#include "view/drawingarea.h"

class SceneDocument;

// The drawing area of the main window, which draws the scene as the run
// history shows it: the present, or a kept step while one is chosen.
class HistoryDrawingArea : public DrawingArea {
public:
    HistoryDrawingArea(SceneDocument& document, ViewState& view, QWidget* parent = nullptr);

    void DrawScene() override;

private:
    SceneDocument& document_;
};
