// SPDX-License-Identifier: MIT
#include "model/taonsystem.h"

#include "model/extended.h"
#include "model/groups.h"

#include <algorithm>

const std::array<CoefficientField, CoefficientCount> CoefficientFields = {
    &TaonSystem::A1, &TaonSystem::B1, &TaonSystem::C1, &TaonSystem::D1, &TaonSystem::F1, &TaonSystem::G1,
    &TaonSystem::A2, &TaonSystem::B2, &TaonSystem::C2, &TaonSystem::D2, &TaonSystem::F2, &TaonSystem::G2,
    &TaonSystem::A3, &TaonSystem::B3, &TaonSystem::C3, &TaonSystem::D3, &TaonSystem::F3, &TaonSystem::G3,
};

namespace {

// "A1" ... "G3": the row's letter and the group's number.
constexpr auto NameTexts = [] {
    std::array<std::array<char, 3>, CoefficientCount> names{};
    for (int k = 0; k < CoefficientCount; ++k)
        names[k] = {CoefficientLetters[k % CoefficientRows], char('1' + k / CoefficientRows), '\0'};
    return names;
}();

} // namespace

const std::array<const char*, CoefficientCount> CoefficientNames = [] {
    std::array<const char*, CoefficientCount> names{};
    for (int k = 0; k < CoefficientCount; ++k)
        names[k] = NameTexts[k].data();
    return names;
}();

int SlotsInUse(const TaonSystem& system)
{
    return std::clamp<int>(system.TaonCount, 0, SlotCount);
}

namespace {

std::uint8_t* SlotBytes(SceneRecord& record, int base, int slot)
{
    return record.data() + base + ExtendedSize * (slot - 1);
}

} // namespace

void FillSceneRecord(TaonSystem& s)
{
    SceneRecord& r = s.Record;
    StoreExtended(s.dt, r.data() + SceneLayout::Dt);
    for (int k = 0; k < CoefficientCount; ++k)
        StoreExtended(s.*CoefficientFields[k], r.data() + SceneLayout::Coefficients + ExtendedSize * k);
    for (int i = 1; i <= SlotsInUse(s); ++i) {
        r[SceneLayout::Present + i - 1] = s.Present[i];
        StoreExtended(s.X[i], SlotBytes(r, SceneLayout::X, i));
        StoreExtended(s.Y[i], SlotBytes(r, SceneLayout::Y, i));
        StoreExtended(s.Z[i], SlotBytes(r, SceneLayout::Z, i));
        StoreExtended(s.U[i], SlotBytes(r, SceneLayout::U, i));
        StoreExtended(s.V[i], SlotBytes(r, SceneLayout::V, i));
        StoreExtended(s.W[i], SlotBytes(r, SceneLayout::W, i));
    }
}

void RestoreFromSceneRecord(TaonSystem& s)
{
    SceneRecord& r = s.Record;
    s.dt = LoadExtended(r.data() + SceneLayout::Dt);
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = LoadExtended(r.data() + SceneLayout::Coefficients + ExtendedSize * k);
    const int n = SlotsInUse(s);
    for (int i = 1; i <= n; ++i)
        s.Present[i] = r[SceneLayout::Present + i - 1];
    for (int i = 1; i <= n; ++i) {
        s.X[i] = LoadExtended(SlotBytes(r, SceneLayout::X, i));
        s.Y[i] = LoadExtended(SlotBytes(r, SceneLayout::Y, i));
        s.Z[i] = LoadExtended(SlotBytes(r, SceneLayout::Z, i));
        s.U[i] = LoadExtended(SlotBytes(r, SceneLayout::U, i));
        s.V[i] = LoadExtended(SlotBytes(r, SceneLayout::V, i));
        s.W[i] = LoadExtended(SlotBytes(r, SceneLayout::W, i));
        SyncCopies(s, i);
    }
}

void SyncCopies(TaonSystem& s, int i)
{
    s.DrawX[i] = s.NewX[i] = s.X[i];
    s.DrawY[i] = s.NewY[i] = s.Y[i];
    s.DrawZ[i] = s.NewZ[i] = s.Z[i];
    s.NewU[i] = s.U[i];
    s.NewV[i] = s.V[i];
    s.NewW[i] = s.W[i];
}
