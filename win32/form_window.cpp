// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_window.h"

#include "accessible_names.h"
#include "colour_controls.h"
#include "count_layout.h"
#include "count_room.h"
#include "dpi.h"
#include "text_encoding.h"
#include "twips.h"
#include "win32_host.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace win32ui {
namespace {

constexpr DWORD windowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The announcer's control id; the controls' ids are their places in the
// description, counted from 1.
constexpr int announcerId = 100;
// Tooltips wrap at this width in pixels at 96 dpi.
constexpr int tooltipWidth = 300;
// The timer that finishes the window's setup once it has painted.
constexpr UINT_PTR setupTimer = 1;

const wchar_t* formClass(WNDPROC procedure) {
    static const wchar_t* name = [procedure] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW form{};
        form.cbSize = sizeof form;
        form.lpfnWndProc = procedure;
        form.hInstance = instance;
        // The icon group of the program's resources, id 1.
        form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), 0));
        form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        form.lpszClassName = L"TavelquinForm";
        RegisterClassExW(&form);
        return form.lpszClassName;
    }();
    return name;
}

bool keyDown(int key) { return GetKeyState(key) < 0; }

bool takesFocus(rt::ControlKind kind) {
    return kind == rt::ControlKind::pushButton || kind == rt::ControlKind::graphicalButton ||
           kind == rt::ControlKind::pictureBox;
}

} // namespace

FormWindow::FormWindow(Win32Host& host, rt::Runtime& runtime, rt::Form& form)
    : host_(host), runtime_(runtime), form_(form) {
    const rt::FormDescription& d = form.description();
    // Made hidden at the system's scale, then sized for the monitor it is on,
    // where its controls are made in their places.
    const int dpi = systemDpi();
    const SIZE size = outerSize(window::twipsToPixels(d.clientWidth, dpi),
                                window::twipsToPixels(d.clientHeight, dpi), windowStyle, 0, dpi);
    CreateWindowExW(0, formClass(&FormWindow::windowProc), wide(d.caption).c_str(), windowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    dpi_ = windowDpi(window_);
    if (dpi_ != dpi)
        layout(dpi_);
    build();
}

FormWindow::~FormWindow() {
    DestroyWindow(window_);
    for (const auto& [colour, brush] : brushes_)
        DeleteObject(brush);
}

void FormWindow::build() {
    std::vector<std::pair<int, HWND>> tabOrder;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const HFONT font = fonts_.at(scaled(captionPixelSize, dpi_));
    int id = 0;
    for (const auto& control : form_.controls()) {
        const rt::ControlDescription& d = control->description();
        ++id;
        const wchar_t* windowClass = L"BUTTON";
        std::wstring text = wide(d.caption);
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        switch (d.kind) {
        case rt::ControlKind::pushButton:
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case rt::ControlKind::graphicalButton:
            // Drawn as a plain square; its text is what a screen reader reads.
            style |= WS_TABSTOP | BS_OWNERDRAW;
            text = wide(d.accessibleName);
            break;
        case rt::ControlKind::label:
            // SS_NOTIFY lets the label see the mouse, for its tooltip.
            windowClass = L"STATIC";
            style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
            break;
        case rt::ControlKind::pictureBox:
            windowClass = colourPanelClass();
            style |= WS_TABSTOP;
            break;
        case rt::ControlKind::timer:
            continue;
        }
        const window::PixelRect place = window::pixelRect(d, dpi_);
        HWND handle = CreateWindowExW(0, windowClass, text.c_str(), style, place.left, place.top,
                                      place.width, place.height, window_,
                                      reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        SendMessageW(handle, WM_SETFONT, WPARAM(font), FALSE);
        // Labels and the panel read to a screen reader otherwise than their
        // text says; the buttons read as their text.
        if (d.kind == rt::ControlKind::label || d.kind == rt::ControlKind::pictureBox)
            SetWindowSubclass(handle, &FormWindow::controlProc, 0, DWORD_PTR(this));
        controls_.push_back({control.get(), handle, std::make_shared<AccessibleText>()});
        if (takesFocus(d.kind))
            tabOrder.emplace_back(d.tabIndex, handle);
        // Captions and enabled buttons are as they were made.
        const auto* button = dynamic_cast<const rt::CommandButton*>(control.get());
        if (window::isCount(form_.description(), d) || d.kind == rt::ControlKind::pictureBox ||
            (button && !button->isEnabled()))
            controlChanged(*control);
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (const auto& [index, handle] : tabOrder)
        tabOrder_.push_back(handle);
    // A count's box starts a pixel inside the caption on its left; stacked
    // above it, the count keeps the left edge of its first digit.
    for (const ControlWindow& c : controls_)
        if (window::isCount(form_.description(), c.control->description()))
            SetWindowPos(c.handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Focus marks wait for a key, as in dialogs, unless the user asked Windows
    // to show them always. The system's push buttons keep a state of their
    // own, which this message hands down to them.
    BOOL cues = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    keyboardCues_ = cues;
    if (!keyboardCues_)
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

// What no one can use in the moment the window first shows: the tooltips,
// and the live region, which screen readers learn of through COM. Made once
// the window has painted, or at the first announcement, if that comes first.
void FormWindow::finishSetup() {
    if (announcer_)
        return;
    announcer_ = std::make_unique<Announcer>(window_, announcerId);
    placeAnnouncer();
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaled(tooltipWidth, dpi_));
    for (ControlWindow& c : controls_) {
        // A colour's tooltip is its name; the labels' are their descriptions.
        const rt::ControlDescription& d = c.control->description();
        if (d.kind != rt::ControlKind::graphicalButton && d.kind != rt::ControlKind::label)
            continue;
        std::wstring name = wide(d.accessibleName);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = UINT_PTR(c.handle);
        tool.lpszText = d.kind == rt::ControlKind::graphicalButton
                            ? name.data()
                            : c.accessible->description.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
}

void FormWindow::placeAnnouncer() {
    for (const ControlWindow& c : controls_)
        if (c.control->description().kind == rt::ControlKind::pictureBox) {
            const window::PixelRect place = window::pixelRect(c.control->description(), dpi_);
            SetWindowPos(announcer_->handle(), nullptr, place.left, place.top, place.width,
                         place.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
}

void FormWindow::layout(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    const rt::FormDescription& d = form_.description();
    const SIZE size = outerSize(window::twipsToPixels(d.clientWidth, dpi),
                                window::twipsToPixels(d.clientHeight, dpi), windowStyle, 0, dpi);
    if (suggested)
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT font = fonts_.at(scaled(captionPixelSize, dpi));
    for (const ControlWindow& c : controls_) {
        const window::PixelRect place = window::pixelRect(c.control->description(), dpi);
        SetWindowPos(c.handle, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(c.handle, WM_SETFONT, WPARAM(font), FALSE);
        // Counts lay themselves out from their digits.
        controlChanged(*c.control);
    }
    if (announcer_) {
        placeAnnouncer();
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaled(tooltipWidth, dpi));
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void FormWindow::show(int how) {
    ShowWindow(window_, how);
    UpdateWindow(window_);
    // A timer's message comes once every window has painted.
    SetTimer(window_, setupTimer, USER_TIMER_MINIMUM, nullptr);
    if (!tabOrder_.empty())
        SetFocus(focus_ = tabOrder_.front());
}

void FormWindow::hide() { ShowWindow(window_, SW_HIDE); }

HWND FormWindow::control(std::string_view controlName) const {
    for (const ControlWindow& c : controls_)
        if (c.control->name() == controlName)
            return c.handle;
    return nullptr;
}

const FormWindow::ControlWindow* FormWindow::find(HWND control) const {
    for (const ControlWindow& c : controls_)
        if (c.handle == control)
            return &c;
    return nullptr;
}

// Runs inside the window procedure, where no exception may pass: it reads
// the runtime's state without the checks that throw, and only for a loaded form.
void FormWindow::controlChanged(const rt::Control& control) {
    auto found = std::find_if(controls_.begin(), controls_.end(),
                              [&control](const ControlWindow& c) { return c.control == &control; });
    if (found == controls_.end())
        return;
    const rt::ControlDescription& d = control.description();
    HWND handle = found->handle;
    if (auto* label = dynamic_cast<const rt::Label*>(&control)) {
        const std::string& caption = label->caption().value;
        if (window::isCount(form_.description(), d)) {
            // Named before the text changes, which tells a screen reader so.
            found->accessible->name = wide(window::countName(form_.description(), d, caption));
            layoutCount(handle, caption, form_.description(), d, dpi_, fonts_);
        } else {
            SetWindowTextW(handle, wide(caption).c_str());
        }
    } else if (auto* panel = dynamic_cast<const rt::PictureBox*>(&control)) {
        const rt::Colour colour = panel->backColour().value;
        const std::wstring name = wide(window::panelName(form_.description(), d, colour));
        found->accessible->name = name;
        setPanelColour(handle, colour);
        SetWindowTextW(handle, name.c_str());
    } else if (auto* button = dynamic_cast<const rt::CommandButton*>(&control)) {
        // A button that loses the focus as it is disabled hands it on.
        if (!button->isEnabled() && GetFocus() == handle)
            focusNext(handle, false);
        if (bool(IsWindowEnabled(handle)) != button->isEnabled())
            EnableWindow(handle, button->isEnabled());
    }
}

void FormWindow::announce(const std::string& text) {
    finishSetup();
    announcer_->announce(text);
}

void FormWindow::describe(std::string_view controlName, const std::string& text) {
    for (ControlWindow& c : controls_) {
        if (c.control->name() != controlName)
            continue;
        c.accessible->description = wide(text);
        // Nothing to tell before the window shows.
        if (IsWindowVisible(window_))
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, c.handle, OBJID_CLIENT, CHILDID_SELF);
        if (!tooltip_)
            continue;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = UINT_PTR(c.handle);
        tool.lpszText = c.accessible->description.data();
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
    }
}

void FormWindow::addShortcut(UINT virtualKey, std::function<void()> action) {
    shortcuts_[virtualKey] = std::move(action);
}

bool FormWindow::preTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN ||
        (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    if (keyDown(VK_CONTROL) || keyDown(VK_MENU))
        return false;
    switch (message.wParam) {
    case VK_TAB:
        if (!keyboardCues_) {
            keyboardCues_ = true;
            SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        }
        focusNext(GetFocus(), keyDown(VK_SHIFT));
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        return true;
    }
    auto shortcut = shortcuts_.find(UINT(message.wParam));
    if (shortcut == shortcuts_.end() || keyDown(VK_SHIFT))
        return false;
    shortcut->second();
    return true;
}

void FormWindow::focusNext(HWND from, bool backwards) {
    const auto count = std::ptrdiff_t(tabOrder_.size());
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), from) - tabOrder_.begin();
    // From outside the tab order, Tab starts at the first and Shift+Tab at the last.
    std::ptrdiff_t next = at < count ? at : (backwards ? 0 : count - 1);
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        next = (next + (backwards ? count - 1 : 1)) % count;
        if (IsWindowEnabled(tabOrder_[std::size_t(next)])) {
            SetFocus(tabOrder_[std::size_t(next)]);
            return;
        }
    }
}

HBRUSH FormWindow::brush(rt::Colour colour) {
    HBRUSH& made = brushes_[colour];
    if (!made)
        made = CreateSolidBrush(colour);
    return made;
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<FormWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(created));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    // A screen reader asks for the control's client area: names and
    // descriptions of our own go in an object of our own.
    if (message == WM_GETOBJECT && DWORD(lParam) == DWORD(OBJID_CLIENT)) {
        const ControlWindow* c = reinterpret_cast<FormWindow*>(self)->find(control);
        if (c && (!c->accessible->name.empty() || !c->accessible->description.empty()))
            if (const LRESULT object = accessibleObject(control, wParam, c->accessible))
                return object;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, &FormWindow::controlProc, 0);
    return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (announcer_ && announcer_->handleMessage(message))
        return 0;
    switch (message) {
    case WM_COMMAND:
        // An owner-drawn button tells of a second click soon after the first
        // as a double click; it is a click all the same.
        if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)
            if (const ControlWindow* c = find(reinterpret_cast<HWND>(lParam)))
                if (auto* button = dynamic_cast<rt::CommandButton*>(c->control)) {
                    host_.catchUp();
                    runtime_.click(*button);
                }
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const ControlWindow* c = find(item.hwndItem))
            drawColourButton(item, c->control->description().backColour, dpi_);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (const ControlWindow* c = find(reinterpret_cast<HWND>(lParam))) {
            const rt::ControlDescription& d = c->control->description();
            SetTextColor(reinterpret_cast<HDC>(wParam), d.foreColour);
            SetBkColor(reinterpret_cast<HDC>(wParam), d.backColour);
            return LRESULT(brush(d.backColour));
        }
        [[fallthrough]];
    case WM_CTLCOLORBTN:
        // What shows around a themed push button's rounded corners.
        SetBkColor(reinterpret_cast<HDC>(wParam), form_.description().backColour);
        return LRESULT(brush(form_.description().backColour));
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush(form_.description().backColour));
        return 1;
    }
    case WM_CLOSE:
        // Closing through the window's frame unloads the form, as Exit does.
        host_.catchUp();
        runtime_.requestClose(form_);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && find(GetFocus()))
            focus_ = GetFocus();
        break;
    case WM_SETFOCUS:
        if (focus_ && IsWindowEnabled(focus_))
            SetFocus(focus_);
        else
            focusNext(focus_, false);
        return 0;
    case WM_TIMER:
        if (wParam != setupTimer)
            break;
        KillTimer(window_, setupTimer);
        finishSetup();
        return 0;
    case WM_QUERYUISTATE:
        return keyboardCues_ ? 0 : UISF_HIDEFOCUS;
    case WM_DPICHANGED:
        layout(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace win32ui
