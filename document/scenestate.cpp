// SPDX-License-Identifier: MIT
#include "document/scenestate.h"

#include "model/extended.h"

#include <algorithm>
#include <cstring>

namespace {

// Byte offsets of the parts.
constexpr int DtAt = 0;
constexpr int CoefficientsAt = 10;
constexpr int TimeAt = CoefficientsAt + CoefficientCount * 10;
constexpr int SlotsAt = TimeAt + 10;
constexpr int PresentAt = SlotsAt + 12 * SlotCount * 10;
constexpr int StepCountAt = PresentAt + SlotCount;
static_assert(StepCountAt + 4 == SceneState::Size);

using Arrays = std::array<SlotReals TaonSystem::*, 12>;
constexpr Arrays SlotArrays = {&TaonSystem::X,    &TaonSystem::Y,    &TaonSystem::Z,    &TaonSystem::U,
                               &TaonSystem::V,    &TaonSystem::W,    &TaonSystem::NewX, &TaonSystem::NewY,
                               &TaonSystem::NewZ, &TaonSystem::NewU, &TaonSystem::NewV, &TaonSystem::NewW};

bool SameRange(const std::uint8_t* a, const std::uint8_t* b, int from, int to)
{
    return std::memcmp(a + from, b + from, std::size_t(to - from)) == 0;
}

} // namespace

SceneState SceneState::Capture(const TaonSystem& system, Real modelTime)
{
    SceneState state;
    std::uint8_t* out = state.bytes_.data();
    StoreExtended(system.dt, out + DtAt);
    for (int k = 0; k < CoefficientCount; ++k)
        StoreExtended(system.*CoefficientFields[k], out + CoefficientsAt + 10 * k);
    StoreExtended(modelTime, out + TimeAt);
    std::uint8_t* slot = out + SlotsAt;
    for (const auto array : SlotArrays)
        for (int i = 1; i <= SlotCount; ++i, slot += 10)
            StoreExtended((system.*array)[i], slot);
    std::copy(system.Present.begin() + 1, system.Present.end(), out + PresentAt);
    std::memcpy(out + StepCountAt, &system.StepCount, 4);
    return state;
}

Real SceneState::ApplyTo(TaonSystem& system) const
{
    const std::uint8_t* in = bytes_.data();
    system.dt = LoadExtended(in + DtAt);
    for (int k = 0; k < CoefficientCount; ++k)
        system.*CoefficientFields[k] = LoadExtended(in + CoefficientsAt + 10 * k);
    const std::uint8_t* slot = in + SlotsAt;
    for (const auto array : SlotArrays)
        for (int i = 1; i <= SlotCount; ++i, slot += 10)
            (system.*array)[i] = LoadExtended(slot);
    std::copy(in + PresentAt, in + PresentAt + SlotCount, system.Present.begin() + 1);
    std::memcpy(&system.StepCount, in + StepCountAt, 4);
    system.DrawX = system.X;
    system.DrawY = system.Y;
    system.DrawZ = system.Z;
    return ModelTime();
}

std::int32_t SceneState::StepCount() const
{
    std::int32_t count = 0;
    std::memcpy(&count, bytes_.data() + StepCountAt, 4);
    return count;
}

Real SceneState::ModelTime() const
{
    return LoadExtended(bytes_.data() + TimeAt);
}

bool SceneState::SameParameters(const SceneState& other) const
{
    return SameRange(bytes_.data(), other.bytes_.data(), DtAt, TimeAt);
}

bool SceneState::SamePoints(const SceneState& other) const
{
    return SameRange(bytes_.data(), other.bytes_.data(), SlotsAt, StepCountAt);
}

bool SceneState::SameTime(const SceneState& other) const
{
    return SameRange(bytes_.data(), other.bytes_.data(), TimeAt, SlotsAt) &&
           SameRange(bytes_.data(), other.bytes_.data(), StepCountAt, Size);
}
