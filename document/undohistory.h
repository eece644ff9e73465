// SPDX-License-Identifier: MIT
#pragma once

#include "document/scenestate.h"
#include "scenes/filenames.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <optional>

// One way back or forth: the state and file names to return to, and what the
// command was called.
struct UndoEntry {
    QString Caption;
    SceneState State;
    FileNames Names;
    bool ReplacesScene = false; // the entry brings back another scene
};

// Undo and redo as two stacks of snapshots: undoing an entry puts the present
// on the redo stack under the same caption, and the other way round. A new
// entry clears the redo stack. The undo stack keeps at most EntryLimit
// entries and ByteLimit bytes, dropping the oldest first.
class UndoHistory {
public:
    static constexpr int DefaultEntryLimit = 1000;
    static constexpr std::size_t DefaultByteLimit = std::size_t(64) << 20;

    explicit UndoHistory(int entryLimit = DefaultEntryLimit, std::size_t byteLimit = DefaultByteLimit);

    void Push(UndoEntry entry);
    // The entry to return to; `present` goes onto the other stack.
    std::optional<UndoEntry> Undo(UndoEntry present);
    std::optional<UndoEntry> Redo(UndoEntry present);
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    QString UndoCaption() const;
    QString RedoCaption() const;
    int UndoCount() const { return int(undo_.size()); }
    std::size_t Bytes() const;

    // What one entry holds, file names included.
    static std::size_t EntryBytes(const UndoEntry& entry);

private:
    // Moves the top of `from` out and `present` onto `to` under its caption.
    std::optional<UndoEntry> Step(std::deque<UndoEntry>& from, std::size_t& fromBytes, std::deque<UndoEntry>& to,
                                  std::size_t& toBytes, UndoEntry present);
    void DropOldest();

    int entryLimit_;
    std::size_t byteLimit_;
    std::deque<UndoEntry> undo_;
    std::deque<UndoEntry> redo_;
    std::size_t undoBytes_ = 0;
    std::size_t redoBytes_ = 0;
};
