// The Linux facts behind the system report are read and plausible.
#include <gtest/gtest.h>

#include "platform/linux_system_facts.h"

TEST(LinuxSystemFacts, ReadsThisMachine) {
    LinuxSystemFacts facts;
    EXPECT_EQ(facts.OsPlatform(), "Linux");
    EXPECT_NE(facts.OsVersion().find(" ("), std::string::npos);
    EXPECT_EQ(facts.GraphicsVersion().rfind("SDL 2.", 0), 0u);
    // Without SDL's video running, the display texts stay empty.
    EXPECT_EQ(facts.DisplayResolution(), "");
    const MemoryStatus m = facts.Memory();
    EXPECT_GT(m.TotalPhys, 0u);
    EXPECT_LE(m.AvailPhys, m.TotalPhys);
    EXPECT_LE(m.LoadPercent, 100u);
    EXPECT_GT(m.AvailVirtual, 0u);
    const ProcessorInfo p = facts.Processor();
    EXPECT_GE(p.NumberOfProcessors, 1u);
    EXPECT_NE(p.ActiveProcessorMask, 0u);
    EXPECT_EQ(p.PageSize % 4096, 0u);
}
