#include "fuzz/fuzzcheck.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

void Broken(const std::string& what)
{
    std::fprintf(stderr, "broken promise: %s\n", what.c_str());
    std::abort();
}

std::string FirstDifference(const TaonSystem& a, const TaonSystem& b)
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
            if (!SameBits((a.*array)[i], (b.*array)[i]))
                return std::string(name) + "[" + std::to_string(i) + "]";
    for (int i = 0; i <= SlotCount; ++i)
        if (a.Present[i] != b.Present[i])
            return "Present[" + std::to_string(i) + "]";
    if (a.Stopped != b.Stopped || a.StepCount != b.StepCount || a.ShowTime != b.ShowTime)
        return "run state";
    return {};
}
