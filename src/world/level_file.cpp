// Reading and writing the scrambled level files SPS/Level<N>.txt.
#include <cerrno>
#include <cstring>

#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/game_data.h"
#include "infra/paths.h"
#include "infra/scrambler.h"
#include "world/swarm.h"

std::string LevelFileName() {
    return "SPS/Level" + std::to_string(GameData.LevelNumber) + ".txt";
}

void LoadLevelFile(std::vector<std::string>& lines) {
    const std::string path = ResolvePath(LevelFileName());
    const auto text = ReadWholeFile(path);
    if (!text)
        throw EInOutError("Datei " + path +
                          " kann nicht ge\xF6"
                          "ffnet werden: " +
                          std::strerror(errno));
    lines = SplitLines(*text);
    for (std::string& line : lines) line = UnscrambleText(line);
}

void SaveLevelFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += ScrambleText(line) + "\r\n";
    EnsureSpsDir();
    WriteFileAtomically(ResolvePath(LevelFileName()), bytes);
}
