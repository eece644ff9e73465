// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A file opened for reading. Read and close failures throw UserError with the
// file error text.
class InputFile {
public:
    // A failed open throws UserError with the file error text.
    static InputFile Open(const QString& path);
    // Nothing when the file cannot be opened, which the caller handles
    // without a box; never throws.
    static std::optional<InputFile> TryOpen(const QString& path);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&&) = delete;
    InputFile(const InputFile&) = delete;
    ~InputFile();

    // Up to maxBytes; fewer only at the end of the file.
    QByteArray Read(qint64 maxBytes);
    QByteArray ReadAll();
    void Close();

private:
    InputFile(int descriptor, QString path);
    int descriptor_;
    QString path_;
};
