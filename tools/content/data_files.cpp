// The level script and the cave layout.
#include "data_files.h"

#include <array>
#include <cstdint>
#include <vector>

#include "infra/file_io.h"
#include "infra/random.h"
#include "infra/scrambler.h"
#include "rng.h"

std::string ScrambleLevel(const std::string& plain) {
    const std::uint32_t saved = FillerSeed;
    FillerSeed = 19700101;  // the same filler bytes on every build
    std::string out;
    for (const std::string& line : SplitLines(plain)) out += ScrambleText(line) + "\r\n";
    FillerSeed = saved;
    return out;
}

namespace {

struct Piece {
    int type, w, h, minSink, maxSink;
};

// Floor pieces stand on the bottom edge, ceiling pieces hang from the top;
// sinking them past the edge keeps the middle of the screen free.
const Piece kFloor[4] = {
    {1, 288, 296, 100, 150}, {2, 323, 196, 25, 70}, {3, 273, 109, 0, 25}, {4, 549, 84, 0, 12}};
const Piece kCeiling[4] = {
    {5, 388, 76, 0, 10}, {6, 195, 96, 0, 20}, {7, 258, 162, 25, 60}, {8, 165, 318, 135, 175}};

using Record = std::array<std::int32_t, 4>;

void Row(std::vector<Record>& out, const Piece (&pieces)[4], const int (&weights)[4], bool floor, Rng& rng) {
    double x = -23000;
    while (x < -1300) {
        int pick = rng.Int(100), k = 0;
        while (pick >= weights[k]) pick -= weights[k], ++k;
        const Piece& p = pieces[k];
        const int sink = p.minSink + rng.Int(p.maxSink - p.minSink + 1);
        const int y = floor ? 600 - p.h / 2 + sink : p.h / 2 - sink;
        out.push_back({static_cast<std::int32_t>(x + p.w / 2.0), y, -1, p.type});
        x += p.w * rng.Range(0.5, 0.8);
        if (rng.Uniform() < 0.12) x += rng.Range(60, 220);  // an occasional opening
    }
}

}  // namespace

std::string MakeFrontLayout() {
    Rng rng(2024);
    std::vector<Record> records;
    // Pillars and snakes first, so the mounds and drips lie over their feet.
    for (double x = -21800; x < -3000; x += rng.Range(2600, 3600))
        records.push_back({static_cast<std::int32_t>(x), 300, -1, rng.Uniform() < 0.5 ? 9 : 10});
    const int floorWeights[4] = {14, 28, 30, 28}, ceilingWeights[4] = {30, 30, 25, 15};
    Row(records, kFloor, floorWeights, true, rng);
    Row(records, kCeiling, ceilingWeights, false, rng);
    if (records.size() > 300) records.resize(300);
    while (records.size() < 300) records.push_back({-1, -1, -1, -1});
    std::string bytes;
    for (const Record& r : records)
        for (std::int32_t v : r)
            for (int i = 0; i < 4; ++i)
                bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 255);
    return bytes;
}
