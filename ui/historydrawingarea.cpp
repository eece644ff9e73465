// SPDX-License-Identifier: MIT
#include "ui/historydrawingarea.h"

#include "document/scenedocument.h"

HistoryDrawingArea::HistoryDrawingArea(SceneDocument& document, ViewState& view, QWidget* parent)
    : DrawingArea(document.System(), view, parent), document_(document)
{
}

void HistoryDrawingArea::DrawScene()
{
    document_.WithShownState([this] { DrawingArea::DrawScene(); });
}
