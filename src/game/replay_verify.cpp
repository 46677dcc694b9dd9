// Verifying a replay headless.
#include "game/replay_verify.h"

#include <optional>

#include "game/capture_display.h"
#include "game/game_screen.h"
#include "game/replay_session.h"
#include "infra/clock.h"
#include "infra/outside_world.h"

namespace {

// Each wait of the display moves the manual clock by this much: a frame's
// worth of steps, although the replay decides the frames.
constexpr std::uint32_t MsPerWait = 100;

std::string GamesText(const std::vector<TReplayGame>& games) {
    std::string text;
    for (const TReplayGame& g : games)
        text +=
            std::string(text.empty() ? "" : ", ") + OutcomeName(g.Outcome) + " " + std::to_string(g.Score);
    return text.empty() ? "no game played" : "games: " + text;
}

}  // namespace

TReplayVerdict VerifyReplay(std::string text, const TReplayContent& content, const TReplayLimits& limits,
                            std::function<void(std::string_view)> logLine, const TReplayFrameSink& drawn) {
    TReplayVerdict verdict;
    std::optional<TReplaySession> session;
    try {
        session.emplace(std::move(text), limits, std::move(logLine));
    } catch (const EReplayError& e) {
        verdict.Status = TReplayStatus::BadFile;
        verdict.Line = e.Line;
        verdict.Reason = e.what();
        return verdict;
    }
    if (auto difference = session->ContentDifference()) {
        verdict.Status = TReplayStatus::Differs;
        verdict.Reason = *difference;
        return verdict;
    }
    ManualClock clock;
    CaptureDisplay display(clock, MsPerWait);
    TOutsideWorld outside;
    outside.Clock = &clock;
    outside.Resources = content.Resources;
    outside.Fonts = content.Fonts;
    outside.Messages = content.Messages;
    {
        TDDFullScreenForm1 form(display, {}, outside, content.Definitions);
        form.PlayReplay(session->Player());
        form.DrawFrames = static_cast<bool>(drawn);
        if (drawn) display.OnPresent = [&](const TSurface& frame) { drawn(frame, form.StepCount); };
        form.ThreadedLoop = false;
        form.ReplaySpeed = 0;
        form.SetDisplayMode(session->Header().DisplayMode);
        form.ShowModal();
        verdict.Steps = form.StepsRun;
    }
    const TReplayPlayer& player = session->Player();
    verdict.Games = player.Games();
    verdict.Frames = session->Counts().Frames;
    verdict.Cut = player.Cut();
    // A replay cut short was checked up to its cut; the screen then wound down on its own.
    if (verdict.Cut) verdict.Steps = session->Counts().Steps;
    if (player.Difference()) {
        verdict.Status = TReplayStatus::Differs;
        verdict.Step = player.DifferenceStep();
        verdict.Reason = *player.Difference();
    }
    return verdict;
}

std::string VerdictText(const TReplayVerdict& v) {
    switch (v.Status) {
        case TReplayStatus::BadFile:
            return "bad replay: " + v.Reason;
        case TReplayStatus::Differs:
            return "the replay differs at step " + std::to_string(v.Step) + ": " + v.Reason;
        case TReplayStatus::Matches:
            break;
    }
    return "the replay matches: " + std::to_string(v.Steps) + " steps in " + std::to_string(v.Frames) +
           " frames, " + GamesText(v.Games) + (v.Cut ? " (recorded only this far)" : "");
}
