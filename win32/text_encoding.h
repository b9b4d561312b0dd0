// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace win32ui {

// The portable code's UTF-8 and Windows' UTF-16, both ways.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// The system's reason for a Win32 error code, in one line, starting in lower
// case when it is English.
std::string errorReason(unsigned long error);

} // namespace win32ui
