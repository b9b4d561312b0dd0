// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace journal {

// Brings a file's written data to stable storage (fdatasync) on a thread of
// its own, soon after each write, so that no writer waits for the disk. Writes
// that come while a sync runs share the next one.
class BackgroundSync {
public:
    explicit BackgroundSync(int fd);
    // Stops without a last sync, if stop() was not called.
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // Asks for a sync of what has been written so far.
    void request();
    // The errno of a failed sync since the last call, or 0; each failure is told once.
    int takeError();
    // Ends the thread, then syncs once more. Returns the errno of the first
    // failure not yet told, or 0.
    int stop();
    // How many syncs the thread has made.
    std::uint64_t syncs();

private:
    void run();

    const int fd_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool requested_ = false;
    bool stopping_ = false;
    int error_ = 0;
    std::uint64_t syncs_ = 0;
    std::thread thread_;
};

} // namespace journal
