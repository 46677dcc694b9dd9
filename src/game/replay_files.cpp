// Saving and pruning the player's replays.
#include "game/replay_files.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#include "hud/stat_text.h"
#include "infra/checksum.h"
#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/paths.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view HighscoreMark = "_highscore";
constexpr std::size_t StampLength = 20;  // "YYYY-MM-DD_HH-MM-SS_"

// A name the program gave a replay: the date stamp, then the score.
bool IsReplayName(const std::string& name) {
    if (name.size() <= StampLength + ReplayExtension.size() || !name.ends_with(ReplayExtension)) return false;
    for (std::size_t i = 0; i < StampLength; ++i) {
        const char c = name[i];
        const bool separator = i == 4 || i == 7 || i == 13 || i == 16;
        const bool ok = separator ? c == '-' : (i == 10 || i == 19) ? c == '_' : (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    return true;
}

// At most this many replays of a score are read when looking for a game's.
constexpr std::size_t MostReplaysRead = 20;

// Whether the replay holds a game that ended with the score and those statistics' digits.
bool HoldsGame(std::string_view text, std::int32_t score, const std::string& digits) {
    try {
        TReplayReader reader(text);
        reader.ReadHeader();
        for (TReplayRecord r; reader.Next(r);)
            if (r.Kind == TReplayItem::Game && r.Game.Score == score && StatDigits(r.Game.Stats) == digits)
                return true;
    } catch (const EReplayError&) {
        // A damaged file holds no game to send.
    }
    return false;
}

}  // namespace

std::optional<std::string> FindReplayOfScore(const std::string& folder, std::int32_t score,
                                             std::string_view statText) {
    const std::optional<std::string> digits = DecodeStatText(statText);
    if (!digits) return std::nullopt;
    const std::string named = std::to_string(score) + std::string(HighscoreMark);
    std::error_code ec;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && IsReplayName(name) &&
            name.compare(StampLength, named.size(), named) == 0 &&
            (name[StampLength + named.size()] == '.' || name[StampLength + named.size()] == '_'))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    for (std::size_t i = 0; i < names.size() && i < MostReplaysRead; ++i) {
        std::optional<std::string> text = ReadWholeFile(folder + "/" + names[i]);
        if (text && HoldsGame(*text, score, *digits)) return text;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> FileChecksum(std::string_view relativePath) {
    const auto bytes = ReadWholeFile(ResolvePath(relativePath));
    if (!bytes) return std::nullopt;
    return ChecksumOf(*bytes);
}

bool EnteredHighscores(const TReplayHeader& header, const TEnvData& env) {
    for (int r = 0; r < HighscoreCount; ++r) {
        const TReplayHighscore& before = header.Highscores[static_cast<std::size_t>(r)];
        if (before.Score != env.Highscores[r].Score || before.Name != env.Highscores[r].Name.str())
            return true;
    }
    return false;
}

std::string ReplayFileName(std::chrono::system_clock::time_point when, std::int32_t score, bool highscore) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S_", &local);
    return stamp + std::to_string(score) + (highscore ? std::string(HighscoreMark) : "") +
           std::string(ReplayExtension);
}

std::string SaveReplay(const std::string& folder, std::string_view text,
                       std::chrono::system_clock::time_point when, std::int32_t score, bool highscore) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw EInOutError("Verzeichnis " + folder + " kann nicht erzeugt werden: " + ec.message());
    const std::string name = ReplayFileName(when, score, highscore);
    const std::string stem = name.substr(0, name.size() - ReplayExtension.size());
    std::string path = folder + "/" + name;
    for (int n = 2; fs::exists(path, ec); ++n)
        path = folder + "/" + stem + "_" + std::to_string(n) + std::string(ReplayExtension);
    WriteFileAtomically(path, text);
    PruneReplays(folder);
    return path;
}

void PruneReplays(const std::string& folder) {
    std::error_code ec;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && IsReplayName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    for (std::size_t i = KeptReplays; i < names.size(); ++i)
        if (names[i].find(HighscoreMark) == std::string::npos) fs::remove(folder + "/" + names[i], ec);
}
