// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds in the game's window, read from another
// process through MSAA (oleacc), for e2e/drive.py's wine mode; and the
// window system's hand on the window.
//
// usage: msaa_probe controls | listen SECONDS | close | box
//
// controls: a line per child window of the game's window, with its control
// id, place and size, whether it is enabled, its accessible name and its
// description, tab-separated; then "focus ID". listen: "ready", then a line
// "live NAME" for each live region change the game raises, with the region's
// name then, until SECONDS have passed. close: asks the window to close, as
// its frame's close button does. box: the text of the game's message box,
// then presses its OK button; status 1 if there is none.
#include <windows.h>

#include <oleacc.h>

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

} // namespace

int main(int argc, char* argv[]) {
    const std::string command = argc > 1 ? argv[1] : "";
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
