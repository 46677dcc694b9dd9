// The system information written into the log at every game start.
#pragma once

#include <cstdint>
#include <string>

#include "infra/system_facts.h"

// Gathers the texts in its constructor; the two queries ask afresh each time.
class TGameInfo {
public:
    explicit TGameInfo(ISystemFacts& facts);
    std::string OSVersion, OSPlatform, DirectXVersion, CPUVendor, DisplayResolution, BitsPerPixel;
    // 1 load %, 2/3 total/available physical, 4/5 paging file, 6/7 virtual
    // (kilobytes); anything else 0.
    std::uint64_t MemoryInfo(int what) const;
    // 1 page size, 2 active processor mask, 3 processors, 4 processor type,
    // 5 allocation granularity; anything else 0.
    std::uint64_t SystemInfo(int what) const;

private:
    ISystemFacts& facts_;
};
