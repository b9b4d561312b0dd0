// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The process entry on Windows: reads the command line as the Linux program
// does, answers it or prints a journal's report instead of playing, or opens
// the journal, builds the game and its window and runs the message loop until
// no form is left. Answers go to the console the program was started from,
// or to its redirected output, or else to a message box.
#include "command_line.h"
#include "console.h"
#include "game_options.h"
#include "journal_error.h"
#include "journal_file.h"
#include "journal_report.h"
#include "message_box_reporter.h"
#include "report.h"
#include "win32_game_session.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <optional>

namespace {

// The answer, the report or the game, with its exit status.
int run(win32ui::Console& console, int show) {
    cli::OptionParser parser(cli::gameOptions());
    cli::Options options;
    if (const std::optional<cli::Answer> answer =
            cli::readOptions(parser, win32ui::commandLineArguments(), {}, options)) {
        console.answer(*answer);
        return answer->status;
    }
    std::optional<journal::Journal> journal;
    try {
        if (options.report) {
            const cli::ChosenJournal chosen = cli::chosenJournal(options);
            win32ui::Win32Report frontEnd(console);
            const int status = report::runReport(
                {chosen.path, chosen.named, options.plot, options.page}, frontEnd);
            frontEnd.finish(status);
            return status;
        }
        if (options.journal) {
            journal.emplace(cli::chosenJournal(options).path);
            // Only where there is a console: the report and the page say it too.
            if (const std::string note = report::tornRowsNote(journal->path(), journal->tally());
                !note.empty())
                console.write(win32ui::Console::Stream::error, "tavelquin: " + note + "\n");
        }
    } catch (const journal::JournalError& error) {
        console.answer({1, "", std::string("tavelquin: ") + error.what() + "\n"});
        return 1;
    }

    rt::SystemRandom random;
    win32ui::MessageBoxReporter reporter;
    int status = 0;
    try {
        win32ui::Win32GameSession session(random, reporter, rt::ClockedHost::realTime(),
                                          journal ? &*journal : nullptr);
        if (session.runtime.ended())
            return session.runtime.exitCode();
        session.window.show(show);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (session.window.preTranslate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        status = session.runtime.ended() ? session.runtime.exitCode() : int(message.wParam);
    } catch (const rt::DescriptionError& error) {
        console.answer(
            {2, "", std::string("tavelquin: the window description is faulty: ") + error.what()});
        return 2;
    }
    // The last rows on stable storage before the game says it is done.
    try {
        if (journal)
            journal->close();
    } catch (const journal::JournalError& error) {
        console.answer({1, "", std::string("tavelquin: ") + error.what() + "\n"});
        return 1;
    }
    return status;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // The standard handles as the program was started with them.
    win32ui::Console console;
    // The common controls of version 6, as the manifest asks, for tooltips
    // and the system's look; COM, for what screen readers ask of the window
    // and for the shell that opens the journal's page.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const int status = run(console, show);
    if (com)
        CoUninitialize();
    return status;
}
