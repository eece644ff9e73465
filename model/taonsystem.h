// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"

#include <array>
#include <cstdint>

// Slots are numbered 1..SlotCount as everywhere in the program; index 0 of
// every per-slot array is unused.
constexpr int SlotCount = 100;
using SlotReals = std::array<Real, SlotCount + 1>;
using SlotFlags = std::array<std::uint8_t, SlotCount + 1>;
using SlotCounts = std::array<std::uint32_t, SlotCount + 1>;

// One packed snapshot of the savable model: exactly the bytes of a scene file.
constexpr int SceneRecordSize = 6296;
using SceneRecord = std::array<std::uint8_t, SceneRecordSize>;

// Byte offsets inside SceneRecord. The two bytes after the coefficients and the
// last four are reserved: never interpreted, carried over as they are.
namespace SceneLayout {
constexpr int Dt = 0;
constexpr int Coefficients = 10;
constexpr int X = 192;
constexpr int Y = 1192;
constexpr int Z = 2192;
constexpr int U = 3192;
constexpr int V = 4192;
constexpr int W = 5192;
constexpr int Present = 6192;
} // namespace SceneLayout

// The whole model. Every part of the program reads and writes it directly.
struct TaonSystem {
    std::int32_t TaonCount = 0; // 100 from start-up on; loops run over 1..TaonCount
    Real dt = 0;

    // Coefficients of the three index groups; there is no E.
    Real A1 = 0, B1 = 0, C1 = 0, D1 = 0, F1 = 0, G1 = 0;
    Real A2 = 0, B2 = 0, C2 = 0, D2 = 0, F2 = 0, G2 = 0;
    Real A3 = 0, B3 = 0, C3 = 0, D3 = 0, F3 = 0, G3 = 0;

    // Committed state: what the law reads, the listing shows and files store.
    SlotReals X{}, Y{}, Z{}, U{}, V{}, W{};
    // Working copies of the integrator, running ahead of the committed state.
    SlotReals NewX{}, NewY{}, NewZ{}, NewU{}, NewV{}, NewW{};
    // What the view draws: the positions, or the spiral figure in spiral view.
    SlotReals DrawX{}, DrawY{}, DrawZ{};
    SlotFlags Present{}; // 0 = empty slot; any other value = a point is there
    // How often the constraint pass has folded each slot's working x to the
    // other side of the box (wrapping): a jump, not a move, which the
    // committed position takes at the next commit.
    SlotCounts Folds{};

    bool Stopped = false;
    std::int32_t StepCount = 0; // model time in steps
    bool ShowTime = false;

    SceneRecord Record{}; // staging area between the model and a scene file
};

// The eighteen coefficients in file order A1, B1, C1, D1, F1, G1, A2, ... G3.
constexpr int CoefficientCount = 18;
using CoefficientField = Real TaonSystem::*;
extern const std::array<CoefficientField, CoefficientCount> CoefficientFields;
extern const std::array<const char*, CoefficientCount> CoefficientNames;

// Number of slots the loops cover: TaonCount, kept inside the arrays.
int SlotsInUse(const TaonSystem& system);

// Makes the slot's working copies and display copies equal to its state.
void SyncCopies(TaonSystem& system, int slot);

// Copies dt, the coefficients and slots 1..TaonCount bit for bit into Record.
void FillSceneRecord(TaonSystem& system);
// The inverse; afterwards every slot's working and display copies equal its state.
void RestoreFromSceneRecord(TaonSystem& system);
