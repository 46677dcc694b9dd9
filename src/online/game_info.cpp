// The system information object over the platform's facts.
#include "online/game_info.h"

namespace {

class NoFacts : public ISystemFacts {
public:
    std::string OsVersion() override { return {}; }
    std::string OsPlatform() override { return {}; }
    std::string GraphicsVersion() override { return {}; }
    std::string CpuVendor() override { return {}; }
    std::string DisplayResolution() override { return {}; }
    std::string BitsPerPixel() override { return {}; }
    MemoryStatus Memory() override { return {}; }
    ProcessorInfo Processor() override { return {}; }
};

NoFacts g_noFacts;
ISystemFacts* g_facts = &g_noFacts;

}  // namespace

ISystemFacts& SystemFacts() {
    return *g_facts;
}
void SetSystemFacts(ISystemFacts* facts) {
    g_facts = facts ? facts : &g_noFacts;
}

TGameInfo::TGameInfo() {
    ISystemFacts& f = SystemFacts();
    OSVersion = f.OsVersion();
    OSPlatform = f.OsPlatform();
    DirectXVersion = f.GraphicsVersion();
    CPUVendor = f.CpuVendor();
    DisplayResolution = f.DisplayResolution();
    BitsPerPixel = f.BitsPerPixel();
}

std::uint64_t TGameInfo::MemoryInfo(int what) const {
    const MemoryStatus m = SystemFacts().Memory();
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
    const ProcessorInfo p = SystemFacts().Processor();
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
