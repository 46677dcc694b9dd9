// Replays through the headless runner: the committed corpus verifies, a
// replay whose input was changed fails at the step where the game first
// differs, bad files are refused by line, and a failed save of a replay
// leaves the game and its records alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "headless_game.h"
#include "infra/env_data.h"

namespace {

std::string Corpus(const std::string& name) {
    std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/" + name + ".replay",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The step of the first check after the line that starts at offset.
std::uint64_t NextCheckStep(const std::string& text, std::size_t offset) {
    const std::size_t check = text.find("\ncheck ", offset);
    return std::stoull(text.substr(check + 7));
}

// The verdict's step: "the replay differs at step N: ...".
std::uint64_t DifferingStep(const std::string& verdict) {
    std::smatch m;
    if (!std::regex_search(verdict, m, std::regex("differs at step ([0-9]+)"))) return 0;
    return std::stoull(m[1]);
}

// The headless runner's --verify of a replay's text in the game's folder:
// how it ended, and what it said of the replay.
struct Verification {
    HeadlessResult Run;
    std::string Verdict;
};

Verification VerifyText(HeadlessGame& game, const std::string& text) {
    game.Dir.Write("game.replay", text);
    Verification v{game.Verify("game.replay"), ""};
    v.Verdict = game.Dir.Read("stderr.txt");
    return v;
}

}  // namespace

TEST(ReplayCorpus, EveryCommittedReplayVerifiesAndWritesNothing) {
    const std::pair<const char*, const char*> corpus[] = {{"won", "games: won 14880"},
                                                          {"lost", "games: lost 0"},
                                                          {"torpedoes", "games: won 16500"},
                                                          {"pause", "games: won 14760"},
                                                          {"caveedit", "no game played"}};
    for (const auto& [name, games] : corpus) {
        HeadlessGame game;
        const std::string front = game.Dir.Read("sps/front.dat");
        const auto [r, verdict] = VerifyText(game, Corpus(name));
        EXPECT_EQ(r.ExitCode, 0) << name << ": " << verdict;
        EXPECT_NE(verdict.find("the replay matches"), std::string::npos) << name << ": " << verdict;
        EXPECT_NE(verdict.find(games), std::string::npos) << name << ": " << verdict;
        // The replayed visit's own log, and none of the player's files.
        EXPECT_EQ(r.Last(), "OK") << name;
        for (const char* file : {"sps/LOG.TXT", "sps/env.dat", "sps/game.dat", "replays", "Screenshots"})
            EXPECT_FALSE(game.Dir.Exists(file)) << name << ": " << file;
        EXPECT_EQ(game.Dir.Read("sps/front.dat"), front) << name;  // the cave editor's leave saves nothing
    }
}

TEST(ReplayCorpus, AChangedInputLineFailsAtTheFirstCheckAfterIt) {
    const std::string won = Corpus("won");
    // The pipe's row at the hundredth mouse reading; the shot that follows
    // flies elsewhere. And the start of play read from the clock a tick later.
    std::size_t mouse = 0;
    for (int i = 0; i < 100; ++i) mouse = won.find("\nm ", mouse + 1);
    std::string moved = won;
    const std::size_t y = moved.find(' ', mouse + 3) + 1;
    moved.replace(y, moved.find('\n', y) - y, "77");
    std::string later = won;
    const std::size_t tick = later.find("\nt ");
    later.insert(later.find('\n', tick + 1), "1");
    for (const auto& [replay, at] :
         {std::pair{moved, NextCheckStep(won, mouse)}, std::pair{later, NextCheckStep(won, tick)}}) {
        HeadlessGame game;
        const auto [r, verdict] = VerifyText(game, replay);
        EXPECT_EQ(r.ExitCode, 1) << verdict;
        EXPECT_EQ(DifferingStep(verdict), at) << verdict;
        EXPECT_NE(verdict.find("state differs"), std::string::npos) << verdict;
    }
}

TEST(ReplayCorpus, AChangedResultOrALostKeyIsNamedAsSuch) {
    const std::string won = Corpus("won");
    std::string result = won;
    result.replace(result.find("\ngame 14880 "), 11, "\ngame 14881");
    // Without the Enter that confirmed the name, the game waits in its name entry.
    std::string keyless = won;
    const std::size_t enter = keyless.find("\nkeypress 13\n");
    keyless.erase(enter, 12);
    const std::pair<std::string, std::string> changed[] = {
        {result, "game 1 ended won with 14880 points, in the replay won with 14881 points"},
        {keyless, "the replay has the end of a game the game did not come to"}};
    for (const auto& [replay, reason] : changed) {
        HeadlessGame game;
        const auto [r, verdict] = VerifyText(game, replay);
        EXPECT_EQ(r.ExitCode, 1) << verdict;
        EXPECT_NE(verdict.find(reason), std::string::npos) << verdict;
        EXPECT_GT(DifferingStep(verdict), 4500u) << verdict;
    }
}

TEST(ReplayCorpus, AReplayCutShortVerifiesUpToItsCut) {
    // The lost game's replay as a full buffer leaves it: up to its 20th check.
    const std::string lost = Corpus("lost");
    std::size_t at = 0;
    for (int i = 0; i < 20; ++i) at = lost.find("\ncheck ", at + 1);
    const std::size_t end = lost.find('\n', at + 1) + 1;
    std::size_t frames = 0;
    for (std::size_t f = lost.find("\nf "); f + 1 < end; f = lost.find("\nf ", f + 1)) ++frames;
    HeadlessGame game;
    const auto [r, verdict] =
        VerifyText(game, lost.substr(0, end) + "end 1000 " + std::to_string(frames) + " cut\n");
    EXPECT_EQ(r.ExitCode, 0) << verdict;
    EXPECT_NE(verdict.find("matches: 1000 steps"), std::string::npos) << verdict;
    EXPECT_NE(verdict.find("(recorded only this far)"), std::string::npos) << verdict;
    // A cut whose counts do not agree with the file is refused.
    const auto [miscounted, refusal] =
        VerifyText(game, lost.substr(0, end) + "end 1000 " + std::to_string(frames + 1) + " cut\n");
    EXPECT_EQ(miscounted.ExitCode, 2) << refusal;
}

TEST(ReplayCorpus, BadFilesAreRefusedNamingTheLine) {
    const std::string lost = Corpus("lost");
    const char elf[] =
        "\x7f"
        "ELF\x02\x01\x01\0\0\0\xff\xfe\n\n";
    const std::string binary(elf, sizeof elf - 1);
    std::string huge = lost;
    huge.replace(huge.find("\nf 1\n"), 5, "\nf 99999999999999999999\n");
    const std::pair<std::string, std::string> bad[] = {
        {lost.substr(0, lost.size() / 2), "before its end line"},
        {"vantorel-replay 2\n" + lost.substr(lost.find('\n') + 1), "line 1: a replay of format version 2"},
        {huge, "a number from 1 to 5 expected"},
        {binary, "line 1: not a replay"},
        {std::string(), "line 1: "}};
    for (const auto& [text, message] : bad) {
        HeadlessGame game;
        const auto [r, verdict] = VerifyText(game, text);
        EXPECT_EQ(r.ExitCode, 2) << verdict;
        EXPECT_NE(verdict.find("bad replay: line "), std::string::npos) << verdict;
        EXPECT_NE(verdict.find(message), std::string::npos) << verdict;
    }
}

TEST(ReplayRecording, AVisitOfTwoGamesWithANameEntryReplaysAsItWasPlayed) {
    HeadlessGame game;
    game.SaveRecords();
    // Two games lost, each into the table: a name typed, the second offered
    // the first's, and env.dat saved twice in the middle of the visit; a
    // pause on the title screen costs the second game 100 points. Played in
    // full screen (the mouse in screen pixels), verified in a window.
    game.SetLevel({"speed=10", "boba=virus1", "formation=1", "end", "DefineFormation1", "a9;", "end"});
    const HeadlessResult played = game.Run(
        "1000 click\n3000 move 700 100\n20000 text Ann\n21000 key Enter\n24000 key P\n25000 key P\n"
        "27000 click\n45000 key Enter\n50000 key Escape\n52000 key Escape\n",
        1, 30000, "--mode 0");
    ASSERT_EQ(played.Count("glsLoop: Lost"), 2) << played.Text();
    EXPECT_EQ(Env.Highscores[0].Name.str(), "Ann");
    const auto replays = std::filesystem::directory_iterator(game.Dir / "replays");
    const std::string replay = std::filesystem::relative(replays->path(), game.Dir.path()).string();
    EXPECT_NE(replay.find("_highscore.replay"), std::string::npos) << replay;
    const HeadlessResult replayed = game.Verify(replay);
    const std::string verdict = game.Dir.Read("stderr.txt");
    EXPECT_EQ(replayed.ExitCode, 0) << verdict;
    EXPECT_NE(verdict.find("games: lost 0, lost -100"), std::string::npos) << verdict;
    // The replay's log lines are the game's, from the screen's start on.
    const auto from = [](const HeadlessResult& r) {
        return std::vector<std::string>(r.Lines.begin() + r.Find("Formshow: Start"), r.Lines.end());
    };
    EXPECT_EQ(from(replayed), from(played));
}

TEST(ReplayRecording, AReplayThatCannotBeSavedIsSkippedAndTheGameEndsWell) {
    HeadlessGame game;
    game.Dir.Write("replays", "a file where the folder should be");
    game.SaveRecords();
    // A game lost at once (no level to speak of): the score enters the table.
    game.SetLevel({"speed=10", "boba=virus1", "formation=1", "end", "DefineFormation1", "a9;", "end"});
    const HeadlessResult r = game.Run("500 click\n9000 key Enter\n12000 key Escape\n14000 key Escape\n");
    const int failed = r.Find("Replay not saved: ", 0, true);
    ASSERT_GE(failed, 0) << r.Text();
    EXPECT_GT(failed, r.Find("FormClose: End"));
    EXPECT_EQ(r.Last(), "OK");
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(Env.GamesStarted, 1);
    EXPECT_NE(Env.Highscores[0].Score, EmptyHighscore);
    EXPECT_EQ(game.Dir.Read("replays"), "a file where the folder should be");
}

TEST(ReplayRecording, AFailedRunKeepsItsReplayWithTheLogAlsoWhenTheReplaysCannotBeSaved) {
    HeadlessGame game;
    game.Dir.Write("replays", "a file where the folder should be");
    std::filesystem::create_directories(game.Dir / "sps/game.dat");  // the save after the game fails
    game.SetLevel({"speed=10", "boba=virus1", "formation=1", "end", "DefineFormation1", "a9;", "end"});
    const HeadlessResult r = game.Run("500 click\n9000 key Enter\n12000 key Escape\n14000 key Escape\n");
    ASSERT_EQ(r.Last(), "ERROR") << r.Text();
    EXPECT_GE(r.Find("Replay not saved: ", 0, true), 0) << r.Text();
    EXPECT_EQ(game.Dir.Read("sps/log.replay").rfind("vantorel-replay 1\n", 0), 0u);
}
