// SPDX-License-Identifier: MIT
#include "scenes/commentary.h"

#include "scenes/atomicwrite.h"
#include "scenes/inputfile.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>

QString CommentaryPath(const QString& scenePath)
{
    // Characters, not UTF-16 units: a character outside the BMP counts once.
    const QList<uint> characters = scenePath.toUcs4();
    const qsizetype keep = characters.size() < 4 ? characters.size() : characters.size() - 4;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), keep) + QStringLiteral(".txt");
}

std::optional<QString> LoadCommentary(const QString& scenePath)
{
    std::optional<InputFile> file = InputFile::TryOpen(CommentaryPath(scenePath));
    if (!file)
        return std::nullopt;
    const QByteArray bytes = file->ReadAll();
    file->Close();

    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    // CR LF, lone CR and lone LF all end a line.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The break after the last line ends that line; it does not start another.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

void SaveCommentary(const QString& scenePath, const QString& text)
{
    QByteArray bytes;
    if (!text.isEmpty())
        for (const QString& line : text.split(QLatin1Char('\n')))
            bytes += line.toUtf8() + "\r\n";
    WriteFileAtomically(CommentaryPath(scenePath), bytes);
}
