// The game data record GameData, stored in SPS/game.dat.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "short_string.h"

constexpr std::size_t GameDataSize = 116;
constexpr std::string_view GameDataHeader = "Game Datafile v2.0";

#pragma pack(push, 1)
struct TGameData {
    ShortString<40> Header;
    std::uint8_t Pad41;
    std::uint16_t LevelNumber;  // selects SPS/Level<n>.txt
    ShortString<31> PlayerName;
    std::int32_t Unused76;
    ShortString<31> Unused80;
    std::int32_t Unused112;
};
#pragma pack(pop)

static_assert(sizeof(TGameData) == GameDataSize);
static_assert(offsetof(TGameData, LevelNumber) == 42);
static_assert(offsetof(TGameData, PlayerName) == 44);
static_assert(offsetof(TGameData, Unused76) == 76);
static_assert(offsetof(TGameData, Unused80) == 80);
static_assert(offsetof(TGameData, Unused112) == 112);

class IMessages;

extern TGameData GameData;

// LevelNumber 1, PlayerName "Spieler1", other fields zero; the header keeps its bytes.
void SetGameDataDefaults();
// Reads the record when the file carries the header; otherwise the defaults
// (a file with the header but too short also shows a message).
void LoadGameData(std::string_view fileName, IMessages& messages);
// Writes the record with its header; raises EInOutError.
void SaveGameData(std::string_view fileName);
