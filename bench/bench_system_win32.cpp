// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench_system.h"

#include "text_encoding.h"

#include <windows.h>

#include <process.h>
#include <psapi.h>

#include <cstdio>

namespace bench {

long peakKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return long(counters.PeakWorkingSetSize / 1024);
}

void runAgain(const std::string& first, const std::string& second) {
    std::fflush(stdout);
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    // The C runtime passes its standard streams to the new process; each
    // argument goes in quotes, as the command line joins them with spaces.
    const std::wstring quoted[] = {L'"' + std::wstring(program) + L'"',
                                   L'"' + win32ui::wide(first) + L'"',
                                   L'"' + win32ui::wide(second) + L'"'};
    const wchar_t* arguments[] = {quoted[0].c_str(), quoted[1].c_str(), quoted[2].c_str(), nullptr};
    _wspawnv(_P_WAIT, program, arguments);
}

} // namespace bench
