// The exception of a failed device call (display or sound), shared by the
// engine and the sound layer so that the frame loop can catch one class.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class EDirectXError : public std::runtime_error {
public:
    EDirectXError(const std::string& message, std::int32_t errorCode)
        : std::runtime_error(message), ErrorCode(errorCode) {}
    // The device's result code (an HRESULT; negative for failures).
    std::int32_t ErrorCode;
};
