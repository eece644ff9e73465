// SPDX-License-Identifier: MIT
#include "tempconfig.h"

#include "scenes/startfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

TempConfig::TempConfig() : previous_(qgetenv("XDG_CONFIG_HOME"))
{
    QVERIFY(dir_.isValid());
    QDir(dir_.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path() + QStringLiteral("/config")));
}

TempConfig::~TempConfig()
{
    qputenv("XDG_CONFIG_HOME", previous_);
}

QString TempConfig::Path(const QString& name) const
{
    return dir_.path() + QLatin1Char('/') + name;
}

QString TempConfig::StartFile() const
{
    return StartFilePath();
}

void TempConfig::WriteStartFile(const QByteArray& content) const
{
    QDir().mkpath(QFileInfo(StartFile()).absolutePath());
    WriteFile(StartFile(), content);
}

QByteArray TempConfig::ReadFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TempConfig::WriteFile(const QString& path, const QByteArray& content) const
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}
