// SPDX-License-Identifier: MIT
#pragma once

class DrawingArea;
class QMenu;

// The drawing area's own switches at the end of the View menu: Live Turning
// (checked at start), Trail Length (200 at start, 1,000 or 5,000 positions;
// a change starts the trails afresh) and Depth (unchecked at start). Each
// redraws the view.
void AddDrawingAreaItems(QMenu* view, DrawingArea& area);
