// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that stands in for the user's configuration folder (the
// start file lives below it) and holds the scenes a test writes.
class TempConfig {
public:
    TempConfig();
    ~TempConfig();

    QString Path(const QString& name) const; // a file in the scratch folder
    QString StartFile() const;
    void WriteStartFile(const QByteArray& content) const;
    QByteArray ReadFile(const QString& path) const;
    void WriteFile(const QString& path, const QByteArray& content) const;

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};
