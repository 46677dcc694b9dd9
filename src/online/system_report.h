// The system report written to the log before each game, and the memory check.
#pragma once

#include <cstdint>

class ISystemFacts;

// Available physical plus available virtual memory in kilobytes, as last
// reported. Kept 64 bits wide: on a 64-bit system the address space alone
// does not fit 32 bits of kilobytes.
extern std::uint64_t AvailableMemoryKB;
constexpr std::uint64_t MinimumMemoryKB = 90000;

// Writes "Retreiving system information..." and the eighteen labelled lines,
// then sets AvailableMemoryKB; a failure is logged and leaves it unchanged.
void LogSystemInfo(ISystemFacts& facts);
// Available physical plus available virtual memory in kilobytes; 0 (and a
// log line) when it cannot be read.
std::uint64_t GetAvailableMemory(ISystemFacts& facts);
