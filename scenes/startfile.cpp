// SPDX-License-Identifier: MIT
#include "scenes/startfile.h"

#include "scenes/atomicwrite.h"
#include "scenes/inputfile.h"

#include <QDir>

#include <algorithm>

namespace {

// A path, not a document: the first line is never longer than this.
constexpr qint64 StartLineLimit = 1 << 16;

} // namespace

QString StartFilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zarvitone/Start.zarv");
}

bool ReadStartFile(FileNames& names)
{
    std::optional<InputFile> file = InputFile::TryOpen(StartFilePath());
    if (!file)
        return false;
    QByteArray line = file->Read(StartLineLimit);
    file->Close();
    const auto lineEnd = std::find_if(line.cbegin(), line.cend(), [](char c) { return c == '\r' || c == '\n'; });
    line.truncate(lineEnd - line.cbegin());
    names.StartSceneName = QString::fromUtf8(line);
    return true;
}

void WriteStartFile(const FileNames& names)
{
    WriteFileAtomically(StartFilePath(), names.StartSceneName.toUtf8(), true);
}

void CreateEmptyStartFile()
{
    WriteFileAtomically(StartFilePath(), QByteArray(), true);
}
