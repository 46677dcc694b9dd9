// The display container: creation, the step of all displays with the clock,
// the torpedo stock, the start of play and the name entry.
#include "hud/displays.h"

#include <exception>
#include <string>

#include "hud/stat_text.h"
#include "infra/clock.h"
#include "infra/env_data.h"
#include "infra/log.h"
#include "online/highscores.h"
#include "world/sound_cues.h"
#include "world/swarm.h"
#include "world/world.h"

namespace {

constexpr std::size_t MaxEntryName = 20;

}  // namespace

TAnzeige::TAnzeige(TWorld& world, IClock& clock) : world_(world), clock_(clock) {
    Title = std::make_unique<Ttitle>();
    PressButton = std::make_unique<Tpressbutton>();
    HelpField = std::make_unique<Thelpfeld>();
    ScoreTime = std::make_unique<TScoretime>();
    ScorePoints = std::make_unique<TScorepoints>();
    ScoreGameover = std::make_unique<TScoreGameover>();
    for (int i = 1; i <= TorpedoIconCount; ++i)
        TorpedoIcons[static_cast<std::size_t>(i - 1)] = std::make_unique<TScoreTorpedo>(i);
    for (auto& letter : Congrats) letter = std::make_unique<Tcongrat>();
    for (int r = 1; r <= HSRows; ++r)
        HSEntries[static_cast<std::size_t>(r - 1)] = std::make_unique<THSEntry>(r);
}

TAnzeige::~TAnzeige() {
    for (auto& row : HSEntries) row.reset();
    for (auto& letter : Congrats) letter.reset();
    for (auto& icon : TorpedoIcons) icon.reset();
    Title.reset();
    PressButton.reset();
    ScoreTime.reset();
    ScorePoints.reset();
    ScoreGameover.reset();
    HelpField.reset();
}

void TAnzeige::Animate() {
    // The part last completed goes to the log when a step fails.
    int done = -1;
    try {
        HelpField->Step();
        done = 0;
        ScoreGameover->Step(*this);
        done = 1;
        Title->Step(*this);
        done = 2;
        if (PressButton->Visible) Glide(*PressButton);
        done = 3;
        for (auto& letter : Congrats)
            if (letter->Visible) Glide(*letter);
        done = 4;
        for (auto& row : HSEntries)
            if (row->Visible) Glide(*row);
        done = 5;
        CursorStep();
        done = 6;
        const bool newSecond = ClockStep();
        done = 7;
        if (newSecond) ScoreTime->PaintTime();
        done = 8;
        if (Won || (GameOver && ScoreGameover->GameoverSteps > 350)) EndSequenceStep();
        done = 9;
    } catch (const std::exception&) {
        WriteLog("anzeige.animate: step(" + std::to_string(done) + ") " + ";");
        throw;
    }
}

void TAnzeige::Glide(TRBob& body) {
    body.Steer();
    body.Move();
}

THSEntry* TAnzeige::EditedEntry() {
    for (auto& row : HSEntries)
        if (row->Editing) return row.get();
    return nullptr;
}

bool TAnzeige::HSEntryActive() const {
    for (const auto& row : HSEntries)
        if (row->Editing) return true;
    return false;
}

void TAnzeige::CursorStep() {
    THSEntry* row = EditedEntry();
    if (!row) return;
    std::string name = Env.Highscores[row->Rank - 1].Name.str();
    if (static_cast<std::int32_t>(name.size()) < row->Cursor && name.size() < MaxEntryName) {
        name += ' ';
        Env.Highscores[row->Rank - 1].Name.assign(name);
    }
    if (++row->Blink > 100) row->Blink = 0;
    // The cursor blinks with a period of 101 steps: blank at 0, "_" at 50.
    if (row->Blink != 0 && row->Blink != 50) return;
    const auto at = static_cast<std::size_t>(row->Cursor - 1);
    if (at < name.size()) name[at] = row->Blink == 0 ? ' ' : '_';
    SetHighscoreName(row->Rank, name);
    row->PaintEntry();
}

bool TAnzeige::ClockStep() {
    if (world_.Playing && !GameOver) ++SecondTicks;
    if (SecondTicks < 50) return false;
    SecondTicks = 0;
    if (ScoreTime->Seconds > 0) {
        --ScoreTime->Seconds;
        if (ScoreTime->Seconds <= 10) PlayWave("bigtime");
        if (ScoreTime->Seconds == 0) {
            // Surviving the clock wins, with the bonus before the score is placed.
            Won = true;
            ScorePoints->Points += 10000;
            ScorePoints->PaintPoints();
            HelpField->Clear();
            HelpField->AddText("Protect to prevail");
        }
    }
    return true;
}

void TAnzeige::StartGame() {
    HelpField->Clear();
    HelpField->SetDelay(100);
    HelpField->AddText("Left click on your mouse to shoot");
    HelpField->AddText("Slide the condom canon up and down with your mouse");
    ScoreTime->SetVisible(true);
    ScoreTime->PaintTime();
    ScorePoints->SetVisible(true);
    ScorePoints->PaintPoints();
    Title->SetVisible(false);
    PressButton->SetVisible(false);
    for (auto& row : HSEntries) row->SetVisible(false);
}

void TAnzeige::ShowTorpedoIcons() {
    for (int i = 1; i <= TorpedoIconCount; ++i) TorpedoIcon(i).SetVisible(Torpedoes >= i);
}

void TAnzeige::TorpedoOn() {
    if (Torpedoes <= 0) {
        PlayWave("TR_50_08");
        return;
    }
    TorpedoMode = true;
    ShowTorpedoIcons();
    PlayWave("TR_50_07");
}

void TAnzeige::TorpedoOff() {
    TorpedoMode = false;
    for (auto& icon : TorpedoIcons) icon->SetVisible(false);
    PlayWave("TR_50_08");
}

void TAnzeige::UseTorpedo() {
    if (Torpedoes-- == 1) TorpedoMode = false;
    ShowTorpedoIcons();
}

void TAnzeige::AddPoints(std::int32_t points) {
    ScorePoints->Points += points;
    ScorePoints->PaintPoints();
}

void TAnzeige::Defeat() {
    GameOver = true;
    Won = false;
    ScoreGameover->GameoverSteps = 0;
}

std::string TAnzeige::BuildStatText() {
    // Without a swarm (displays on their own) nothing was counted.
    TGameStats none{};
    TGameStats& stats = world_.Spermien ? world_.Spermien->Stats : none;
    stats[StatSecondsPlayed] =
        static_cast<std::int32_t>((clock_.TickCount() - world_.Screen.StartTick) / 1000);
    return EncodeStatText(stats);
}
