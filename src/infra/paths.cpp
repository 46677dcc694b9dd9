// The program's folders and case-insensitive path resolution.
#include "paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "errors.h"
#include "helpers.h"

namespace {

std::optional<TProgramFolders> g_override;

std::string ExecutableDir() {
    std::string buffer(PATH_MAX, '\0');
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return ".";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const auto slash = buffer.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return buffer.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// The entry of dir whose name equals name without regard to case; the exact
// spelling wins, then the first in byte order, so the choice is repeatable.
std::string MatchEntry(const std::string& dir, const std::string& name) {
    if (Exists(dir + "/" + name)) return name;
    DIR* d = opendir(dir.c_str());
    if (!d) return name;
    std::string best;
    while (const dirent* e = readdir(d)) {
        const std::string_view entry = e->d_name;
        if (SameTextIgnoringCase(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    closedir(d);
    return best.empty() ? name : best;
}

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

// Decided once, at the first use: the start of the program.
const TProgramFolders& ChosenFolders() {
    static const TProgramFolders folders = [] {
        TProgramFolders f =
            ChooseProgramFolders(ExecutableDir(), [](const char* name) { return std::getenv(name); });
        SeedPlayerFolder(f);
        return f;
    }();
    return folders;
}

}  // namespace

const TProgramFolders& ProgramFolders() {
    return g_override ? *g_override : ChosenFolders();
}

std::string GetProgramDir() {
    return ProgramFolders().Player;
}

std::string GetDataDir() {
    return ProgramFolders().Data;
}

std::string GetCacheDir() {
    return ProgramFolders().Cache;
}

void SetProgramDir(std::string_view dir) {
    if (dir.empty()) {
        g_override.reset();
        return;
    }
    const std::string d = WithoutTrailingSlash(dir);
    g_override = TProgramFolders{d, d, d};
}

void SetProgramFolders(const TProgramFolders& folders) {
    g_override = TProgramFolders{WithoutTrailingSlash(folders.Data), WithoutTrailingSlash(folders.Player),
                                 WithoutTrailingSlash(folders.Cache)};
}

void EnterProgramDir() {
    const std::string dir = GetProgramDir();
    if (chdir(dir.c_str()) != 0)
        throw EInOutError("Verzeichnis " + dir + " nicht gefunden: " + std::strerror(errno));
}

std::string ResolvePathIn(const std::string& base, std::string_view relative) {
    const bool absolute = !relative.empty() && relative.front() == '/';
    std::string result = absolute ? std::string() : base;
    if (result == "/") result.clear();
    bool matching = true;  // once a part is missing, the rest cannot exist
    for (const std::string& part : SplitPath(relative)) {
        if (part == ".") continue;
        if (part == "..") {
            const auto slash = result.rfind('/');
            result = slash == std::string::npos ? std::string() : result.substr(0, slash);
            continue;
        }
        const std::string dir = result.empty() ? "/" : result;
        std::string name = part;
        if (matching) {
            name = MatchEntry(dir, part);
            matching = Exists(dir + "/" + name);
        }
        result += "/" + name;
    }
    return result.empty() ? "/" : result;
}

std::string ResolvePath(std::string_view relative) {
    if (!relative.empty() && relative.front() == '/') return ResolvePathIn("/", relative);
    const TProgramFolders& folders = ProgramFolders();
    std::vector<std::string> parts = SplitPath(relative);
    std::erase(parts, std::string("."));
    const std::string first = parts.empty() ? std::string() : parts.front();
    if (SameTextIgnoringCase(first, "gfx")) return ResolvePathIn(folders.Data, relative);
    if (SameTextIgnoringCase(first, "snd")) {
        // Converted music lies in the cache, everything else of snd with the data.
        if (parts.size() > 1 && folders.Cache != folders.Data) {
            std::string cached = ResolvePathIn(folders.Cache, relative);
            if (Exists(cached)) return cached;
        }
        return ResolvePathIn(folders.Data, relative);
    }
    return ResolvePathIn(folders.Player, relative);
}

bool FileExists(std::string_view relative) {
    struct stat st {};
    return stat(ResolvePath(relative).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void EnsureDir(std::string_view relative) {
    std::string prefix = !relative.empty() && relative.front() == '/' ? "/" : "";
    for (const std::string& part : SplitPath(relative)) {
        prefix += prefix.empty() || prefix == "/" ? part : "/" + part;
        const std::string path = ResolvePath(prefix);
        if (!IsDirectory(path)) mkdir(path.c_str(), 0777);
    }
}

void EnsureSpsDir() {
    EnsureDir("sps");
}
