// System facts for tests: a machine that knows nothing but its free memory.
#pragma once

#include <cstdint>
#include <string>

#include "online/game_info.h"

class MemoryFacts : public ISystemFacts {
public:
    MemoryFacts(std::uint64_t availPhysBytes, std::uint64_t availVirtualBytes = 0)
        : availPhys_(availPhysBytes), availVirtual_(availVirtualBytes) {}
    std::string OsVersion() override { return "Test"; }
    std::string OsPlatform() override { return "Linux"; }
    std::string GraphicsVersion() override { return ""; }
    std::string CpuVendor() override { return ""; }
    std::string DisplayResolution() override { return ""; }
    std::string BitsPerPixel() override { return ""; }
    MemoryStatus Memory() override {
        MemoryStatus m;
        m.TotalPhys = m.AvailPhys = availPhys_;
        m.TotalVirtual = m.AvailVirtual = availVirtual_;
        return m;
    }
    ProcessorInfo Processor() override { return {}; }

private:
    std::uint64_t availPhys_, availVirtual_;
};
