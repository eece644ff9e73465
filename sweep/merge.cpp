// SPDX-License-Identifier: MIT
#include "sweep/merge.h"

#include "model/usererror.h"
#include "scenes/atomicwrite.h"
#include "scenes/inputfile.h"
#include "scenes/runsummary.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

const QRegularExpression JobFileName(QStringLiteral("^([1-9][0-9]{0,8})\\.csv$"));

int StatusColumn(const QByteArray& header)
{
    const std::vector<std::string> names = CsvFields(header.toStdString());
    return int(std::find(names.begin(), names.end(), "status") - names.begin());
}

} // namespace

QString JobScenePath(const QString& folder, int id)
{
    return folder + '/' + QString::number(id) + ".ato";
}

QString JobSummaryPath(const QString& folder, int id)
{
    return folder + '/' + QString::number(id) + ".csv";
}

QString JobTablePath(const QString& folder)
{
    return folder + "/jobs.csv";
}

QString MergedSummaryPath(const QString& folder)
{
    return folder + "/summary.csv";
}

MergedSummary MergeSummaries(const QStringList& files)
{
    if (files.isEmpty())
        throw UserError("no job summaries to merge");
    std::map<int, QByteArray> rows;
    QByteArray header;
    for (const QString& file : files) {
        const std::string name = file.toStdString();
        const QRegularExpressionMatch id = JobFileName.match(QFileInfo(file).fileName());
        if (!id.hasMatch())
            throw UserError(name + ": a job's summary is named ID.csv, its job's number");
        QByteArray text;
        try {
            InputFile input = InputFile::Open(file);
            text = input.ReadAll();
            input.Close();
        } catch (const UserError& error) {
            throw UserError(name + ": " + error.what());
        }
        const QList<QByteArray> lines = text.split('\n');
        if (lines.size() != 3 || !lines[2].isEmpty() ||
            StatusColumn(lines[0]) == int(CsvFields(lines[0].toStdString()).size()))
            throw UserError(name + ": not a run's summary");
        if (header.isEmpty())
            header = lines[0];
        else if (lines[0] != header)
            throw UserError(name + ": its columns differ from the other summaries'");
        if (!rows.emplace(id.captured(1).toInt(), lines[1]).second)
            throw UserError(name + ": job " + id.captured(1).toStdString() + " is given twice");
    }
    MergedSummary merged;
    merged.Text = "id," + header + '\n';
    const int status = StatusColumn(header);
    for (const auto& [id, row] : rows) {
        merged.Text += QByteArray::number(id) + ',' + row + '\n';
        ++merged.Jobs;
        if (CsvFields(row.toStdString())[std::size_t(status)] != "ok")
            ++merged.Failed;
    }
    return merged;
}

QStringList JobSummaryFiles(const QString& folder)
{
    std::map<int, QString> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch id = JobFileName.match(name);
        if (id.hasMatch())
            files.emplace(id.captured(1).toInt(), folder + '/' + name);
    }
    QStringList list;
    for (const auto& file : files)
        list << file.second;
    return list;
}

MergedSummary MergeFolder(const QString& folder)
{
    QLockFile lock(folder + "/.summary.lock");
    if (!lock.lock())
        throw UserError(folder.toStdString() + ": the summary's lock could not be taken");
    const MergedSummary merged = MergeSummaries(JobSummaryFiles(folder));
    WriteFileAtomically(MergedSummaryPath(folder), merged.Text);
    return merged;
}
