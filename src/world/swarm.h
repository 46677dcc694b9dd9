// The enemy swarm: 50 sperms and viruses, the kind table, the level script
// that launches them in formations, demo mode and the game's statistics.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/rbob.h"
#include "world/game_stats.h"
#include "world/level_script.h"

class TWorld;

constexpr int MaxSperms = 50;
constexpr int KindCount = 6;

// One enemy kind: its graphic object, its name in level files and what a hit
// on it is worth.
struct TKind {
    std::int32_t GO = 0;
    std::string Name;
    std::int32_t HitValue = 0;
    bool Deadly = false;
    double TrailChance = 0.01;  // bubble trail chance per step
};

class TSpermien;

// One enemy. Bob 1 is its sprite, bob 2 the campaign logo (normally hidden).
class TSperm : public TRBob {
public:
    explicit TSperm(TSpermien& owner);

    // Starts from the left edge at row y with the given thrust.
    void Launch(std::int32_t object, float y, float thrust);
    // One step after the motion step: animation, delay, demo appearances,
    // passing the right edge, leaving, bubble trail.
    void Step();
    // Dissolves into bubbles (torpedo hit).
    void Bubbleize();
    // X of the nose (X + W/2).
    float NoseX();

    std::int32_t Delay = 0;
    bool Caught = false;
    bool Passed = false;
    std::int32_t Kind = 1;
    std::int32_t HitValue = 0;
    bool Deadly = false;

private:
    void DemoAppear();
    void CheckPassing();
    TSpermien& owner_;
};

// A level script line that could not be interpreted; the message carries the
// cause and the script position.
class ELevelScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Level<N>.txt of GameData.LevelNumber, unscrambled, into lines.
// Raises EInOutError when it cannot be read.
void LoadLevelFile(std::vector<std::string>& lines);
// Scrambles the lines and writes them to the same file (temporary file and rename).
void SaveLevelFile(const std::vector<std::string>& lines);
// The path of the current level file, relative to the program directory.
std::string LevelFileName();

class TSpermien {
public:
    // Builds the kind table (raises when a graphic object is missing) and
    // reads the level file.
    explicit TSpermien(TWorld& world);
    ~TSpermien();
    TSpermien(const TSpermien&) = delete;
    TSpermien& operator=(const TSpermien&) = delete;

    void AddSperm();
    void StartLevel();
    void StopAll();
    // One game step: the script, then every enemy's motion and step.
    void Move();
    // Lowest index (1..50) of a visible, uncaught enemy whose nose lies
    // strictly inside the box; -1 when none.
    std::int32_t FindSperm(float xmin, float ymin, float xmax, float ymax);
    void MarkCaught(std::int32_t i);
    // Enemy i (1-based), null when not added.
    TSperm* Item(std::int32_t i) { return Items[static_cast<std::size_t>(i - 1)].get(); }

    // The kind (1..6) whose graphic object is go, 0 for none.
    std::int32_t KindOfGO(std::int32_t go) const;
    // The graphic object of the kind with that level-file name, 0 for none.
    std::int32_t KindByName(const std::string& name) const;
    TWorld& World() const { return world_; }

    // The level script.
    void DoScript();
    std::string ReadScriptLine();
    void RunScriptLine(const TScriptLine& line);
    void StartFormation(std::int32_t n);
    void NextFormationRow();
    void SpawnRow(const std::vector<std::string>& cells);
    void SpawnCell(char letter, std::int32_t d, std::int32_t k, std::int32_t n);

    std::array<TKind, KindCount + 1> KindTable{};  // entries 1..6
    std::int32_t KindTableCount = 0;
    std::array<std::unique_ptr<TSperm>, MaxSperms> Items;
    std::int32_t ItemCount = 0;

    std::int32_t Speed = 50;
    std::array<std::int32_t, 26> LetterKinds{};  // graphic object per letter, 0 = none
    long double MiddlePosition = 0.0L;
    long double Gap = 60.0L;
    long double BobSpeed = 0.3L;
    long double BobSpeedStep = 0.1L;
    long double BobProbability = 1.0L;
    bool BobFreePos = false;
    std::int32_t BobFuzzyTime = 0;

    std::vector<std::string> Lines;
    std::int32_t MainPointer = -1;
    std::int32_t FormationPointer = -1;
    std::int32_t RowCountdown = 0;
    bool DemoMode = true;
    TGameStats Stats{};

private:
    TWorld& world_;
};
