// SPDX-License-Identifier: MIT
#pragma once

#include "model/potential.h"
#include "model/pushcurve.h"
#include "model/taonsystem.h"
#include "view/viewstate.h"

#include <QString>

#include <map>
#include <optional>
#include <tuple>
#include <vector>

// Picking a point by clicking on it in the scene view, and the line that
// describes the picked one.

// How far from a point's drawn square a click still counts, in pixels.
constexpr int PickReach = 4;

// The present slot drawn within `reach` pixels of `click` (from its 2 x 2
// square at ScreenX, ScreenY), through the view as last drawn; among several
// the one in front, nearest the viewer along ViewMatrix's depth row, and of
// equally deep ones the nearer to the click. 0 when none is in reach.
int PickPoint(const TaonSystem& system, const ViewState& view, PixelPoint click, int reach = PickReach);

// The nearest other present point with a finite position; none when alone.
struct Neighbour {
    int Slot = 0;
    Real Distance = 0;
};
std::optional<Neighbour> NearestNeighbour(const TaonSystem& system, int slot);

// The line under the picture for the picked slot: its number and group,
// position and speed, and its nearest neighbour with their distance and the
// equilibrium of their pair's law nearest to it. Each point of the pair feels
// the other's group row, with the pair's sign (pushcurve.h), so the
// equilibria of both rows count. The curves' equilibria are kept for the law
// they were found for.
class PickDescription {
public:
    QString Line(const TaonSystem& system, const LawSwitches& switches, int slot);
    // The equilibrium nearest to `distance` that the pair of slots i and j
    // feels; none where neither row has one.
    std::optional<Equilibrium> NearestEquilibrium(const TaonSystem& system, const LawSwitches& switches, int i, int j,
                                                  Real distance);

private:
    const std::vector<Equilibrium>& Equilibria(const TaonSystem& system, const LawSwitches& switches, int group,
                                               Parity parity);

    PairLawCache law_;
    std::optional<LawSetting> foundFor_;
    std::map<std::tuple<int, Parity>, std::vector<Equilibrium>> equilibria_;
};
