// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

// 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;
// Not a colour: the control keeps the system's own colour.
inline constexpr Colour systemColour = 0xFF000000;

enum class ControlKind { pushButton, graphicalButton, label, pictureBox, timer };

// One control of a form, as the window description lists it. Positions and
// sizes are in twips from the top-left corner of the client area.
struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    Colour backColour = 0;
    Colour foreColour = 0;
    int tabIndex = -1; // -1: not in the tab order (timers)
    int interval = 0;  // timers only, in milliseconds
    bool enabled = true;
    // What a screen reader says and a tooltip shows, where the caption says
    // nothing (a colour button has none).
    std::string_view accessibleName = {};
    // A caption names the control it is for: a screen reader reads them
    // together, and the control's own text then need not repeat the caption.
    std::string_view labelFor = {};
};

// Ties one event of one control (or of the form itself) to a handler name.
struct EventBinding {
    std::string_view control;
    std::string_view event;
    std::string_view handler;
};

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    int clientWidth = 0; // twips
    int clientHeight = 0;
    Colour backColour = 0;
    std::span<const ControlDescription> controls;
    std::span<const EventBinding> bindings;
};

// Event names.
inline constexpr std::string_view clickEvent = "Click";
inline constexpr std::string_view timerEvent = "Timer";
inline constexpr std::string_view loadEvent = "Load";

} // namespace rt
