// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A sweep's results in its folder: per job ID.ato, the end scene, and ID.csv,
// the job's summary (written last, so a job with its summary is complete),
// beside jobs.csv, the job table, and summary.csv, every job's summary.
QString JobScenePath(const QString& folder, int id);
QString JobSummaryPath(const QString& folder, int id);
QString JobTablePath(const QString& folder);
QString MergedSummaryPath(const QString& folder);

struct MergedSummary {
    QByteArray Text; // "id," and the summaries' header, then each job's row, by id
    int Jobs = 0;
    int Failed = 0; // rows whose status is not "ok"
};

// The summaries of the files, each named by its job's id (ID.csv). Throws
// UserError naming a file that is no summary or whose header differs from
// the first's.
MergedSummary MergeSummaries(const QStringList& files);

// The job summaries in the folder, by id.
QStringList JobSummaryFiles(const QString& folder);

// Merges the folder's job summaries into its summary.csv. Runners that share
// the folder merge one at a time, so the last to finish leaves every result.
MergedSummary MergeFolder(const QString& folder);
