// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace win32ui {

// What a screen reader reads of a control beyond its window's text: a name
// where the text does not say it (a count read with its caption), and a
// description. Empty fields leave the system's own.
struct AccessibleText {
    std::wstring name;
    std::wstring description;
};

// The answer to WM_GETOBJECT for a control's client area: the system's own
// accessible object for the control, with the name and description of text
// as they are when a screen reader asks. Returns 0, for the system's own
// object, if it cannot be made. Works where Windows' annotations do not
// (Wine's IAccPropServices::SetHwndPropStr returns E_NOTIMPL).
LRESULT accessibleObject(HWND control, WPARAM flags, std::shared_ptr<const AccessibleText> text);

} // namespace win32ui
