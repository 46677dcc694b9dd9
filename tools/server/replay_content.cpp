// Finding the game's data and preparing its music for verifications.
#include "replay_content.h"

#include <stdexcept>
#include <string>
#include <system_error>

#include "infra/messages.h"
#include "infra/paths.h"
#include "sound/convert_sounds.h"

namespace fs = std::filesystem;

namespace {

bool HoldsGameData(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir / "sps", ec) && fs::is_directory(dir / "snd", ec);
}

// Nothing to show: a conversion that fails says so by its result.
class SilentProgress : public IConvertProgress {
public:
    void Started(int) override {}
    void Progressed(int) override {}
    void Finished() override {}
};

// Message boxes of the conversion become the error it throws.
class ThrowingMessages : public IMessages {
public:
    void Information(std::string_view text) override { throw std::runtime_error(std::string(text)); }
    void Error(std::string_view text) override { throw std::runtime_error(std::string(text)); }
    bool Question(std::string_view text) override { throw std::runtime_error(std::string(text)); }
};

}  // namespace

fs::path ServerProgram() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw std::runtime_error("cannot find the server's own program: " + ec.message());
    return self;
}

std::optional<fs::path> FindGameData(const fs::path& given, const fs::path& programDir) {
    if (!given.empty()) return HoldsGameData(given) ? std::optional(fs::absolute(given)) : std::nullopt;
    for (const fs::path& dir : {programDir, programDir / ".." / "share" / "vantorel"})
        if (HoldsGameData(dir)) return fs::weakly_canonical(dir);
    return std::nullopt;
}

void UseGameData(const fs::path& data, const fs::path& cache) {
    SetProgramFolders({data.string(), data.string(), cache.string()});
}

void PrepareGameMusic(const fs::path& data, const fs::path& cache) {
    fs::create_directories(cache);
    UseGameData(data, cache);
    SilentProgress progress;
    ThrowingMessages messages;
    TOutsideWorld outside;
    outside.Messages = &messages;
    if (!ConvertSounds(progress, outside)) throw std::runtime_error("no room to convert the game's music");
}
