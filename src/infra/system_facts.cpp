// The source of machine facts that knows nothing.
#include "infra/system_facts.h"

namespace {

class TNoFacts : public ISystemFacts {
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

}  // namespace

ISystemFacts& NoSystemFacts() {
    static TNoFacts facts;
    return facts;
}
