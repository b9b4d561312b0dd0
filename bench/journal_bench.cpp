// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what the journal costs, in a scratch directory in the system's place
// for temporary files ($TMPDIR, or Windows' %TEMP%): opening
// and scanning a journal of a million rows (medians, and the peak memory the
// first scan adds), its page, one append(), the background sync, and a guess in
// the game with and without its row.
#include "bench_system.h"
#include "form1.h"
#include "form1_description.h"
#include "hunch_chart.h"
#include "hunch_meter.h"
#include "journal_file.h"
#include "journal_page.h"
#include "journal_report.h"
#include "meter_bands.h"
#include "random.h"
#include "runtime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int rowCount = 1'000'000;
constexpr int runs = 7;

double microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

template <typename Call> double timed(Call call) {
    const auto start = Clock::now();
    call();
    return microseconds(Clock::now() - start);
}

// Writes a journal of `rows` rows, 200 to a game, 64 KiB at a time.
void writeJournal(const std::string& path, int rows) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::mt19937 random(1);
    journal::RowFormat format;
    std::string text = std::string(journal::standardHeader) + "\r\n";
    journal::Row row;
    row.time = 1'796'700'845'123; // 2026-12-08T03:34:05.123Z
    for (int i = 0; i < rows; ++i) {
        row.game = i / 200 + 1;
        row.time += 1500;
        row.guess = static_cast<int>(random() % 6) + 1;
        row.secret = i % 200 == 0 ? 0 : static_cast<int>(random() % 6) + 1;
        row.blind = random() % 2 == 0;
        row.right = row.guess == row.secret;
        format.write(row, text);
        if (text.size() > 60'000) {
            std::fwrite(text.data(), 1, text.size(), file);
            text.clear();
        }
    }
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

std::int64_t wallMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The page of the journal at path, as --report --page makes it: a scan that
// keeps the blind guesses' outcomes and secrets, the chart and the page.
std::string pageOf(const std::string& path) {
    const report::JournalReading journal = report::readJournal(path);
    return report::journalPage(path, journal.tally,
                               report::hunchChart(journal.outcomes, journal.tally.games),
                               journal.draw);
}

// Blind guesses right just often enough to stay one right guess short of the
// meter's 1 in 20, then right to the end: the longest walk the chart's words
// take to find where the rate first reached a band.
std::vector<bool> heldShortOfTwenty(std::int64_t guesses) {
    const double twenty = std::log10(20.0);
    std::vector<bool> outcomes;
    std::int64_t right = 0, needed = -1;
    for (std::int64_t guess = 1; guess <= guesses; ++guess) {
        // The number right needed for 1 in 20 grows by at most one a guess.
        if (needed < 0)
            needed = game::rightNeeded(guess, twenty);
        else if (game::statedOddsLog10(guess, needed) < twenty - 1e-9)
            ++needed;
        const bool hit = guess > guesses - 10 || right + 1 < needed;
        outcomes.push_back(hit);
        right += hit ? 1 : 0;
    }
    return outcomes;
}

// The same secrets at every run.
struct SeededRandom : rt::RandomSource {
    float next() override { return rt::unitFloat(static_cast<std::uint32_t>(engine())); }
    std::mt19937 engine{1};
};

struct NoReporter : rt::ErrorReporter {
    void report(const rt::RuntimeError&) override {}
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--scan") {
        const long before = bench::peakKiB();
        const journal::Tally tally = journal::scanJournal(argv[2]);
        std::printf("a scan of %lld rows in a process of its own: peak resident memory %ld KiB "
                    "before it, %ld KiB after\n",
                    static_cast<long long>(tally.rows), before, bench::peakKiB());
        return 0;
    }
    namespace fs = std::filesystem;
    fs::path directory;
    std::random_device unique;
    do
        directory =
            fs::temp_directory_path() / ("tavelquin-journal-bench." + std::to_string(unique()));
    while (!fs::create_directory(directory));
    const std::string big = (directory / "big.csv").string(),
                      small = (directory / "small.csv").string();
    writeJournal(big, rowCount);

    const journal::Tally tally = journal::scanJournal(big);
    std::vector<double> opens, scans, callbacks;
    for (int run = 0; run < runs; ++run) {
        opens.push_back(timed([&] { journal::Journal(big).close(); }));
        scans.push_back(timed([&] { journal::scanJournal(big); }));
        std::int64_t sum = 0;
        callbacks.push_back(timed([&] {
            journal::scanJournal(big, [&](const journal::Row& row) { sum += row.guess; });
        }));
    }
    std::printf("journal of %lld rows in %lld games, %.1f MB\n", static_cast<long long>(tally.rows),
                static_cast<long long>(tally.games), static_cast<double>(fs::file_size(big)) / 1e6);
    std::printf("open, lock, scan and close (Journal): median %7.1f ms of %d\n",
                median(opens) / 1000, runs);
    std::printf("read-only scan (scanJournal):         median %7.1f ms\n", median(scans) / 1000);
    std::printf("the same with a callback for each row:  median %7.1f ms\n",
                median(callbacks) / 1000);
    writeJournal(small, 1000);
    for (const std::string& path : {small, big}) {
        std::vector<double> times;
        std::size_t size = 0;
        for (int run = 0; run < runs; ++run)
            times.push_back(timed([&] { size = pageOf(path).size(); }));
        std::printf("its page (--report --page), scan included, for %lld rows: median %7.1f ms, "
                    "%.1f KB\n",
                    static_cast<long long>(journal::scanJournal(path).rows), median(times) / 1000,
                    static_cast<double>(size) / 1e3);
    }
    {
        const std::vector<bool> held = heldShortOfTwenty(rowCount);
        std::vector<double> times;
        for (int run = 0; run < 3; ++run)
            times.push_back(timed([&] { report::hunchChart(held, 1); }));
        std::printf("the chart alone of %d blind guesses held just short of 1 in 20: median "
                    "%.1f ms\n",
                    rowCount, median(times) / 1000);
    }
    // A new process for each, whose peak memory is the scan's alone.
    for (const std::string& path : {small, big})
        bench::runAgain("--scan", path);

    {
        journal::Journal journal(small);
        std::vector<double> appends;
        for (int i = 0; i < 10'000; ++i)
            appends.push_back(timed([&] {
                journal.append({wallMilliseconds(), 1 + i % 6, 1, true});
            }));
        std::printf("append() back to back: median %.2f us of 10000 calls, which the thread "
                    "synced in %llu syncs\n",
                    median(appends), static_cast<unsigned long long>(journal.syncs()));
        appends.clear();
        for (int i = 0; i < 20; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            appends.push_back(timed([&] { journal.append({wallMilliseconds(), 2, 3, false}); }));
        }
        std::printf(
            "append() 50 ms apart, each followed by a sync: median %.2f us, slowest %.2f us\n",
            median(appends), *std::max_element(appends.begin(), appends.end()));
        std::printf("close(), its last sync included: %.2f ms\n",
                    timed([&] { journal.close(); }) / 1000);
    }
    {
        // What a guess would wait for if it synced its own row, through the
        // journal's own calls (fdatasync, FlushFileBuffers).
        journal::SystemFile file = journal::SystemFile::forGame(small);
        const std::string row = "2026-12-08T03:34:05.123Z,7,red,blue,1,0\r\n";
        std::vector<double> syncs;
        for (int i = 0; i < 20; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            syncs.push_back(timed([&] {
                std::string reason;
                if (file.append(row, reason) != static_cast<std::int64_t>(row.size()) ||
                    !(reason = file.sync()).empty())
                    std::fprintf(stderr, "a row's write and sync failed: %s\n", reason.c_str());
            }));
        }
        file.close();
        std::printf("a row's write with a sync of its own, as without the thread: median %.2f ms\n",
                    median(syncs) / 1000);
    }
    {
        SeededRandom random;
        NoReporter reporter;
        rt::Runtime runtime(random, reporter);
        rt::Form& form = runtime.createForm(window::form1Description);
        game::Form1 form1(runtime, form);
        form.bindEvents(form1.handlers());
        runtime.load(form);
        std::remove(small.c_str());
        journal::Journal journal(small);
        std::vector<double> without, with;
        for (int i = 0; i < 2000; ++i) {
            runtime.advance(3200);
            const bool withRow = i % 2 == 1;
            (withRow ? with : without).push_back(timed([&] {
                runtime.click(form1.Command3);
                if (withRow)
                    journal.append({wallMilliseconds(), 3, form1.Target, true});
            }));
        }
        journal.close();
        std::printf("a guess in the game: median %.2f us without the journal, %.2f us with its "
                    "row\n",
                    median(without), median(with));
    }
    fs::remove_all(directory);
}
