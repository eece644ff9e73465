// SPDX-License-Identifier: MIT
#include "scenes/sweeptable.h"

#include "model/usererror.h"
#include "scenes/realtext.h"
#include "scenes/scenetext.h"

#include <QList>

Settings SweepTable::JobSettings(int id) const
{
    Settings settings;
    for (std::size_t k = 0; k < Names.size(); ++k)
        settings.emplace_back(Names[k], Jobs.at(std::size_t(id - 1))[k]);
    return settings;
}

QByteArray SweepTableText(const SweepTable& table)
{
    std::string text = "id";
    for (const std::string& name : table.Names)
        text += ',' + name;
    text += '\n';
    for (std::size_t job = 0; job < table.Jobs.size(); ++job) {
        text += std::to_string(job + 1);
        for (const Real value : table.Jobs[job])
            text += ',' + RealToText(value);
        text += '\n';
    }
    return QByteArray::fromStdString(text);
}

SweepTable SweepTableFromText(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    const auto fault = [](int line) {
        return UserError("not a sweep's job table (line " + std::to_string(line) + ")");
    };
    if (lines.isEmpty())
        throw fault(1);
    const std::vector<std::string> header = CsvFields(lines[0].toStdString());
    if (header.front() != "id")
        throw fault(1);
    SweepTable table;
    table.Names.assign(header.begin() + 1, header.end());
    for (const std::string& name : table.Names)
        if (!SceneScalarNamed(name))
            throw fault(1);
    for (int line = 1; line < lines.size(); ++line) {
        const std::vector<std::string> fields = CsvFields(lines[line].toStdString());
        if (fields.size() != header.size() || fields[0] != std::to_string(line))
            throw fault(line + 1);
        std::vector<Real> values(table.Names.size());
        for (std::size_t k = 0; k < values.size(); ++k)
            if (!TextToReal(fields[k + 1], values[k]))
                throw fault(line + 1);
        table.Jobs.push_back(values);
    }
    return table;
}
