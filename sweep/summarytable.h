// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>
#include <string>
#include <vector>

// A sweep's merged summary read back, for the Sweep window's table and map.
struct SummaryTable {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows; // each as long as Columns

    // The column's index, or -1.
    int Column(const std::string& name) const;
};

// UserError when a row's fields do not match the header.
SummaryTable SummaryTableFromText(const QByteArray& text);

// The figure of one field: the status as 0 for ok and 1 for a fault, any
// other column as its number; nothing for a fault's row (its figures are
// those of a broken state) or a field that is no finite number.
std::optional<double> FieldFigure(const SummaryTable& table, std::size_t row, int column);

// The rows placed on the grid of two varied names: the distinct values of
// each, in increasing order, and for every cell the row showing it (-1 for
// none yet), x fastest: Cells[y * X.size() + x].
struct SweepGrid {
    std::vector<std::string> X, Y; // the values' text as in the table
    std::vector<int> Cells;
};
SweepGrid GridOf(const SummaryTable& table, const std::string& xName, const std::string& yName);
