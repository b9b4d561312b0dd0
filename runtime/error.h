// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>

namespace rt {

// The numbers that identify run-time errors in the standard message.
enum class ErrorCode : int {
    overflow = 6,
    outOfMemory = 7,
    divisionByZero = 11,
    typeMismatch = 13,
    deviceIo = 57,
    invalidFloatingPoint = 16,
    internal = 51,
    controlUnloaded = 91,
};

// The one error a handler can raise. Nothing in a handler catches it: the
// runtime's dispatcher does, reports it and ends the program.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorCode code, const std::string& detail);

    ErrorCode code() const { return code_; }
    const std::string& detail() const { return detail_; }

private:
    ErrorCode code_;
    std::string detail_;
};

// "Run-time error 13: Type mismatch (...)": number, text, and what went wrong.
std::string standardMessage(const RuntimeError& error);

// A fault in the window description or its bindings, found while the program
// starts and before any handler runs.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace rt
