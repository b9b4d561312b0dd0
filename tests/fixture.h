// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form1.h"
#include "form1_description.h"
#include "runtime.h"

#include <string>
#include <vector>

namespace testing_support {

// Keeps every run-time error instead of showing it.
struct RecordingReporter : rt::ErrorReporter {
    void report(const rt::RuntimeError& error) override { errors.push_back(error); }
    std::vector<rt::RuntimeError> errors;
};

// Always the same value, counting the draws.
struct ScriptedRandom : rt::RandomSource {
    explicit ScriptedRandom(float value = 0.5f) : value(value) {}
    float next() override { return ++draws, value; }
    float value;
    int draws = 0;
};

// The game as the program builds it, from the real window description, with
// a hand-driven clock, a chosen generator and a recording reporter.
struct Game {
    explicit Game(rt::RandomSource& random)
        : runtime(random, reporter), form(runtime.createForm(window::form1Description)),
          form1(runtime, form) {
        form.bindEvents(form1.handlers());
        runtime.load(form);
    }
    RecordingReporter reporter;
    rt::Runtime runtime;
    rt::Form& form;
    game::Form1 form1;
};

} // namespace testing_support
