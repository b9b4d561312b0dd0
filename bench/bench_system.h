// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the journal's benchmark asks of the system it runs on, each system's in
// a file of its own: bench_system_posix.cpp, bench_system_win32.cpp.
#pragma once

#include <string>

namespace bench {

// The process's peak resident memory so far (its peak working set on Windows), in KiB.
long peakKiB();

// Runs this program again with the two arguments, its output going to ours,
// and waits for it to end.
void runAgain(const std::string& first, const std::string& second);

} // namespace bench
