// The on-screen name entry of a new high score.
#include <string>

#include "hud/displays.h"
#include "infra/env_data.h"
#include "online/highscores.h"
#include "world/sound_cues.h"
#include "world/world.h"

namespace {

constexpr std::int32_t MaxTypedName = 10;
constexpr std::size_t MaxEntryName = 20;

// The name with at least n characters, blanks filling any gap.
std::string PaddedTo(std::string name, std::int32_t n) {
    if (static_cast<std::int32_t>(name.size()) < n) name.resize(static_cast<std::size_t>(n), ' ');
    return name;
}

}  // namespace

void TAnzeige::HSKeyPress(char key) {
    THSEntry* row = EditedEntry();
    if (!row) return;
    std::string name = Env.Highscores[row->Rank - 1].Name.str();
    std::int32_t n = row->Cursor;
    if (key == 8) {
        if (n > 1) {
            --n;
            name = PaddedTo(name, n).substr(0, static_cast<std::size_t>(n));
            name.back() = '_';
        }
        PlayWave("TR_50_08");
    } else if (key == 13 || key == 27) {
        FinishHighscoreName(row->Rank, name, world_.SaveRecords);
        name = Env.LastHighscoreName.str();
        row->Editing = false;
        world_.FinishGame(Won);
    } else {
        // Ten letters at most; the cursor then stands behind the tenth.
        if (n <= MaxTypedName) {
            name = PaddedTo(name, n - 1).substr(0, static_cast<std::size_t>(n - 1)) + key + "_";
            ++n;
        }
        PlayWave("TR_50_07");
    }
    SetHighscoreName(row->Rank, name.substr(0, MaxEntryName));
    if (n > 11) n = 11;
    row->Cursor = n;
    row->PaintEntry();
}
