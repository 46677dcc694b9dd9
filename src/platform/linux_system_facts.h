// Machine facts for the system report, read from Linux's own sources.
#pragma once

#include "online/game_info.h"

// /etc/os-release and uname for the system, SDL's desktop mode for the
// display (empty unless SDL's video is running), /proc/cpuinfo for the
// processor vendor, /proc/meminfo, the address-space limit and sysconf for
// the memory and processor figures.
class LinuxSystemFacts : public ISystemFacts {
public:
    std::string OsVersion() override;
    std::string OsPlatform() override;
    std::string GraphicsVersion() override;
    std::string CpuVendor() override;
    std::string DisplayResolution() override;
    std::string BitsPerPixel() override;
    MemoryStatus Memory() override;
    ProcessorInfo Processor() override;
};
