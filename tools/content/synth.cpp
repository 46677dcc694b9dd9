// Synthesis primitives and the WAV and MP3 encoders.
#include "synth.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>

Audio::Audio(double seconds)
    : left(static_cast<std::size_t>(seconds * kRate)), right(static_cast<std::size_t>(seconds * kRate)) {}

void Audio::Add(std::size_t i, float l, float r, bool wrap) {
    if (i >= left.size()) {
        if (!wrap || left.empty()) return;
        i %= left.size();
    }
    left[i] += l;
    right[i] += r;
}

void Audio::Normalise(double peak) {
    float m = 1e-6f;
    for (std::size_t i = 0; i < size(); ++i) m = std::max({m, std::fabs(left[i]), std::fabs(right[i])});
    const double g = peak / m;
    for (std::size_t i = 0; i < size(); ++i) {
        left[i] = static_cast<float>(std::tanh(left[i] * g * 1.1) / std::tanh(1.1));
        right[i] = static_cast<float>(std::tanh(right[i] * g * 1.1) / std::tanh(1.1));
    }
}

void Audio::Level(double rms, double maxPeak) {
    double sum = 0;
    float m = 1e-6f;
    for (std::size_t i = 0; i < size(); ++i) {
        sum += left[i] * left[i] + right[i] * right[i];
        m = std::max({m, std::fabs(left[i]), std::fabs(right[i])});
    }
    const double current = std::sqrt(sum / std::max<std::size_t>(1, 2 * size()));
    const double g = std::min(rms / std::max(current, 1e-9), maxPeak / m);
    for (std::size_t i = 0; i < size(); ++i) {
        left[i] = static_cast<float>(left[i] * g);
        right[i] = static_cast<float>(right[i] * g);
    }
}

float Oscillator::Next(double frequency) {
    phase_ += frequency / kRate;
    phase_ -= std::floor(phase_);
    switch (wave_) {
        case Wave::Sine:
            return static_cast<float>(std::sin(2 * M_PI * phase_));
        case Wave::Square:
            return phase_ < duty_ ? 0.8f : -0.8f;
        case Wave::Saw:
            return static_cast<float>(2 * phase_ - 1);
        case Wave::Triangle:
            return static_cast<float>(phase_ < 0.5 ? 4 * phase_ - 1 : 3 - 4 * phase_);
        case Wave::Noise:
            noise_ = noise_ * 1664525u + 1013904223u;
            return static_cast<float>((noise_ >> 8) / 8388608.0 - 1.0);
    }
    return 0;
}

float LowPass::Run(float x, double cutoff) {
    const double a = 1 - std::exp(-2 * M_PI * std::min(cutoff, kRate * 0.45) / kRate);
    y_ += a * (x - y_);
    return static_cast<float>(y_);
}

float BandPass::Run(float x, double centre, double q) {
    const double f = 2 * std::sin(M_PI * std::min(centre, kRate / 6.0) / kRate);
    const double high = x - low_ - band_ / q;
    band_ += f * high;
    low_ += f * band_;
    return static_cast<float>(band_);
}

double Pluck(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) * decay);
}

double Adsr(double t, double length, double attack, double release) {
    if (t < 0 || t > length + release) return 0;
    double a = t < attack ? t / attack : 1.0;
    if (t > length) a *= 1 - (t - length) / release;
    return a;
}

double NoteFrequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

Audio Render(double seconds, const std::function<float(double)>& f) {
    Audio a(seconds);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const float v = f(static_cast<double>(i) / kRate);
        a.left[i] = a.right[i] = v;
    }
    return a;
}

namespace {

std::int16_t ToPcm(float v) {
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

void Put(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
}

}  // namespace

std::string EncodeWav(const Audio& audio) {
    const std::uint32_t data = static_cast<std::uint32_t>(audio.size() * 4);
    std::string s = "RIFF";
    Put(s, 36 + data, 4);
    s += "WAVEfmt ";
    Put(s, 16, 4);
    Put(s, 1, 2);  // PCM
    Put(s, 2, 2);
    Put(s, kRate, 4);
    Put(s, kRate * 4, 4);
    Put(s, 4, 2);
    Put(s, 16, 2);
    s += "data";
    Put(s, data, 4);
    s.reserve(s.size() + data);
    for (std::size_t i = 0; i < audio.size(); ++i) {
        Put(s, static_cast<std::uint16_t>(ToPcm(audio.left[i])), 2);
        Put(s, static_cast<std::uint16_t>(ToPcm(audio.right[i])), 2);
    }
    return s;
}

std::string EncodeMp3(const Audio& audio, int kbps) {
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> gf(lame_init(), lame_close);
    if (!gf) throw std::runtime_error("lame_init failed");
    lame_set_in_samplerate(gf.get(), kRate);
    lame_set_out_samplerate(gf.get(), kRate);
    lame_set_num_channels(gf.get(), 2);
    lame_set_brate(gf.get(), kbps);
    lame_set_mode(gf.get(), JOINT_STEREO);
    lame_set_quality(gf.get(), 5);
    lame_set_bWriteVbrTag(gf.get(), 1);  // the LAME tag lets decoders drop the padding: clean loops
    if (lame_init_params(gf.get()) < 0) throw std::runtime_error("lame_init_params failed");
    std::vector<short> l(audio.size()), r(audio.size());
    for (std::size_t i = 0; i < audio.size(); ++i) l[i] = ToPcm(audio.left[i]), r[i] = ToPcm(audio.right[i]);
    std::vector<unsigned char> out(audio.size() * 5 / 4 + 7200 + 16384);
    const int n = lame_encode_buffer(gf.get(), l.data(), r.data(), static_cast<int>(audio.size()), out.data(),
                                     static_cast<int>(out.size()));
    if (n < 0) throw std::runtime_error("lame_encode_buffer failed");
    const int m = lame_encode_flush(gf.get(), out.data() + n, static_cast<int>(out.size()) - n);
    if (m < 0) throw std::runtime_error("lame_encode_flush failed");
    std::string mp3(reinterpret_cast<const char*>(out.data()), static_cast<std::size_t>(n + m));
    unsigned char tag[4096];
    const std::size_t t = lame_get_lametag_frame(gf.get(), tag, sizeof tag);
    if (t > 0 && t <= mp3.size()) mp3.replace(0, t, reinterpret_cast<const char*>(tag), t);
    return mp3;
}
