// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1_description.h"

namespace window {
namespace {

using rt::ControlKind;

constexpr rt::Colour black = 0x00000000;
constexpr rt::Colour red = 0x000000FF;
constexpr rt::Colour buttonFace = rt::systemColour;

// clang-format off
constexpr rt::ControlDescription controls[] = {
//   name        kind                          caption       left  top   width height back        fore   tab interval enabled accessible      label for
    {"Command9", ControlKind::pushButton,      "Exit",       2040, 1680, 615,  255,   buttonFace, black, 13},
    {"Command8", ControlKind::pushButton,      "Stop",       1080, 1680, 615,  255,   buttonFace, black, 12},
    {"Command7", ControlKind::pushButton,      "Start",      240,  1680, 615,  255,   buttonFace, black, 11},
    {"Timer2",   ControlKind::timer,           "",           0,    0,    0,    0,     0,          0,     -1, 3000,    false},
    {"Timer1",   ControlKind::timer,           "",           0,    0,    0,    0,     0,          0,     -1, 200,     false},
    {"Command6", ControlKind::graphicalButton, "",           2280, 720,  375,  375,   0x000080FF, black, 6,  0,       true,   "Orange"},
    {"Command5", ControlKind::graphicalButton, "",           1800, 720,  375,  375,   0x00800080, black, 5,  0,       true,   "Purple"},
    {"Command4", ControlKind::graphicalButton, "",           1320, 720,  375,  375,   0x00FF0000, black, 4,  0,       true,   "Blue"},
    {"Command3", ControlKind::graphicalButton, "",           2280, 240,  375,  375,   0x0000C000, black, 3,  0,       true,   "Green"},
    {"Command2", ControlKind::graphicalButton, "",           1800, 240,  375,  375,   0x0000FFFF, black, 2,  0,       true,   "Yellow"},
    {"Command1", ControlKind::graphicalButton, "",           1320, 240,  375,  375,   0x000000FF, black, 1,  0,       true,   "Red"},
    {"Picture1", ControlKind::pictureBox,      "",           240,  240,  855,  855,   black,      black, 0,  0,       true,   "Colour panel"},
    {"Label4",   ControlKind::label,           "0",          960,  1320, 255,  255,   black,      red,   10},
    {"Label3",   ControlKind::label,           "Correct:",   1320, 1320, 615,  255,   black,      red,   9,  0,       true,   "",             "Label2"},
    {"Label2",   ControlKind::label,           "0",          1920, 1320, 255,  255,   black,      red,   8},
    {"Label1",   ControlKind::label,           "Incorrect:", 240,  1320, 735,  255,   black,      red,   7,  0,       true,   "",             "Label4"},
};

constexpr rt::EventBinding bindings[] = {
    {"Form1",    rt::loadEvent,  "Form_Load"},
    {"Command1", rt::clickEvent, "Command1_Click"},
    {"Command2", rt::clickEvent, "Command2_Click"},
    {"Command3", rt::clickEvent, "Command3_Click"},
    {"Command4", rt::clickEvent, "Command4_Click"},
    {"Command5", rt::clickEvent, "Command5_Click"},
    {"Command6", rt::clickEvent, "Command6_Click"},
    {"Command7", rt::clickEvent, "Command7_Click"},
    {"Command8", rt::clickEvent, "Command8_Click"},
    {"Command9", rt::clickEvent, "Command9_Click"},
    {"Timer1",   rt::timerEvent, "Timer1_Timer"},
    {"Timer2",   rt::timerEvent, "Timer2_Timer"},
};
// clang-format on

} // namespace

const rt::FormDescription form1Description = {
    .name = "Form1",
    .caption = "Tavelquin",
    .clientWidth = 2865,
    .clientHeight = 2025,
    .backColour = black,
    .controls = controls,
    .bindings = bindings,
};

} // namespace window
