// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_session.h"

#include "announcement.h"
#include "default_path.h"
#include "form1_description.h"
#include "journal_error.h"
#include "report_command.h"

#include <chrono>

namespace session {

namespace {

game::HunchMeter meterFor(const journal::Journal* journal) {
    if (!journal)
        return {};
    const journal::Tally& tally = journal->tally();
    return {tally.games, tally.blindGuesses, tally.rightBlindGuesses};
}

} // namespace

GameSession::GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                         journal::Journal* journal)
    : runtime(random, reporter), form(runtime.createForm(window::form1Description)),
      form1(runtime, form), journal_(journal),
      watcher_(form1, [this](const auto& change) { tell(change); }), meter_(meterFor(journal)) {}

GameSession::~GameSession() { runtime.setWatcher(nullptr); }

void GameSession::start(Presenter& presenter) {
    presenter_ = &presenter;
    form.bindEvents(form1.handlers());
    runtime.setWatcher(&watcher_);
    runtime.load(form);
    showReading();
}

void GameSession::tell(const game::TurnChange& change) {
    if (change.guessed) {
        // A journal that cannot be written ends the game with a run-time
        // error, as any failed operation does; its earlier rows stay intact.
        if (journal_) {
            try {
                using namespace std::chrono;
                journal_->append(
                    {duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count(),
                     change.guess, change.shown, change.blind});
            } catch (const journal::JournalError& error) {
                throw rt::RuntimeError(rt::ErrorCode::deviceIo, error.what());
            }
        }
        meter_.guess(change.blind, change.right);
        showReading();
    }
    presenter_->announce(game::announcement(change));
}

// The reading is worked out once per guess, never on a timer.
void GameSession::showReading() {
    reading_ = meter_.reading();
    for (const rt::Label* label : {&form1.Label1, &form1.Label2, &form1.Label3, &form1.Label4})
        presenter_->describe(label->name(), reading_ + " " + journalKeyHint);
}

void GameSession::openJournalPage() {
    std::string page, failure;
    try {
        failure =
            report::writePageBeside(journal_ ? journal_->path() : journal::defaultPath(), page);
    } catch (const journal::JournalError& error) {
        failure = error.what();
    }
    if (failure.empty())
        if (const std::string reason = presenter_->openPage(page); !reason.empty())
            failure = "cannot open the page " + page + " in a browser: " + reason;
    if (!failure.empty())
        presenter_->warn(failure);
}

} // namespace session
