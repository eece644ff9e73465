// SPDX-License-Identifier: MIT
#include "tools/analyzecommand.h"

#include "model/pairhistogram.h"
#include "model/structurefigures.h"
#include "scenes/atomicwrite.h"
#include "scenes/realtext.h"
#include "tools/clisupport.h"
#include "tools/runswitches.h"

#include <cmath>
#include <ostream>

namespace {

struct AnalyzeRequest {
    std::string File;
    std::optional<Real> Cutoff;
    RunSwitches Switches;
    std::string Histogram;
    Real From = 0, To = 3;
    int Bins = 300;
};

Real NumberFrom(const std::string& option, const std::string& text)
{
    Real value = 0;
    if (!TextToReal(text, value))
        throw UsageError("bad number for " + option + ": '" + text + "'");
    return value;
}

AnalyzeRequest ParseAnalyze(const CommandLine& line)
{
    AnalyzeRequest request;
    request.File = line.Operands[0];
    if (const auto cutoff = line.Value("--cutoff")) {
        request.Cutoff = NumberFrom("--cutoff", *cutoff);
        if (!(*request.Cutoff > 0 && std::isfinite(*request.Cutoff)))
            throw UsageError("--cutoff must be a positive distance, not '" + *cutoff + "'");
    }
    request.Switches = SwitchesFrom(line);
    request.Histogram = line.Value("--histogram").value_or("");
    if (request.Histogram.empty() && (line.Has("--bins") || line.Has("--range")))
        throw UsageError("--bins and --range need --histogram");
    if (request.Histogram == "-")
        throw UsageError("--histogram cannot be standard output: the figures go there");
    if (const auto bins = line.Value("--bins"))
        request.Bins = int(CountFrom("--bins", *bins, 1, MostBins));
    if (const auto range = line.Value("--range")) {
        const std::size_t colon = range->find(':');
        if (colon == std::string::npos)
            throw UsageError("--range needs A:B, not '" + *range + "'");
        request.From = NumberFrom("--range", range->substr(0, colon));
        request.To = NumberFrom("--range", range->substr(colon + 1));
        if (!(std::isfinite(request.From) && std::isfinite(request.To) && request.From < request.To))
            throw UsageError("--range needs two finite numbers A:B with A less than B, not '" + *range + "'");
    }
    return request;
}

// The cutoff of each pair of groups that has points, as FindClusters reads it.
void PrintCutoffs(const TaonSystem& system, const StructureGauge& gauge, const RunSwitches& switches, std::ostream& out)
{
    const ClusterCutoffs& cutoffs = gauge.Cutoffs();
    const int n = SlotsInUse(system);
    std::array<bool, GroupCount> used{};
    for (int i : FinitePresentPoints(system).Slots)
        used[GroupOf(i, n) - 1] = true;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int h = g; h <= GroupCount; ++h) {
            if (!used[g - 1] || !used[h - 1])
                continue;
            const int pair = GroupPairIndex(g, h);
            out << "cutoff " << GroupPairNames[pair] << ": ";
            const auto& r = cutoffs.R[pair];
            if (!cutoffs.Fault[pair].empty())
                out << cutoffs.Fault[pair];
            else if (switches.Law.Taoscope && r[int(Parity::Equal)] != r[int(Parity::Opposite)])
                out << RealToText(r[int(Parity::Opposite)]) << " opposite parity, " << RealToText(r[int(Parity::Equal)])
                    << " equal parity";
            else
                out << RealToText(r[0]);
            out << '\n';
        }
    }
}

void PrintClusters(const Clusters& found, std::ostream& out)
{
    if (!found.Fault.empty()) {
        out << "clusters: not known: " << found.Fault << '\n';
        return;
    }
    out << "clusters: " << found.Members.size() << '\n' << "largest: " << found.Largest << '\n';
    for (std::size_t c = 0; c < found.Members.size(); ++c) {
        out << "cluster " << c + 1 << ": " << found.Members[c].size()
            << (found.Members[c].size() == 1 ? " point:" : " points:");
        for (int slot : found.Members[c])
            out << ' ' << slot;
        out << '\n';
    }
}

void PrintEnergy(const EnergyFigures& energy, std::ostream& out)
{
    switch (energy.Status) {
    case EnergyStatus::Conserved:
        out << "energy: conserved\n"
            << "kinetic: " << RealToText(energy.Kinetic) << '\n'
            << "potential: " << RealToText(energy.Potential) << '\n'
            << "total: " << RealToText(energy.Total) << '\n';
        return;
    case EnergyStatus::NotConserved:
        out << "energy: not conserved: ";
        break;
    case EnergyStatus::NotDefined:
        out << "energy: not defined: ";
        break;
    case EnergyStatus::Fault:
        out << "energy: the law faults: ";
        break;
    }
    out << energy.Reason << '\n';
}

// r_low,r_high,n11,n12,n13,n22,n23,n33, one row a bin.
std::string HistogramCsv(const PairHistogram& h)
{
    std::string text = "r_low,r_high,n11,n12,n13,n22,n23,n33\n";
    const Real width = (h.To - h.From) / h.Bins;
    for (int b = 0; b < h.Bins; ++b) {
        text += RealToText(h.From + b * width) + ',' + RealToText(b + 1 == h.Bins ? h.To : h.From + (b + 1) * width);
        for (const auto& counts : h.Counts)
            text += ',' + std::to_string(counts[std::size_t(b)]);
        text += '\n';
    }
    return text;
}

std::int64_t Sum(const std::array<std::int64_t, GroupPairCount>& counts)
{
    std::int64_t sum = 0;
    for (std::int64_t c : counts)
        sum += c;
    return sum;
}

} // namespace

const CommandForm& AnalyzeForm()
{
    static const CommandForm form = [] {
        CommandForm form{
            .Name = "analyze",
            .Operands = {"FILE.ato"},
            .Summary = "the clusters and the energy of the scene; see below",
            .Options =
                {
                    {"--cutoff", "R",
                     "two points are bound closer than R (a positive\n"
                     "distance) instead of the law's own cutoff"},
                    {"--histogram", "FILE.csv",
                     "write the histogram of the pair distances per pair of\n"
                     "groups: r_low,r_high,n11,n12,n13,n22,n23,n33"},
                    {"--bins", "N", "its number of bins, 1 or more (300)"},
                    {"--range", "A:B", "its distances, A up to B, A below B (0:3)"},
                },
            .Notes = "Prints, one figure a line: the present points and how many were left out\n"
                     "for a position that is not a finite number; the cutoff of each pair of\n"
                     "groups with points; the clusters (two points are bound closer than their\n"
                     "cutoff, a cluster is a connected group of bound points): their number, the\n"
                     "largest's size and each one's slots, largest first; then the energy: kinetic,\n"
                     "potential and total where the run conserves it, else \"not conserved\" or\n"
                     "\"not defined\" with the reason, or the text of the law's fault. The switches\n"
                     "are those of the run whose energy is meant (a scene file holds none).\n"
                     "The law's cutoff of a pair is the edge of the innermost well of its push\n"
                     "curve: the first unstable equilibrium beyond the innermost stable one, the\n"
                     "smaller of the two groups' when they differ, per parity under Taoscope; a\n"
                     "curve with no stable equilibrium binds nothing. A pair held only by a long\n"
                     "pull (the contact term) is bound by its energy but not by a well: give\n"
                     "--cutoff to count it.\n",
        };
        form.Options.insert(form.Options.end(), RunSwitchOptions().begin(), RunSwitchOptions().end());
        return form;
    }();
    return form;
}

int AnalyzeCommand(const CommandLine& args, std::istream& in, std::ostream& out)
{
    const AnalyzeRequest request = ParseAnalyze(args);
    const TaonSystem system = LoadScene(request.File, in);
    StructureGauge gauge(request.Cutoff);
    const StructureFigures figures = gauge.Measure(system, request.Switches);
    const FinitePoints points = FinitePresentPoints(system);
    out << "points: " << points.Slots.size() << '\n' << "left out: " << points.LeftOut << '\n';
    if (request.Cutoff)
        out << "cutoff: " << RealToText(*request.Cutoff) << '\n';
    else
        PrintCutoffs(system, gauge, request.Switches, out);
    PrintClusters(figures.Found, out);
    PrintEnergy(figures.Energy, out);
    if (!request.Histogram.empty()) {
        const PairHistogram h = HistogramOfDistances(system, request.From, request.To, request.Bins);
        OnWrittenFile(request.Histogram, [&] {
            WriteFileAtomically(Path(request.Histogram), QByteArray::fromStdString(HistogramCsv(h)));
        });
        out << "histogram: " << Sum(h.Below) << " pairs below " << RealToText(h.From) << ", " << Sum(h.Above)
            << " from " << RealToText(h.To) << " on\n";
    }
    FlushOutput(out, "analyze");
    return 0;
}
