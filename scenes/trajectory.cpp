// SPDX-License-Identifier: MIT
#include "scenes/trajectory.h"

#include "model/law.h"
#include "scenes/realtext.h"

#include <QFileInfo>

std::optional<TrajectoryFormat> TrajectoryFormatOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("xyz"))
        return TrajectoryFormat::ExtendedXyz;
    if (extension == QLatin1String("csv"))
        return TrajectoryFormat::Csv;
    return std::nullopt;
}

std::string TrajectoryHeader(TrajectoryFormat format)
{
    return format == TrajectoryFormat::Csv ? "step,time,slot,group,x,y,z,u,v,w\n" : "";
}

void AppendTrajectoryFrame(std::string& text, TrajectoryFormat format, const TaonSystem& s, std::int64_t step,
                           Real time)
{
    const int count = SlotsInUse(s);
    const bool xyz = format == TrajectoryFormat::ExtendedXyz;
    const char separator = xyz ? ' ' : ',';
    const std::string stepText = std::to_string(step);
    const std::string timeText = RealToPortableText(time);
    if (xyz) {
        int present = 0;
        for (int i = 1; i <= count; ++i)
            present += s.Present[i] != 0;
        text.append(std::to_string(present))
            .append("\nProperties=species:S:1:pos:R:3:velo:R:3:momenta:R:3:group:I:1 step=");
        text.append(stepText).append(" time=").append(timeText).append("\n");
    }
    for (int i = 1; i <= count; ++i) {
        if (!s.Present[i])
            continue;
        const char group = char('0' + GroupOf(i, count));
        if (xyz)
            text += 'X';
        else
            text += stepText + ',' + timeText + ',' + std::to_string(i) + ',' + group;
        for (const SlotReals* array : {&s.X, &s.Y, &s.Z})
            text.append(1, separator).append(RealToPortableText((*array)[i]));
        std::string velocity;
        for (const SlotReals* array : {&s.U, &s.V, &s.W})
            velocity.append(1, separator).append(RealToPortableText((*array)[i]));
        text += velocity;
        if (xyz)
            text.append(velocity).append(1, ' ').append(1, group);
        text += '\n';
    }
}
