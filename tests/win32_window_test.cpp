// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real Win32 window, built as the program builds it, with the runtime's
// clock driven by hand. It needs a display: e2e/drive.py's wine mode runs it
// in its Wine prefix on its Xvfb, at 96 dpi.
#include "count_room.h"
#include "fixture.h"
#include "win32_game_session.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace testing_support;

struct Win32Window : ::testing::Test {
    ScriptedRandom random{0.9f}; // orange
    RecordingReporter reporter;
    std::int64_t now = 0;
    win32ui::Win32GameSession game{random, reporter, [this] { return now; }};

    HWND control(std::string_view name) const { return game.window.control(name); }
    static RECT place(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static std::wstring text(HWND control) {
        std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
        text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
        return text;
    }
};

// Every control where the description puts it; then both counts up to the
// largest the runtime shows, 2^53 - 1: one line in a smaller font, then
// wrapped. Each count's text fits where it is drawn, in a font of 6 px or
// more, within the room it may take and the window, and its digits are the
// count in order.
TEST_F(Win32Window, LaidOutUpToTheLargestCounts) {
    RECT client;
    GetClientRect(game.window.handle(), &client);
    EXPECT_TRUE(client.right == 191 && client.bottom == 135);
    for (const rt::ControlDescription& d : window::form1Description.controls) {
        if (d.kind == rt::ControlKind::timer)
            continue;
        const RECT r = place(control(d.name));
        const window::PixelRect p = window::pixelRect(d);
        EXPECT_TRUE(r.left == p.left && r.top == p.top && r.right - r.left == p.width &&
                    r.bottom - r.top == p.height)
            << d.name;
    }
    for (const std::string digits :
         {"9", "99999", "9999999", "9999999999999", "9007199254740991"}) {
        for (const char* name : {"Label2", "Label4"}) {
            rt::Label& count = game.form.control<rt::Label>(name);
            rt::check(count.setCaption(digits));
            const RECT r = place(control(name));
            const window::PixelRect p = window::pixelRect(count.description());
            const window::PixelRect room =
                window::countRoom(window::form1Description, count.description());
            std::wstring shown = text(control(name));
            HDC dc = GetDC(control(name));
            SelectObject(dc,
                         reinterpret_cast<HFONT>(SendMessageW(control(name), WM_GETFONT, 0, 0)));
            RECT needed{};
            DrawTextW(dc, shown.c_str(), -1, &needed, DT_CALCRECT | DT_NOPREFIX);
            TEXTMETRICW font;
            GetTextMetricsW(dc, &font);
            ReleaseDC(control(name), dc);
            std::erase(shown, L'\r');
            std::erase(shown, L'\n');
            EXPECT_TRUE(needed.right <= r.right - r.left && needed.bottom <= r.bottom - r.top &&
                        font.tmHeight - font.tmInternalLeading >= 6 &&
                        r.right <= room.left + std::max(room.width, p.width) &&
                        r.bottom <= room.top + std::max(room.height, p.height) &&
                        shown == std::wstring(digits.begin(), digits.end()))
                << name << " at " << digits;
        }
    }
}

// A click first brings the clock up to its moment: the reveal lasts 3000 ms
// from the click, not from the host's last timer tick.
TEST_F(Win32Window, AClickIsTimedFromItsMoment) {
    SendMessageW(control("Command7"), BM_CLICK, 0, 0); // Start: no more draws
    now = 9876;
    SendMessageW(control("Command1"), BM_CLICK, 0, 0);
    EXPECT_TRUE(game.runtime.nextDue() == 9876 + 3000 && game.form1.Label4.caption().value == "1");
}

} // namespace
