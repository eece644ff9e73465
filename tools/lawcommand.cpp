// SPDX-License-Identifier: MIT
#include "tools/lawcommand.h"

#include "model/pushcurve.h"
#include "model/usererror.h"
#include "scenes/realtext.h"
#include "tools/clisupport.h"

#include <cmath>
#include <ostream>

namespace {

constexpr int MostSamples = 10'000'000;

struct LawRequest {
    std::string File;
    Real From = 0.05L;
    Real To = 12;
    int Samples = 1000;
    LawSwitches Switches;
    bool Equilibria = false;
};

Real DistanceFrom(const std::string& name, const std::string& text)
{
    Real value = 0;
    if (!TextToReal(text, value) || !std::isfinite(value) || value <= 0)
        throw UsageError("bad number for " + name + ": '" + text + "' (a positive distance)");
    return value;
}

LawRequest ParseLaw(const CommandLine& line)
{
    LawRequest request;
    request.File = line.Operands[0];
    if (const auto from = line.Value("--from"))
        request.From = DistanceFrom("--from", *from);
    if (const auto to = line.Value("--to"))
        request.To = DistanceFrom("--to", *to);
    if (const auto samples = line.Value("--samples"))
        request.Samples = int(CountFrom("--samples", *samples, 1, MostSamples));
    request.Switches = {line.Has("--taoscope"), line.Has("--functions3x1")};
    request.Equilibria = line.Has("--equilibria");
    if (!(request.From < request.To))
        throw UsageError("--from must be below --to");
    return request;
}

void PrintCurves(const std::vector<Real>& distances, const std::array<PushCurve, GroupCount>& curves, std::ostream& out)
{
    out << "r,push1,push2,push3\n";
    for (std::size_t k = 0; k < distances.size(); ++k) {
        out << RealToText(distances[k]);
        for (const PushCurve& curve : curves)
            out << ',' << (curve.Faults[k].empty() ? RealToText(curve.Push[k]) : curve.Faults[k]);
        out << '\n';
    }
}

// Equilibria, one group at a time, where the law holds; a group that faults
// adds its first fault's distance and text in place of stable or unstable.
void PrintEquilibria(const LawSetting& setting, const std::vector<Real>& distances,
                     const std::array<PushCurve, GroupCount>& curves, std::ostream& out)
{
    for (int g = 0; g < GroupCount; ++g) {
        for (const Equilibrium& e :
             FindEquilibria(setting.Groups[g], setting.Switches, Parity::Equal, distances, curves[g].Push))
            out << g + 1 << ',' << RealToText(e.R) << ',' << (e.Stable ? "stable" : "unstable") << '\n';
        if (!curves[g].Fault.empty())
            out << g + 1 << ',' << RealToText(curves[g].FaultAt) << ',' << curves[g].Fault << '\n';
    }
}

} // namespace

const CommandForm& LawForm()
{
    static const CommandForm form{
        .Name = "law",
        .Operands = {"FILE.ato"},
        .Summary = "the push of each index group against the distance,\nas CSV; see below",
        .Options =
            {
                {"--from", "R0", "the nearest distance sampled, above 0 (0.05)"},
                {"--to", "R1", "the farthest, above R0 (12)"},
                {"--samples", "N", "how many, evenly spaced, ends included (1000)"},
                {"--taoscope", "",
                 "the Taoscope sign rule; the push of points of equal\n"
                 "parity (opposite parity is its mirror image)"},
                {"--functions3x1", "", "the contact term in place of the G shell"},
                {"--equilibria", "",
                 "instead of the curve, one line per sign change of the\n"
                 "push from R0 to R1, each shell searched on the scale\n"
                 "of its width: group,r,stable|unstable, r to the last\n"
                 "bit of the law's own arithmetic"},
            },
        .Notes = "Prints r,push1,push2,push3 and one row per sample: push = sign x A x S(r) of\n"
                 "the group, positive apart, negative together. Where a group's law faults at a\n"
                 "distance, that row shows the fault's text in place of the push (with\n"
                 "--equilibria, a line group,r,text for the group's first fault); the other rows\n"
                 "are kept, the status is then 1 and the message names the group and the r.\n",
    };
    return form;
}

int LawCommand(const CommandLine& args, std::istream& in, std::ostream& out)
{
    const LawRequest request = ParseLaw(args);
    const LawSetting setting = LawSettingOf(LoadScene(request.File, in), request.Switches);
    const std::vector<Real> distances = EvenDistances(request.From, request.To, request.Samples);
    std::array<PushCurve, GroupCount> curves;
    for (int g = 0; g < GroupCount; ++g)
        curves[g] = SamplePush(setting.Groups[g], setting.Switches, Parity::Equal, distances);
    if (request.Equilibria)
        PrintEquilibria(setting, distances, curves, out);
    else
        PrintCurves(distances, curves, out);
    FlushOutput(out, "law");
    for (int g = 0; g < GroupCount; ++g)
        if (!curves[g].Fault.empty())
            throw UserError("law: group " + std::to_string(g + 1) + " at r = " + RealToText(curves[g].FaultAt) + ": " +
                            curves[g].Fault);
    return 0;
}
