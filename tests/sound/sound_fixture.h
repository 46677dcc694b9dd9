// An engine on a recording output in a temporary program folder, with helpers
// to put wave files into snd and to read the mix.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "sound/kb_dsound.h"
#include "sound/recording_audio_output.h"
#include "support/temp_program_dir.h"
#include "wave_builder.h"

class SoundFixture : public ::testing::Test {
protected:
    void StartEngine(bool soundOn = true, bool soundOption = false, bool refuseOpen = false) {
        auto output = std::make_unique<RecordingAudioOutput>(clock);
        output->refuseOpen = refuseOpen;
        out = output.get();
        engine = std::make_unique<TkbDSound>(std::move(output), soundOn, soundOption);
    }
    void SetUp() override { StartEngine(); }
    void TearDown() override { engine.reset(); }

    // Writes snd/<name>.wav and loads it as a sound of the engine.
    TkbDSoundFile& Load(const std::string& name, const std::string& waveBytes) {
        dir.Write("snd/" + name + ".wav", waveBytes);
        return TkbDSoundFile::Create((dir / ("snd/" + name)).string(), !streamed);
    }
    // A mono 44100 Hz sound of frames frames at a constant level.
    TkbDSoundFile& LoadConstant(const std::string& name, std::size_t frames, std::int16_t level) {
        return Load(name, wave::File(1, 44100, 16, wave::Constant16(1, frames, level)));
    }

    static std::int16_t Left(const std::vector<std::int16_t>& mix, std::size_t frame) {
        return mix[2 * frame];
    }
    static std::int16_t Right(const std::vector<std::int16_t>& mix, std::size_t frame) {
        return mix[2 * frame + 1];
    }
    static bool Silent(const std::vector<std::int16_t>& mix) {
        for (auto s : mix)
            if (s != 0) return false;
        return true;
    }
    // level attenuated by hundredths of a decibel.
    static double Attenuated(double level, int hundredthsDb) {
        return level * std::pow(10.0, hundredthsDb / 2000.0);
    }

    bool streamed = false;  // Load makes sounds that play from their files
    TempProgramDir dir;
    ManualClock clock{5000};  // when the recording output says a sound started
    RecordingAudioOutput* out = nullptr;
    std::unique_ptr<TkbDSound> engine;
};

// The same cases with sounds held in memory and with sounds that play from
// their files: both must sound alike to the last sample.
class InMemoryOrStreamed : public SoundFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        streamed = GetParam();
        SoundFixture::SetUp();
    }
};
