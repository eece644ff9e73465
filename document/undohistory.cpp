// SPDX-License-Identifier: MIT
#include "document/undohistory.h"

#include <utility>

UndoHistory::UndoHistory(int entryLimit, std::size_t byteLimit) : entryLimit_(entryLimit), byteLimit_(byteLimit) {}

std::size_t UndoHistory::EntryBytes(const UndoEntry& entry)
{
    const auto text = [](const QString& s) { return std::size_t(s.size()) * sizeof(QChar); };
    return sizeof(UndoEntry) + text(entry.Caption) + text(entry.Names.SceneFileName) +
           text(entry.Names.StartSceneName) + text(entry.Names.SceneCaption);
}

void UndoHistory::Push(UndoEntry entry)
{
    redo_.clear();
    redoBytes_ = 0;
    undoBytes_ += EntryBytes(entry);
    undo_.push_back(std::move(entry));
    DropOldest();
}

std::optional<UndoEntry> UndoHistory::Undo(UndoEntry present)
{
    if (undo_.empty())
        return std::nullopt;
    UndoEntry back = std::move(undo_.back());
    undo_.pop_back();
    undoBytes_ -= EntryBytes(back);
    present.Caption = back.Caption;
    present.ReplacesScene = back.ReplacesScene;
    redoBytes_ += EntryBytes(present);
    redo_.push_back(std::move(present));
    return back;
}

std::optional<UndoEntry> UndoHistory::Redo(UndoEntry present)
{
    if (redo_.empty())
        return std::nullopt;
    UndoEntry forth = std::move(redo_.back());
    redo_.pop_back();
    redoBytes_ -= EntryBytes(forth);
    present.Caption = forth.Caption;
    present.ReplacesScene = forth.ReplacesScene;
    undoBytes_ += EntryBytes(present);
    undo_.push_back(std::move(present));
    DropOldest();
    return forth;
}

void UndoHistory::Clear()
{
    undo_.clear();
    redo_.clear();
    undoBytes_ = redoBytes_ = 0;
}

QString UndoHistory::UndoCaption() const
{
    return undo_.empty() ? QString() : undo_.back().Caption;
}

QString UndoHistory::RedoCaption() const
{
    return redo_.empty() ? QString() : redo_.back().Caption;
}

std::size_t UndoHistory::Bytes() const
{
    return undoBytes_ + redoBytes_;
}

void UndoHistory::DropOldest()
{
    while (!undo_.empty() && (int(undo_.size()) > entryLimit_ || undoBytes_ + redoBytes_ > byteLimit_)) {
        undoBytes_ -= EntryBytes(undo_.front());
        undo_.pop_front();
    }
}
