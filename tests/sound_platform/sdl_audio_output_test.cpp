// The sound engine on SDL's audio output: SDL's disk driver writes the mixed
// stream to a file, which must hold the sound; a driver that cannot open
// leaves the engine failed and silent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "../sound/wave_builder.h"
#include "infra/clock.h"
#include "platform/sdl_audio_output.h"
#include "sound/kb_dsound.h"
#include "support/temp_program_dir.h"

namespace {

class SdlAudioTest : public ::testing::Test {
protected:
    ~SdlAudioTest() override {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }
    TempProgramDir dir;
};

}  // namespace

TEST_F(SdlAudioTest, TheDiskDriverReceivesTheMixedSound) {
    const std::string raw = (dir / "stream.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    {
        TkbDSound engine(CreateSdlAudioOutput(), true, false);
        ASSERT_FALSE(engine.Failed());
        dir.Write("snd/back.wav", wave::File(1, 44100, 16, wave::Constant16(1, 44100, 9000)));
        engine.LoadWaves(dir.path().string() + "/snd");
        auto& back = engine.FindWave("back");
        back.Looping = true;
        back.Play();
        SystemClock().Sleep(300);
    }
    std::ifstream in(raw, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 4096u);
    std::size_t loud = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto s = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                 (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        if (s == 9000) ++loud;
    }
    EXPECT_GT(loud, bytes.size() / 4);  // most of the stream is the sound
}

TEST_F(SdlAudioTest, NoUsableDeviceLeavesTheEngineFailedAndSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TkbDSound engine(CreateSdlAudioOutput(), true, false);
    EXPECT_TRUE(engine.Failed());
    dir.Write("snd/back.wav", wave::File(1, 44100, 16, wave::Constant16(1, 100, 9000)));
    engine.LoadWaves(dir.path().string() + "/snd");
    EXPECT_TRUE(engine.FindWave("back").Disabled());
    EXPECT_NO_THROW(engine.FindWave("back").Play());
}

TEST_F(SdlAudioTest, TheDummyDriverOpensAndIsNeverLost) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TkbDSound engine(CreateSdlAudioOutput(), true, false);
    ASSERT_FALSE(engine.Failed());
    EXPECT_FALSE(engine.Output()->DeviceLost());
    dir.Write("snd/back.wav", wave::File(1, 44100, 16, wave::Constant16(1, 100, 9000)));
    engine.LoadWaves(dir.path().string() + "/snd");
    auto& back = engine.FindWave("back");
    back.Play();
    EXPECT_FALSE(back.Disabled());
    EXPECT_FALSE(back.CheckLost());
}
