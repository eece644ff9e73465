// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

// Trajectories for other tools: the present slots' committed state, one frame
// after another.
//
// Extended XYZ (.xyz): per frame a count line, the comment line
//   Properties=species:S:1:pos:R:3:velo:R:3:momenta:R:3:group:I:1 step=N time=T
// and one line per present slot: X x y z u v w u v w group. X is the
// placeholder element every reader accepts. The velocities go out twice, as
// no one name means velocity to both readers: OVITO takes velo as its
// Velocity, ASE takes momenta and divides by the mass, which is 1 for X.
// CSV (.csv): the header step,time,slot,group,x,y,z,u,v,w, then one row per
// present slot and frame.
//
// Numbers are the shortest decimals that read back to the same 80-bit value.
// What has no decimal goes out as the readers' words: a NaN of any payload as
// nan or -nan by its sign (as the scene text and the run log write the plain
// NaNs), infinities as inf and -inf.
enum class TrajectoryFormat { ExtendedXyz, Csv };

// By the file name's extension, in any case; nothing for another one.
std::optional<TrajectoryFormat> TrajectoryFormatOf(const QString& path);

// The text written before the first frame (the CSV header; nothing for XYZ).
std::string TrajectoryHeader(TrajectoryFormat format);
// Appends the frame of `system` at `step`, model time `time`, to `text`.
void AppendTrajectoryFrame(std::string& text, TrajectoryFormat format, const TaonSystem& system, std::int64_t step,
                           Real time);
