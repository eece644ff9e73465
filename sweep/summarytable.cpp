// SPDX-License-Identifier: MIT
#include "sweep/summarytable.h"

#include "model/usererror.h"
#include "scenes/realtext.h"
#include "scenes/runsummary.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {

Real NumberOf(const std::string& text)
{
    Real value = NAN;
    return TextToReal(text, value) ? value : Real(NAN);
}

// The distinct values of a column, in increasing order.
std::vector<std::string> Values(const SummaryTable& table, int column)
{
    std::vector<std::string> values;
    for (const auto& row : table.Rows)
        if (std::find(values.begin(), values.end(), row[std::size_t(column)]) == values.end())
            values.push_back(row[std::size_t(column)]);
    std::sort(values.begin(), values.end(),
              [](const std::string& a, const std::string& b) { return NumberOf(a) < NumberOf(b); });
    return values;
}

} // namespace

int SummaryTable::Column(const std::string& name) const
{
    const auto found = std::find(Columns.begin(), Columns.end(), name);
    return found == Columns.end() ? -1 : int(found - Columns.begin());
}

SummaryTable SummaryTableFromText(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    SummaryTable table;
    if (lines.isEmpty())
        return table;
    table.Columns = CsvFields(lines[0].toStdString());
    for (int k = 1; k < lines.size(); ++k) {
        table.Rows.push_back(CsvFields(lines[k].toStdString()));
        if (table.Rows.back().size() != table.Columns.size())
            throw UserError("summary line " + std::to_string(k + 1) + ": not as many fields as columns");
    }
    return table;
}

std::optional<double> FieldFigure(const SummaryTable& table, std::size_t row, int column)
{
    const int status = table.Column("status");
    const bool ok = status >= 0 && table.Rows[row][std::size_t(status)] == "ok";
    if (column == status)
        return ok ? 0.0 : 1.0;
    const double value = double(NumberOf(table.Rows[row][std::size_t(column)]));
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

SweepGrid GridOf(const SummaryTable& table, const std::string& xName, const std::string& yName)
{
    const int x = table.Column(xName), y = table.Column(yName);
    SweepGrid grid;
    if (x < 0 || y < 0)
        return grid;
    grid.X = Values(table, x);
    grid.Y = Values(table, y);
    grid.Cells.assign(grid.X.size() * grid.Y.size(), -1);
    for (std::size_t row = 0; row < table.Rows.size(); ++row) {
        const auto& fields = table.Rows[row];
        const auto cx = std::find(grid.X.begin(), grid.X.end(), fields[std::size_t(x)]) - grid.X.begin();
        const auto cy = std::find(grid.Y.begin(), grid.Y.end(), fields[std::size_t(y)]) - grid.Y.begin();
        grid.Cells[std::size_t(cy) * grid.X.size() + std::size_t(cx)] = int(row);
    }
    return grid;
}
