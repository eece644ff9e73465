// SPDX-License-Identifier: MIT
#include "scenes/runsummary.h"

#include "scenes/realtext.h"
#include "scenes/runlog.h"

QByteArray RunSummaryHeader(const std::vector<std::string>& names)
{
    std::string header;
    for (const std::string& name : names)
        header += name + ',';
    return QByteArray::fromStdString(header + "steps,status,") + RunLogHeader();
}

QByteArray RunSummaryRow(const RunSummary& summary)
{
    std::string row;
    for (const auto& [name, value] : summary.Set)
        row += RealToText(value) + ',';
    row += std::to_string(summary.Steps) + ',' + CsvField(summary.Status) + ',';
    return QByteArray::fromStdString(row) + RunLogRow(summary.Last);
}

QByteArray RunSummaryText(const RunSummary& summary)
{
    std::vector<std::string> names;
    for (const auto& setting : summary.Set)
        names.push_back(setting.first);
    return RunSummaryHeader(names) + RunSummaryRow(summary);
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}
