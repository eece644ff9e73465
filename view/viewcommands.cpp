// SPDX-License-Identifier: MIT
#include "view/viewcommands.h"

#include <algorithm>
#include <array>

void RedrawView(const ViewState& view, ViewRenderer& renderer)
{
    if (view.SpiralMode)
        renderer.DrawSpiral();
    else
        renderer.DrawScene();
}

namespace {

void Turn(ViewState& view, ViewRenderer& renderer, Real ViewState::*turnAngle, Real ViewState::*viewAngle,
          Real change)
{
    view.*turnAngle += change;
    if (view.SpiralMode) {
        renderer.DrawSpiral();
    } else {
        view.*viewAngle += view.*turnAngle;
        renderer.DrawScene();
    }
    view.*turnAngle = 0;
}

// One shift command: PanX or PanY moves by PanStep in the given direction.
void Shift(ViewState& view, ViewRenderer& renderer, Real ViewState::*pan, int direction)
{
    view.*pan += direction * view.PanStep;
    RedrawView(view, renderer);
}

struct StepRow {
    Real rotStep;
    Real zoomStep;
};

constexpr std::array<StepRow, TrackBarMax + 1> StepTable = {{
    {0.0005L, 0.5L},
    {0.001L, 1},
    {0.002L, 2},
    {0.003L, 3},
    {0.005L, 5},
    {0.01L, 7},
    {0.05L, 10},
    {0.1L, 15},
    {0.5L, 20},
    {1, 30},
    {2, 50},
}};

} // namespace

void DaoTetaClick(ViewState& view, ViewRenderer& renderer)
{
    Turn(view, renderer, &ViewState::dTeta, &ViewState::Teta, -view.RotStep);
}

void DaoTeta1Click(ViewState& view, ViewRenderer& renderer)
{
    Turn(view, renderer, &ViewState::dTeta, &ViewState::Teta, view.RotStep);
}

void DaoPsiClick(ViewState& view, ViewRenderer& renderer)
{
    Turn(view, renderer, &ViewState::dPsi, &ViewState::Psi, -view.RotStep);
}

void DaoPsi1Click(ViewState& view, ViewRenderer& renderer)
{
    Turn(view, renderer, &ViewState::dPsi, &ViewState::Psi, view.RotStep);
}

void DaoPhiClick(ViewState& view, ViewRenderer& renderer)
{
    Turn(view, renderer, &ViewState::dPhi, &ViewState::Phi, view.RotStep);
}

void DaoPhi1Click(ViewState& view, ViewRenderer& renderer)
{
    Turn(view, renderer, &ViewState::dPhi, &ViewState::Phi, -view.RotStep);
}

void DaoStopClick(ViewState& view, ViewRenderer& renderer)
{
    view.dTeta = view.dPsi = view.dPhi = 0;
    RedrawView(view, renderer);
}

void DaoBackClick(ViewState& view, ViewRenderer& renderer)
{
    // Steps down in nines while that keeps Scale above the last steps, then
    // divides, so from a positive Scale this never reaches zero.
    if (view.Scale >= 9 * view.ZoomStep)
        view.Scale -= 3 * view.ZoomStep;
    else
        view.Scale /= view.ZoomStep;
    RedrawView(view, renderer);
}

void DaoForvardClick(ViewState& view, ViewRenderer& renderer)
{
    view.Scale += 3 * view.ZoomStep;
    RedrawView(view, renderer);
}

void Left1Click(ViewState& view, ViewRenderer& renderer)
{
    Shift(view, renderer, &ViewState::PanX, -1);
}

void Right1Click(ViewState& view, ViewRenderer& renderer)
{
    Shift(view, renderer, &ViewState::PanX, 1);
}

void Up1Click(ViewState& view, ViewRenderer& renderer)
{
    Shift(view, renderer, &ViewState::PanY, -1);
}

void Down1Click(ViewState& view, ViewRenderer& renderer)
{
    Shift(view, renderer, &ViewState::PanY, 1);
}

void MoveToCenterClick(ViewState& view, ViewRenderer& renderer)
{
    view.Scale = 120;
    view.PanX = 0;
    view.PanY = 0;
    RedrawView(view, renderer);
}

void WheelZoom(ViewState& view, ViewRenderer& renderer, int notches)
{
    for (; notches > 0; --notches)
        DaoForvardClick(view, renderer);
    for (; notches < 0; ++notches)
        DaoBackClick(view, renderer);
}

int WheelNotches::Add(int angleDelta)
{
    constexpr int notch = 120;
    remainder_ += angleDelta;
    const long long notches = remainder_ / notch; // toward zero: the rest keeps its sign
    remainder_ -= notches * notch;
    return int(notches);
}

void LookAlongClick(ViewState& view, ViewRenderer& renderer, ViewAxis axis)
{
    const ViewAngles angles = LookAlongAngles(axis);
    view.Teta = angles.Teta;
    view.Psi = angles.Psi;
    view.Phi = angles.Phi;
    RedrawView(view, renderer);
}

void ResetViewClick(ViewState& view, ViewRenderer& renderer)
{
    const ViewState start;
    view.Teta = start.Teta;
    view.Psi = start.Psi;
    view.Phi = start.Phi;
    view.Scale = start.Scale;
    view.PanX = start.PanX;
    view.PanY = start.PanY;
    RedrawView(view, renderer);
}

void FitClick(ViewState& view, const TaonSystem& system, ViewRenderer& renderer, int coveredTop)
{
    if (!view.SpiralMode)
        FitView(view, system, coveredTop);
    RedrawView(view, renderer);
}

void FollowCentroidClick(ViewState& view, ViewRenderer& renderer)
{
    view.FollowCentroid = !view.FollowCentroid;
    RedrawView(view, renderer);
}

void TrackBarChange(ViewState& view, int position)
{
    const StepRow& row = StepTable[std::clamp(position, TrackBarMin, TrackBarMax)];
    view.RotStep = row.rotStep;
    view.ZoomStep = row.zoomStep;
}

void FormMouseDown(ViewState& view, GestureButton button, PixelPoint pixel)
{
    (button == GestureButton::Right ? view.RightDown : view.LeftDown) = pixel;
}

void TurnByGesture(ViewState& view, GestureButton button, PixelPoint pixel)
{
    // Differences in Real: pixels far apart cannot overflow.
    if (button == GestureButton::Right) {
        view.dPsi -= (Real(pixel.x) - view.RightDown.x) * view.RotStep;
        view.Scale -= (Real(pixel.y) - view.RightDown.y) * view.ZoomStep;
    } else {
        view.dPhi -= (Real(pixel.x) - view.LeftDown.x) * view.RotStep;
        view.dTeta += (Real(pixel.y) - view.LeftDown.y) * view.RotStep;
    }
}

namespace {

void TurnSceneByGesture(ViewState& view, GestureButton button)
{
    if (button == GestureButton::Right) {
        view.Psi += view.dPsi;
    } else {
        view.Phi += view.dPhi;
        view.Teta += view.dTeta;
    }
}

} // namespace

ViewState GesturePreview(const ViewState& view, GestureButton button, PixelPoint pixel)
{
    ViewState preview = view;
    TurnByGesture(preview, button, pixel);
    if (!preview.SpiralMode) {
        TurnSceneByGesture(preview, button);
        preview.dTeta = preview.dPsi = preview.dPhi = 0;
    }
    return preview;
}

void FormMouseUp(ViewState& view, ViewRenderer& renderer, GestureButton button, PixelPoint pixel)
{
    TurnByGesture(view, button, pixel);
    if (view.SpiralMode) {
        renderer.DrawSpiral();
    } else {
        TurnSceneByGesture(view, button);
        renderer.DrawScene();
        view.dTeta = view.dPsi = view.dPhi = 0;
    }
    if (!view.SpinOn)
        view.dTeta = view.dPsi = view.dPhi = 0;
}

void TimerTimer(const ViewState& view, ViewRenderer& renderer)
{
    if (view.SpinOn)
        RedrawView(view, renderer);
}

void ShowSpinClick(ViewState& view)
{
    view.SpinOn = !view.SpinOn;
}

void ShowNumbersOfPointsClick(ViewState& view, ViewRenderer& renderer)
{
    view.ShowNumbers = !view.ShowNumbers;
    RedrawView(view, renderer);
}
