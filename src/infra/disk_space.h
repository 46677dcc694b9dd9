// Free space of the file system that holds a path.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct TDiskSpace {
    std::uint64_t freeBytes;  // available to this user
    std::string mountPoint;   // where that file system is mounted
};

// Where the program asks; tests answer with figures of their own.
using FreeSpaceSource = std::function<TDiskSpace(const std::string& path)>;

// The file system's answer (statvfs); 0 free bytes when it cannot be asked.
TDiskSpace QueryDiskSpace(const std::string& path);
