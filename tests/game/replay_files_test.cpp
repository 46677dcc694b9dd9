// Replays in the player's folder, and a recording that fills its buffer.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "game/replay_files.h"
#include "game/replay_recorder.h"
#include "hud/stat_text.h"
#include "infra/errors.h"
#include "support/temp_program_dir.h"

namespace {

std::set<std::string> NamesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

// A replay's header and one game that ended with the score after so many seconds.
std::string ReplayWithGame(std::int32_t score, std::int32_t seconds, std::uint32_t seed) {
    TReplayHeader header;
    header.Seed = seed;
    TReplayGame game;
    game.Score = score;
    game.Outcome = TGameOutcome::Won;
    game.Stats[StatSecondsPlayed] = seconds;
    TReplayLine line;
    GameLine(game, line);
    return HeaderText(header) + std::string(line.Text()) + "\n";
}

std::string StatsOf(std::int32_t seconds) {
    TGameStats stats{};
    stats[StatSecondsPlayed] = seconds;
    return EncodeStatText(stats);
}

}  // namespace

TEST(ReplayFiles, APublishedScoresReplayIsTheNewestHighscoreVisitWithAGameOfItsScoreAndStatistics) {
    TempProgramDir dir;
    const std::string folder = (dir / "replays").string();
    const auto start = std::chrono::system_clock::from_time_t(1700000000);
    const auto save = [&](int minute, std::int32_t best, bool highscore, const std::string& text) {
        SaveReplay(folder, text, start + std::chrono::minutes(minute), best, highscore);
    };
    save(1, 700, true, ReplayWithGame(700, 61, 1));
    save(2, 700, true, ReplayWithGame(700, 62, 2));   // newer, other statistics
    save(3, 700, false, ReplayWithGame(700, 61, 3));  // the table did not change
    save(4, 900, true, ReplayWithGame(700, 61, 4));   // its best game was another
    save(5, 700, true, "vantorel-replay 1\ndamaged");
    EXPECT_EQ(FindReplayOfScore(folder, 700, StatsOf(61)), ReplayWithGame(700, 61, 1));
    EXPECT_EQ(FindReplayOfScore(folder, 700, StatsOf(62)), ReplayWithGame(700, 62, 2));
    EXPECT_FALSE(FindReplayOfScore(folder, 700, StatsOf(63)));
    EXPECT_FALSE(FindReplayOfScore(folder, 70, StatsOf(61)));
    EXPECT_FALSE(FindReplayOfScore(folder, 700, "not a statistics text"));
    EXPECT_FALSE(FindReplayOfScore((dir / "none").string(), 700, StatsOf(61)));
}

TEST(ReplayFiles, TheNewestFiftyAndEveryHighscoreReplayAreKept) {
    TempProgramDir dir;
    const std::string folder = (dir / "replays").string();
    dir.Write("replays/mine.replay", "the player's own");
    const auto start = std::chrono::system_clock::from_time_t(1700000000);
    for (int i = 0; i < 60; ++i)
        SaveReplay(folder, "replay " + std::to_string(i), start + std::chrono::minutes(i), 100 * i - 300,
                   i == 3);
    // Twice in one second: the second one gets a number.
    const std::string again = SaveReplay(folder, "again", start + std::chrono::minutes(59), 5600, false);
    const std::set<std::string> names = NamesIn(folder);
    EXPECT_EQ(names.size(), 50u + 1 + 1);  // the newest 50, the high score of game 3, the player's file
    EXPECT_TRUE(names.count("mine.replay"));
    EXPECT_TRUE(names.count(ReplayFileName(start + std::chrono::minutes(3), 0, true)));
    EXPECT_FALSE(names.count(ReplayFileName(start + std::chrono::minutes(10), 700, false)));
    EXPECT_TRUE(names.count(ReplayFileName(start + std::chrono::minutes(11), 800, false)));
    const std::string last = ReplayFileName(start + std::chrono::minutes(59), 5600, false);
    EXPECT_EQ(std::filesystem::path(again).filename().string(),
              last.substr(0, last.size() - ReplayExtension.size()) + "_2.replay");
    EXPECT_EQ(dir.Read("replays/" + last), "replay 59");
    // Names sort by their date: YYYY-MM-DD_HH-MM-SS_score.
    EXPECT_EQ(ReplayFileName(start, -300, false).size(),
              std::string("2023-11-14_22-13-20_-300.replay").size());
}

TEST(ReplayFiles, AFolderThatCannotBeMadeRaisesAndLeavesTheFileThere) {
    TempProgramDir dir;
    dir.Write("replays", "a file where the folder should be");
    EXPECT_THROW(SaveReplay((dir / "replays").string(), "x", std::chrono::system_clock::now(), 1, false),
                 EInOutError);
    EXPECT_EQ(dir.Read("replays"), "a file where the folder should be");
}

TEST(ReplayRecorder, AFullBufferEndsTheReplayAtItsLastCheck) {
    const TReplayHeader header;
    TReplayRecorder recorder(HeaderText(header).size() + 1024 + 2000);
    recorder.Begin(header);
    std::uint64_t step = 0;
    for (int frame = 0; frame < 2000; ++frame) {
        recorder.Frame(2);
        for (int s = 0; s < 2; ++s) {
            std::int32_t x = frame, y = 300;
            recorder.Mouse(x, y);
            if (++step % ReplayCheckInterval == 0) recorder.Check(step, static_cast<std::uint32_t>(step));
        }
    }
    recorder.Closed(step, 7);
    TReplayCounts counts;
    ASSERT_NO_THROW(ValidateReplay(recorder.Text(), {}, &counts)) << recorder.Text();
    EXPECT_TRUE(counts.Cut);
    EXPECT_GT(counts.Steps, 0u);
    EXPECT_LT(counts.Steps, step);
    EXPECT_EQ(counts.Steps % ReplayCheckInterval, 0u);
    EXPECT_EQ(counts.FrameSteps, counts.Steps);
    EXPECT_TRUE(recorder.Text().ends_with(" cut\n"));
}
