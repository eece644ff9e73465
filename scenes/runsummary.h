// SPDX-License-Identifier: MIT
#pragma once

#include "model/real.h"
#include "model/runquantities.h"

#include <QByteArray>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What one run came to, as `run --summary` and every sweep job write it: the
// values set, the steps done, the status ("ok", or the fault's text and the
// step it met) and the figures of the last committed state, the run log's
// columns (runlog.h) so that the summary follows the log:
//
//   A1,dt,steps,status,step,time,ke1,...
//
// Every real in its exact text (RealToText), the status quoted as CSV where
// it needs to be.
using Settings = std::vector<std::pair<std::string, Real>>;

struct RunSummary {
    Settings Set;
    std::int64_t Steps = 0;
    std::string Status = "ok";
    RunSample Last;
};

QByteArray RunSummaryHeader(const std::vector<std::string>& names);
QByteArray RunSummaryRow(const RunSummary& summary);
// The header of the summary's names and its row: a summary file.
QByteArray RunSummaryText(const RunSummary& summary);

// The fields of one CSV line (without its line end), quotes undone.
std::vector<std::string> CsvFields(const std::string& line);
// A field quoted where it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);
