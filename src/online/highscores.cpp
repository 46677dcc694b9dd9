// The ten-place high-score table and the placing of a game's result.
#include "online/highscores.h"

#include <string>

#include "infra/env_data.h"
#include "infra/helpers.h"

namespace {

constexpr std::size_t MaxShownNameLength = 10;

bool ValidRank(int rank) {
    return rank >= 1 && rank <= HighscoreCount;
}

}  // namespace

int InsertHighscore(std::int32_t score) {
    int rank = 0;
    for (int i = 0; i < HighscoreCount; ++i) {
        if (Env.Highscores[i].Score <= score) {
            rank = i + 1;
            break;
        }
    }
    if (rank == 0) return 0;
    for (int i = HighscoreCount - 1; i >= rank; --i) Env.Highscores[i] = Env.Highscores[i - 1];
    auto& entry = Env.Highscores[rank - 1];
    entry.Name.assign(" ");
    entry.Score = score;
    return rank;
}

void TrimHighscoreNames() {
    for (auto& entry : Env.Highscores) {
        const std::string name = entry.Name.str();
        if (name.size() > MaxShownNameLength)
            entry.Name.assign(std::string_view(name).substr(0, MaxShownNameLength));
    }
}

int PlaceGameResult(std::int32_t score, const std::function<std::string()>& makeStatText) {
    const int rank = InsertHighscore(score);
    if (rank > 0) {
        Env.Highscores[rank - 1].Name.assign(Env.LastHighscoreName.str());
        // Statistics texts stay at their rank; they do not move with the entries.
        Env.StatTexts[rank - 1].assign(makeStatText());
    }
    return rank;
}

void SetHighscoreName(int rank, std::string_view edited) {
    if (!ValidRank(rank)) return;
    Env.Highscores[rank - 1].Name.assign(edited);
    TrimHighscoreNames();
}

void FinishHighscoreName(int rank, std::string_view edited, const std::function<void()>& save) {
    std::string_view name = TrimBlanks(edited);
    if (!name.empty() && name.back() == '_') name.remove_suffix(1);
    name = TrimBlanks(name);
    if (ValidRank(rank)) Env.Highscores[rank - 1].Name.assign(name);
    Env.LastHighscoreName.assign(name);
    if (save) save();
}
