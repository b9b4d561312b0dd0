// A long seeded walk of random events through the game, driven through the
// runtime as the window drives it, and after every event compared with a
// reference model of the turn cycle written here from its state tables. The
// model shares no code with the game: only the tape of random values.
#include "fixture.h"
#include "turn_watcher.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

namespace {

// The random values the game and the model both read, in the same order when
// they draw at the same moments. Now and then it gives the generator's edge
// values, 0 and the largest float below 1.
class Tape : public rt::RandomSource {
public:
    explicit Tape(std::uint64_t seed) : engine_(seed) {}
    float next() override {
        std::uint64_t bits = engine_();
        if (bits % 64 == 0)
            return 0.0f;
        if (bits % 64 == 1)
            return std::nextafter(1.0f, 0.0f);
        return static_cast<float>(bits >> 40) * 0x1p-24f;
    }

private:
    std::mt19937_64 engine_;
};

// The turn cycle as its tables state it.
struct Model {
    explicit Model(std::uint64_t seed) : tape(seed) {}

    static constexpr std::uint32_t colours[7] = {0x000000, 0x0000FF, 0x00FFFF, 0x00C000,
                                                 0xFF0000, 0x800080, 0x0080FF};
    static constexpr int rollInterval = 200;
    static constexpr int revealInterval = 3000;

    Tape tape;
    std::int64_t now = 0;
    bool rolling = true; // the roll timer, on from load
    bool revealing = false;
    bool startEnabled = true;
    bool ended = false;
    std::int64_t rollDue = rollInterval;
    std::int64_t revealDue = 0;
    std::uint32_t panel = 0;
    long correct = 0;
    long incorrect = 0;
    int target = 0;
    // What a player is told of each event: G(uess) with right, blind and the
    // colour shown, H(idden), S(tart gone).
    std::string told;

    int draw() { return static_cast<int>(std::floor(static_cast<double>(tape.next()) * 6.0)) + 1; }

    // Start, by the user or in code: armed, with a new secret.
    void start() {
        told += std::string(panel ? "H" : "") + (startEnabled ? "S" : "");
        startEnabled = false;
        rolling = false;
        revealing = false;
        panel = 0;
        target = draw();
    }
    void guess(int k) {
        told +=
            "G" + std::to_string(target == k) + std::to_string(panel == 0) + std::to_string(target);
        (target == k ? correct : incorrect) += 1;
        if (target >= 1 && target <= 6)
            panel = colours[target];
        if (!revealing) {
            revealing = true;
            revealDue = now + revealInterval;
        }
    }
    void clickStart() {
        if (startEnabled)
            start();
    }
    void stop() {
        rolling = false;
        revealing = false;
        start();
    }
    void advance(std::int64_t milliseconds) {
        std::int64_t until = now + milliseconds;
        for (;;) {
            bool revealTick = revealing && revealDue <= until;
            bool rollTick = rolling && rollDue <= until;
            // At the same moment the reveal timer ticks first: the window
            // description creates it before the roll timer.
            if (revealTick && (!rollTick || revealDue <= rollDue)) {
                now = revealDue;
                revealDue += revealInterval;
                start();
            } else if (rollTick) {
                now = rollDue;
                rollDue += rollInterval;
                target = draw();
            } else {
                break;
            }
        }
        now = until;
    }
};

std::uint64_t settingOr(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

TEST(RandomWalk, GameFollowsTheTurnTables) {
    const std::uint64_t seed = settingOr("TAVELQUIN_WALK_SEED", std::random_device{}());
    const std::uint64_t events = settingOr("TAVELQUIN_WALK_EVENTS", 100000);
    std::cout << "random walk: seed " << seed << ", " << events << " events\n";

    std::mt19937_64 chooser(seed);
    auto pick = [&](int below) { return static_cast<int>(chooser() % std::uint64_t(below)); };
    std::uint64_t gameSeed = seed;
    auto gameTape = std::make_unique<Tape>(gameSeed);
    auto game = std::make_unique<testing_support::Game>(*gameTape);
    auto model = std::make_unique<Model>(gameSeed);
    std::string told;
    auto watch = [&] {
        return std::make_unique<game::TurnWatcher>(game->form1, [&](const game::TurnChange& c) {
            if (c.guessed)
                told += "G" + std::to_string(c.right) + std::to_string(c.blind) +
                        std::to_string(c.shown);
            told += std::string(c.hidden ? "H" : "") + (c.startLost ? "S" : "");
        });
    };
    auto watcher = watch();
    game->runtime.setWatcher(watcher.get());
    std::deque<std::string> history;
    long visits[4] = {};
    long games = 1;

    for (std::uint64_t i = 0; i < events; ++i) {
        game::Form1& f = game->form1;
        std::ostringstream event;
        int choice = pick(1000);
        if (choice < 450) {
            int k = 1 + pick(6);
            rt::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3,
                                            &f.Command4, &f.Command5, &f.Command6};
            event << "click colour " << k;
            game->click(*buttons[k - 1]);
            model->guess(k);
        } else if (choice < 530) {
            event << "click Start";
            game->click(f.Command7);
            model->clickStart();
        } else if (choice < 600) {
            event << "click Stop";
            game->click(f.Command8);
            model->stop();
        } else if (choice < 990) {
            int kind = pick(6);
            std::int64_t ms = kind < 2    ? 1 + pick(199)
                              : kind < 4  ? 195 + pick(11)
                              : kind == 4 ? 2990 + pick(21)
                                          : 1 + pick(6000);
            event << "advance " << ms << " ms";
            game->runtime.advance(ms);
            model->advance(ms);
        } else if (choice < 995) {
            event << "click Exit";
            game->click(f.Command9);
            model->ended = true;
        } else {
            event << "close the window";
            EXPECT_TRUE(game->runtime.requestClose(game->form));
            model->ended = true;
        }
        history.push_back(std::to_string(i) + ": " + event.str());
        if (history.size() > 40)
            history.pop_front();

        std::ostringstream mismatch;
        auto compare = [&](const char* what, auto actual, auto expected) {
            if (actual != expected)
                mismatch << "  " << what << ": game " << actual << ", model " << expected << '\n';
        };
        compare("ended", game->runtime.ended(), model->ended);
        if (!model->ended) {
            compare("roll timer enabled", f.Timer1.isEnabled(), model->rolling);
            compare("reveal timer enabled", f.Timer2.isEnabled(), model->revealing);
            compare("Start enabled", f.Command7.isEnabled(), model->startEnabled);
            compare("panel", game->panel(), model->panel);
            compare("Correct:", game->correct(), std::to_string(model->correct));
            compare("Incorrect:", game->incorrect(), std::to_string(model->incorrect));
            compare("Target", int(f.Target), model->target);
            compare("clock", game->runtime.now(), model->now);
            compare("told", told, model->told);
        }
        told.clear();
        model->told.clear();
        compare("run-time errors", game->reporter.errors.size(), std::size_t(0));
        if (!mismatch.str().empty()) {
            std::ostringstream trail;
            for (const std::string& line : history)
                trail << "  " << line << '\n';
            FAIL() << "the game left the model after event " << i << " (rerun with "
                   << "TAVELQUIN_WALK_SEED=" << seed << ")\n"
                   << mismatch.str() << "last events:\n"
                   << trail.str();
        }

        if (model->ended) {
            gameSeed = chooser();
            game.reset();
            gameTape = std::make_unique<Tape>(gameSeed);
            game = std::make_unique<testing_support::Game>(*gameTape);
            model = std::make_unique<Model>(gameSeed);
            watcher = watch();
            game->runtime.setWatcher(watcher.get());
            ++games;
        } else {
            ++visits[(model->rolling ? 0 : 2) + (model->revealing ? 1 : 0)];
        }
    }

    std::cout << "random walk: " << games << " games; events spent rolling " << visits[0]
              << ", rolling-revealed " << visits[1] << ", armed " << visits[2] << ", revealed "
              << visits[3] << '\n';
    if (events >= 10000) {
        for (long count : visits)
            EXPECT_GT(count, 0) << "the walk never reached one of the four states";
    }
}

} // namespace
