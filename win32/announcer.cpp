// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "text_encoding.h"

#include <oleacc.h>

namespace win32ui {
namespace {

// Posted to the parent to show what waits.
constexpr UINT showWaitingMessage = WM_APP + 1;

// Not in mingw-w64's headers: UI Automation's LiveSetting property, which
// MSAA annotations set, and the annotation service's class and interface.
constexpr GUID liveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr GUID accPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID accPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
// UI Automation's LiveSetting values: Off 0, Polite 1, Assertive 2.
constexpr LONG polite = 1;

// Marks the control a polite live region. Wine has no live regions and may
// refuse the annotation; the announcement's text and event still go out.
void markLive(HWND window) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(accPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                accPropServicesInterface, reinterpret_cast<void**>(&services))))
        return;
    VARIANT setting;
    VariantInit(&setting);
    setting.vt = VT_I4;
    setting.lVal = polite;
    services->SetHwndProp(window, DWORD(OBJID_CLIENT), CHILDID_SELF, liveSettingProperty, setting);
    services->Release();
}

} // namespace

Announcer::Announcer(HWND parent, int id)
    : parent_(parent),
      window_(CreateWindowExW(
          0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX, 0, 0, 0, 0,
          parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr)) {
    SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Announcer::announce(const std::string& text) {
    if (text.empty())
        return;
    if (waiting_.empty())
        PostMessageW(parent_, showWaitingMessage, 0, 0);
    else
        waiting_ += L' ';
    waiting_ += wide(text);
}

bool Announcer::handleMessage(UINT message) {
    if (message != showWaitingMessage)
        return false;
    // Marked before its first text, which is when a screen reader first
    // needs to know; until then no COM object is made for it.
    if (!marked_) {
        markLive(window_);
        marked_ = true;
    }
    SetWindowTextW(window_, waiting_.c_str());
    waiting_.clear();
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window_, OBJID_CLIENT, CHILDID_SELF);
    return true;
}

} // namespace win32ui
