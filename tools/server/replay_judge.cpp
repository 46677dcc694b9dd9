// Judging a replay against its publication.
#include "replay_judge.h"

#include <algorithm>
#include <optional>

#include "hud/stat_text.h"
#include "online/version_check.h"

namespace {

ReplayJudgement Rejected(std::string reason) {
    return {false, "", std::move(reason)};
}

}  // namespace

ReplayJudgement JudgeReplay(const TReplayVerdict& verdict, std::string_view replayProgram,
                            const ReplayClaim& claim) {
    if (verdict.Status == TReplayStatus::BadFile) return Rejected(VerdictText(verdict));
    // Another version plays by other rules; its replay says nothing about this one.
    if (replayProgram != ProgramVersion)
        return Rejected("program version differs: the replay is of " + std::string(replayProgram) +
                        ", this server's game is " + std::string(ProgramVersion));
    if (verdict.Status == TReplayStatus::Differs) return Rejected(VerdictText(verdict));
    // The closest game gives the reason: its score, then its statistics, then its end matched.
    static constexpr const char* reasons[] = {"score differs", "statistics differ", "won/lost differs"};
    std::size_t closest = 0;
    const std::optional<std::string> claimed = DecodeStatText(claim.statText);
    for (const TReplayGame& game : verdict.Games) {
        if (game.Score != claim.score) continue;
        const bool sameStats = claimed && StatDigits(game.Stats) == *claimed;
        // The record counts the player's games, not how this one ended: a won game must be among them.
        const bool sameEnd = game.Outcome != TGameOutcome::Won || claim.gamesWon >= 1;
        if (sameStats && sameEnd) return {true, OutcomeName(game.Outcome), ""};
        closest = std::max<std::size_t>(closest, sameStats ? 2 : 1);
    }
    return Rejected(reasons[closest]);
}
