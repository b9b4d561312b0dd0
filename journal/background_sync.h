// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system_file.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace journal {

// Brings a file's written data to stable storage on a thread of its own, soon
// after each write, so that no writer waits for the disk. Writes that come
// while a sync runs share the next one.
class BackgroundSync {
public:
    explicit BackgroundSync(SystemFile& file);
    // Stops without a last sync, if stop() was not called.
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // Asks for a sync of what has been written so far.
    void request();
    // Why a sync since the last call failed, or nothing; each failure is told once.
    std::string takeError();
    // Ends the thread, then syncs once more. Returns why the first failure
    // not yet told failed, or nothing.
    std::string stop();
    // How many syncs the thread has made.
    std::uint64_t syncs();

private:
    void run();

    SystemFile& file_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool requested_ = false;
    bool stopping_ = false;
    std::string error_;
    std::uint64_t syncs_ = 0;
    std::thread thread_;
};

} // namespace journal
