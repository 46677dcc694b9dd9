// Short, playful effects: each one a few oscillators, an envelope and a filter.
#include <cmath>

#include "rng.h"
#include "sounds.h"

namespace {

Audio SlideWhistleDown() {
    Oscillator o(Wave::Sine);
    Oscillator wob(Wave::Sine);
    return Render(0.75, [&](double t) {
        const double f = 1500 * std::exp(-t * 2.2) + 220;
        const double vib = 1 + 0.03 * wob.Next(7);
        return static_cast<float>(o.Next(f * vib) * Adsr(t, 0.6, 0.02, 0.15) * 0.8);
    });
}

Audio Thwup() {
    Oscillator o(Wave::Sine), n(Wave::Noise, 3);
    LowPass lp;
    return Render(0.26, [&](double t) {
        const double f = 120 + 700 * std::exp(-t * 30);
        const float noise = lp.Run(n.Next(0), 2500) * static_cast<float>(std::exp(-t * 60));
        return static_cast<float>(o.Next(f) * Pluck(t, 0.004, 16) * 0.9 + noise * 0.8);
    });
}

Audio TorpedoLaunch() {
    Oscillator n(Wave::Noise, 5), sq(Wave::Square), bub(Wave::Sine);
    BandPass bp;
    LowPass lp;
    Rng rng(55);
    double bubbleAt = 0.45, bubbleF = 400;
    return Render(0.95, [&](double t) {
        const double sweep = 300 + 2200 * (t / 0.95);
        float v = bp.Run(n.Next(0), sweep, 3) * 0.9f;
        v += lp.Run(sq.Next(70 + 90 * t), 600) * 0.4f;
        if (t > bubbleAt + 0.05) bubbleAt = t + rng.Range(0.02, 0.07), bubbleF = rng.Range(300, 800);
        const double bt = t - bubbleAt;
        if (bt > 0) v += static_cast<float>(bub.Next(bubbleF * (1 + bt * 20)) * std::exp(-bt * 60) * 0.5);
        return static_cast<float>(v * Adsr(t, 0.8, 0.03, 0.15));
    });
}

Audio Bloops(double seconds, int count, std::uint64_t seed, double low, double high) {
    Audio a(seconds);
    Rng rng(seed);
    for (int k = 0; k < count; ++k) {
        const double start = rng.Range(0, seconds - 0.08), f0 = rng.Range(low, high);
        const float pan = static_cast<float>(rng.Range(0.3, 1.0));
        Oscillator o(Wave::Sine);
        for (int i = 0; i < kRate * 0.07; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const float v = static_cast<float>(o.Next(f0 * (1 + t * 25)) * Pluck(t, 0.003, 50) * 0.7);
            a.Add(static_cast<std::size_t>((start + t) * kRate), v * pan, v * (1.3f - pan));
        }
    }
    return a;
}

Audio RubberSqueak() {
    Oscillator o(Wave::Saw), vib(Wave::Sine);
    LowPass lp;
    return Render(0.5, [&](double t) {
        const double f = 380 + 700 * t / 0.5;
        const double wobble = 1 + 0.06 * vib.Next(28);
        return static_cast<float>(lp.Run(o.Next(f * wobble), 1800) * Adsr(t, 0.42, 0.02, 0.08) * 0.9);
    });
}

Audio Pop() {
    Oscillator o(Wave::Sine);
    return Render(0.2, [&](double t) {
        const double f = 350 + 1600 * (1 - std::exp(-t * 60));
        return static_cast<float>(o.Next(f) * Pluck(t, 0.002, 28) * 0.9);
    });
}

Audio Arpeggio(const std::vector<int>& notes, double step, double ring, Wave wave, double level) {
    Audio a(step * static_cast<double>(notes.size()) + ring);
    for (std::size_t k = 0; k < notes.size(); ++k) {
        Oscillator o(wave), shimmer(Wave::Sine);
        const double f = NoteFrequency(notes[k]);
        const float pan = k % 2 ? 0.7f : 1.0f;
        for (int i = 0; i < kRate * ring; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double v = (o.Next(f) + 0.3 * shimmer.Next(f * 2.01)) * Pluck(t, 0.005, 6) * level;
            a.Add(static_cast<std::size_t>((k * step + t) * kRate), static_cast<float>(v) * pan,
                  static_cast<float>(v) * (1.7f - pan));
        }
    }
    return a;
}

Audio Splat(double baseF, double noiseCut, double seconds, unsigned seed, Wave body) {
    Oscillator o(body), n(Wave::Noise, seed);
    LowPass lp, lp2;
    return Render(seconds, [&](double t) {
        const double f = baseF * (0.4 + 0.6 * std::exp(-t * 9));
        const float squish =
            lp.Run(n.Next(0), noiseCut * (1 - t / seconds) + 200) * static_cast<float>(std::exp(-t * 14));
        const float tone = lp2.Run(o.Next(f), 1500) * static_cast<float>(Pluck(t, 0.005, 7));
        return squish * 1.1f + tone * 0.7f;
    });
}

Audio Growl() {
    Oscillator o(Wave::Saw), am(Wave::Sine), n(Wave::Noise, 9);
    LowPass lp;
    return Render(0.5, [&](double t) {
        const double f = 160 * std::exp(-t * 1.4);
        const double trem = 0.6 + 0.4 * am.Next(32);
        const float crunch = n.Next(0) * static_cast<float>(std::exp(-t * 25) * 0.6);
        return static_cast<float>(lp.Run(o.Next(f) * trem, 1400) * Adsr(t, 0.38, 0.01, 0.1) * 1.1) + crunch;
    });
}

Audio Click() {
    Oscillator n(Wave::Noise, 13);
    BandPass bp;
    return Render(0.16, [&](double t) {
        const double t2 = t > 0.07 ? t - 0.07 : t;
        return bp.Run(n.Next(0), 2500, 2) * static_cast<float>(std::exp(-t2 * 300) * 1.6);
    });
}

Audio Beep(std::vector<std::pair<double, double>> notes, Wave wave, double level) {
    double total = 0;
    for (const auto& n : notes) total += n.second;
    Oscillator o(wave);
    o.SetDuty(0.3);
    LowPass lp;
    return Render(total + 0.03, [&](double t) {
        double at = 0;
        for (const auto& n : notes) {
            if (t < at + n.second || &n == &notes.back()) {
                const double lt = t - at;
                return static_cast<float>(lp.Run(o.Next(n.first), 5000) * Adsr(lt, n.second, 0.004, 0.03) *
                                          level);
            }
            at += n.second;
        }
        return 0.0f;
    });
}

Audio Tick() {
    Oscillator o(Wave::Sine), o2(Wave::Sine), n(Wave::Noise, 21);
    return Render(0.18, [&](double t) {
        return static_cast<float>((o.Next(1760) * 0.7 + o2.Next(2640) * 0.3) * Pluck(t, 0.002, 30) * 0.8 +
                                  n.Next(0) * std::exp(-t * 400) * 0.4);
    });
}

// Brass-like chord stabs: detuned saws through a filter that opens with the note.
Audio Fanfare(const std::vector<std::pair<std::vector<int>, double>>& chords, double level) {
    double total = 0;
    for (const auto& c : chords) total += c.second;
    Audio a(total + 0.4);
    double at = 0;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        const auto& [notes, len] = chords[k];
        for (std::size_t j = 0; j < notes.size(); ++j) {
            Oscillator o1(Wave::Saw), o2(Wave::Saw), vib(Wave::Sine);
            LowPass lp;
            const double f = NoteFrequency(notes[j]);
            const float pan = 0.6f + 0.4f * static_cast<float>(j) / static_cast<float>(notes.size());
            for (int i = 0; i < kRate * (len + 0.35); ++i) {
                const double t = static_cast<double>(i) / kRate;
                const double v6 = 1 + (t > 0.2 ? 0.006 * vib.Next(5.5) : 0);
                const double x = (o1.Next(f * v6) + o2.Next(f * 1.004 * v6)) * 0.5;
                const double env = Adsr(t, len - 0.03, 0.02, 0.3);
                const float v =
                    static_cast<float>(lp.Run(static_cast<float>(x), 600 + 3500 * env) * env * level);
                a.Add(static_cast<std::size_t>((at + t) * kRate), v * pan, v * (1.6f - pan));
            }
        }
        at += len;
    }
    return a;
}

Audio SadTrombone() {
    Oscillator o(Wave::Saw), vib(Wave::Sine);
    LowPass lp;
    const double notes[4] = {NoteFrequency(55), NoteFrequency(54), NoteFrequency(53), NoteFrequency(52)};
    const double lens[4] = {0.38, 0.38, 0.38, 1.2};
    return Render(2.5, [&](double t) {
        double at = 0;
        for (int k = 0; k < 4; ++k) {
            if (t < at + lens[k] || k == 3) {
                const double lt = t - at;
                const double wah = k == 3 ? 1 + 0.025 * vib.Next(6) : 1;
                const double env = Adsr(lt, lens[k] - 0.06, 0.03, k == 3 ? 0.3 : 0.05);
                const double cut = 400 + 1400 * std::min(1.0, lt * 6) * (k == 3 ? std::exp(-lt) : 1);
                return static_cast<float>(lp.Run(o.Next(notes[k] * wah), cut) * env * 1.1);
            }
            at += lens[k];
        }
        return 0.0f;
    });
}

// Effects are levelled by loudness, not by peak, so a buzzy blip and a soft
// click sit at the same volume.
NamedSound Named(std::string name, Audio a, double rms) {
    a.Level(rms, 0.9);
    return {std::move(name), std::move(a)};
}

}  // namespace

std::vector<NamedSound> MakeEffects() {
    std::vector<NamedSound> s;
    s.push_back(Named("spermdurch", SlideWhistleDown(), 0.2));
    s.push_back(Named("schussab", Thwup(), 0.2));
    s.push_back(Named("Torpedo", TorpedoLaunch(), 0.2));
    s.push_back(Named("bubbleize", Bloops(0.6, 12, 77, 300, 900), 0.16));
    s.push_back(Named("abroll", RubberSqueak(), 0.18));
    s.push_back(Named("bubble", Pop(), 0.2));
    s.push_back(Named("sperm3", Arpeggio({84, 88, 91, 96, 100}, 0.06, 0.5, Wave::Triangle, 0.5), 0.16));
    s.push_back(Named("virus1", Splat(170, 1200, 0.4, 31, Wave::Sine), 0.22));
    s.push_back(Named("virus2", Splat(420, 3000, 0.35, 32, Wave::Square), 0.2));
    s.push_back(Named("virus3", Growl(), 0.22));
    s.push_back(Named("leer", Click(), 0.14));
    s.push_back(Named("coming", Arpeggio({67, 72, 76, 79, 84, 88}, 0.09, 0.6, Wave::Square, 0.35), 0.16));
    s.push_back(Named("bigtime", Tick(), 0.16));
    s.push_back(Named(
        "TR_06_03",
        Fanfare({{{60, 64, 67}, 0.16}, {{60, 64, 67}, 0.16}, {{65, 69, 72}, 0.2}, {{67, 72, 76, 79}, 0.9}},
                0.3),
        0.17));
    s.push_back(Named("TR_50_07", Beep({{880, 0.05}, {1320, 0.07}}, Wave::Square, 0.5), 0.15));
    s.push_back(Named("TR_50_08", Beep({{660, 0.05}, {440, 0.08}}, Wave::Square, 0.5), 0.15));
    s.push_back(Named("TR_66_02", SadTrombone(), 0.2));
    return s;
}
