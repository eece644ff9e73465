// SPDX-License-Identifier: MIT
#include "view/framerecorder.h"

#include "view/picturefile.h"

#include <QDir>

FrameRecorder::FrameRecorder(const QString& folder, int every, int queueLimit)
    : folder_(folder), every_(std::max(every, 1)), queueLimit_(std::size_t(std::max(queueLimit, 1))),
      frames_(LastFrameNumber(folder)), worker_([this] { Work(); })
{}

FrameRecorder::~FrameRecorder()
{
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

QString FrameRecorder::FrameName(int number)
{
    return QStringLiteral("frame-%1.png").arg(number, 6, 10, QLatin1Char('0'));
}

int FrameRecorder::LastFrameNumber(const QString& folder)
{
    int last = 0;
    // Any entry holds its name, a folder or a hidden file as well.
    const QStringList names = QDir(folder).entryList({QStringLiteral("frame-*.png")},
                                                     QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        bool isNumber = false;
        const int number = name.mid(6, name.size() - 10).toInt(&isNumber);
        if (isNumber && number > last && name == FrameName(number))
            last = number;
    }
    return last;
}

void FrameRecorder::StepDrawn(const QImage& picture)
{
    if (++steps_ % every_ != 0)
        return;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < queueLimit_ || failure_; });
    if (failure_)
        return;
    // A shallow copy: the run's next draw detaches its own picture.
    queue_.emplace_back(++frames_, picture);
    lock.unlock();
    changed_.notify_all();
}

void FrameRecorder::Flush()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return (queue_.empty() && !writing_) || failure_; });
}

void FrameRecorder::ThrowFailure() const
{
    const std::lock_guard lock(mutex_);
    if (failure_)
        std::rethrow_exception(failure_);
}

bool FrameRecorder::Failed() const
{
    const std::lock_guard lock(mutex_);
    return bool(failure_);
}

void FrameRecorder::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
        if (queue_.empty())
            return;
        auto [number, picture] = std::move(queue_.front());
        queue_.pop_front();
        writing_ = true;
        lock.unlock();
        changed_.notify_all(); // room in the queue
        std::exception_ptr failure;
        try {
            WriteNewPicture(picture, QDir(folder_).filePath(FrameName(number)));
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        writing_ = false;
        if (failure) {
            failure_ = failure;
            queue_.clear();
        }
        changed_.notify_all();
    }
}
