// A high-score row: its canvas holds rank, name and score of one table entry.
#include "hud/hs_entry.h"

#include <string>

#include "hud/canvas_fields.h"
#include "infra/env_data.h"
#include "infra/helpers.h"

namespace {

constexpr std::int32_t RowWidth = 350;
constexpr std::int32_t RowHeight = 50;
// Names must end this far before the right edge, clear of the score.
constexpr std::int32_t ScoreColumnReserve = 100;

}  // namespace

THSEntry::THSEntry(std::int32_t rank) : Rank(rank) {
    AddBobByName("hsleerfeld" + std::to_string(rank), 0, -1, 0, 0, 0);
    Bob(1)->Layer = 1;
    RestAt(0, 0, -80);
    ApproachDivisor = 200;
    Damping = 1.1f;
    SetVisible(false);
    PaintEntry();
}

void THSEntry::PaintEntry() {
    const THighscoreEntry& entry = Env.Highscores[Rank - 1];
    const TColor colour = Editing ? HudTextYellow : HudTextWhite;
    TSurfaceRef surface = FieldSurface("hsleerfeld" + std::to_string(Rank));
    BeginField(surface, RowWidth, RowHeight);
    PrintHudText(surface, 45, 1, std::to_string(Rank), colour);
    PrintHudText(surface, 55, 0, entry.Name.str(), colour, ScoreColumnReserve);
    if (entry.Score >= -99999) PrintHudText(surface, RowWidth, 1, IntToStrZero(entry.Score, 4), colour);
    EndField(surface);
}

float THSEntry::PictureWidth() {
    return Bob(1)->Width;
}
