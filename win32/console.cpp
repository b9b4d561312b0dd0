// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "console.h"

#include "text_encoding.h"

namespace win32ui {

namespace {

// A standard handle the program can write to: a console it is attached to
// (Wine attaches a GUI program to its parent's), a file or a pipe, or a
// device such as NUL; else nothing.
HANDLE usable(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return nullptr;
    if (GetConsoleMode(handle, &mode) || GetFileType(handle) != FILE_TYPE_UNKNOWN)
        return handle;
    return nullptr;
}

} // namespace

Console::Console() : handles_{usable(STD_OUTPUT_HANDLE), usable(STD_ERROR_HANDLE)} {}

bool Console::writeTo(HANDLE handle, std::string_view text) {
    DWORD mode = 0, wrote = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring utf16 = wide(text);
        return WriteConsoleW(handle, utf16.data(), DWORD(utf16.size()), &wrote, nullptr) != 0;
    }
    return WriteFile(handle, text.data(), DWORD(text.size()), &wrote, nullptr) != 0;
}

bool Console::write(Stream stream, std::string_view text) {
    if (const HANDLE handle = handles_[stream == Stream::error]; handle != nullptr)
        return writeTo(handle, text);
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    const HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool written = console != INVALID_HANDLE_VALUE && writeTo(console, text);
    if (console != INVALID_HANDLE_VALUE)
        CloseHandle(console);
    FreeConsole();
    return written;
}

void Console::answer(const cli::Answer& answer) {
    if (!answer.out.empty() && !write(Stream::output, answer.out))
        showBox(answer.out, answer.status != 0);
    if (!answer.error.empty() && !write(Stream::error, answer.error))
        showBox(answer.error, answer.status != 0);
}

void showBox(std::string text, bool failed) {
    if (text.starts_with("tavelquin: "))
        text.erase(0, 11);
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    MessageBoxW(nullptr, wide(text).c_str(), L"Tavelquin",
                MB_OK | MB_SETFOREGROUND | (failed ? MB_ICONERROR : MB_ICONINFORMATION));
}

} // namespace win32ui
