// The mix: decibel pan and volume, saturation, formats, looping, restarts,
// positions and duplicates, read back through the recording output.
#include <filesystem>

#include "sound_fixture.h"

using MixTest = InMemoryOrStreamed;
INSTANTIATE_TEST_SUITE_P(InMemoryAndStreamed, MixTest, ::testing::Bool());

TEST_P(MixTest, PanAndVolumeFollowTheDecibelFormulas) {
    auto& s = LoadConstant("tone", 4000, 20000);
    struct Case {
        int volume, pan;
    };
    const Case cases[] = {{0, 0},        {-600, 0},   {-600, 1500}, {-300, -2000}, {0, 10000},
                          {-2500, -700}, {-10000, 0}, {0, -10000},  {-9000, 400}};
    for (const auto& c : cases) {
        s.SetVolume(c.volume);
        s.SetPan(c.pan);
        s.Play();
        const auto mix = out->Render(100);
        // Pan attenuates only the opposite channel; volume attenuates both.
        const double left =
            c.volume <= -10000 || c.pan >= 10000 ? 0 : Attenuated(20000, c.volume - std::max(c.pan, 0));
        const double right =
            c.volume <= -10000 || c.pan <= -10000 ? 0 : Attenuated(20000, c.volume + std::min(c.pan, 0));
        EXPECT_NEAR(Left(mix, 50), left, 1.5) << c.volume << "/" << c.pan;
        EXPECT_NEAR(Right(mix, 50), right, 1.5) << c.volume << "/" << c.pan;
    }
}

TEST_P(MixTest, VoicesSumAndSaturateInsteadOfWrapping) {
    auto& a = LoadConstant("a", 1000, 30000);
    auto& b = LoadConstant("b", 1000, 30000);
    auto& c = LoadConstant("c", 1000, -30000);
    auto& d = LoadConstant("d", 1000, -30000);
    a.Play();
    b.Play();
    EXPECT_EQ(Left(out->Render(10), 5), 32767);
    a.Stop();
    b.Stop();
    c.Play();
    d.Play();
    EXPECT_EQ(Right(out->Render(10), 5), -32768);
    a.Play();
    EXPECT_EQ(Left(out->Render(10), 5), -30000);  // 30000 - 30000 - 30000
}

TEST_P(MixTest, EightBitMonoAtHalfRateIsConvertedWhenLoaded) {
    // 8-bit samples are unsigned around 128; 22050 Hz lasts twice as many mix frames.
    auto& s = Load("low", wave::File(1, 22050, 8, std::string(1000, static_cast<char>(192))));
    s.Play();
    const auto mix = out->Render(2100);
    EXPECT_EQ(Left(mix, 0), 64 * 256);
    EXPECT_EQ(Right(mix, 1990), 64 * 256);
    EXPECT_EQ(Left(mix, 2010), 0);
}

TEST_P(MixTest, StereoKeepsItsChannels) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 100; ++i) samples.insert(samples.end(), {1000, -2000});
    auto& s = Load("st", wave::File(2, 44100, 16, wave::Pcm16(samples)));
    s.Play();
    const auto mix = out->Render(50);
    EXPECT_EQ(Left(mix, 10), 1000);
    EXPECT_EQ(Right(mix, 10), -2000);
}

TEST_P(MixTest, OnceStopsAtTheEndAndLoopingGoesOn) {
    auto& s = LoadConstant("blip", 100, 5000);
    s.Play();
    EXPECT_FALSE(Silent(out->Render(100)));
    EXPECT_TRUE(Silent(out->Render(100)));
    s.Looping = true;
    s.Play();
    EXPECT_TRUE(s.LoopPlaying());
    const auto mix = out->Render(1000);
    EXPECT_EQ(Left(mix, 999), 5000);
    s.Stop();
    EXPECT_FALSE(s.LoopPlaying());
    EXPECT_TRUE(Silent(out->Render(10)));
}

TEST_P(MixTest, PlayRestartsAPlayingSoundAndPositionsAreInSourceBytes) {
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 22050; ++i) ramp.push_back(static_cast<std::int16_t>(i));
    // 22050 Hz: every source frame covers two mix frames.
    auto& s = Load("ramp", wave::File(1, 22050, 16, wave::Pcm16(ramp)));
    s.Play();
    out->Render(1000);
    s.Play();
    EXPECT_EQ(Left(out->Render(1), 0), 0);
    s.SetPosition(2 * 5000);  // source frame 5000
    const auto mix = out->Render(3);
    EXPECT_EQ(Left(mix, 0), 5000);
    EXPECT_EQ(Left(mix, 2), 5001);
    std::uint32_t pos = 0;
    s.Buffer()->GetCurrentPosition(pos);
    EXPECT_EQ(pos, 2u * 5001);
}

TEST_P(MixTest, DuplicatesShareSamplesButNotPositionPanOrVolume) {
    auto& source = LoadConstant("abroll", 2000, 8000);
    auto& dup = TkbDSoundFile::CreateDuplicate(source);
    EXPECT_EQ(dup.Name(), "");
    EXPECT_EQ(dup.FileName(), source.FileName());
    EXPECT_EQ(dup.DataSize(), source.DataSize());
    source.SetPan(-10000);  // left only
    dup.SetPan(10000);      // right only
    dup.SetVolume(-600);
    source.Play();
    out->Render(1900);
    dup.Play();
    auto mix = out->Render(200);
    EXPECT_EQ(Left(mix, 50), 8000);
    EXPECT_NEAR(Right(mix, 50), Attenuated(8000, -600), 1.5);
    EXPECT_EQ(Left(mix, 150), 0);  // the source has ended, the duplicate plays on
    EXPECT_NEAR(Right(mix, 150), Attenuated(8000, -600), 1.5);
    dup.Free();
    EXPECT_EQ(engine->Sounds().size(), 1u);
}

TEST_P(MixTest, OutOfRangeValuesAreDeviceErrorsForTheCaller) {
    auto& s = LoadConstant("x", 100, 1);
    try {
        s.SetVolume(10);
        FAIL() << "a gain above 0 dB was accepted";
    } catch (const EDirectXError& e) {
        EXPECT_EQ(e.ErrorCode, DSERR_INVALIDPARAM);
        EXPECT_STREQ(e.what(), "An invalid parameter was passed to the returning function.");
    }
    EXPECT_THROW(s.SetPan(-10001), EDirectXError);
    EXPECT_THROW(s.SetPosition(200), EDirectXError);  // beyond the 200 data bytes' last
}

// Longer than several read-aheads, resampled or not: the voice that plays from
// its file is rendered in uneven pieces, looped, moved and restarted, and
// gives the samples of the one held in memory, to the last one.
TEST_F(SoundFixture, AStreamedSoundGivesTheSamplesOfOneInMemory) {
    struct Format {
        std::uint16_t channels;
        std::uint32_t rate;
        std::uint16_t bits;
    };
    for (const Format f :
         {Format{2, 44100, 16}, Format{1, 22050, 8}, Format{2, 11025, 16}, Format{1, 48000, 16}}) {
        std::string data;
        std::uint32_t noise = 7;
        for (std::size_t i = 0; i < 40000u * f.channels * f.bits / 8; ++i) {
            noise = noise * 1103515245u + 12345u;
            data += static_cast<char>(noise >> 24);
        }
        const std::string file = wave::File(f.channels, f.rate, f.bits, data);
        const std::uint32_t align = f.channels * f.bits / 8u;
        auto render = [&](bool fromFile) {
            streamed = fromFile;
            auto& s = Load(fromFile ? "streamed" : "held", file);
            std::vector<std::int16_t> all;
            auto add = [&](std::size_t frames) {
                const auto mix = out->Render(frames);
                all.insert(all.end(), mix.begin(), mix.end());
            };
            s.Looping = true;
            s.Play();
            for (std::size_t n : {1000, 4095, 30001, 77, 16384, 90000}) add(n);
            s.SetPosition(align * 12345);
            for (std::size_t n : {3, 20000, 5000}) add(n);
            s.Looping = false;
            s.Play();
            add(200000);  // once to its end, then silence
            s.Free();
            return all;
        };
        const auto held = render(false);
        EXPECT_FALSE(Silent(held));
        EXPECT_TRUE(held == render(true))
            << f.channels << " channels, " << f.rate << " Hz, " << f.bits << " bits";
    }
}

// A music file cut short while it plays (a disk full or a file replaced) is
// read no further than it now ends: the rest is silence, and it ends on time.
TEST_F(SoundFixture, AFileCutShortWhileItPlaysGoesOnInSilence) {
    streamed = true;
    auto& s = Load("back", wave::File(1, 44100, 16, wave::Constant16(1, 50000, 9000)));
    s.Play();
    EXPECT_EQ(Left(out->Render(10), 5), 9000);
    std::filesystem::resize_file(dir / "snd/back.wav", 44 + 2 * 20000);  // 20000 frames are left
    const auto mix = out->Render(50000);
    EXPECT_EQ(Left(mix, 19980), 9000);
    EXPECT_TRUE(Silent(std::vector<std::int16_t>(mix.begin() + 2 * 19990, mix.end())));
    std::uint32_t status = 0;
    s.Buffer()->GetStatus(status);
    EXPECT_EQ(status & DSBSTATUS_PLAYING, 0u);
}
