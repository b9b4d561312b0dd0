// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds in the game's window, read from another
// process through MSAA (oleacc), for e2e/drive.py's wine mode; the window
// system's hand on the window; and the game started as a console or Explorer
// starts it.
//
// usage: msaa_probe controls | listen SECONDS | close | box
//        msaa_probe console PROGRAM [ARGUMENTS...] | detached PROGRAM [ARGUMENTS...]
//        msaa_probe record FILE ARGUMENT
//
// controls: a line per child window of the game's window, with its control
// id, place and size, whether it is enabled, its accessible name and its
// description, tab-separated; then "focus ID". listen: "ready", then a line
// "live NAME" for each live region change the game raises, with the region's
// name then, until SECONDS have passed. close: asks the window to close, as
// its frame's close button does. box: the text of the game's message box,
// then presses its OK button; status 1 if there is none. console: runs the
// program in a new console of its own, which it inherits, as from cmd, and
// prints "status N" and then the text the console shows, line by line.
// detached: runs it with no console and no standard handles, as Explorer
// does, and prints "status N". record: appends ARGUMENT and a line break to
// FILE, as a browser that the shell opens a page with.
#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The game's top-level window (not its message box) or its message box.
HWND findWindow(bool messageBox) {
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, nullptr, L"Tavelquin"))) {
        wchar_t name[16] = {};
        GetClassNameW(found, name, 16);
        if ((std::wstring(name) == L"#32770") == messageBox)
            return found;
    }
    return nullptr;
}

std::string utf8(const wchar_t* text) {
    std::string out(
        std::size_t(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), int(out.size()), nullptr, nullptr);
    out.resize(out.empty() ? 0 : out.size() - 1);
    return out;
}

// The name (or description) of an accessible object; "-" if it has none.
std::string read(IAccessible* object, VARIANT child, bool description) {
    BSTR text = nullptr;
    const HRESULT result =
        description ? object->get_accDescription(child, &text) : object->get_accName(child, &text);
    std::string read = result == S_OK && text ? utf8(text) : "-";
    SysFreeString(text);
    return read;
}

VARIANT self() {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

BOOL CALLBACK printControl(HWND control, LPARAM parent) {
    if (GetParent(control) != reinterpret_cast<HWND>(parent))
        return TRUE;
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&place), 2);
    IAccessible* object = nullptr;
    std::string name = "?", description = "?";
    if (SUCCEEDED(AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)))) {
        name = read(object, self(), false);
        description = read(object, self(), true);
        object->Release();
    }
    std::printf("%d\t%ld,%ld,%ld,%ld\t%d\t%s\t%s\n", GetDlgCtrlID(control), place.left, place.top,
                place.right - place.left, place.bottom - place.top, IsWindowEnabled(control),
                name.c_str(), description.c_str());
    return TRUE;
}

void CALLBACK liveRegionChanged(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                                DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT which;
    if (SUCCEEDED(
            AccessibleObjectFromEvent(window, DWORD(object), DWORD(child), &accessible, &which))) {
        std::printf("live %s\n", read(accessible, which, false).c_str());
        accessible->Release();
        VariantClear(&which);
    } else {
        std::printf("live ?\n");
    }
    std::fflush(stdout);
}

// The command line that starts the program and arguments given after the
// mode, each quoted, from the probe's own UTF-16 command line.
std::wstring childCommandLine() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring line;
    for (int i = 2; i < count; ++i)
        line += (i > 2 ? L" \"" : L"\"") + std::wstring(words[i]) + L"\"";
    LocalFree(words);
    return line;
}

// Runs the command line with the startup information given and waits for it:
// its exit status, or -1 if it did not start or end within a minute.
long runChild(std::wstring line, STARTUPINFOW& startup) {
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child))
        return -1;
    DWORD status = DWORD(-1);
    if (WaitForSingleObject(child.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return long(status);
}

void print(HANDLE out, const std::string& text) {
    DWORD wrote = 0;
    WriteFile(out, text.data(), DWORD(text.size()), &wrote, nullptr);
}

// The text of the console's screen buffer down to its cursor, without the
// spaces that fill each line.
std::string consoleText() {
    const HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    GetConsoleScreenBufferInfo(console, &screen);
    std::string text;
    std::wstring line(std::size_t(screen.dwSize.X), L' ');
    for (SHORT y = 0; y < screen.dwCursorPosition.Y; ++y) {
        DWORD read = 0;
        ReadConsoleOutputCharacterW(console, line.data(), DWORD(line.size()), COORD{0, y}, &read);
        const std::wstring shown = line.substr(0, line.find_last_not_of(L' ') + 1);
        text += utf8(shown.c_str()) + "\n";
    }
    CloseHandle(console);
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "console" || command == "detached") {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        FreeConsole();
        if (command == "console" && AllocConsole()) {
            // Wide enough that no line of the program's wraps.
            const HANDLE console =
                CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            SetConsoleScreenBufferSize(console, COORD{200, 300});
            CloseHandle(console);
        } else if (command == "detached") {
            startup.dwFlags = STARTF_USESTDHANDLES; // and every handle null
        }
        print(out, "status " + std::to_string(runChild(childCommandLine(), startup)) + "\n");
        if (command == "console")
            print(out, consoleText());
        return 0;
    }
    if (command == "record" && argc > 3) {
        int count = 0;
        wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
        FILE* file = _wfopen(words[2], L"ab");
        std::fprintf(file, "%s\n", utf8(words[3]).c_str());
        std::fclose(file);
        LocalFree(words);
        return 0;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND game = findWindow(false);
    if (command == "controls" && game) {
        EnumChildWindows(game, printControl, LPARAM(game));
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(game, nullptr), &thread);
        std::printf("focus %d\n", thread.hwndFocus ? GetDlgCtrlID(thread.hwndFocus) : 0);
    } else if (command == "listen" && argc > 2 && game) {
        DWORD process = 0;
        GetWindowThreadProcessId(game, &process);
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        liveRegionChanged, process, 0, WINEVENT_OUTOFCONTEXT);
        std::printf("ready\n");
        std::fflush(stdout);
        SetTimer(nullptr, 0, UINT(std::atoi(argv[2]) * 1000), nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
            DispatchMessageW(&message);
    } else if (command == "close" && game) {
        PostMessageW(game, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (HWND box = findWindow(true); command == "box" && box) {
        wchar_t text[512];
        for (HWND part = nullptr; (part = FindWindowExW(box, part, L"Static", nullptr));)
            if (GetWindowTextW(part, text, 512) > 0)
                std::printf("%s\n", utf8(text).c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    } else {
        return 1;
    }
    return 0;
}
