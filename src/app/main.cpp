// Program entry. The menu window is still being built: for now the program
// prepares its folder, its records and its music as the menu window will,
// then opens the game screen in the display mode of the settings or the one
// given as the first argument (0, 1 or 2). Escape leaves it.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "content/content_resources.h"
#include "game/game_screen.h"
#include "infra/env_data.h"
#include "infra/game_data.h"
#include "infra/paths.h"
#include "platform/freetype_rasterizer.h"
#include "platform/sdl_audio_output.h"
#include "platform/sdl_display.h"
#include "sound/convert_sounds.h"

namespace {

class ConsoleProgress : public IConvertProgress {
public:
    void Started(int jobs) override { std::printf("Converting %d music file(s)...\n", jobs); }
    void Progressed(int done) override { std::printf("  %d done\n", done); }
    void Finished() override {}
};

}  // namespace

int main(int argc, char** argv) {
    try {
        InstallContentResources();
        EnterProgramDir();
        EnsureSpsDir();
        LoadEnv();
        LoadGameData("SPS/game.dat");
        ConsoleProgress progress;
        ConvertSounds(progress);
        int mode = Env.DisplayMode;
        if (argc > 1) mode = std::atoi(argv[1]);
        if (mode < 0 || mode > 2) mode = 2;

        TFreeTypeRasterizer font;
        SetFontRasterizer(&font);
        SdlDisplay display;
        TDDFullScreenForm1 form(display, [] { return std::make_unique<SdlAudioOutput>(); });
        form.SetDisplayMode(mode);
        form.ShowModal();
        SetFontRasterizer(nullptr);
        SaveGameData("SPS/game.dat");
        return form.ErrorOccurred ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantorel: %s\n", e.what());
        return 1;
    }
}
