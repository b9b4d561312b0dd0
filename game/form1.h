// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime.h"

#include <cstdint>

namespace game {

// The game's one form: its controls, the secret colour number, and one
// handler per bound event. The counts have no variable of their own: they
// live only in the captions of Label2 (correct) and Label4 (incorrect).
class Form1 {
public:
    // Takes the controls of a form the runtime built from the window
    // description; a missing control is a DescriptionError.
    Form1(rt::Runtime& runtime, rt::Form& form);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The handlers by name, for the runtime to bind to the description's events.
    rt::HandlerTable handlers();

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Command1_Click() { Guess(1); }
    void Command2_Click() { Guess(2); }
    void Command3_Click() { Guess(3); }
    void Command4_Click() { Guess(4); }
    void Command5_Click() { Guess(5); }
    void Command6_Click() { Guess(6); }
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();

    // Sets Target to a fresh draw from the runtime's generator: 1 to 6, each
    // equally likely.
    void DrawTarget();
    // Adds one to the count a counter label shows.
    static void IncrementCounter(rt::Label& label);
    // Scores a guess of colour number k, reveals Target and arms the reveal.
    void Guess(std::int16_t k);

    // The secret colour number: 0 until the first draw, then 1 to 6.
    std::int16_t Target = 0;

    rt::Runtime& runtime;
    rt::Form& form;
    rt::CommandButton& Command1;
    rt::CommandButton& Command2;
    rt::CommandButton& Command3;
    rt::CommandButton& Command4;
    rt::CommandButton& Command5;
    rt::CommandButton& Command6;
    rt::CommandButton& Command7;
    rt::CommandButton& Command8;
    rt::CommandButton& Command9;
    rt::PictureBox& Picture1;
    rt::Label& Label1;
    rt::Label& Label2;
    rt::Label& Label3;
    rt::Label& Label4;
    rt::Timer& Timer1;
    rt::Timer& Timer2;
};

} // namespace game
