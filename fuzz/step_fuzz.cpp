// SPDX-License-Identifier: MIT
// One run step on any scene under any switches: a fault comes back as one of
// the program's three fault texts, never as a crash, a hang or undefined
// behaviour, and the fast engine leaves the model and the text exactly as the
// literal law does.
//
// Input: a scene record, then one byte of switches - bit 0 Taoscope, 1
// Functions3X1, 2 Blockade, 3 Cool, bits 4-7 the mode (modulo 5).

#include "fuzz/fuzzcheck.h"
#include "model/fpfault.h"
#include "model/step.h"
#include "model/stepengine.h"

#include <algorithm>
#include <cstdint>

namespace {

RunSwitches SwitchesOf(std::uint8_t bits)
{
    RunSwitches switches;
    switches.Law.Taoscope = bits & 1;
    switches.Law.Functions3X1 = bits & 2;
    switches.Blockade = bits & 4;
    switches.Cool = bits & 8;
    switches.Mode = ConstraintMode((bits >> 4) % 5);
    return switches;
}

// The literal law costs a pair evaluation per component; on a crowded scene
// it would slow the fuzzer to a crawl, so it checks the engine on sparse ones.
constexpr int ReferencePresentLimit = 12;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < SceneRecordSize)
        return 0;
    static StepEngine engine(2); // two threads, so the pool's path is fuzzed too
    const RunSwitches switches = SwitchesOf(size > SceneRecordSize ? data[SceneRecordSize] : 0);

    TaonSystem system;
    system.TaonCount = SlotCount;
    std::copy_n(data, SceneRecordSize, system.Record.begin());
    RestoreFromSceneRecord(system);
    TaonSystem reference = system;

    const std::string fault = ErrorOf([&] { engine.Step(system, switches); });
    Require(fault.empty() || fault == DivisionByZeroText || fault == InvalidOperationText || fault == OverflowText,
            "a fault comes back as a fault text");

    const int present =
        int(std::count_if(system.Present.begin() + 1, system.Present.end(), [](std::uint8_t p) { return p != 0; }));
    if (present > ReferencePresentLimit)
        return 0;
    const std::string referenceFault = ErrorOf([&] { ReferenceStep(reference, switches); });
    if (fault != referenceFault)
        Broken("engine fault '" + fault + "', literal law '" + referenceFault + "'");
    if (const std::string field = ModelDifference(system, reference); !field.empty())
        Broken("engine and literal law differ in " + field);
    return 0;
}
