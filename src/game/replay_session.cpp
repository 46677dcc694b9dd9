// Setting up and putting back what a replay plays with.
#include "game/replay_session.h"

#include "game/replay_files.h"
#include "infra/checksum.h"
#include "infra/random.h"
#include "world/cave_front.h"
#include "world/swarm.h"

namespace {

std::optional<std::string> FileDifference(const std::string& file,
                                          const std::optional<std::uint32_t>& wanted) {
    const std::optional<std::uint32_t> found = FileChecksum(file);
    if (found == wanted) return std::nullopt;
    if (!found) return file + " is missing; the replay was played with one";
    if (!wanted) return file + " exists; the replay was played without one";
    return file + " differs from the one the replay was played with (checksum " + ChecksumText(*found) +
           ", the replay has " + ChecksumText(*wanted) + ")";
}

}  // namespace

TReplaySession::TReplaySession(std::string text, const TReplayLimits& limits,
                               std::function<void(std::string_view)> logLine)
    : text_(std::move(text)),
      header_(ValidateReplay(text_, limits, &counts_)),
      env_(Env),
      gameData_(GameData),
      seed_(RandSeed),
      diversion_(std::move(logLine)),
      player_(text_) {
    PutEnvSettings(header_, Env);
    GameData.LevelNumber = header_.LevelNumber;
    RandSeed = header_.Seed;
}

TReplaySession::~TReplaySession() {
    Env = env_;
    GameData = gameData_;
    RandSeed = seed_;
}

std::optional<std::string> TReplaySession::ContentDifference() const {
    if (auto level = FileDifference(LevelFileName(), header_.LevelSum)) return level;
    if (Env.FrontOn) return FileDifference(FrontFile, header_.FrontSum);
    return std::nullopt;
}
