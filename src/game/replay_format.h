// The replay file: a small, versioned text format of one item per line (see
// docs/REPLAYS.md). Its header with what decides a game, the lines of the
// body, and a reader that refuses anything it does not know with the line's
// number, under caps on size, lines, input lines, frames and steps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/game_tape.h"
#include "infra/env_data.h"

constexpr int ReplayFormatVersion = 1;

// The settings of Env a game reads, as the header names them.
constexpr std::size_t ReplayEnvSettingCount = 10;
extern const std::array<const char*, ReplayEnvSettingCount> ReplayEnvSettingNames;

struct TReplayHighscore {
    std::int32_t Score = EmptyHighscore;
    std::string Name;
};

// Everything that decides a visit besides its input.
struct TReplayHeader {
    std::string Program;  // the program version that recorded it
    std::uint32_t Seed = 0;
    std::uint16_t LevelNumber = 1;
    std::optional<std::uint32_t> LevelSum;  // nothing: the file was missing
    std::optional<std::uint32_t> FrontSum;
    // The display mode played in (0, 1, 2): a verification opens the same,
    // so that the start's log lines are the same.
    std::int32_t DisplayMode = 2;
    std::array<std::int32_t, ReplayEnvSettingCount> Settings{};
    bool CaveEdit = false;
    std::array<TReplayHighscore, HighscoreCount> Highscores;
    std::string LastName;
};

// The header's Env settings and table from Env, and back into it.
void TakeEnvSettings(const TEnvData& env, TReplayHeader& header);
void PutEnvSettings(const TReplayHeader& header, TEnvData& env);
// The header as the file's first lines, "begin" included.
std::string HeaderText(const TReplayHeader& header);

// What a hostile file may cost at most.
struct TReplayLimits {
    std::size_t MaxBytes = 32u * 1024 * 1024;
    std::uint64_t MaxLines = 8'000'000;
    std::uint64_t MaxInputLines = 2'000'000;  // events, mouse and clock readings
    std::uint64_t MaxFrames = 4'000'000;
    std::uint64_t MaxSteps = 4'000'000;  // the frames' steps together (a day of play)
};

// A file the reader refuses: the message names the line.
class EReplayError : public std::runtime_error {
public:
    EReplayError(std::size_t line, const std::string& what);
    std::size_t Line;
};

enum class TReplayItem { Frame, Mouse, Clock, Event, Quit, Check, Game, End };

// One line of the body. A: a frame's steps, the mouse's x, the clock's
// milliseconds, a check's or the end's step. B: the mouse's y, a check's
// sum, the end's frames.
struct TReplayRecord {
    TReplayItem Kind = TReplayItem::Frame;
    std::int64_t A = 0, B = 0;
    bool Cut = false;
    InputEvent Event;
    TReplayGame Game;
};

// A line of the body as the recorder writes it, built without allocating.
class TReplayLine {
public:
    void Word(std::string_view word);
    void Number(std::int64_t value);
    void Sum(std::uint32_t value);
    std::string_view Text() const { return {text_, size_}; }
    bool Full() const { return full_; }

private:
    char text_[512];
    std::size_t size_ = 0;
    bool full_ = false;
};
// The line of an event; false for kinds that are not recorded (a mouse move,
// an exposed window: the game does nothing with them).
bool EventLine(const InputEvent& event, TReplayLine& line);
void GameLine(const TReplayGame& game, TReplayLine& line);

// Reads a replay line by line.
class TReplayReader {
public:
    explicit TReplayReader(std::string_view text);
    // The header up to "begin"; raises EReplayError.
    TReplayHeader ReadHeader();
    // The next item; false once the end line has been read. Raises
    // EReplayError for a bad line or a file that stops before its end.
    bool Next(TReplayRecord& record);
    std::size_t Line() const { return line_; }

private:
    std::string_view NextLine();
    [[noreturn]] void Fail(const std::string& what) const;

    std::string_view rest_;
    std::size_t line_ = 0;
    bool ended_ = false;
};

// What the whole file holds, counted by ValidateReplay.
struct TReplayCounts {
    std::uint64_t Lines = 0, Inputs = 0, Frames = 0, FrameSteps = 0, Steps = 0, Games = 0;
    bool Cut = false;
};

// Reads the whole file once and checks it: every line, the caps, checks in
// increasing steps, and an end line that agrees with the frames and follows
// a check of the last step. Returns the header; raises EReplayError.
TReplayHeader ValidateReplay(std::string_view text, const TReplayLimits& limits,
                             TReplayCounts* counts = nullptr);

// "won", "lost", "left".
const char* OutcomeName(TGameOutcome outcome);
