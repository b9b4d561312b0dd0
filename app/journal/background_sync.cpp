// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "background_sync.h"

#include <cerrno>

#include <unistd.h>

namespace journal {

namespace {

int syncData(int fd) {
    int result;
    do
        result = ::fdatasync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

} // namespace

BackgroundSync::BackgroundSync(int fd) : fd_(fd), thread_([this] { run(); }) {}

BackgroundSync::~BackgroundSync() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
}

void BackgroundSync::request() {
    {
        std::lock_guard lock(mutex_);
        requested_ = true;
    }
    wake_.notify_one();
}

int BackgroundSync::takeError() {
    std::lock_guard lock(mutex_);
    const int error = error_;
    error_ = 0;
    return error;
}

int BackgroundSync::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
    const int last = syncData(fd_);
    const int earlier = takeError();
    return earlier != 0 ? earlier : last;
}

std::uint64_t BackgroundSync::syncs() {
    std::lock_guard lock(mutex_);
    return syncs_;
}

void BackgroundSync::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return requested_ || stopping_; });
        // stop() makes the last sync itself.
        if (stopping_)
            return;
        requested_ = false;
        lock.unlock();
        const int error = syncData(fd_);
        lock.lock();
        ++syncs_;
        if (error_ == 0)
            error_ = error;
    }
}

} // namespace journal
