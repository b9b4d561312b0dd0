// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "colour_table.h"
#include "conversions.h"

namespace game {

using rt::check;

Form1::Form1(rt::Runtime& runtime, rt::Form& form)
    : runtime(runtime), form(form), Command1(form.control<rt::CommandButton>("Command1")),
      Command2(form.control<rt::CommandButton>("Command2")),
      Command3(form.control<rt::CommandButton>("Command3")),
      Command4(form.control<rt::CommandButton>("Command4")),
      Command5(form.control<rt::CommandButton>("Command5")),
      Command6(form.control<rt::CommandButton>("Command6")),
      Command7(form.control<rt::CommandButton>("Command7")),
      Command8(form.control<rt::CommandButton>("Command8")),
      Command9(form.control<rt::CommandButton>("Command9")),
      Picture1(form.control<rt::PictureBox>("Picture1")), Label1(form.control<rt::Label>("Label1")),
      Label2(form.control<rt::Label>("Label2")), Label3(form.control<rt::Label>("Label3")),
      Label4(form.control<rt::Label>("Label4")), Timer1(form.control<rt::Timer>("Timer1")),
      Timer2(form.control<rt::Timer>("Timer2")) {}

rt::HandlerTable Form1::handlers() {
    auto bind = [this](void (Form1::*handler)()) {
        return [this, handler] { (this->*handler)(); };
    };
    return {
        {"Form_Load", bind(&Form1::Form_Load)},
        {"Timer1_Timer", bind(&Form1::Timer1_Timer)},
        {"Timer2_Timer", bind(&Form1::Timer2_Timer)},
        {"Command1_Click", bind(&Form1::Command1_Click)},
        {"Command2_Click", bind(&Form1::Command2_Click)},
        {"Command3_Click", bind(&Form1::Command3_Click)},
        {"Command4_Click", bind(&Form1::Command4_Click)},
        {"Command5_Click", bind(&Form1::Command5_Click)},
        {"Command6_Click", bind(&Form1::Command6_Click)},
        {"Command7_Click", bind(&Form1::Command7_Click)},
        {"Command8_Click", bind(&Form1::Command8_Click)},
        {"Command9_Click", bind(&Form1::Command9_Click)},
    };
}

void Form1::DrawTarget() {
    // The product stays in double precision, where it is exact: rounded to
    // single, some r just below 5/6 would reach 5.0 and draw 6 instead of 5.
    double x = static_cast<double>(runtime.rnd()) * 6.0;
    rt::checkFloatingPoint(x);
    x = rt::floorOf(x);
    x = x + 1.0;
    rt::checkFloatingPoint(x);
    Target = rt::toInteger16(x);
}

void Form1::IncrementCounter(rt::Label& label) {
    double count = rt::textToNumber(check(label.caption()));
    count = count + 1.0;
    rt::checkFloatingPoint(count);
    check(label.setCaption(rt::numberToText(count)));
}

void Form1::Guess(std::int16_t k) {
    if (Target == k)
        IncrementCounter(Label2);
    else
        IncrementCounter(Label4);
    // Target 0 (nothing drawn yet) matches no row and leaves the panel as it is.
    for (const ColourRow& row : ColourTable)
        if (Target == row.number)
            check(Picture1.setBackColour(row.colour));
    // A guess during a reveal finds Timer2 running and leaves its schedule
    // alone, so extra clicks cannot stretch a reveal: it ends 3000 ms after the
    // guess that started it and the turns keep their rhythm.
    check(Timer2.setEnabled(true));
}

void Form1::Form_Load() {
    check(Picture1.setBackColour(black));
    check(Timer1.setEnabled(true));
}

void Form1::Timer1_Timer() { DrawTarget(); }

void Form1::Command7_Click() {
    check(Command7.setEnabled(false));
    check(Timer1.setEnabled(false));
    check(Timer2.setEnabled(false));
    check(Picture1.setBackColour(black));
    DrawTarget();
}

void Form1::Timer2_Timer() { check(Command7.press()); }

void Form1::Command8_Click() {
    check(Timer1.setEnabled(false));
    check(Timer2.setEnabled(false));
    check(Command7.press());
}

void Form1::Command9_Click() { check(form.unload()); }

} // namespace game
