// SPDX-License-Identifier: MIT
#include "scenes/scenetext.h"

#include "model/groups.h"
#include "model/usererror.h"
#include "scenes/figures.h"
#include "scenes/realtext.h"

#include <charconv>
#include <set>
#include <sstream>
#include <vector>

namespace {

// The reserved bytes of a scene record: two after the coefficients, four at the end.
constexpr int ReservedHead = 190;
constexpr int ReservedHeadSize = 2;
constexpr int ReservedTail = 6292;
constexpr int ReservedTailSize = 4;

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

[[noreturn]] void Fail(int line, const std::string& problem)
{
    throw UserError("line " + std::to_string(line) + ": " + problem);
}

Real RealAt(int line, const std::string& word)
{
    Real value = 0;
    if (!TextToReal(word, value))
        Fail(line, "'" + word + "' is not a number");
    return value;
}

int IntegerAt(int line, const std::string& word, int low, int high, const char* what)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size())
        Fail(line, "'" + word + "' is not a whole number");
    if (value < low || value > high)
        Fail(line, std::string(what) + " " + word + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

void AppendScalarLine(std::string& text, const std::string& name, Real value)
{
    text.append(name).append(" ").append(RealToText(value)).append("\n");
}

void AppendSlotLine(std::string& text, const TaonSystem& s, int i)
{
    text.append("slot ").append(std::to_string(i)).append(" ").append(std::to_string(int(s.Present[i])));
    for (const SlotReals* array : {&s.X, &s.Y, &s.Z, &s.U, &s.V, &s.W})
        text.append(" ").append(RealToText((*array)[i]));
    text.append("\n");
}

} // namespace

std::string SceneToText(const TaonSystem& s)
{
    std::string text = "# Zarvitone scene. Per slot: slot, Present byte, x y z u v w.\n";
    AppendScalarLine(text, "dt", s.dt);
    for (int k = 0; k < CoefficientCount; ++k)
        AppendScalarLine(text, CoefficientNames[k], s.*CoefficientFields[k]);
    for (int i = 1; i <= SlotCount; ++i)
        AppendSlotLine(text, s, i);
    const std::uint8_t* head = s.Record.data() + ReservedHead;
    const std::uint8_t* tail = s.Record.data() + ReservedTail;
    bool reserved = false;
    for (int k = 0; k < ReservedHeadSize; ++k)
        reserved = reserved || head[k] != 0;
    for (int k = 0; k < ReservedTailSize; ++k)
        reserved = reserved || tail[k] != 0;
    if (reserved)
        text.append("reserved ").append(BytesToHex(head, ReservedHeadSize)).append(" ").append(BytesToHex(tail, ReservedTailSize)).append("\n");
    return text;
}

std::optional<Real TaonSystem::*> SceneScalarNamed(const std::string& name)
{
    if (name == "dt")
        return &TaonSystem::dt;
    for (int k = 0; k < CoefficientCount; ++k)
        if (name == CoefficientNames[k])
            return CoefficientFields[k];
    return std::nullopt;
}

void SceneFromText(const std::string& text, TaonSystem& s)
{
    TaonSystem scene;
    scene.TaonCount = SlotCount;
    std::set<std::string> seen;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::vector<std::string> words = Words(line);
        if (words.empty() || words.front().front() == '#')
            continue;
        const std::string& item = words.front();
        if (item == "slot") {
            if (words.size() != 9)
                Fail(number, "a slot line needs its number, the Present byte and six values");
            const int slot = IntegerAt(number, words[1], 1, SlotCount, "slot");
            if (!seen.insert("slot " + words[1]).second)
                Fail(number, "slot " + words[1] + " is given twice");
            scene.Present[slot] = std::uint8_t(IntegerAt(number, words[2], 0, 255, "Present byte"));
            SlotReals* arrays[] = {&scene.X, &scene.Y, &scene.Z, &scene.U, &scene.V, &scene.W};
            for (int k = 0; k < 6; ++k)
                (*arrays[k])[slot] = RealAt(number, words[3 + k]);
        } else if (item == "reserved") {
            if (words.size() != 3 || !HexToBytes(words[1], scene.Record.data() + ReservedHead, ReservedHeadSize) ||
                !HexToBytes(words[2], scene.Record.data() + ReservedTail, ReservedTailSize))
                Fail(number, "reserved needs 4 and 8 hex digits");
            if (!seen.insert(item).second)
                Fail(number, "reserved is given twice");
        } else if (const auto field = SceneScalarNamed(item)) {
            if (words.size() != 2)
                Fail(number, item + " needs exactly one value");
            if (!seen.insert(item).second)
                Fail(number, item + " is given twice");
            scene.** field = RealAt(number, words[1]);
        } else {
            Fail(number, "unknown item '" + item + "'");
        }
    }
    if (!seen.count("dt"))
        throw UserError("dt is missing");
    for (const char* name : CoefficientNames)
        if (!seen.count(name))
            throw UserError(std::string(name) + " is missing");

    // The model takes the scene as a load does; the reserved bytes stay in
    // the record and go out with the next save.
    FillSceneRecord(scene);
    s.TaonCount = SlotCount;
    s.Record = scene.Record;
    RestoreFromSceneRecord(s);
}

std::string StarterSceneText()
{
    TaonSystem square;
    square.TaonCount = SlotCount;
    BuildFigure(square, false);
    square.dt = StartingDt;

    std::string text = "# A Zarvitone scene. Edit it, then build the scene file with\n"
                       "#   zarvitone-cli make THIS.scene OUT.ato\n"
                       "# Lines starting with # are comments.\n"
                       "#\n"
                       "# dt: the time step of a run.\n";
    AppendScalarLine(text, "dt", square.dt);
    text.append("#\n"
                "# The interaction coefficients A B C D F G (there is no E), one row per\n");
    text.append("# index group: A1 ... G1 act for slots " + GroupRangeText(1) + ", A2 ... G2 for " +
                GroupRangeText(2) + ",\n# A3 ... G3 for " + GroupRangeText(3) +
                ". A is a factor; B C D F G place the shells and\n# must not be 0.\n");
    for (int k = 0; k < CoefficientCount; ++k)
        AppendScalarLine(text, CoefficientNames[k], square.*CoefficientFields[k]);
    text.append("#\n"
                "# slot N PRESENT X Y Z U V W: the slot number N (1-100), the Present byte\n"
                "# (1 a point, 0 an empty slot), the position x y z and the velocity u v w.\n"
                "# Slots not listed are empty.\n");
    for (int i = 1; i <= SlotCount; ++i)
        if (square.Present[i])
            AppendSlotLine(text, square, i);
    return text;
}
