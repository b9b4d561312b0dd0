// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "accessible_control.h"
#include "announcer.h"
#include "caption_font.h"
#include "runtime.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace win32ui {

class Win32Host;

// The window of one form, built from its description: a child window per
// visible control, placed at the window's scale, coloured and in tab order.
// It forwards clicks to the runtime and mirrors what the runtime changes.
class FormWindow {
public:
    FormWindow(Win32Host& host, rt::Runtime& runtime, rt::Form& form);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND handle() const { return window_; }
    HWND control(std::string_view controlName) const;
    // Shows the window as the program was asked to (SW_SHOWNORMAL, ...),
    // with the focus on the first control in tab order.
    void show(int how);
    void hide();
    void controlChanged(const rt::Control& control);
    // Speaks the text through a screen reader, wherever the focus is.
    void announce(const std::string& text);
    // Sets a control's accessible description and tooltip.
    void describe(std::string_view controlName, const std::string& text);
    // A key that runs the action when pressed without Ctrl or Alt, wherever
    // the focus is in the window.
    void addShortcut(UINT virtualKey, std::function<void()> action);
    // Takes the window's key presses before they are dispatched: Tab and
    // Shift+Tab move the focus in tab order, Enter and Esc press nothing, and
    // shortcuts run. Returns whether it took the message.
    bool preTranslate(const MSG& message);

private:
    struct ControlWindow {
        rt::Control* control;
        HWND handle;
        std::shared_ptr<AccessibleText> accessible;
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    void layout(int dpi, const RECT* suggested = nullptr);
    void finishSetup();
    void placeAnnouncer();
    // Gives the focus to the next control in tab order that is enabled.
    void focusNext(HWND from, bool backwards);
    const ControlWindow* find(HWND control) const;
    HBRUSH brush(rt::Colour colour);

    Win32Host& host_;
    rt::Runtime& runtime_;
    rt::Form& form_;
    CaptionFonts fonts_;
    std::map<rt::Colour, HBRUSH> brushes_;
    HWND window_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<ControlWindow> controls_;
    std::vector<HWND> tabOrder_;
    HWND focus_ = nullptr; // the control to give the focus back to on activation
    // Focus marks show once a key has moved the focus, or always if the user
    // asked Windows for keyboard cues.
    bool keyboardCues_ = false;
    HWND tooltip_ = nullptr;
    std::unique_ptr<Announcer> announcer_;
    std::map<UINT, std::function<void()>> shortcuts_;
};

} // namespace win32ui
