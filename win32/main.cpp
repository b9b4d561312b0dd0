// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The process entry on Windows: builds the game and its window, then runs
// the message loop until no form is left. The program takes no command line
// yet; any arguments are left alone.
#include "message_box_reporter.h"
#include "text_encoding.h"
#include "win32_game_session.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // The common controls of version 6, as the manifest asks, for tooltips
    // and the system's look; COM, for what screen readers ask of the window.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    rt::SystemRandom random;
    win32ui::MessageBoxReporter reporter;
    int status = 0;
    try {
        win32ui::Win32GameSession session(random, reporter, rt::ClockedHost::realTime());
        if (session.runtime.ended()) {
            status = session.runtime.exitCode();
        } else {
            session.window.show(show);
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (session.window.preTranslate(message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            status = session.runtime.ended() ? session.runtime.exitCode() : int(message.wParam);
        }
    } catch (const rt::DescriptionError& error) {
        const std::string text = std::string("The window description is faulty: ") + error.what();
        MessageBoxW(nullptr, win32ui::wide(text).c_str(), L"Tavelquin", MB_OK | MB_ICONERROR);
        status = 2;
    }
    if (com)
        CoUninitialize();
    return status;
}
