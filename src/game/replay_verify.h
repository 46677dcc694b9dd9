// Verifying a replay as fast as it goes: the game screen without drawing,
// presenting or a sound device, fed by the replay. For the headless runner,
// and for a game server that checks the replays it is sent.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_tape.h"
#include "game/replay_format.h"
#include "infra/messages.h"
#include "infra/resources.h"

class IFontRasterizer;
class TSurface;

// Takes each frame of a replay played with drawing, with the steps run so far.
using TReplayFrameSink = std::function<void(const TSurface& frame, std::uint64_t steps)>;

// What a game needs besides the files in the program's folders (the level,
// the cave, the sounds): the resources with the sprite sheets, a text
// rasteriser and the animation definitions (empty: the resources' own). The
// steps paint text, so some rasteriser is needed, but the game never depends
// on its pixels: any one serves (the tests verify with fixed-size blocks).
struct TReplayContent {
    const IResources* Resources = &NoResources();
    IFontRasterizer* Fonts = nullptr;
    std::string Definitions;
    IMessages* Messages = &StderrMessages();
};

enum class TReplayStatus { Matches, Differs, BadFile };

struct TReplayVerdict {
    TReplayStatus Status = TReplayStatus::Matches;
    std::uint64_t Step = 0;  // Differs: where (0: before the first step)
    std::size_t Line = 0;    // BadFile: the line refused (0: the whole file)
    std::string Reason;
    // The games as the replay played them, and how far it went.
    std::vector<TReplayGame> Games;
    std::uint64_t Steps = 0, Frames = 0;
    bool Cut = false;  // the recording stopped early; checked up to there
};

// Plays the replay and compares it. Uses the game's globals (Env, GameData,
// the generator, the sprite list): one verification at a time, and none
// while a game screen runs. Log lines of the replayed visit go to logLine.
// With drawn, every frame is drawn and handed to it (slower).
TReplayVerdict VerifyReplay(std::string text, const TReplayContent& content, const TReplayLimits& limits = {},
                            std::function<void(std::string_view)> logLine = {},
                            const TReplayFrameSink& drawn = {});

// One line for people: "the replay matches: ...", "the replay differs at
// step N: ...", "bad replay: line N: ...".
std::string VerdictText(const TReplayVerdict& verdict);
