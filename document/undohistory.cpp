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
    return Step(undo_, undoBytes_, redo_, redoBytes_, std::move(present));
}

std::optional<UndoEntry> UndoHistory::Redo(UndoEntry present)
{
    std::optional<UndoEntry> entry = Step(redo_, redoBytes_, undo_, undoBytes_, std::move(present));
    DropOldest();
    return entry;
}

std::optional<UndoEntry> UndoHistory::Step(std::deque<UndoEntry>& from, std::size_t& fromBytes,
                                           std::deque<UndoEntry>& to, std::size_t& toBytes, UndoEntry present)
{
    if (from.empty())
        return std::nullopt;
    UndoEntry entry = std::move(from.back());
    from.pop_back();
    fromBytes -= EntryBytes(entry);
    present.Caption = entry.Caption;
    present.ReplacesScene = entry.ReplacesScene;
    toBytes += EntryBytes(present);
    to.push_back(std::move(present));
    return entry;
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
