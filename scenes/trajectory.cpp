#include "scenes/trajectory.h"

#include "model/law.h"

#include <QFileInfo>

#include <charconv>
#include <cmath>

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

namespace {

// to_chars writes infinities as inf and -inf already, but a NaN with its sign.
void AppendTrajectoryNumber(std::string& text, Real value)
{
    if (std::isnan(value)) {
        text += "nan";
    } else {
        char buffer[64];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        text.append(buffer, ec == std::errc() ? end : buffer);
    }
}

} // namespace

void AppendTrajectoryFrame(std::string& text, TrajectoryFormat format, const TaonSystem& s, std::int64_t step,
                           Real time)
{
    const int count = SlotsInUse(s);
    const bool xyz = format == TrajectoryFormat::ExtendedXyz;
    const char separator = xyz ? ' ' : ',';
    const std::string stepText = std::to_string(step);
    std::string timeText;
    AppendTrajectoryNumber(timeText, time);
    if (xyz) {
        int present = 0;
        for (int i = 1; i <= count; ++i)
            present += s.Present[i] != 0;
        text.append(std::to_string(present)).append("\nProperties=species:S:1:pos:R:3:vel:R:3:group:I:1 step=");
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
        for (const SlotReals* array : {&s.X, &s.Y, &s.Z, &s.U, &s.V, &s.W}) {
            text += separator;
            AppendTrajectoryNumber(text, (*array)[i]);
        }
        if (xyz)
            text.append(1, ' ').append(1, group);
        text += '\n';
    }
}
