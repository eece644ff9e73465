// SPDX-License-Identifier: MIT
#include "scenes/runlog.h"

#include "scenes/atomicwrite.h"
#include "scenes/realtext.h"

#include <string>

QByteArray RunLogHeader()
{
    return QByteArrayLiteral("step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax,clusters,largest,epot,etot\n");
}

QByteArray RunLogRow(const RunSample& sample)
{
    std::string row = std::to_string(sample.Step) + "," + RealToText(sample.Time);
    for (Real value : FiguresInLogOrder(sample.Figures))
        row.append(",").append(RealToText(value));
    const StructureSample& structure = sample.Structure;
    for (const std::optional<int>& count : {structure.Clusters, structure.Largest})
        row.append(",").append(count ? std::to_string(*count) : std::string());
    for (const std::optional<Real>& energy : {structure.Potential, structure.Total})
        row.append(",").append(energy ? RealToText(*energy) : std::string());
    row.append("\n");
    return QByteArray::fromStdString(row);
}

void WriteRunLog(const QString& path, const std::vector<RunSample>& samples)
{
    QByteArray text = RunLogHeader();
    for (const RunSample& sample : samples)
        text += RunLogRow(sample);
    WriteFileAtomically(path, text);
}
