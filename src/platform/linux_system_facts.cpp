// Machine facts for the system report.
#include "linux_system_facts.h"

#include <SDL.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// The value of "key<sep>value" lines in a text file, trimmed of blanks and quotes.
std::string ValueOf(const char* path, const std::string& key, char sep) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const auto pos = line.find(sep);
        if (pos == std::string::npos) continue;
        std::string k = line.substr(0, pos);
        while (!k.empty() && (k.back() == ' ' || k.back() == '\t')) k.pop_back();
        if (k != key) continue;
        std::string v = line.substr(pos + 1);
        const auto b = v.find_first_not_of(" \t\"");
        const auto e = v.find_last_not_of(" \t\"");
        return b == std::string::npos ? std::string() : v.substr(b, e - b + 1);
    }
    return {};
}

// A /proc/meminfo figure in bytes.
std::uint64_t MemInfoBytes(const std::string& key) {
    const std::string v = ValueOf("/proc/meminfo", key, ':');
    if (v.empty()) throw std::runtime_error("/proc/meminfo has no " + key);
    return std::stoull(v) * 1024;
}

// Bytes of address space this process has mapped.
std::uint64_t MappedBytes() {
    const std::string v = ValueOf("/proc/self/status", "VmSize", ':');
    return v.empty() ? 0 : std::stoull(v) * 1024;
}

std::uint64_t AddressSpaceBytes() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) return limit.rlim_cur;
    return sizeof(void*) == 8 ? (1ull << 47) : (3ull << 30);
}

bool DesktopMode(SDL_DisplayMode& mode) {
    return SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &mode) == 0;
}

}  // namespace

std::string LinuxSystemFacts::OsVersion() {
    utsname u{};
    if (uname(&u) != 0) return {};
    int major = 0, minor = 0, build = 0;
    std::sscanf(u.release, "%d.%d.%d", &major, &minor, &build);
    const std::string name = ValueOf("/etc/os-release", "PRETTY_NAME", '=');
    char text[512];
    std::snprintf(text, sizeof text, "%d.%d (%d.%s)", major, minor, build & 0xFFFF, name.c_str());
    return text;
}

std::string LinuxSystemFacts::OsPlatform() {
    utsname u{};
    return uname(&u) == 0 ? std::string(u.sysname) : std::string();
}

std::string LinuxSystemFacts::GraphicsVersion() {
    SDL_version v;
    SDL_GetVersion(&v);
    return "SDL " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
}

std::string LinuxSystemFacts::CpuVendor() {
    return ValueOf("/proc/cpuinfo", "vendor_id", ':');
}

std::string LinuxSystemFacts::DisplayResolution() {
    SDL_DisplayMode mode{};
    if (!DesktopMode(mode)) return {};
    return std::to_string(mode.w) + "x" + std::to_string(mode.h);
}

std::string LinuxSystemFacts::BitsPerPixel() {
    SDL_DisplayMode mode{};
    if (!DesktopMode(mode)) return {};
    return std::to_string(SDL_BITSPERPIXEL(mode.format));
}

MemoryStatus LinuxSystemFacts::Memory() {
    MemoryStatus m;
    m.TotalPhys = MemInfoBytes("MemTotal");
    m.AvailPhys = MemInfoBytes("MemAvailable");
    m.TotalPageFile = MemInfoBytes("SwapTotal");
    m.AvailPageFile = MemInfoBytes("SwapFree");
    m.LoadPercent =
        m.TotalPhys ? static_cast<std::uint32_t>((m.TotalPhys - m.AvailPhys) * 100 / m.TotalPhys) : 0;
    m.TotalVirtual = AddressSpaceBytes();
    const std::uint64_t mapped = MappedBytes();
    m.AvailVirtual = m.TotalVirtual > mapped ? m.TotalVirtual - mapped : 0;
    return m;
}

ProcessorInfo LinuxSystemFacts::Processor() {
    ProcessorInfo p;
    p.PageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    p.AllocationGranularity = p.PageSize;
    p.NumberOfProcessors = static_cast<std::uint32_t>(sysconf(_SC_NPROCESSORS_ONLN));
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        for (int i = 0; i < 64; ++i)
            if (CPU_ISSET(i, &set)) p.ActiveProcessorMask |= 1ull << i;
#if defined(__x86_64__)
    p.ProcessorType = 8664;
#elif defined(__i386__)
    p.ProcessorType = 586;
#endif
    return p;
}
