// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "message_box_reporter.h"

#include "error.h"
#include "text_encoding.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace win32ui {

void MessageBoxReporter::report(const rt::RuntimeError& error) {
    const std::string message = rt::standardMessage(error);
    std::fprintf(stderr, "tavelquin: %s\n", message.c_str());
    std::fflush(stderr);
    MessageBoxW(nullptr, wide(message).c_str(), L"Tavelquin", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace win32ui
