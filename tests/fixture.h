#pragma once

#include "form1.h"
#include "form1_description.h"
#include "runtime.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Keeps every run-time error instead of showing it.
class RecordingReporter : public rt::ErrorReporter {
public:
    void report(const rt::RuntimeError& error) override { errors.push_back(error); }
    std::vector<rt::RuntimeError> errors;
};

// Returns the values it was given, then repeats the last one.
class ScriptedRandom : public rt::RandomSource {
public:
    explicit ScriptedRandom(std::deque<float> values = {0.5f}) : values_(std::move(values)) {}
    void push(float value) { values_.push_back(value); }
    float next() override {
        float value = values_.front();
        if (values_.size() > 1)
            values_.pop_front();
        ++draws;
        return value;
    }
    int draws = 0;

private:
    std::deque<float> values_;
};

// The game as the program builds it, from the real window description, with
// a hand-driven clock, a chosen generator and a recording reporter.
struct Game {
    explicit Game(rt::RandomSource& random,
                  const rt::FormDescription& description = window::form1Description)
        : runtime(random, reporter), form(runtime.createForm(description)), form1(runtime, form) {
        form.bindEvents(form1.handlers());
        runtime.load(form);
    }

    std::string correct() const { return form1.Label2.caption().value; }
    std::string incorrect() const { return form1.Label4.caption().value; }
    rt::Colour panel() const { return form1.Picture1.backColour().value; }
    void click(rt::CommandButton& button) { runtime.click(button); }

    RecordingReporter reporter;
    rt::Runtime runtime;
    rt::Form& form;
    game::Form1 form1;
};

} // namespace testing_support
