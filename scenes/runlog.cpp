#include "scenes/runlog.h"

#include "scenes/atomicwrite.h"
#include "scenes/realtext.h"

#include <string>

QByteArray RunLogHeader()
{
    return QByteArrayLiteral("step,time,ke1,ke2,ke3,ke,px,py,pz,p,cx,cy,cz,rg,vmax\n");
}

QByteArray RunLogRow(const RunSample& sample)
{
    const RunQuantities& q = sample.Figures;
    const Real reals[] = {sample.Time,  q.GroupKinetic[0], q.GroupKinetic[1], q.GroupKinetic[2], q.Kinetic,
                          q.Momentum.x, q.Momentum.y,      q.Momentum.z,      q.MomentumSize,    q.Centroid.x,
                          q.Centroid.y, q.Centroid.z,      q.Gyration,        q.LargestSpeed};
    std::string row = std::to_string(sample.Step);
    for (Real value : reals)
        row.append(",").append(RealToText(value));
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
