#include "tools/clisupport.h"

#include "scenes/scenefile.h"

#include <charconv>

QString Path(const std::string& path)
{
    return QString::fromLocal8Bit(path.c_str());
}

TaonSystem LoadScene(const std::string& path)
{
    TaonSystem system;
    system.TaonCount = SlotCount;
    OnFile(path, [&] { ReadSceneFile(system, Path(path)); });
    RestoreFromSceneRecord(system);
    return system;
}

std::int64_t CountFrom(const std::string& option, const std::string& text, std::int64_t least, std::int64_t most)
{
    std::int64_t count = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (ec != std::errc() || end != text.data() + text.size() || count < least || count > most)
        throw UsageError("bad number for " + option + ": '" + text + "' (a whole number from " + std::to_string(least) +
                         " to " + std::to_string(most) + ")");
    return count;
}

void FlushOutput(std::ostream& out, const std::string& command)
{
    out.flush();
    if (!out)
        throw UserError(command + ": standard output could not be written");
}
