// Program entry. The menu window is not built yet: for now the program prepares
// its folder, reads the player's files and reports what it found.
#include <cstdio>
#include <exception>

#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/log.h"
#include "infra/paths.h"

int main() {
    try {
        EnterProgramDir();
        EnsureSpsDir();
        LoadEnv();
        LoadGameData("SPS/game.dat");
        std::printf("Vantorel %s\n", "1.07");
        std::printf("Program directory: %s\n", GetProgramDir().c_str());
        std::printf("This build holds the file and settings layer only; the game screen and the\n"
                    "menu window are still being built.\n\n");
        std::printf("Level %u, games started %d, games won %d\n", GameData.LevelNumber,
                    Env.GamesStarted, Env.GamesWon);
        std::printf("High scores:\n");
        for (int i = 0; i < HighscoreCount; ++i) {
            const auto& e = Env.Highscores[i];
            if (e.Score == EmptyHighscore)
                std::printf("%3d.  -\n", i + 1);
            else
                std::printf("%3d.  %-10s %8d\n", i + 1, e.Name.str().c_str(), e.Score);
        }
        std::printf("Last game screen ended cleanly: %s\n", LogEndsWithOK() ? "yes" : "no");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantorel: %s\n", e.what());
        return 1;
    }
}
