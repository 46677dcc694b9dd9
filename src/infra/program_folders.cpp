// Choosing the program's folders and seeding a new player's folder.
#include "program_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <filesystem>

#include "paths.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* FolderName = "vantorel";

bool IsDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

std::string HomeDir(const TGetEnv& getEnv) {
    if (const char* home = getEnv("HOME"); home && *home) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

// $name when it is set to an absolute path, else ~/fallback.
std::string XdgFolder(const TGetEnv& getEnv, const char* name, const char* fallback) {
    if (const char* value = getEnv(name); value && value[0] == '/') return value;
    return HomeDir(getEnv) + "/" + fallback;
}

}  // namespace

std::string WithoutTrailingSlash(std::string_view dir) {
    std::string d(dir);
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    return d;
}

TProgramFolders ChooseProgramFolders(const std::string& exeDir, const TGetEnv& getEnv) {
    const std::string dir = WithoutTrailingSlash(exeDir);
    const std::string ownSps = ResolvePathIn(dir, "sps");
    const bool hasOwnSps = IsDirectory(ownSps);
    if (hasOwnSps && access(ownSps.c_str(), W_OK) == 0) return {dir, dir, dir};
    std::string data = dir;
    if (!hasOwnSps) {
        const std::string installed = fs::path(dir).parent_path().string() + "/share/" + FolderName;
        if (!IsDirectory(installed)) return {dir, dir, dir};
        data = installed;
    }
    return {data, XdgFolder(getEnv, "XDG_DATA_HOME", ".local/share") + "/" + FolderName,
            XdgFolder(getEnv, "XDG_CACHE_HOME", ".cache") + "/" + FolderName};
}

void SeedPlayerFolder(const TProgramFolders& folders) {
    if (folders.Player == folders.Data) return;
    std::error_code ec;
    fs::create_directories(folders.Cache, ec);
    const std::string playerSps = ResolvePathIn(folders.Player, "sps");
    fs::create_directories(playerSps, ec);
    const std::string dataSps = ResolvePathIn(folders.Data, "sps");
    for (const auto& entry : fs::directory_iterator(dataSps, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const std::string name = entry.path().filename().string();
        if (fs::exists(ResolvePathIn(playerSps, name), ec)) continue;
        // The player's copy is theirs to change, even when the installed one is read-only.
        const std::string copy = playerSps + "/" + name;
        if (fs::copy_file(entry.path(), copy, ec))
            fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    }
}
