// Music preparation: what gets converted, the disk space check, decoding a
// real MP3 (encoded here with libmp3lame) into a wave file that loads, and
// the decoder's failures.
#include <gtest/gtest.h>
#include <lame/lame.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "infra/clock.h"
#include "sound/convert_sounds.h"
#include "sound/kb_dsound.h"
#include "sound/mpeg_player.h"
#include "sound/recording_audio_output.h"
#include "sound/wave_reader.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;

namespace {

// Half a second of a 440 Hz tone as an MP3 file.
std::string EncodeMp3(int rate = 44100, double seconds = 0.5) {
    const int frames = static_cast<int>(rate * seconds);
    std::vector<short> pcm(frames);
    for (int i = 0; i < frames; ++i) pcm[i] = static_cast<short>(12000 * std::sin(2 * M_PI * 440 * i / rate));
    lame_global_flags* gf = lame_init();
    lame_set_in_samplerate(gf, rate);
    lame_set_num_channels(gf, 1);
    lame_set_mode(gf, MONO);
    lame_set_brate(gf, 64);
    lame_init_params(gf);
    std::vector<unsigned char> mp3(frames * 5 / 4 + 7200);
    int n = lame_encode_buffer(gf, pcm.data(), pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
    n += lame_encode_flush(gf, mp3.data() + n, static_cast<int>(mp3.size()) - n);
    lame_close(gf);
    return std::string(mp3.begin(), mp3.begin() + n);
}

struct RecordingProgress : IConvertProgress {
    void Started(int jobs) override { events.push_back("start " + std::to_string(jobs)); }
    void Progressed(int done) override { events.push_back("at " + std::to_string(done)); }
    void Finished() override { events.push_back("end"); }
    std::vector<std::string> events;
};

class ConvertTest : public ::testing::Test {
protected:
    // Time moves on every reading, so the one-second linger passes at once.
    ConvertTest() : clock_(0, 1) {
        outside.Clock = &clock_;
        outside.Messages = &messages;
    }
    void SetAge(const std::string& rel, int secondsAgo) {
        fs::last_write_time(dir / rel, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
    }
    std::string Log() { return dir.Read("sps/LOG.TXT"); }

    ManualClock clock_;
    TempProgramDir dir;
    RecordingMessages messages;
    RecordingProgress progress;
    TOutsideWorld outside;
};

}  // namespace

TEST_F(ConvertTest, AnMp3BecomesAWaveFileThatTheEngineLoadsAndPlays) {
    dir.Write("snd/Track 30.mp3", EncodeMp3());
    EXPECT_TRUE(ConvertSounds(progress, outside));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 1", "at 1", "end"}));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(dir.Exists("snd/Track 30.wav"));
    EXPECT_FALSE(dir.Exists("snd/Track 30.wav.part"));

    std::ifstream in(dir / "snd/Track 30.wav", std::ios::binary);
    std::uint32_t dataSize = 0;
    std::uint64_t offset = 0;
    TWaveFormatEx format{};
    ReadWaveFormat(in, dataSize, offset, format);
    EXPECT_EQ(format.nSamplesPerSec, 44100u);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.wBitsPerSample, 16);
    // Half a second, give or take the encoder's padding.
    EXPECT_NEAR(dataSize / 2.0 / 44100, 0.5, 0.1);

    auto output = std::make_unique<RecordingAudioOutput>();
    RecordingAudioOutput* out = output.get();
    TkbDSound engine(std::move(output), true, false);
    engine.LoadWaves(dir.path().string() + "/snd");
    ASSERT_EQ(engine.Sounds().size(), 1u);
    auto& track = engine.FindWave("Track 30");
    ASSERT_FALSE(track.Disabled());
    track.Play();
    const auto mix = out->Render(22050);
    int peak = 0;
    for (auto s : mix) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_NEAR(peak, 12000, 1500);
}

TEST_F(ConvertTest, OnlyMissingOrOlderWaveFilesAreConverted) {
    const std::string mp3 = EncodeMp3(22050, 0.2);
    dir.Write("snd/a.mp3", mp3);
    dir.Write("snd/a.wav", "newer");
    SetAge("snd/a.mp3", 100);
    EXPECT_TRUE(ConvertSounds(progress, outside));
    EXPECT_TRUE(progress.events.empty());  // no panel at all
    EXPECT_EQ(dir.Read("snd/a.wav"), "newer");

    SetAge("snd/a.wav", 200);
    EXPECT_TRUE(ConvertSounds(progress, outside));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 1", "at 1", "end"}));
    EXPECT_EQ(dir.Read("snd/a.wav").substr(0, 4), "RIFF");
}

TEST_F(ConvertTest, TooLittleSpaceStopsTheConversionAndNamesTheMountPoint) {
    dir.Write("snd/b.mp3", EncodeMp3());
    dir.Write("snd/a.mp3", std::string(3000000, 'x'));
    std::vector<std::string> asked;
    outside.FreeSpace = ([&](const std::string& path) {
        asked.push_back(path);
        return TDiskSpace{50000000, "/media/music"};
    });
    EXPECT_FALSE(ConvertSounds(progress, outside));  // 60 MB needed for a.mp3, 50 MB free
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Not enough space for sounds on drive /media/music"}));
    EXPECT_EQ(asked, (std::vector<std::string>{dir.path().string()}));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 2", "end"}));
    EXPECT_FALSE(dir.Exists("snd/a.wav"));
    EXPECT_FALSE(dir.Exists("snd/b.wav"));  // the remaining jobs are skipped

    // Exactly 20 times the size is not enough; one byte more is.
    outside.FreeSpace = ([](const std::string&) { return TDiskSpace{60000000, "/"}; });
    EXPECT_FALSE(EnoughSpace((dir / "snd/a.mp3").string(), dir.path().string(), outside));
    outside.FreeSpace = ([](const std::string&) { return TDiskSpace{60000001, "/"}; });
    EXPECT_TRUE(EnoughSpace((dir / "snd/a.mp3").string(), dir.path().string(), outside));
}

TEST_F(ConvertTest, InstalledTheMusicIsReadFromTheDataAndConvertedIntoTheCacheOnce) {
    TempProgramDir data, cache;
    data.Write("snd/back.mp3", EncodeMp3());
    SetProgramFolders({data.path().string(), dir.path().string(), (cache / "vantorel").string()});
    std::vector<std::string> asked;
    outside.FreeSpace = ([&](const std::string& path) {
        asked.push_back(path);
        return TDiskSpace{1u << 30, "/"};
    });
    EXPECT_TRUE(ConvertSounds(progress, outside));
    EXPECT_EQ(asked, (std::vector<std::string>{(cache / "vantorel").string()}));
    EXPECT_TRUE(cache.Exists("vantorel/snd/back.wav"));
    EXPECT_FALSE(data.Exists("snd/back.wav"));
    EXPECT_EQ(ResolvePath("snd/BACK.WAV"), (cache / "vantorel/snd/back.wav").string());
    // Up to date now: the next start converts nothing.
    progress.events.clear();
    EXPECT_TRUE(ConvertSounds(progress, outside));
    EXPECT_TRUE(progress.events.empty());
}

TEST_F(ConvertTest, AFileThatFailsToDecodeIsReportedAndTheNextStillConverts) {
    dir.Write("snd/a.mp3", std::string(20000, '\0'));
    dir.Write("snd/b.mp3", EncodeMp3());
    EXPECT_TRUE(ConvertSounds(progress, outside));
    const std::string message =
        "MP3 conversion error on " + dir.path().string() + "/snd/a.mp3\r\nInput stream error";
    EXPECT_EQ(messages.shown, (std::vector<std::string>{message}));
    EXPECT_EQ(Log(), message + "\r\n");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 2", "at 1", "end"}));
    EXPECT_FALSE(dir.Exists("snd/a.wav"));
    EXPECT_FALSE(dir.Exists("snd/a.wav.part"));
    EXPECT_TRUE(dir.Exists("snd/b.wav"));
}

TEST_F(ConvertTest, TheDecoderReportsMisuseWithItsTexts) {
    auto errorOf = [](auto&& call) -> std::string {
        try {
            call();
        } catch (const EMPEGError& e) {
            return e.what();
        }
        return "(no error)";
    };
    TMPEGPlayer player;
    EXPECT_EQ(MPEGPlayer, &player);
    player.StreamName = (dir / "x.mp3").string();
    EXPECT_EQ(errorOf([&] { player.Open(); }), "MPEG library not loaded");
    player.LoadMPEGLibrary();
    EXPECT_EQ(errorOf([&] { player.Play(); }), "Incorrect mode");
    EXPECT_EQ(errorOf([&] { player.Open(); }), "Input stream error");  // no such file
    dir.Write("x.mp3", EncodeMp3());
    EXPECT_EQ(errorOf([&] { player.Open(); }), "(no error)");
    EXPECT_EQ(player.Frequency(), 44100);
    player.OutFilename = (dir / "x.wav").string();
    EXPECT_EQ(errorOf([&] { player.Play(); }), "Output device failure");  // not to a PCM file
    player.OutputDevice = TMPEGOutputDevice::pcmfile;
    player.OutFilename = (dir / "missing/x.wav").string();
    player.Play();
    bool ended = false;
    std::string error = "(no error)";
    while (!ended && error == "(no error)") error = errorOf([&] { ended = player.Ended(); });
    EXPECT_EQ(error, "Output device failure");
    player.Close();
    EXPECT_FALSE(dir.Exists("missing"));
    player.StreamName.clear();
    EXPECT_EQ(errorOf([&] { player.Open(); }), "Can't play non-specified stream");
    for (int code = 0; code <= 5; ++code) EXPECT_FALSE(MPEGErrorText(code).empty());
    EXPECT_EQ(MPEGErrorText(4), "Input stream is non-seekable");
}

TEST(DiskSpace, TheFileSystemNamesItsMountPoint) {
    TempProgramDir dir;
    dir.Write("f", "x");
    const TDiskSpace space = QueryDiskSpace((dir / "f").string());
    EXPECT_GT(space.freeBytes, 0u);
    ASSERT_FALSE(space.mountPoint.empty());
    EXPECT_EQ(space.mountPoint[0], '/');
    EXPECT_EQ((dir / "f").string().rfind(space.mountPoint == "/" ? "/" : space.mountPoint + "/", 0), 0u);
    EXPECT_EQ(QueryDiskSpace("/").mountPoint, "/");
}
