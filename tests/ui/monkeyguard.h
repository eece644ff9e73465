// SPDX-License-Identifier: MIT
#pragma once

// What turns a hang or a loud Qt message into a failed test instead of a
// blocked ctest or a line nobody reads.
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace monkey {

// The last actions, for the report of a failure or a hang.
class ActionLog {
public:
    void Add(const std::string& line)
    {
        const std::lock_guard lock(mutex_);
        lines_.push_back(line);
        if (lines_.size() > 40)
            lines_.pop_front();
    }
    std::string Tail() const
    {
        const std::lock_guard lock(mutex_);
        std::string text;
        for (const std::string& line : lines_)
            text += "  " + line + "\n";
        return text;
    }

private:
    mutable std::mutex mutex_;
    std::deque<std::string> lines_;
};

// Aborts the process, naming the last actions, when no action has completed
// for `limit`.
class Watchdog {
public:
    Watchdog(const ActionLog& log, std::chrono::seconds limit) : log_(log), limit_(limit), thread_([this] { Watch(); })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void Progress() { last_ = Clock::now().time_since_epoch().count(); }

private:
    using Clock = std::chrono::steady_clock;

    void Watch()
    {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) {
            const Clock::time_point last{Clock::duration(last_.load())};
            if (Clock::now() - last > limit_) {
                std::fprintf(stderr, "monkey: no action completed for %lld s - the program hangs. Last actions:\n%s",
                             static_cast<long long>(limit_.count()), log_.Tail().c_str());
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    const ActionLog& log_;
    const std::chrono::seconds limit_;
    std::atomic<Clock::rep> last_{Clock::now().time_since_epoch().count()};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_; // last: starts once the rest is set
};

// Collects Qt's messages while it lives: critical ones fail the test (fatal
// ones end it anyway), warnings are counted and shown once each.
class MessageGuard {
public:
    MessageGuard() : previous_(qInstallMessageHandler(&Handle)) { instance_ = this; }
    ~MessageGuard()
    {
        qInstallMessageHandler(previous_);
        instance_ = nullptr;
    }
    MessageGuard(const MessageGuard&) = delete;
    MessageGuard& operator=(const MessageGuard&) = delete;

    QString Critical() const
    {
        const std::lock_guard lock(mutex_);
        return critical_;
    }
    std::map<QString, int> Warnings() const
    {
        const std::lock_guard lock(mutex_);
        return warnings_;
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        MessageGuard* self = instance_;
        bool show = true;
        {
            const std::lock_guard lock(self->mutex_);
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                if (self->critical_.isEmpty())
                    self->critical_ = text;
            } else if (type == QtWarningMsg) {
                show = ++self->warnings_[text] == 1;
            }
        }
        if (show)
            self->previous_(type, context, text);
    }

    static inline MessageGuard* instance_ = nullptr;
    QtMessageHandler previous_;
    mutable std::mutex mutex_;
    QString critical_;
    std::map<QString, int> warnings_;
};

} // namespace monkey
