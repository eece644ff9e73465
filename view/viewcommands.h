// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "view/viewframing.h"
#include "view/viewstate.h"

// Whatever draws the view: the drawing area, or a recorder in tests.
class ViewRenderer {
public:
    virtual ~ViewRenderer() = default;
    virtual void DrawScene() = 0;
    virtual void DrawSpiral() = 0;
};

// DrawSpiral in spiral view, DrawScene in scene view.
void RedrawView(const ViewState& view, ViewRenderer& renderer);

// The turn pad. In spiral view the figure turns by all three turn angles; in
// scene view the changed turn angle is added to its view angle once. Either
// way that one turn angle is 0 afterwards.
void DaoTetaClick(ViewState& view, ViewRenderer& renderer);
void DaoTeta1Click(ViewState& view, ViewRenderer& renderer);
void DaoPsiClick(ViewState& view, ViewRenderer& renderer);
void DaoPsi1Click(ViewState& view, ViewRenderer& renderer);
void DaoPhiClick(ViewState& view, ViewRenderer& renderer);
void DaoPhi1Click(ViewState& view, ViewRenderer& renderer);
// Clears all turn angles (stops the spin), then redraws.
void DaoStopClick(ViewState& view, ViewRenderer& renderer);

// Zoom out and in.
void DaoBackClick(ViewState& view, ViewRenderer& renderer);
void DaoForvardClick(ViewState& view, ViewRenderer& renderer);

// Shifts by PanStep (Ctrl+arrow keys).
void Left1Click(ViewState& view, ViewRenderer& renderer);
void Right1Click(ViewState& view, ViewRenderer& renderer);
void Up1Click(ViewState& view, ViewRenderer& renderer);
void Down1Click(ViewState& view, ViewRenderer& renderer);
// Scale 120 and no shift; the angles stay.
void MoveToCenterClick(ViewState& view, ViewRenderer& renderer);

// The wheel over the drawing area: each whole notch forward is one DaoForvard
// click, each one back one DaoBack click.
void WheelZoom(ViewState& view, ViewRenderer& renderer, int notches);

// Adds up wheel angle deltas (120 to a notch; high-resolution wheels and
// touchpads send less at a time) and hands out whole notches, keeping the rest.
class WheelNotches {
public:
    int Add(int angleDelta);

private:
    long long remainder_ = 0;
};

// View > Look Along: the view angles of LookAlongAngles. Only the scene view
// uses them; either view is redrawn.
void LookAlongClick(ViewState& view, ViewRenderer& renderer, ViewAxis axis);
// View > Reset View: view angles, Scale and the shift as at start-up. The turn
// angles stay, so a kept spiral spin goes on.
void ResetViewClick(ViewState& view, ViewRenderer& renderer);
// View > Fit: FitView over the scene's points; the spiral view is only redrawn.
void FitClick(ViewState& view, const TaonSystem& system, ViewRenderer& renderer, int coveredTop);
// View > Follow Centroid toggles FollowCentroid and redraws; the caller sets
// the check mark.
void FollowCentroidClick(ViewState& view, ViewRenderer& renderer);

// Track bar "Amplitude", positions 0..10: RotStep and ZoomStep from one table
// row. Positions outside are clamped to the ends. Does not redraw.
constexpr int TrackBarMin = 0;
constexpr int TrackBarMax = 10;
constexpr int TrackBarStart = 5;
void TrackBarChange(ViewState& view, int position);

// Mouse gestures in the drawing area. A press only stores the pixel; the
// release turns (and with the right button zooms) by the way travelled and
// redraws. Any button but the right one counts as the left.
enum class GestureButton { Left, Right };
void FormMouseDown(ViewState& view, GestureButton button, PixelPoint pixel);
void FormMouseUp(ViewState& view, ViewRenderer& renderer, GestureButton button, PixelPoint pixel);
// The release's first half: the turn angles (and with the right button Scale)
// changed by the way from the press to `pixel`.
void TurnByGesture(ViewState& view, GestureButton button, PixelPoint pixel);
// The view as a release at `pixel` would leave it, the view itself untouched:
// in scene view the view angles turned and the turn angles cleared; in spiral
// view the turn angles the release turns the figure by.
ViewState GesturePreview(const ViewState& view, GestureButton button, PixelPoint pixel);

// The 300 ms tick: redraws while "ShowSpin" is on.
void TimerTimer(const ViewState& view, ViewRenderer& renderer);
// "ShowSpin" toggles SpinOn without a redraw; the caller sets the check mark.
void ShowSpinClick(ViewState& view);
// "Show Numbers of Points" toggles ShowNumbers and redraws.
void ShowNumbersOfPointsClick(ViewState& view, ViewRenderer& renderer);
