// Defaults, loading and saving of GameData.
#include "game_data.h"

#include <cstring>
#include <string>

#include "file_io.h"
#include "messages.h"
#include "paths.h"

TGameData GameData{};

void SetGameDataDefaults() {
    GameData.Pad41 = 0;
    GameData.LevelNumber = 1;
    GameData.PlayerName.reset("Spieler1");
    GameData.Unused76 = 0;
    GameData.Unused80.reset();
    GameData.Unused112 = 0;
}

void LoadGameData(std::string_view fileName, IMessages& messages) {
    EnterProgramDir();
    const auto data = ReadWholeFile(ResolvePath(fileName));
    const bool valid = data && data->size() >= 1 + GameDataHeader.size() &&
                       static_cast<unsigned char>((*data)[0]) == GameDataHeader.size() &&
                       data->compare(1, GameDataHeader.size(), GameDataHeader) == 0;
    if (!valid) {
        SetGameDataDefaults();
        return;
    }
    if (data->size() < GameDataSize) {
        SetGameDataDefaults();
        messages.Information(
            "Spielstandfile und Spielstandvariable haben unterschiedliche Gr\xF6\xDF"
            "en!");
        return;
    }
    std::memcpy(&GameData, data->data(), GameDataSize);
}

void SaveGameData(std::string_view fileName) {
    EnterProgramDir();
    GameData.Header.assign(GameDataHeader);
    std::string bytes(GameDataSize, '\0');
    std::memcpy(bytes.data(), &GameData, GameDataSize);
    EnsureSpsDir();
    WriteFileAtomically(ResolvePath(fileName), bytes);
}
