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

LawRequest ParseLaw(const std::vector<std::string>& args)
{
    LawRequest request;
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& name = args[k];
        const auto value = [&]() -> const std::string& {
            if (k + 1 == args.size())
                throw UsageError(name + " needs a value");
            return args[++k];
        };
        if (name == "--from")
            request.From = DistanceFrom(name, value());
        else if (name == "--to")
            request.To = DistanceFrom(name, value());
        else if (name == "--samples")
            request.Samples = int(CountFrom(name, value(), 1, MostSamples));
        else if (name == "--taoscope")
            request.Switches.Taoscope = true;
        else if (name == "--functions3x1")
            request.Switches.Functions3X1 = true;
        else if (name == "--equilibria")
            request.Equilibria = true;
        else if (name.rfind("--", 0) == 0)
            throw UsageError("unknown option '" + name + "'");
        else if (!request.File.empty())
            throw UsageError("unexpected argument '" + name + "'");
        else
            request.File = name;
    }
    if (request.File.empty())
        throw UsageError("law needs a scene file");
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

int LawCommand(const std::vector<std::string>& args, std::ostream& out)
{
    const LawRequest request = ParseLaw(args);
    const LawSetting setting = LawSettingOf(LoadScene(request.File), request.Switches);
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
