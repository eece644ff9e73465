// SPDX-License-Identifier: MIT
#include "sweep/grid.h"

#include "model/usererror.h"
#include "scenes/realtext.h"
#include "scenes/scenetext.h"

#include <charconv>
#include <limits>
#include <random>
#include <set>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (const char c : text)
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    return parts;
}

Real Number(const std::string& name, const std::string& text)
{
    Real value = 0;
    if (!TextToReal(text, value))
        throw UserError("--vary " + name + ": '" + text + "' is not a number");
    return value;
}

void RefuseRepeatedNames(const std::vector<SweepAxis>& axes)
{
    std::set<std::string> names;
    for (const SweepAxis& axis : axes)
        if (!names.insert(axis.Name).second)
            throw UserError("--vary " + axis.Name + " is given twice");
}

std::uint64_t AxisSize(const SweepAxis& axis)
{
    return axis.Range ? axis.Count : axis.Values.size();
}

// Value k of the axis: listed, or evenly spaced with both ends exact. The
// ends weighted, symmetric in them: 0.001:0.003:3 gives the 0.002 that show
// writes, where from + (to - from) * k / steps is one bit above.
Real AxisValue(const SweepAxis& axis, std::uint64_t k)
{
    if (!axis.Range)
        return axis.Values[k];
    const auto [from, to] = *axis.Range;
    if (k == 0)
        return from;
    if (k == axis.Count - 1)
        return to;
    const Real steps = Real(axis.Count - 1);
    return (from * (steps - Real(k)) + to * Real(k)) / steps;
}

std::vector<std::string> NamesOf(const std::vector<SweepAxis>& axes)
{
    std::vector<std::string> names;
    for (const SweepAxis& axis : axes)
        names.push_back(axis.Name);
    return names;
}

} // namespace

SweepAxis AxisFromText(const std::string& text)
{
    const std::size_t equals = text.find('=');
    SweepAxis axis;
    axis.Name = text.substr(0, equals);
    if (equals == std::string::npos || !SceneScalarNamed(axis.Name))
        throw UserError("--vary needs NAME=FROM:TO:COUNT or NAME=V1,V2,... with NAME dt or A1 ... G3, not '" + text +
                        "'");
    const std::string values = text.substr(equals + 1);
    if (values.find(':') == std::string::npos) {
        for (const std::string& value : Split(values, ','))
            axis.Values.push_back(Number(axis.Name, value));
        return axis;
    }
    const std::vector<std::string> parts = Split(values, ':');
    if (parts.size() > 3)
        throw UserError("--vary " + axis.Name + ": '" + values + "' is not FROM:TO:COUNT");
    axis.Range = {Number(axis.Name, parts[0]), Number(axis.Name, parts[1])};
    if (parts.size() == 3) {
        const std::string& count = parts[2];
        const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), axis.Count);
        if (ec != std::errc() || end != count.data() + count.size() || axis.Count < 1)
            throw UserError("--vary " + axis.Name + ": COUNT '" + count + "' is not a whole number, 1 or more");
    }
    return axis;
}

std::uint64_t GridSize(const std::vector<SweepAxis>& axes)
{
    std::uint64_t size = 1;
    for (const SweepAxis& axis : axes) {
        const std::uint64_t n = AxisSize(axis);
        size = n != 0 && size > std::numeric_limits<std::uint64_t>::max() / n
                   ? std::numeric_limits<std::uint64_t>::max()
                   : size * n;
    }
    return size;
}

SweepTable GridTable(const std::vector<SweepAxis>& axes)
{
    RefuseRepeatedNames(axes);
    for (const SweepAxis& axis : axes)
        if (axis.Range && axis.Count == 0)
            throw UserError("--vary " + axis.Name + "=FROM:TO needs :COUNT for a grid (or --random N)");
    SweepTable table;
    table.Names = NamesOf(axes);
    const std::uint64_t size = GridSize(axes);
    table.Jobs.reserve(size);
    for (std::uint64_t job = 0; job < size; ++job) {
        // The job's digits in the mixed radix of the axes, the last fastest.
        std::vector<Real> values(axes.size());
        std::uint64_t rest = job;
        for (std::size_t a = axes.size(); a-- > 0;) {
            values[a] = AxisValue(axes[a], rest % AxisSize(axes[a]));
            rest /= AxisSize(axes[a]);
        }
        table.Jobs.push_back(std::move(values));
    }
    return table;
}

SweepTable RandomTable(const std::vector<SweepAxis>& axes, std::uint64_t count, std::uint64_t seed)
{
    if (axes.empty())
        throw UserError("--random needs the ranges to draw from: --vary NAME=FROM:TO");
    RefuseRepeatedNames(axes);
    for (const SweepAxis& axis : axes)
        if (!axis.Range)
            throw UserError("--random needs a range for " + axis.Name + ", --vary " + axis.Name + "=FROM:TO");
    // The engine's sequence is fixed by the C++ standard; the mapping to a
    // real is this program's own, so the table is the same everywhere.
    std::mt19937_64 engine(seed);
    SweepTable table;
    table.Names = NamesOf(axes);
    for (std::uint64_t job = 0; job < count; ++job) {
        std::vector<Real> values;
        for (const SweepAxis& axis : axes) {
            const Real unit = Real(engine() >> 11) * 0x1p-53L;
            values.push_back(axis.Range->first + (axis.Range->second - axis.Range->first) * unit);
        }
        table.Jobs.push_back(std::move(values));
    }
    return table;
}
