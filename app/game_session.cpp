#include "game_session.h"

#include "announcement.h"
#include "form1_description.h"

namespace app {

GameSession::GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                         window::QtHost::TimeSource time)
    : runtime(random, reporter), host(runtime, std::move(time)),
      form(runtime.createForm(window::form1Description)), form1(runtime, form),
      window(host.addWindow(form)), watcher_(form1, [this](const auto& change) { tell(change); }) {
    form.bindEvents(form1.handlers());
    runtime.setWatcher(&watcher_);
    runtime.load(form);
}

GameSession::~GameSession() { runtime.setWatcher(nullptr); }

void GameSession::tell(const game::TurnChange& change) {
    window.announce(QString::fromStdString(game::announcement(change)));
}

} // namespace app
