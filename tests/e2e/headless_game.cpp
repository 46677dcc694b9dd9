// Running vantorel-headless in a temporary program directory.
#include "headless_game.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/paths.h"
#include "infra/scrambler.h"
#include "sound/convert_sounds.h"

namespace fs = std::filesystem;

namespace {

class QuietProgress : public IConvertProgress {
public:
    void Started(int) override {}
    void Progressed(int) override {}
    void Finished() override {}
};

// What the build's sound folder holds (names, sizes and times), so that a
// regenerated folder is prepared again.
std::string Listing(const fs::path& folder) {
    std::string text;
    for (const auto& e : fs::directory_iterator(folder))
        text += e.path().filename().string() + " " + std::to_string(e.file_size()) + " " +
                std::to_string(e.last_write_time().time_since_epoch().count()) + "\n";
    return text;
}

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The build's sounds with the music converted to wave files, made once and
// shared by every test (the conversion takes a while). Tests run in parallel
// processes, so a file lock guards the preparation.
fs::path PreparedSounds() {
    const fs::path data = fs::path(VANTOREL_BUILD_DIR) / "tests" / "e2e-data";
    fs::create_directories(data);
    const int lock = ::open((data / "lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + data.string());
    const fs::path source = fs::path(VANTOREL_BUILD_DIR) / "snd";
    const std::string listing = Listing(source);
    if (ReadText(data / "stamp") != listing) {
        fs::remove_all(data / "snd");
        fs::copy(source, data / "snd");
        const std::string saved = GetProgramDir();
        SetProgramDir(data.string());
        QuietProgress progress;
        ConvertSounds(progress, TOutsideWorld());
        SetProgramDir(saved);
        std::ofstream(data / "stamp", std::ios::binary) << listing;
    }
    ::close(lock);  // also releases the lock
    return data / "snd";
}

std::vector<std::string> SplitOutput(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

bool HeadlessResult::Has(const std::string& line) const {
    return Find(line) >= 0;
}

int HeadlessResult::Find(const std::string& line, int from, bool prefix) const {
    for (int i = std::max(from, 0); i < static_cast<int>(Lines.size()); ++i) {
        const std::string& l = Lines[static_cast<std::size_t>(i)];
        if (prefix ? l.starts_with(line) : l == line) return i;
    }
    return -1;
}

bool HeadlessResult::InOrder(const std::vector<std::string>& lines) const {
    int at = 0;
    for (const std::string& line : lines) {
        at = Find(line, at);
        if (at < 0) return false;
        ++at;
    }
    return true;
}

int HeadlessResult::Count(const std::string& line) const {
    int n = 0;
    for (const std::string& l : Lines) n += l == line;
    return n;
}

std::string HeadlessResult::Text() const {
    std::string text;
    for (const std::string& l : Lines) text += l + "\n";
    return text;
}

HeadlessGame::HeadlessGame() {
    fs::create_directory_symlink(PreparedSounds(), Dir / "snd");
    fs::create_directory_symlink(fs::path(VANTOREL_BUILD_DIR) / "gfx", Dir / "gfx");
    fs::create_directories(Dir / "sps");
    for (const char* name : {"Level1.txt", "front.dat"})
        fs::copy_file(fs::path(VANTOREL_BUILD_DIR) / "sps" / name, Dir / "sps" / name);
    SetEnvDefaults();
    SetGameDataDefaults();
}

void HeadlessGame::SetLevel(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += ScrambleText(line) + "\r\n";
    Dir.Write("sps/Level1.txt", text);
}

void HeadlessGame::SetSetting(const std::string& key, const std::string& value) {
    Dir.Write("sps/prog.cfg", key + ": " + value + "\r\n");
}

void HeadlessGame::SaveRecords() {
    SaveEnv();
}

HeadlessResult HeadlessGame::Run(const std::string& script, std::uint32_t seed, std::uint64_t maxSteps,
                                 const std::string& extraArgs) {
    Dir.Write("input.txt", script);
    HeadlessResult result =
        Runner("--seed " + std::to_string(seed) + " --input '" + (Dir / "input.txt").string() +
               "' --ms-per-frame 100 --max-steps " + std::to_string(maxSteps) + " " + extraArgs);
    LoadEnv();
    return result;
}

HeadlessResult HeadlessGame::Verify(const std::string& replayFile) {
    return Runner("--replay '" + (Dir / replayFile).string() + "' --verify");
}

HeadlessResult HeadlessGame::Runner(const std::string& arguments) {
    const std::string command = std::string("'") + VANTOREL_HEADLESS + "' --dir '" + Dir.path().string() +
                                "' " + arguments + " 2>'" + (Dir / "stderr.txt").string() + "'";
    HeadlessResult result;
    std::FILE* out = ::popen(command.c_str(), "r");
    if (!out) throw std::runtime_error("cannot start " + command);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;) text.append(buffer, n);
    const int status = ::pclose(out);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Lines = SplitOutput(text);
    return result;
}
