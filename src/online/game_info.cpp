// The system information object over the platform's facts.
#include "online/game_info.h"

TGameInfo::TGameInfo(ISystemFacts& facts) : facts_(facts) {
    ISystemFacts& f = facts_;
    OSVersion = f.OsVersion();
    OSPlatform = f.OsPlatform();
    DirectXVersion = f.GraphicsVersion();
    CPUVendor = f.CpuVendor();
    DisplayResolution = f.DisplayResolution();
    BitsPerPixel = f.BitsPerPixel();
}

std::uint64_t TGameInfo::MemoryInfo(int what) const {
    const MemoryStatus m = facts_.Memory();
    switch (what) {
        case 1:
            return m.LoadPercent;
        case 2:
            return m.TotalPhys >> 10;
        case 3:
            return m.AvailPhys >> 10;
        case 4:
            return m.TotalPageFile >> 10;
        case 5:
            return m.AvailPageFile >> 10;
        case 6:
            return m.TotalVirtual >> 10;
        case 7:
            return m.AvailVirtual >> 10;
        default:
            return 0;
    }
}

std::uint64_t TGameInfo::SystemInfo(int what) const {
    const ProcessorInfo p = facts_.Processor();
    switch (what) {
        case 1:
            return p.PageSize;
        case 2:
            return p.ActiveProcessorMask;
        case 3:
            return p.NumberOfProcessors;
        case 4:
            return p.ProcessorType;
        case 5:
            return p.AllocationGranularity;
        default:
            return 0;
    }
}
