// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal on a POSIX system: its default place by the XDG rules, a new
// one's modes, and a full disk, made by a file size limit.
#include "default_path.h"
#include "journal_fixture.h"
#include "xdg_path.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace journal_fixture {

std::string readOnlyRefusal() { return geteuid() == 0 ? "" : "permission denied"; }

} // namespace journal_fixture

namespace {

using namespace journal_fixture;

int modeOf(const fs::path& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(Journal, NewOneIsThePlayersAloneAtTheXdgPlaceAndSurvivesAFullDisk) {
    Scratch scratch;
    const fs::path state = scratch.dir / "state";
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    const std::string path = journal::defaultPath();
    EXPECT_EQ(path, (state / "tavelquin/journal.csv").string());
    EXPECT_EQ(journal::xdgJournalPath("state", "/home/p"),
              "/home/p/.local/state/tavelquin/journal.csv");
    EXPECT_THROW(journal::xdgJournalPath(nullptr, "home"), journal::JournalError);
    journal::Journal first(path);
    EXPECT_EQ((std::vector{modeOf(state), modeOf(state / "tavelquin"), modeOf(path)}),
              (std::vector{0700, 0700, 0600}));
    EXPECT_EQ(contents(path), header);

    // A full disk, here a file size limit: a row cut short is refused, and so
    // is the next while there is no room, or room for part of the line break
    // that keeps the torn row torn; the first with room ends that line break.
    auto refusal = [&first] {
        try {
            first.append({1796700845123, 1, 0, false});
        } catch (const journal::JournalError& error) {
            return std::string(error.what());
        }
        return std::string("none");
    };
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    rlimit full{header.size() + 10, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    const std::string named = "journal " + path + ": cannot add a row: ";
    EXPECT_EQ(refusal(), named + "a short write (10 of 37 bytes), the disk may be full");
    EXPECT_EQ(refusal(), named + "file too large");
    full.rlim_cur += 2;
    setrlimit(RLIMIT_FSIZE, &full);
    EXPECT_EQ(refusal(), named + "a short write (2 of 40 bytes), the disk may be full");
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(refusal(), "none");
    first.close();
    EXPECT_EQ(contents(path), header + row1.substr(0, 10) + "\r\r\n" + row1);
}

} // namespace
