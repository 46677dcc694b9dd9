// The system report in the log.
#include "online/system_report.h"

#include <exception>
#include <string>

#include "infra/log.h"
#include "online/game_info.h"

std::uint64_t AvailableMemoryKB = 0;

namespace {

// "Name:" padded with blanks to 20 characters; longer labels stay as they are.
std::string Label(const char* name) {
    std::string label = std::string(name) + ":";
    if (label.size() < 20) label.append(20 - label.size(), ' ');
    return label;
}

void LogValue(const char* name, const std::string& value) {
    WriteLog(Label(name) + value);
}
void LogValue(const char* name, std::uint64_t value) {
    LogValue(name, std::to_string(value));
}

}  // namespace

void LogSystemInfo(ISystemFacts& facts) {
    WriteLog("Retreiving system information...");
    try {
        const TGameInfo info(facts);
        LogValue("OSVersion", info.OSVersion);
        LogValue("OSPlatform", info.OSPlatform);
        LogValue("DispResu", info.DisplayResolution);
        LogValue("DirectXvs", info.DirectXVersion);
        LogValue("BitsPixel", info.BitsPerPixel);
        LogValue("CPUvendor", info.CPUVendor);
        const char* memoryLabels[] = {"MemoryLoad",    "TotalPhys",    "AvailPhys",   "TotalPageFile",
                                      "AvailPageFile", "TotalVirtual", "AvailVirtual"};
        for (int i = 0; i < 7; ++i) LogValue(memoryLabels[i], info.MemoryInfo(i + 1));
        const char* systemLabels[] = {"PageSize", "AtiveProcessorMask", "NumberOfProcessors", "ProcessorType",
                                      "AllocationGranularity"};
        for (int i = 0; i < 5; ++i) LogValue(systemLabels[i], info.SystemInfo(i + 1));
        AvailableMemoryKB = info.MemoryInfo(3) + info.MemoryInfo(7);
    } catch (const std::exception& e) {
        WriteLog(std::string("Retreiving system information failed: ") + e.what());
    }
}

std::uint64_t GetAvailableMemory(ISystemFacts& facts) {
    try {
        const TGameInfo info(facts);
        return info.MemoryInfo(3) + info.MemoryInfo(7);
    } catch (const std::exception& e) {
        WriteLog(std::string("Retreiving available memory failed: ") + e.what());
        return 0;
    }
}
