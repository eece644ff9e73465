// SPDX-License-Identifier: MIT
// zarvitone-cli make's parser on any text: it refuses without touching the
// model, or it takes a scene that show prints and make rebuilds byte for byte.

#include "fuzz/fuzzcheck.h"
#include "scenes/scenetext.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TaonSystem untouched{};
    const std::string text(reinterpret_cast<const char*>(data), size);

    TaonSystem made;
    if (!ErrorOf([&] { SceneFromText(text, made); }).empty()) {
        Require(ModelDifference(made, untouched).empty() && made.Record == untouched.Record,
                "refused text leaves the model untouched");
        return 0;
    }

    FillSceneRecord(made);
    const std::string shown = SceneToText(made);
    TaonSystem again;
    const std::string error = ErrorOf([&] { SceneFromText(shown, again); });
    if (!error.empty())
        Broken("make refuses what show printed: " + error);
    FillSceneRecord(again);
    Require(again.Record == made.Record, "make(show(scene)) gives other bytes");
    Require(SceneToText(again) == shown, "show(make(show(scene))) gives other text");
    return 0;
}
