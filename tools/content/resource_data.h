// The raw entries of the generated resource table (written by the content tool).
#pragma once

#include <cstddef>

// Name of the TEXT resource that holds the animation definitions.
inline constexpr const char* kDefinitionsResource = "SBMEMO";

struct ResourceEntry {
    const char* type;  // "BITMAP", "JPEG" or "TEXT"
    const char* name;  // upper case
    const unsigned char* data;
    std::size_t size;
};

extern const ResourceEntry kContentResources[];
extern const std::size_t kContentResourceCount;
