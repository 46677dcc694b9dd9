// The system report's lines and the memory figures.
#include <gtest/gtest.h>

#include <stdexcept>

#include "infra/errors.h"
#include "online/game_info.h"
#include "online/system_report.h"
#include "support/temp_program_dir.h"

namespace {

class FakeFacts : public ISystemFacts {
public:
    std::string OsVersion() override { return "6.1 (0.Debian GNU/Linux 12)"; }
    std::string OsPlatform() override { return "Linux"; }
    std::string GraphicsVersion() override { return "SDL 2.26.5"; }
    std::string CpuVendor() override { return "GenuineIntel"; }
    std::string DisplayResolution() override { return "1024x768"; }
    std::string BitsPerPixel() override { return "24"; }
    MemoryStatus Memory() override {
        if (failing) throw std::runtime_error("no /proc");
        MemoryStatus m;
        m.LoadPercent = 42;
        m.TotalPhys = 2048ull << 10;
        m.AvailPhys = 1024ull << 10;
        m.TotalPageFile = 512ull << 10;
        m.AvailPageFile = 256ull << 10;
        m.TotalVirtual = 1ull << 47;
        m.AvailVirtual = (1ull << 47) - (4096ull << 10);
        return m;
    }
    ProcessorInfo Processor() override { return {4096, 3, 2, 8664, 4096}; }
    bool failing = false;
};

}  // namespace

TEST(SystemReport, EighteenLabelledLinesPaddedToTwentyCharacters) {
    TempProgramDir dir;
    FakeFacts facts;
    LogSystemInfo(facts);
    const std::string expected =
        "Retreiving system information...\r\n"
        "OSVersion:          6.1 (0.Debian GNU/Linux 12)\r\n"
        "OSPlatform:         Linux\r\n"
        "DispResu:           1024x768\r\n"
        "DirectXvs:          SDL 2.26.5\r\n"
        "BitsPixel:          24\r\n"
        "CPUvendor:          GenuineIntel\r\n"
        "MemoryLoad:         42\r\n"
        "TotalPhys:          2048\r\n"
        "AvailPhys:          1024\r\n"
        "TotalPageFile:      512\r\n"
        "AvailPageFile:      256\r\n"
        "TotalVirtual:       137438953472\r\n"
        "AvailVirtual:       137438949376\r\n"
        "PageSize:           4096\r\n"
        "AtiveProcessorMask: 3\r\n"
        "NumberOfProcessors: 2\r\n"
        "ProcessorType:      8664\r\n"
        "AllocationGranularity:4096\r\n";
    EXPECT_EQ(dir.Read("sps/LOG.TXT"), expected);
    // No 32-bit wrap: available physical plus available address space.
    EXPECT_EQ(AvailableMemoryKB, 1024u + 137438949376u);
    EXPECT_EQ(GetAvailableMemory(facts), AvailableMemoryKB);
}

TEST(SystemReport, AFailureIsLoggedAndKeepsTheLastFigure) {
    TempProgramDir dir;
    FakeFacts facts;
    facts.failing = true;
    AvailableMemoryKB = 777;
    LogSystemInfo(facts);
    EXPECT_NE(dir.Read("sps/LOG.TXT").find("Retreiving system information failed: no /proc\r\n"),
              std::string::npos);
    EXPECT_EQ(AvailableMemoryKB, 777u);
    EXPECT_EQ(GetAvailableMemory(facts), 0u);
    EXPECT_NE(dir.Read("sps/LOG.TXT").find("Retreiving available memory failed: no /proc\r\n"),
              std::string::npos);
}

TEST(SystemReport, UnknownQueriesGiveZeroAndMissingSourcesEmptyTexts) {
    const TGameInfo none(NoSystemFacts());
    EXPECT_EQ(none.OSVersion, "");
    EXPECT_EQ(none.MemoryInfo(9), 0u);
    FakeFacts facts;
    const TGameInfo info(facts);
    EXPECT_EQ(info.MemoryInfo(0), 0u);
    EXPECT_EQ(info.MemoryInfo(9), 0u);
    EXPECT_EQ(info.SystemInfo(6), 0u);
    EXPECT_EQ(info.SystemInfo(3), 2u);
}
