// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The stack protector's canary and its failure, defined here so that the
// toolchain's own (libssp) is not linked into the program. That one fills the
// canary through the old CryptoAPI, which loads crypt32.dll and a
// cryptographic provider before the program's first line, for every start;
// the system's preferred generator, which the game's secrets already come
// from, gives the same unpredictable value without them.
#include <windows.h>

#include <bcrypt.h>

extern "C" {

// Read and compared by every function that -fstack-protector-strong guards.
void* __stack_chk_guard = nullptr;

// A guarded function found its canary overwritten: the stack is not to be
// trusted, so the process ends at once, without unwinding or running any
// more of its code, with the status Windows gives a program whose stack
// cookie fails (STATUS_STACK_BUFFER_OVERRUN).
[[noreturn]] void __stack_chk_fail() {
    constexpr UINT stackBufferOverrun = 0xC0000409;
    TerminateProcess(GetCurrentProcess(), stackBufferOverrun);
    __builtin_unreachable();
}

} // extern "C"

namespace {

// Before every other constructor of the program, so that no guarded function
// returns across a change of the canary.
[[gnu::constructor(101), gnu::no_stack_protector]] void setStackGuard() {
    void* guard = nullptr;
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&guard), sizeof guard,
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG)) ||
        guard == nullptr) {
        // Without the generator the canary is still not zero, which a string
        // overflow would write, and differs between starts.
        guard = reinterpret_cast<void*>((uintptr_t(GetCurrentProcessId()) << 16) ^
                                        uintptr_t(GetTickCount64()) ^ 0xff0a0dff);
    }
    __stack_chk_guard = guard;
}

} // namespace
