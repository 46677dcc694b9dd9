// The system information written into the log at every game start.
#pragma once

#include <cstdint>
#include <string>

// Raw facts about the machine, gathered by the platform layer.
struct MemoryStatus {
    std::uint32_t LoadPercent = 0;
    std::uint64_t TotalPhys = 0, AvailPhys = 0;          // bytes
    std::uint64_t TotalPageFile = 0, AvailPageFile = 0;  // bytes (swap)
    std::uint64_t TotalVirtual = 0, AvailVirtual = 0;    // bytes (address space)
};

struct ProcessorInfo {
    std::uint64_t PageSize = 0;
    std::uint64_t ActiveProcessorMask = 0;
    std::uint32_t NumberOfProcessors = 0;
    std::uint32_t ProcessorType = 0;
    std::uint64_t AllocationGranularity = 0;
};

class ISystemFacts {
public:
    virtual ~ISystemFacts() = default;
    // Texts are empty when their source is missing.
    virtual std::string OsVersion() = 0;
    virtual std::string OsPlatform() = 0;
    virtual std::string GraphicsVersion() = 0;
    virtual std::string CpuVendor() = 0;
    virtual std::string DisplayResolution() = 0;
    virtual std::string BitsPerPixel() = 0;
    // Read afresh on every call; may raise when the system cannot be asked.
    virtual MemoryStatus Memory() = 0;
    virtual ProcessorInfo Processor() = 0;
};

// The facts in force; by default a source that knows nothing. Not owned.
ISystemFacts& SystemFacts();
void SetSystemFacts(ISystemFacts* facts);

// Gathers the texts in its constructor; the two queries ask afresh each time.
class TGameInfo {
public:
    TGameInfo();
    std::string OSVersion, OSPlatform, DirectXVersion, CPUVendor, DisplayResolution, BitsPerPixel;
    // 1 load %, 2/3 total/available physical, 4/5 paging file, 6/7 virtual
    // (kilobytes); anything else 0.
    std::uint64_t MemoryInfo(int what) const;
    // 1 page size, 2 active processor mask, 3 processors, 4 processor type,
    // 5 allocation granularity; anything else 0.
    std::uint64_t SystemInfo(int what) const;
};
