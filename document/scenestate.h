// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"
#include "model/taonsystem.h"

#include <array>
#include <cstdint>

// Everything the next step depends on, packed: dt, the coefficients, the
// model time, every slot's X..W and NewX..NewW in their 10-byte form, Present
// and StepCount. Equal bytes mean the same future.
class SceneState {
public:
    static constexpr int RealCount = 1 + CoefficientCount + 1 + 12 * SlotCount;
    static constexpr int Size = RealCount * 10 + SlotCount + 4;

    static SceneState Capture(const TaonSystem& system, Real modelTime);
    // Puts the state back; the display copies follow the committed positions.
    // Returns the model time.
    Real ApplyTo(TaonSystem& system) const;

    std::int32_t StepCount() const;
    Real ModelTime() const;
    // Whether dt and the coefficients, the points or the time differ.
    bool SameParameters(const SceneState& other) const;
    bool SamePoints(const SceneState& other) const;
    bool SameTime(const SceneState& other) const;
    bool operator==(const SceneState& other) const = default;

private:
    std::array<std::uint8_t, Size> bytes_{};
};
