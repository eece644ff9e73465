// SPDX-License-Identifier: MIT
#include "model/workerpool.h"

#include <algorithm>
#include <system_error>

WorkerPool::WorkerPool(int threadCount)
{
    if (threadCount <= 0)
        threadCount = int(std::max(1u, std::thread::hardware_concurrency()));
    try {
        for (int t = 1; t < threadCount; ++t)
            workers_.emplace_back([this, t] { Work(t); });
    } catch (const std::system_error&) {
        // Fewer threads than cores is slower, not wrong: carry on with those started.
    }
}

WorkerPool::~WorkerPool()
{
    Close();
}

void WorkerPool::Close()
{
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
}

void WorkerPool::Run(const std::function<void(int)>& task)
{
    if (workers_.empty()) {
        task(0);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        busy_ = int(workers_.size());
        failure_ = nullptr;
        ++round_;
    }
    wake_.notify_all();

    std::exception_ptr own;
    try {
        task(0);
    } catch (...) {
        own = std::current_exception();
    }

    std::exception_ptr other;
    {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return busy_ == 0; });
        task_ = nullptr;
        other = failure_;
        failure_ = nullptr;
    }
    if (own)
        std::rethrow_exception(own);
    if (other)
        std::rethrow_exception(other);
}

void WorkerPool::Work(int index)
{
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void(int)>* task = nullptr;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return closing_ || round_ != seen; });
            if (closing_)
                return;
            seen = round_;
            task = task_;
        }
        std::exception_ptr failure;
        try {
            (*task)(index);
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex_);
        if (failure && !failure_)
            failure_ = failure;
        if (--busy_ == 0)
            finished_.notify_one();
    }
}
