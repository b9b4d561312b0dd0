// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "error.h"

namespace rt {
namespace {

const char* errorText(ErrorCode code) {
    switch (code) {
    case ErrorCode::overflow:
        return "Overflow";
    case ErrorCode::outOfMemory:
        return "Out of memory";
    case ErrorCode::divisionByZero:
        return "Division by zero";
    case ErrorCode::typeMismatch:
        return "Type mismatch";
    case ErrorCode::deviceIo:
        return "Device I/O error";
    case ErrorCode::invalidFloatingPoint:
        return "Invalid floating-point operation";
    case ErrorCode::internal:
        return "Internal error";
    case ErrorCode::controlUnloaded:
        return "Control is no longer loaded";
    }
    return "Unknown error";
}

} // namespace

RuntimeError::RuntimeError(ErrorCode code, const std::string& detail)
    : std::runtime_error(detail), code_(code), detail_(detail) {}

std::string standardMessage(const RuntimeError& error) {
    std::string message = "Run-time error " + std::to_string(static_cast<int>(error.code())) +
                          ": " + errorText(error.code());
    if (!error.detail().empty())
        message += " (" + error.detail() + ")";
    return message;
}

} // namespace rt
