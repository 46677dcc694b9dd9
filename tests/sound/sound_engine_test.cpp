// The sound engine: loading the snd folder, lookups, sound off, a missing
// device, broken files, device errors, and lost buffers.
#include "sound/ds_result.h"
#include "sound/sound_levels.h"
#include "sound_fixture.h"

#include "infra/clock.h"

namespace {
std::string Tone() {
    return wave::File(1, 44100, 16, wave::Constant16(1, 2000, 12000));
}
}  // namespace

using EngineTest = InMemoryOrStreamed;
INSTANTIATE_TEST_SUITE_P(InMemoryAndStreamed, EngineTest, ::testing::Bool());

TEST_P(EngineTest, LoadWavesLoadsEveryWaveFileAndLogsEach) {
    dir.Write("snd/Torpedo.wav", Tone());
    dir.Write("snd/Track 30.WAV", Tone());
    dir.Write("snd/big.wav", wave::File(1, 44100, 16, wave::Constant16(1, 250001, 1)));
    dir.Write("snd/notes.txt", "not a sound");
    const std::string folder = dir.path().string() + "/snd";
    engine->LoadWaves(folder);

    ASSERT_EQ(engine->Sounds().size(), 3u);
    EXPECT_EQ(dir.Read("sps/LOG.TXT"), "Loading Sound " + folder + "/big.wav (500046 bytes)\r\nLoaded\r\n" +
                                           "Loading Sound " + folder +
                                           "/Torpedo.wav (4044 bytes)\r\nLoaded\r\n" + "Loading Sound " +
                                           folder + "/Track 30.WAV (4044 bytes)\r\nLoaded\r\n");
    EXPECT_FALSE(engine->Sounds()[0]->Buffer()->IsStatic());
    EXPECT_TRUE(engine->Sounds()[1]->Buffer()->IsStatic());

    auto& torpedo = engine->FindWave("TORPEDO");
    EXPECT_EQ(torpedo.Name(), "torpedo");
    EXPECT_EQ(torpedo.FileName(), folder + "/Torpedo.wav");
    EXPECT_EQ(torpedo.DataSize(), 4000u);
    // The file's extension was in capitals; the sound still loads and plays.
    auto& track = engine->FindWave("track 30");
    EXPECT_FALSE(track.Disabled());
    track.Play();
    EXPECT_FALSE(Silent(out->Render(10)));
    try {
        engine->FindWave("virus9");
        FAIL() << "an unknown sound was found";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot find Wave: virus9");
    }
}

TEST_P(EngineTest, FindWavePrefersTheMostRecentSoundOfAName) {
    auto& first = LoadConstant("Tr_36_03", 100, 1);
    dir.Write("snd/other/TR_36_03.wav", Tone());
    auto& second = TkbDSoundFile::Create((dir / "snd/other/TR_36_03").string(), true);
    EXPECT_EQ(&engine->FindWave("tr_36_03"), &second);
    second.Free();
    EXPECT_EQ(&engine->FindWave("TR_36_03"), &first);
}

TEST_P(EngineTest, NamesLowerWindowsLettersToo) {
    auto& s = Load("\xC4rger", Tone());
    EXPECT_EQ(s.Name(), "\xE4rger");
    EXPECT_EQ(&engine->FindWave("\xC4RGER"), &s);
}

TEST_P(EngineTest, WithSoundOffEverySoundExistsButIsSilent) {
    for (bool option : {false, true}) {
        engine.reset();
        StartEngine(false, option);
        EXPECT_EQ(out->openCount, option ? 1 : 0);  // the sound option opens the device anyway
        EXPECT_EQ(engine->Failed(), !option);
        auto& s = Load("bubble", Tone());
        EXPECT_TRUE(s.Disabled());
        s.Looping = true;
        EXPECT_NO_THROW({
            s.Play();
            s.SetPan(99999);
            s.SetVolume(-20);
            s.Stop();
        });
        EXPECT_FALSE(s.CheckLost());
        EXPECT_TRUE(out->starts.empty());
        EXPECT_TRUE(Silent(out->Render(100)));
    }
}

TEST_P(EngineTest, ADeviceThatWillNotOpenLeavesTheEngineFailedAndSilent) {
    engine.reset();
    StartEngine(true, false, true);
    EXPECT_TRUE(engine->Failed());
    EXPECT_EQ(dir.Read("sps/LOG.TXT"), "DSCheck : -2005401480\r\nNo sound driver is available for use.\r\n");
    auto& s = Load("back", Tone());
    EXPECT_TRUE(s.Disabled());
    EXPECT_NO_THROW(s.Play());

    // No audio back end at all.
    engine.reset();
    engine = std::make_unique<TkbDSound>(nullptr, true, false);
    EXPECT_TRUE(engine->Failed());
    EXPECT_FALSE(engine->SoundOn());
    EXPECT_TRUE(Load("back", Tone()).Disabled());
}

TEST_P(EngineTest, ABrokenWaveFileDisablesOnlyThatSound) {
    dir.Write("snd/a.wav", Tone());
    dir.Write("snd/b.wav", wave::Riff("WAVE", wave::Chunk("fmt ", wave::Fmt(1, 44100, 16).substr(0, 14)) +
                                                  wave::Chunk("data", "xxxx")));
    dir.Write("snd/c.wav", wave::File(6, 44100, 16, std::string(120, '\1')));  // six channels: no mix format
    dir.Write("snd/d.wav", wave::File(1, 44100, 16, ""));                      // no samples
    dir.Write("snd/e.wav", Tone());
    const std::string whole = Tone();
    dir.Write("snd/f.wav", whole.substr(0, whole.size() - 10));  // cut short
    engine->LoadWaves(dir.path().string() + "/snd");
    std::string disabled;
    for (const auto& s : engine->Sounds()) disabled += s->Disabled() ? '1' : '0';
    EXPECT_EQ(disabled, "011101");
    // The device's refusals were logged as such; a file cut short gets one
    // line naming it (a player that read what is there might have sounded).
    const std::string log = dir.Read("sps/LOG.TXT");
    EXPECT_NE(log.find("The specified wave format is not supported."), std::string::npos);
    const std::string refused =
        "Sound " + dir.path().string() +
        "/snd/f.wav not loaded: Chunk 'RIFF' claims more bytes than the file holds!\r\n";
    EXPECT_NE(log.find(refused), std::string::npos) << log;
    EXPECT_EQ(log.find(" not loaded: "), log.find(refused) + refused.find(" not loaded: "));
    engine->FindWave("e").Play();
    EXPECT_FALSE(Silent(out->Render(10)));
}

TEST_P(EngineTest, SetVolumeAllReachesEverySound) {
    auto& a = LoadConstant("a", 100, 1);
    auto& b = LoadConstant("b", 100, 1);
    auto& dup = TkbDSoundFile::CreateDuplicate(a);
    engine->SetVolumeAll(VolumeToDB(64));
    for (TkbDSoundFile* s : {&a, &b, &dup}) {
        std::int32_t volume = 0;
        s->Buffer()->GetVolume(volume);
        EXPECT_EQ(volume, -775);
    }
}

TEST_P(EngineTest, StartedSoundsAreRecordedWithTheirTime) {
    auto& s = LoadConstant("Coming", 100, 1);
    auto& dup = TkbDSoundFile::CreateDuplicate(s);
    s.Play();
    clock.Advance(40);
    s.Looping = true;
    dup.Play();
    ASSERT_EQ(out->starts.size(), 2u);
    EXPECT_EQ(out->starts[0].tick, 5000u);
    EXPECT_EQ(out->starts[0].name, "coming");
    EXPECT_FALSE(out->starts[0].looping);
    EXPECT_EQ(out->starts[1].tick, 5040u);
    EXPECT_EQ(out->starts[1].name, "coming");
}

TEST_P(EngineTest, ALostDeviceIsRestoredRefilledAndLoopingMusicResumes) {
    auto& music = LoadConstant("back", 1000, 7000);
    auto& effect = LoadConstant("bubble", 1000, 3000);
    music.Looping = true;
    music.Play();
    out->LoseDevice();

    // The effect notices the loss when played and restores itself.
    effect.Play();
    EXPECT_FALSE(effect.Lost());
    EXPECT_EQ(out->openCount, 2);
    EXPECT_EQ(Left(out->Render(10), 5), 3000);  // refilled from its file; the music is still lost
    EXPECT_TRUE(engine->RestoreAll());
    EXPECT_FALSE(music.Lost());
    EXPECT_EQ(Left(out->Render(10), 5), 10000);  // the music plays on from its restore
}

TEST_P(EngineTest, WhileTheDeviceStaysAwaySoundsStayLostAndSilent) {
    auto& music = LoadConstant("back", 1000, 7000);
    music.Looping = true;
    music.Play();
    out->LoseDevice();
    out->refuseOpen = true;
    EXPECT_TRUE(music.CheckLost());
    EXPECT_FALSE(engine->RestoreAll());
    music.Play();
    EXPECT_TRUE(music.Lost());
    EXPECT_TRUE(music.LoopPlaying());
    out->refuseOpen = false;
    EXPECT_TRUE(engine->RestoreAll());
    EXPECT_EQ(Left(out->Render(10), 5), 7000);
    // A sound that was stopped before the loss stays stopped.
    music.Stop();
    out->LoseDevice();
    EXPECT_TRUE(engine->RestoreAll());
    EXPECT_TRUE(Silent(out->Render(10)));
}

TEST(DSCheck, LogsTwoLinesAndRaisesTheMatchingError) {
    TempProgramDir dir;
    EXPECT_NO_THROW(DSCheck(DS_OK));
    EXPECT_FALSE(dir.Exists("sps/LOG.TXT"));
    EXPECT_THROW(DSCheck(DSERR_BUFFERLOST), EDirectXBufferLostError);
    try {
        DSCheck(DSERR_BUFFERLOST);
    } catch (const EDirectXError& e) {
        EXPECT_STREQ(e.what(), "Buffer Lost");
    }
    try {
        DSCheck(DSERR_NODRIVER);
        FAIL();
    } catch (const EDirectXBufferLostError&) {
        FAIL() << "not a lost buffer";
    } catch (const EDirectXError& e) {
        EXPECT_EQ(e.ErrorCode, DSERR_NODRIVER);
        EXPECT_STREQ(e.what(), "No sound driver is available for use.");
    }
    const std::string lost =
        "DSCheck : -2005401450\r\nThe buffer memory has been lost and must be restored.\r\n";
    EXPECT_EQ(dir.Read("sps/LOG.TXT"),
              lost + lost + "DSCheck : -2005401480\r\nNo sound driver is available for use.\r\n");
}

TEST(DSErrorText, HasATextForEveryKnownCode) {
    struct Case {
        std::uint32_t code;
        const char* text;
    };
    const Case cases[] = {
        {0x00000000, "The request completed successfully."},
        {0x80004001, "The function called is not supported at this time."},
        {0x80004002, "The requested COM interface is not available."},
        {0x80004005, "An undetermined error occurred inside the DirectSound subsystem."},
        {0x80040110, "The object does not support aggregation."},
        {0x80070005, "Access is denied."},
        {0x8007000E,
         "The DirectSound subsystem could not allocate sufficient memory to complete the caller\xB4s "
         "request."},
        {0x80070057, "An invalid parameter was passed to the returning function."},
        {0x8878000A,
         "The request failed because resources, such as a priority level, were already in use by another "
         "caller."},
        {0x8878001E, "The control (volume, pan, and so forth) requested by the caller is not available."},
        {0x88780032, "This function is not valid for the current state of this object."},
        {0x88780046, "The caller does not have the priority level required for the function to succeed."},
        {0x88780064, "The specified wave format is not supported."},
        {0x88780078, "No sound driver is available for use."},
        {0x88780082, "The object is already initialized."},
        {0x88780096, "The buffer memory has been lost and must be restored."},
        {0x887800A0,
         "Another application has a higher priority level, preventing this call from succeeding."},
        {0x887800AA,
         "The IDirectSound::Initialize method has not been called or has not been called successfully before "
         "other methods were called."},
        {0x887800B4, "Tried to create a DSBCAPS_CTRLFX buffer shorter than DSBSIZE_FX_MIN milliseconds."},
        {0x887800BE, "Attempt to use DirectSound 8 functionality on an older DirectSound object."},
        {0x887800C8, "A circular loop of send effects was detected."},
        {0x887800D2, "The GUID specified in an audiopath file does not match a valid MIXIN buffer."},
        {0x88781161, "The object requested was not found (numerically equal to DMUS_E_NOT_FOUND)."},
        {0x88780001, "Unrecognized Error"},
        {1, "Unrecognized Error"},
    };
    for (const auto& c : cases) EXPECT_EQ(DSErrorText(MakeResult(c.code)), c.text) << std::hex << c.code;
}
