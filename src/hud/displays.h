// The on-screen displays of a game: clock, score, torpedo stock, title
// screen, help line, game over, congratulations and the high-score rows; they
// keep the game clock and run the end of a game.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "hud/help_field.h"
#include "hud/hs_entry.h"
#include "hud/score_gameover.h"
#include "hud/score_points.h"
#include "hud/score_time.h"
#include "hud/simple_displays.h"
#include "hud/title.h"
#include "world/world_displays.h"

class IClock;
class TWorld;

constexpr int CongratLetters = 16;
constexpr int TorpedoIconCount = 10;
constexpr int HSRows = 10;

// The displays of one game. They keep the score, the torpedo stock and the
// outcome that the world reports to, and stop the world at the game's end.
class TAnzeige : public IWorldDisplays {
public:
    // The seconds played are counted on the clock.
    TAnzeige(TWorld& world, IClock& clock);
    ~TAnzeige() override;
    TAnzeige(const TAnzeige&) = delete;
    TAnzeige& operator=(const TAnzeige&) = delete;

    // One step of every display; a failure is logged with the last part done.
    void Animate();
    // Play begins: clock and score on, title side off, the two first hints.
    void StartGame();
    bool HSEntryActive() const;
    // One typed character for the name being entered.
    void HSKeyPress(char key);
    static std::int32_t HSRowY(std::int32_t rank) { return 33 * rank - 143; }
    void TorpedoOn();
    void TorpedoOff();
    // A torpedo was fired.
    void UseTorpedo();
    // What the world reports and asks.
    void AddPoints(std::int32_t points) override;
    void Defeat() override;
    void TorpedoFired() override { UseTorpedo(); }
    bool IsGameOver() const override { return GameOver; }
    bool IsTorpedoMode() const override { return TorpedoMode; }
    // The statistics text of this game (the swarm's counters).
    std::string BuildStatText();

    Tcongrat& Congrat(int k) { return *Congrats[static_cast<std::size_t>(k - 1)]; }
    TScoreTorpedo& TorpedoIcon(int i) { return *TorpedoIcons[static_cast<std::size_t>(i - 1)]; }
    THSEntry& HSEntry(int r) { return *HSEntries[static_cast<std::size_t>(r - 1)]; }

    std::int32_t SecondTicks = 0;
    std::int32_t Torpedoes = 10;
    bool TorpedoMode = false;
    std::int32_t NewRank = 0;
    bool Won = false;
    bool GameOver = false;
    std::int32_t EndCounter = 0;
    std::unique_ptr<TScoretime> ScoreTime;
    std::unique_ptr<TScorepoints> ScorePoints;
    std::unique_ptr<TScoreGameover> ScoreGameover;
    std::unique_ptr<Ttitle> Title;
    std::unique_ptr<Tpressbutton> PressButton;
    std::unique_ptr<Thelpfeld> HelpField;
    std::array<std::unique_ptr<Tcongrat>, CongratLetters> Congrats;
    std::array<std::unique_ptr<TScoreTorpedo>, TorpedoIconCount> TorpedoIcons;
    std::array<std::unique_ptr<THSEntry>, HSRows> HSEntries;

private:
    static void Glide(TRBob& body);
    void CursorStep();
    // Counts a playing step; true when a game second has passed.
    bool ClockStep();
    void EndSequenceStep();
    void EndSequenceStart();
    void EndTimelineStep(std::int32_t s);
    void ShowTorpedoIcons();
    THSEntry* EditedEntry();

    TWorld& world_;
    IClock& clock_;
};
