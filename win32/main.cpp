// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The process entry on Windows: opens the journal if asked to, builds the
// game and its window, then runs the message loop until no form is left.
// --journal and --journal=FILE are the one option read so far; any other
// argument is left alone.
#include "default_path.h"
#include "journal_error.h"
#include "journal_file.h"
#include "journal_report.h"
#include "message_box_reporter.h"
#include "text_encoding.h"
#include "win32_game_session.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The journal's path that the command line names: empty for --journal, its
// default place; none without the option.
std::optional<std::string> journalOption() {
    std::optional<std::string> path;
    constexpr std::wstring_view name = L"--journal";
    for (int i = 1; i < __argc; ++i) {
        const std::wstring_view argument = __wargv[i];
        if (argument == name)
            path = "";
        else if (argument.starts_with(name) && argument[name.size()] == L'=')
            path = win32ui::narrow(argument.substr(name.size() + 1));
    }
    return path;
}

// One line as the Linux program prints it, on standard error where there is
// one and in a message box, since a GUI program has no console.
void tell(const std::string& line, UINT icon) {
    std::fprintf(stderr, "tavelquin: %s\n", line.c_str());
    std::fflush(stderr);
    MessageBoxW(nullptr, win32ui::wide(line).c_str(), L"Tavelquin", MB_OK | icon);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // Opened and locked before the window, so that a second game stops here.
    std::optional<journal::Journal> journal;
    if (const std::optional<std::string> path = journalOption()) {
        try {
            journal.emplace(path->empty() ? journal::defaultPath() : *path);
            if (const std::string note = report::tornRowsNote(journal->path(), journal->tally());
                !note.empty())
                tell(note, MB_ICONWARNING);
        } catch (const journal::JournalError& error) {
            tell(error.what(), MB_ICONERROR);
            return 1;
        }
    }

    // The common controls of version 6, as the manifest asks, for tooltips
    // and the system's look; COM, for what screen readers ask of the window.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    rt::SystemRandom random;
    win32ui::MessageBoxReporter reporter;
    int status = 0;
    try {
        win32ui::Win32GameSession session(random, reporter, rt::ClockedHost::realTime(),
                                          journal ? &*journal : nullptr);
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
    // The last rows on stable storage before the game says it is done.
    try {
        if (journal)
            journal->close();
    } catch (const journal::JournalError& error) {
        tell(error.what(), MB_ICONERROR);
        return 1;
    }
    return status;
}
