// The log SPS/LOG.TXT.
#include "log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "errors.h"
#include "file_io.h"
#include "paths.h"

namespace {
constexpr const char* LogFile = "SPS/LOG.TXT";
std::function<void(std::string_view)> g_listener;
std::function<void(std::string_view)> g_diversion;
}  // namespace

void WriteLog(std::string_view text) {
    if (g_diversion) {
        g_diversion(text);
        return;
    }
    EnsureSpsDir();
    EnterProgramDir();
    const std::string path = ResolvePath(LogFile);
    // Opened and closed for every line, so a line survives a crash right after.
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) throw EInOutError("Datei " + path + " kann nicht geoeffnet werden: " + std::strerror(errno));
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() &&
                    std::fwrite("\r\n", 1, 2, f) == 2 && std::fflush(f) == 0;
    const int err = errno;
    const bool closed = std::fclose(f) == 0;
    if (!ok || !closed) throw EInOutError("Schreibfehler in " + path + ": " + std::strerror(err));
    if (g_listener) g_listener(text);
}

void DeleteLog() {
    std::remove(ResolvePath(LogFile).c_str());
    std::remove(ResolvePath(LogReplayFile).c_str());
}

bool LogEndsWithOK() {
    EnterProgramDir();
    if (!FileExists(LogFile)) return true;
    const auto text = ReadWholeFile(ResolvePath(LogFile));
    if (!text) throw EInOutError(std::string("Datei ") + LogFile + " kann nicht gelesen werden");
    const auto lines = SplitLines(*text);
    return !lines.empty() && lines.back() == "OK";
}

std::optional<std::vector<std::string>> ReadLogLines() {
    const auto text = ReadWholeFile(ResolvePath(LogFile));
    if (!text) return std::nullopt;
    return SplitLines(*text);
}

void SetLogListener(std::function<void(std::string_view)> listener) {
    g_listener = std::move(listener);
}

TLogDiversion::TLogDiversion(std::function<void(std::string_view)> to) : previous_(std::move(g_diversion)) {
    g_diversion = to ? std::move(to) : [](std::string_view) {};
}

TLogDiversion::~TLogDiversion() {
    g_diversion = std::move(previous_);
}
