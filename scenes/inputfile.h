#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// How a failed open is treated: Guarded reports it (throws UserError with the
// file error text), Tested only tells the caller, who carries on without a box.
enum class OpenCheck { Guarded, Tested };

// A file opened for reading. Read and close failures always throw.
class InputFile {
public:
    static std::optional<InputFile> Open(const QString& path, OpenCheck check);

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
