// Finding the game's data and preparing its music for verifications.
#include "replay_content.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

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

// An exclusive lock on a file, held until it goes.
class FileLock {
public:
    explicit FileLock(const fs::path& file) : fd_(open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600)) {
        if (fd_ >= 0 && flock(fd_, LOCK_EX) == 0) return;
        if (fd_ >= 0) close(fd_);
        throw std::runtime_error("cannot lock " + file.string());
    }
    ~FileLock() { close(fd_); }  // and with it the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

void Cap(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    if (setrlimit(resource, &limit) != 0) throw std::runtime_error("cannot cap the verification");
}

}  // namespace

void CapThisVerification(const ReplayCaps& caps) {
    const auto seconds = static_cast<rlim_t>(caps.seconds);
    Cap(RLIMIT_CPU, seconds, seconds + 1);
#if !defined(__SANITIZE_ADDRESS__)
    const rlim_t bytes = static_cast<rlim_t>(caps.memoryMib) << 20;
    Cap(RLIMIT_AS, bytes, bytes);
#endif
    Cap(RLIMIT_FSIZE, 64 * 1024, 64 * 1024);
    Cap(RLIMIT_CORE, 0, 0);
}

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
    // Servers sharing a folder (and so a cache) convert one after another.
    const FileLock lock(cache / ".converting");
    UseGameData(data, cache);
    SilentProgress progress;
    ThrowingMessages messages;
    TOutsideWorld outside;
    outside.Messages = &messages;
    if (!ConvertSounds(progress, outside)) throw std::runtime_error("no room to convert the game's music");
}
