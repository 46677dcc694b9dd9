// The record layout of SPS/front.dat and the element types' graphic objects.
#include "world/cave_front.h"

#include <algorithm>
#include <cstring>

#include "engine/screen.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "front records are stored little-endian");

TFrontRecords FrontRecords;

TFrontRecords DecodeFrontRecords(std::string_view bytes) {
    TFrontRecords records;  // every field -1
    // The file is read as one block over the empty records, so a record cut
    // short keeps 0xFF bytes in its missing part: its Type is then negative and
    // the record counts as empty.
    std::memcpy(records.data(), bytes.data(), std::min(bytes.size(), FrontFileSize));
    return records;
}

std::string EncodeFrontRecords(const TFrontRecords& records) {
    std::string bytes(FrontFileSize, '\0');
    std::memcpy(bytes.data(), records.data(), FrontFileSize);
    return bytes;
}

const char* FrontElementGOName(std::int32_t type) {
    static const char* const names[FrontTypeCount] = {
        "Element_Boden_1", "Element_Boden_2", "Element_Boden_3", "Element_Boden_4", "Element_Decke_1",
        "Element_Decke_2", "Element_Decke_3", "Element_Decke_4", "Element_saeule",  "Element_schlange"};
    if (type < 1 || type > FrontTypeCount) return "";
    return names[type - 1];
}

double DefaultFrontDepth() {
    return 100.0 - ProjectionScale;
}
