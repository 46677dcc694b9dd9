// Checksums as the replays write them.
#include "checksum.h"

#include <cstdio>

std::string ChecksumText(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}
