// Fuzz entry: any bytes as SPS/env.dat, and as SPS/game.dat and sps/prog.cfg.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "infra/config_file.h"
#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/messages.h"
#include "infra/paths.h"

namespace {

class QuietMessages : public IMessages {
    void Information(std::string_view) override {}
    void Error(std::string_view) override {}
    bool Question(std::string_view) override { return false; }
};

const std::string& Folder() {
    static const std::string dir = [] {
        std::string p = (std::filesystem::temp_directory_path() / "vantorel-fuzz-XXXXXX").string();
        if (!mkdtemp(p.data())) std::abort();
        std::filesystem::create_directory(p + "/sps");
        SetProgramDir(p);
        return p;
    }();
    return dir;
}

void Put(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream(Folder() + "/sps/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietMessages quiet;
    Folder();
    Put("env.dat", data, size);
    LoadEnv();
    Put("game.dat", data, size);
    LoadGameData("SPS/game.dat", quiet);
    Put("prog.cfg", data, size);
    ReadSetting("caveedit", "0", quiet);
    ReadSettingRaw("PER Name", quiet);
    return 0;
}
