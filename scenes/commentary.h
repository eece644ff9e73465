// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// The commentary file of a scene: its path without the last four characters,
// followed by ".txt" (shorter paths keep all they have).
QString CommentaryPath(const QString& scenePath);

// The commentary text, or nothing when the file cannot be opened. Read
// failures after the open throw. Text that is not UTF-8 is taken byte for
// byte as Latin-1, so nothing of it is lost.
std::optional<QString> LoadCommentary(const QString& scenePath);

// Writes the lines of `text` to the commentary file, each ended by CR LF.
void SaveCommentary(const QString& scenePath, const QString& text);
