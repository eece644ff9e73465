// SPDX-License-Identifier: MIT
#pragma once

#include "scenes/runsummary.h"

#include <QByteArray>

#include <string>
#include <vector>

// A sweep's jobs: the names varied (dt or A1 ... G3) and, per job, one value
// for each. As CSV, a header and one row per job, numbered from 1, every
// value in the exact text `show` writes:
//
//   id,A1,dt
//   1,0.5,0.001
struct SweepTable {
    std::vector<std::string> Names;
    std::vector<std::vector<Real>> Jobs; // job id = index + 1

    // The --set values of job `id`.
    Settings JobSettings(int id) const;
};

QByteArray SweepTableText(const SweepTable& table);
// The inverse of SweepTableText; UserError names the line that is not.
SweepTable SweepTableFromText(const QByteArray& text);
