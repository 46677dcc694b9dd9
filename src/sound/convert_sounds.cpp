// Music preparation: which MP3 files to convert, the disk space check, and
// driving the decoder file by file.
#include "convert_sounds.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "ansi_case.h"
#include "infra/helpers.h"
#include "infra/log.h"
#include "infra/paths.h"
#include "mpeg_player.h"

namespace fs = std::filesystem;

namespace {

struct TConvertJob {
    std::string mp3;
    std::string wave;
};

constexpr std::uint32_t PollIntervalMs = 10;
constexpr std::uint32_t PanelLingerMs = 1000;
constexpr std::uint64_t SpaceFactor = 20;

std::optional<fs::file_time_type> ModifiedAt(const std::string& path) {
    std::error_code ec;
    const auto t = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return t;
}

// MP3 files of the data's snd, in name order, whose wave file in the cache's
// snd is missing or older.
std::vector<TConvertJob> FindJobs() {
    const std::string snd = ResolvePathIn(GetDataDir(), "snd");
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(snd, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && AnsiEndsWithIgnoringCase(name, ".mp3")) names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return AnsiLessIgnoringCase(a, b); });
    std::vector<TConvertJob> jobs;
    for (const auto& name : names) {
        if (jobs.size() == MaxConvertJobs) break;
        const std::string mp3 = snd + "/" + name;
        // An existing wave file in another letter case is the one to rewrite.
        const std::string wave =
            ResolvePathIn(GetCacheDir(), "snd/" + name.substr(0, name.size() - 3) + "wav");
        const auto waveTime = ModifiedAt(wave);
        const auto mp3Time = ModifiedAt(mp3);
        if (!waveTime || (mp3Time && *waveTime < *mp3Time)) jobs.push_back({mp3, wave});
    }
    return jobs;
}

void ConvertOne(TMPEGPlayer& player, const TConvertJob& job, IClock& clock) {
    player.StreamName = ResolvePath(job.mp3);
    player.OutFilename = job.wave;
    player.OutputDevice = TMPEGOutputDevice::pcmfile;
    player.Open();
    player.Play();
    while (!player.Ended()) clock.Sleep(PollIntervalMs);
    player.Close();
}

}  // namespace

bool EnoughSpace(const std::string& file, const std::string& destination, const TOutsideWorld& outside) {
    const std::string path = ResolvePath(file);
    std::error_code ec;
    const std::uint64_t size = fs::file_size(path, ec);
    const TDiskSpace space = outside.FreeSpace(ResolvePath(destination));
    const bool enough =
        !ec ? size <= UINT64_MAX / SpaceFactor && SpaceFactor * size < space.freeBytes : space.freeBytes > 0;
    if (!enough) outside.Messages->Information("Not enough space for sounds on drive " + space.mountPoint);
    return enough;
}

bool ConvertSounds(IConvertProgress& progress, const TOutsideWorld& outside) {
    EnterProgramDir();
    const std::vector<TConvertJob> jobs = FindJobs();
    if (jobs.empty()) return true;
    EnsureDir(GetCacheDir() + "/snd");

    progress.Started(static_cast<int>(jobs.size()));
    std::unique_ptr<TMPEGPlayer> own;
    if (!MPEGPlayer) {
        own = std::make_unique<TMPEGPlayer>();
        try {
            own->LoadMPEGLibrary();
        } catch (...) {
            // The error goes to the caller; the panel must not stay behind.
            progress.Finished();
            throw;
        }
    }
    TMPEGPlayer& player = *MPEGPlayer;
    bool result = true;
    int done = 0;
    for (const auto& job : jobs) {
        if (!EnoughSpace(job.mp3, GetCacheDir(), outside)) {
            result = false;
            break;
        }
        try {
            ConvertOne(player, job, *outside.Clock);
            progress.Progressed(++done);
        } catch (const std::exception& e) {
            player.Close();
            const std::string message = "MP3 conversion error on " + job.mp3 + "\r\n" + e.what();
            outside.Messages->Error(message);
            WriteLog(message);
        }
    }
    own.reset();
    WaitMs(*outside.Clock, PanelLingerMs);
    progress.Finished();
    return result;
}
