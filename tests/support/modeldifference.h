// SPDX-License-Identifier: MIT
#pragma once

#include "model/extended.h"
#include "model/taonsystem.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

// Comparing two models bit for bit, for the tests and the fuzzers alike.

// The 10 bytes of the values alike: a long double's other 6 are padding.
inline bool SameBits(Real a, Real b)
{
    return std::memcmp(&a, &b, ExtendedSize) == 0;
}

// The first field, Record and the window's flags aside, in which two models differ bit for bit
// ("X[3]: 1.5 vs 1.25", "dt", "Present[7]" ...), or an empty text.
inline std::string ModelDifference(const TaonSystem& a, const TaonSystem& b)
{
    if (a.TaonCount != b.TaonCount)
        return "TaonCount";
    if (!SameBits(a.dt, b.dt))
        return "dt";
    for (int k = 0; k < CoefficientCount; ++k)
        if (!SameBits(a.*CoefficientFields[k], b.*CoefficientFields[k]))
            return CoefficientNames[k];
    const std::pair<const char*, SlotReals TaonSystem::*> arrays[] = {
        {"X", &TaonSystem::X},         {"Y", &TaonSystem::Y},         {"Z", &TaonSystem::Z},
        {"U", &TaonSystem::U},         {"V", &TaonSystem::V},         {"W", &TaonSystem::W},
        {"NewX", &TaonSystem::NewX},   {"NewY", &TaonSystem::NewY},   {"NewZ", &TaonSystem::NewZ},
        {"NewU", &TaonSystem::NewU},   {"NewV", &TaonSystem::NewV},   {"NewW", &TaonSystem::NewW},
        {"DrawX", &TaonSystem::DrawX}, {"DrawY", &TaonSystem::DrawY}, {"DrawZ", &TaonSystem::DrawZ},
    };
    for (const auto& [name, array] : arrays)
        for (int i = 0; i <= SlotCount; ++i)
            if (!SameBits((a.*array)[i], (b.*array)[i])) {
                char values[96];
                std::snprintf(values, sizeof values, ": %.21Lg vs %.21Lg", (a.*array)[i], (b.*array)[i]);
                return std::string(name) + "[" + std::to_string(i) + "]" + values;
            }
    for (int i = 0; i <= SlotCount; ++i)
        if (a.Present[i] != b.Present[i])
            return "Present[" + std::to_string(i) + "]";
    if (a.StepCount != b.StepCount)
        return "StepCount: " + std::to_string(a.StepCount) + " vs " + std::to_string(b.StepCount);
    return {};
}
