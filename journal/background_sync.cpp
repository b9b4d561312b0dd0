// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "background_sync.h"

namespace journal {

BackgroundSync::BackgroundSync(SystemFile& file) : file_(file), thread_([this] { run(); }) {}

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

std::string BackgroundSync::takeError() {
    std::lock_guard lock(mutex_);
    return std::exchange(error_, {});
}

std::string BackgroundSync::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
    const std::string last = file_.sync();
    const std::string earlier = takeError();
    return earlier.empty() ? last : earlier;
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
        std::string error = file_.sync();
        lock.lock();
        ++syncs_;
        if (error_.empty())
            error_ = std::move(error);
    }
}

} // namespace journal
