// Sound synthesis for the effects and the music: a stereo float buffer at
// 44100 Hz, simple oscillators, envelopes and filters, and the encoders to
// 16-bit PCM WAV and to MP3 (libmp3lame).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

constexpr int kRate = 44100;

struct Audio {
    std::vector<float> left, right;
    explicit Audio(double seconds = 0);
    std::size_t size() const { return left.size(); }
    // Adds a sample at index i (wrapping round when wrap is set: loopable music).
    void Add(std::size_t i, float l, float r, bool wrap = false);
    // Scales the whole buffer so its peak is `peak` and softly limits it.
    void Normalise(double peak);
    // Scales the buffer to the given loudness (RMS), never above maxPeak.
    void Level(double rms, double maxPeak);
};

enum class Wave { Sine, Square, Saw, Triangle, Noise };

// One oscillator sample at the phase (in cycles); noise draws from its own state.
class Oscillator {
public:
    explicit Oscillator(Wave wave, unsigned seed = 1) : wave_(wave), noise_(seed) {}
    float Next(double frequency);
    void SetDuty(double duty) { duty_ = duty; }

private:
    Wave wave_;
    double phase_ = 0, duty_ = 0.5;
    unsigned noise_;
};

// One-pole low-pass filter, cutoff in Hz.
class LowPass {
public:
    float Run(float x, double cutoff);

private:
    double y_ = 0;
};

// Chamberlin state-variable filter giving the band-pass output.
class BandPass {
public:
    float Run(float x, double centre, double q);

private:
    double low_ = 0, band_ = 0;
};

// Attack / exponential decay envelope.
double Pluck(double t, double attack, double decay);
// Linear attack, sustain, linear release over a note of the given length.
double Adsr(double t, double length, double attack, double release);
double NoteFrequency(int midi);

// Renders `seconds` of mono sound from a per-sample generator f(t) into a
// stereo buffer (same signal on both sides).
Audio Render(double seconds, const std::function<float(double)>& f);

std::string EncodeWav(const Audio& audio);
std::string EncodeMp3(const Audio& audio, int kbps);
