// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

// Records a run as numbered pictures, frame-000001.png, frame-000002.png, ...
// in one folder: the picture of every N-th step it is shown. The numbers go
// on after the highest frame already in the folder, and no frame file is ever
// written over: a name taken meanwhile fails the write. PNG encoding
// and writing happen on a thread of its own, so the run only hands over the
// picture; when the disk falls behind, the queue fills and the run waits
// rather than a frame being lost. The first write failure ends the
// recording: no more frames are taken, the ones written stay.
class FrameRecorder {
public:
    static constexpr int DefaultQueueLimit = 4;

    FrameRecorder(const QString& folder, int every, int queueLimit = DefaultQueueLimit);
    // Writes what is queued, then ends the thread.
    ~FrameRecorder();
    FrameRecorder(const FrameRecorder&) = delete;
    FrameRecorder& operator=(const FrameRecorder&) = delete;

    // One run step drawn: every N-th call queues the picture as the next frame.
    void StepDrawn(const QImage& picture);
    // Waits until every queued frame is written (or the recording failed).
    void Flush();
    // Throws the failure that ended the recording, a UserError with the file
    // error text; does nothing while all went well.
    void ThrowFailure() const;
    bool Failed() const;

    static QString FrameName(int number);
    // The highest number among the folder's frame names, 0 for none.
    static int LastFrameNumber(const QString& folder);

private:
    void Work();

    const QString folder_;
    const int every_;
    const std::size_t queueLimit_;
    int steps_ = 0;  // steps shown since the recording began
    int frames_;     // the number of the last frame queued

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<int, QImage>> queue_;
    bool writing_ = false;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread worker_; // last: starts once everything above is ready
};
