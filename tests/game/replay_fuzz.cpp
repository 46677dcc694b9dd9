// Fuzz entry for the replay reader: any bytes are checked under small caps.
// A refusal must name a line of the file; an accepted file must read again
// item by item, and its header written out anew must read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/replay_format.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool SameHeader(const TReplayHeader& a, const TReplayHeader& b) {
    for (std::size_t r = 0; r < a.Highscores.size(); ++r)
        if (a.Highscores[r].Score != b.Highscores[r].Score || a.Highscores[r].Name != b.Highscores[r].Name)
            return false;
    return a.Program == b.Program && a.Seed == b.Seed && a.LevelNumber == b.LevelNumber &&
           a.LevelSum == b.LevelSum && a.FrontSum == b.FrontSum && a.DisplayMode == b.DisplayMode &&
           a.Settings == b.Settings && a.CaveEdit == b.CaveEdit && a.LastName == b.LastName;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = size ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    TReplayLimits limits;
    limits.MaxBytes = 1 << 16;
    limits.MaxLines = 2000;
    limits.MaxInputLines = 500;
    limits.MaxFrames = 500;
    limits.MaxSteps = 1000;
    TReplayHeader header;
    TReplayCounts counts;
    try {
        header = ValidateReplay(text, limits, &counts);
    } catch (const EReplayError& e) {
        std::size_t lines = 1;
        for (const char c : text) lines += c == '\n';
        Check(e.Line <= lines + 1);
        return 0;
    }
    TReplayReader reader(text);
    reader.ReadHeader();
    TReplayRecord record;
    std::uint64_t frames = 0;
    while (reader.Next(record)) frames += record.Kind == TReplayItem::Frame;
    Check(frames == counts.Frames && counts.FrameSteps <= limits.MaxSteps);
    const std::string again = HeaderText(header) + "check 0 00000000\nend 0 0\n";
    Check(SameHeader(ValidateReplay(again, limits), header));
    return 0;
}
