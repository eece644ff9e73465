// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of threads, started once and woken for each round of work.
class WorkerPool {
public:
    // threadCount counts the calling thread; 0 means one per core.
    explicit WorkerPool(int threadCount = 0);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int ThreadCount() const { return int(workers_.size()) + 1; }

    // Runs task(t) once for every t in 0..ThreadCount()-1, t = 0 on the calling
    // thread, and returns when all have finished. An exception from a task is
    // rethrown here.
    void Run(const std::function<void(int)>& task);

private:
    void Work(int index);
    void Close();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const std::function<void(int)>* task_ = nullptr;
    std::uint64_t round_ = 0;
    int busy_ = 0;
    bool closing_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> workers_;
};
