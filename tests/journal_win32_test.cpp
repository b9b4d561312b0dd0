// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal on Windows: its default place under the user's local
// application data, and the devices that Windows opens by name refused.
#include "default_path.h"
#include "journal_fixture.h"
#include "text_encoding.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace journal_fixture {

std::string readOnlyRefusal() { return win32ui::errorReason(ERROR_ACCESS_DENIED); }

} // namespace journal_fixture

namespace {

using namespace journal_fixture;
using namespace std::string_literals;

TEST(Journal, DefaultPlaceIsUnderLocalAppDataAndDevicesAreRefused) {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(journal::defaultPath(), win32ui::narrow(local) + "\\Tavelquin\\journal.csv");
    // Named alone or in a folder, with or without an extension, each is the
    // device, never a file that the journal could make.
    Scratch scratch;
    const fs::path before = fs::current_path();
    fs::current_path(scratch.dir);
    for (const std::string& device : {"NUL"s, "CON"s, "nul.csv"s, utf8(scratch.dir / "CON")})
        EXPECT_EQ(opened(device), "not a regular file") << device;
    fs::current_path(before);
    EXPECT_TRUE(fs::is_empty(scratch.dir));
}

} // namespace
