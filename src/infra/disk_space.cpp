// Free disk space and the mount point of a path.
#include "disk_space.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {

std::string ParentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The topmost folder above path that is still on path's device.
std::string MountPointOf(const std::string& path) {
    struct stat st {};
    std::string current = path;
    if (stat(current.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) current = ParentOf(current);
    if (stat(current.c_str(), &st) != 0) return current;
    const dev_t device = st.st_dev;
    while (current != "/" && current != ".") {
        const std::string parent = ParentOf(current);
        struct stat up {};
        if (stat(parent.c_str(), &up) != 0 || up.st_dev != device) break;
        current = parent;
    }
    return current;
}

}  // namespace

TDiskSpace QueryDiskSpace(const std::string& path) {
    TDiskSpace space{0, MountPointOf(path)};
    struct statvfs vfs {};
    if (statvfs(path.c_str(), &vfs) == 0)
        space.freeBytes = static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    return space;
}
