// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <string>

namespace win32ui {

// What the game says to a screen reader without moving the focus: a live
// region, the documented way for a Win32 program. A static text control,
// behind the colour panel where it is never seen, whose text is the
// announcement; UI Automation's LiveSetting property marks it polite, and
// each new text raises EVENT_OBJECT_LIVEREGIONCHANGED, on which a screen
// reader reads it. Texts announced in one pass of the message loop are
// joined and said once, in the next pass, so that none replaces another
// before it can be read.
class Announcer {
public:
    // A child of parent, with that control id, below every sibling made before.
    Announcer(HWND parent, int id);

    HWND handle() const { return window_; }
    void announce(const std::string& text);
    // Shows the texts waiting, when the message the announcer posted arrives.
    bool handleMessage(UINT message);

private:
    HWND parent_;
    HWND window_;
    std::wstring waiting_;
    bool marked_ = false;
};

} // namespace win32ui
