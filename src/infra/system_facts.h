// Raw facts about the machine, gathered by the platform layer for the system
// report and the memory check.
#pragma once

#include <cstdint>
#include <string>

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

// A source that knows nothing: empty texts and zero figures.
ISystemFacts& NoSystemFacts();
