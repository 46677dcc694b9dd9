// The music: a small synth-pop sequencer (drums, octave bass, arpeggio, pads
// and a lead with an echo) and the three pieces built with it.
#include <cmath>
#include <vector>

#include "sounds.h"

namespace {

struct Note {
    double beat, midi, length;
};

class Sequencer {
public:
    Sequencer(Audio& out, double bpm, bool wrap) : out_(out), beat_(60.0 / bpm), wrap_(wrap) {}

    void Kick(double at, double level = 1.0) {
        Oscillator o(Wave::Sine);
        Voice(at, 0.35, 0.5f, [&](double t) {
            return o.Next(45 + 110 * std::exp(-t * 28)) * Pluck(t, 0.001, 9) * 0.95 * level;
        });
    }
    void Snare(double at, double level = 1.0) {
        Oscillator n(Wave::Noise, seed_++), o(Wave::Triangle);
        BandPass bp;
        Voice(at, 0.22, 0.45f, [&](double t) {
            return (bp.Run(n.Next(0), 3500, 0.9) * 0.8 * Pluck(t, 0.001, 16) +
                    o.Next(190) * Pluck(t, 0.001, 30) * 0.5) *
                   level;
        });
    }
    void Hat(double at, bool open, double level = 1.0) {
        Oscillator n(Wave::Noise, seed_++);
        LowPass lp;
        hatPan_ = hatPan_ > 0.5f ? 0.35f : 0.65f;
        Voice(at, open ? 0.25 : 0.06, hatPan_, [&](double t) {
            const float x = n.Next(0);
            return (x - lp.Run(x, 7000)) * Pluck(t, 0.001, open ? 12 : 70) * 0.45 * level;
        });
    }
    void Crash(double at) {
        Oscillator n(Wave::Noise, seed_++);
        LowPass lp;
        Voice(at, 2.0, 0.5f, [&](double t) {
            const float x = n.Next(0);
            return (x - lp.Run(x, 4000)) * Pluck(t, 0.002, 1.8) * 0.5;
        });
    }
    void Bass(double at, int midi, double beats) {
        Oscillator o(Wave::Saw), sub(Wave::Sine);
        LowPass lp;
        const double f = NoteFrequency(midi), len = beats * beat_;
        Voice(at, len + 0.05, 0.5f, [&](double t) {
            const double env = Adsr(t, len - 0.02, 0.004, 0.04);
            return (lp.Run(o.Next(f), 300 + 1400 * std::exp(-t * 14)) * 0.6 + sub.Next(f) * 0.5) * env * 0.75;
        });
    }
    void Arp(double at, int midi, float pan) {
        Oscillator o(Wave::Square);
        o.SetDuty(0.25);
        LowPass lp;
        const double f = NoteFrequency(midi);
        Voice(at, 0.3, pan, [&](double t) { return lp.Run(o.Next(f), 2600) * Pluck(t, 0.003, 14) * 0.22; });
    }
    void Pad(double at, const std::vector<int>& chord, double beats) {
        const double len = beats * beat_;
        for (std::size_t j = 0; j < chord.size(); ++j) {
            Oscillator a(Wave::Saw), b(Wave::Saw);
            LowPass lp;
            const double f = NoteFrequency(chord[j]);
            Voice(at, len + 0.6, 0.25f + 0.5f * static_cast<float>(j) / static_cast<float>(chord.size()),
                  [&](double t) {
                      const double x = (a.Next(f * 0.997) + b.Next(f * 1.003)) * 0.5;
                      return lp.Run(static_cast<float>(x), 1300) * Adsr(t, len, 0.25, 0.55) * 0.16;
                  });
        }
    }
    void Lead(double at, int midi, double beats, double level = 1.0) {
        const double len = beats * beat_, f = NoteFrequency(midi);
        for (int echo = 0; echo < 2; ++echo) {
            Oscillator sq(Wave::Square), saw(Wave::Saw), vib(Wave::Sine);
            LowPass lp;
            const double gain = (echo ? 0.3 : 1.0) * level;
            Voice(at + echo * 0.75, len + 0.1, echo ? 0.85f : 0.45f, [&](double t) {
                const double v = 1 + (t > 0.18 ? 0.012 * vib.Next(5.8) : 0);
                const double x = sq.Next(f * v) * 0.5 + saw.Next(f * 1.005 * v) * 0.4;
                return lp.Run(static_cast<float>(x), 3800) * Adsr(t, len - 0.03, 0.01, 0.08) * 0.3 * gain;
            });
        }
    }

private:
    // Renders one voice from beat `at` for `seconds`, panned 0 (left) .. 1 (right).
    template <class F>
    void Voice(double at, double seconds, float pan, F f) {
        const std::size_t start = static_cast<std::size_t>(std::llround(at * beat_ * kRate));
        const int n = static_cast<int>(seconds * kRate);
        const float l = std::sqrt(1 - pan), r = std::sqrt(pan);
        for (int i = 0; i < n; ++i) {
            const float v = static_cast<float>(f(static_cast<double>(i) / kRate));
            out_.Add(start + static_cast<std::size_t>(i), v * l, v * r, wrap_);
        }
    }

    Audio& out_;
    double beat_;
    bool wrap_;
    unsigned seed_ = 100;
    float hatPan_ = 0.6f;
};

struct Chord {
    int root;  // MIDI note of the bass root (octave 2)
    bool minor;
    std::vector<int> Tones(int octaveUp) const {
        const int r = root + 12 * octaveUp;
        return {r, r + (minor ? 3 : 4), r + 7};
    }
};

const Chord C{36, false}, G{43, false}, Am{45, false}, F{41, false}, Dm{38, true}, Em{40, true};

struct Parts {
    bool drums, bass, arp, pad, lead, fill;
};

void Bar(Sequencer& s, double at, const Chord& c, const Parts& p) {
    for (int b = 0; b < 4; ++b) {
        if (p.drums) {
            s.Kick(at + b);
            if (b % 2) s.Snare(at + b);
            s.Hat(at + b + 0.5, b == 3);
            s.Hat(at + b, false, 0.6);
        }
        if (p.bass)
            for (int e = 0; e < 2; ++e) s.Bass(at + b + e * 0.5, c.root + (e ? 12 : 0), 0.45);
    }
    if (p.fill) {
        s.Snare(at + 3.25, 0.7);
        s.Snare(at + 3.5, 0.8);
        s.Snare(at + 3.75, 0.9);
    }
    if (p.pad) s.Pad(at, c.Tones(2), 4);
    if (p.arp) {
        const std::vector<int> t = c.Tones(3);
        const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
        for (int k = 0; k < 16; ++k) {
            const int i = order[k % 8];
            s.Arp(at + k * 0.25, t[static_cast<std::size_t>(i % 3)] + 12 * (i / 3), k % 2 ? 0.8f : 0.2f);
        }
    }
}

// A four-bar tune over C G Am F (beats from the phrase's start).
const std::vector<Note> kTuneA = {
    {0, 76, 1},      {1, 79, 0.5},  {1.5, 76, 0.5},  {2, 74, 0.5},    {2.5, 72, 0.5}, {3, 74, 1},
    {4, 71, 1},      {5, 74, 0.5},  {5.5, 79, 1.5},  {7, 77, 0.5},    {7.5, 76, 0.5}, {8, 72, 0.5},
    {8.5, 76, 0.5},  {9, 81, 1},    {10, 79, 0.5},   {10.5, 76, 0.5}, {11, 72, 1},    {12, 69, 0.5},
    {12.5, 72, 0.5}, {13, 77, 1.5}, {14.5, 76, 0.5}, {15, 74, 0.5},   {15.5, 72, 0.5}};
const std::vector<Note> kTuneB = {
    {0, 79, 1.5}, {1.5, 76, 0.5}, {2, 79, 0.5}, {2.5, 81, 0.5}, {3, 79, 1}, {4, 74, 1.5},  {5.5, 71, 0.5},
    {6, 74, 1},   {7, 79, 1},     {8, 81, 0.5}, {8.5, 79, 0.5}, {9, 76, 1}, {10, 72, 0.5}, {10.5, 76, 0.5},
    {11, 81, 1},  {12, 77, 1},    {13, 76, 1},  {14, 74, 1},    {15, 79, 1}};

void Tune(Sequencer& s, double at, const std::vector<Note>& tune, int transpose, double level) {
    for (const Note& n : tune) s.Lead(at + n.beat, static_cast<int>(n.midi) + transpose, n.length, level);
}

Audio TitleLoop() {
    // 16 bars at 120 beats a minute: exactly 32 s; tails wrap round, so it loops cleanly.
    Audio a(32.0);
    Sequencer s(a, 120, true);
    const Chord prog[4] = {C, G, Am, F};
    for (int bar = 0; bar < 16; ++bar) {
        const bool full = bar >= 4;
        Bar(s, bar * 4, prog[bar % 4], {full, true, true, true, false, bar == 7 || bar == 15});
    }
    Tune(s, 16, kTuneA, 0, 1.0);
    Tune(s, 32, kTuneB, 0, 1.0);
    a.Normalise(0.8);
    return a;
}

Audio PlayMusic() {
    // 52 bars (104 s): intro, verse, chorus, bridge, verse, chorus up a step, outro.
    const int bars = 52;
    Audio a(bars * 2.0 + 3.0);
    Sequencer s(a, 120, false);
    const Chord verse[4] = {Am, F, C, G}, chorus[4] = {C, G, Am, F}, bridge[4] = {Dm, Am, F, G};
    int bar = 0;
    auto section = [&](const Chord* prog, int n, Parts p) {
        for (int i = 0; i < n; ++i, ++bar) {
            Parts q = p;
            q.fill = p.fill && (i == n - 1);
            Bar(s, bar * 4, prog[i % 4], q);
        }
    };
    section(verse, 4, {false, false, true, true, false, false});
    s.Crash(bar * 4);
    section(verse, 8, {true, true, true, false, false, true});
    s.Crash(bar * 4);
    Tune(s, bar * 4, kTuneA, 0, 1.0);
    Tune(s, bar * 4 + 16, kTuneB, 0, 1.0);
    section(chorus, 8, {true, true, true, true, true, true});
    section(bridge, 8, {false, true, true, true, false, true});
    Tune(s, bar * 4 - 16, kTuneB, -12, 0.7);
    s.Crash(bar * 4);
    section(verse, 8, {true, true, true, true, false, true});
    s.Crash(bar * 4);
    Tune(s, bar * 4, kTuneA, 12, 0.6);
    Tune(s, bar * 4, kTuneA, 0, 1.0);
    Tune(s, bar * 4 + 16, kTuneB, 0, 1.0);
    section(chorus, 8, {true, true, true, true, true, true});
    section(chorus, 8, {true, true, true, true, false, false});
    s.Crash(bar * 4);
    s.Kick(bar * 4);
    s.Pad(bar * 4, C.Tones(2), 4);
    s.Bass(bar * 4, C.root, 3);
    a.Normalise(0.8);
    return a;
}

Audio Jingle() {
    Audio a(3.2);
    Sequencer s(a, 150, false);
    const int run[6] = {72, 76, 79, 84, 88, 91};
    for (int k = 0; k < 6; ++k) s.Lead(k * 0.25, run[k], 0.25, 0.9);
    s.Crash(1.5);
    s.Kick(1.5);
    s.Pad(1.5, {60, 64, 67, 72}, 3.5);
    s.Lead(1.5, 84, 3, 1.0);
    s.Bass(1.5, 36, 3);
    a.Normalise(0.8);
    return a;
}

}  // namespace

std::vector<NamedSound> MakeMusic() {
    std::vector<NamedSound> m;
    m.push_back({"Track 30", TitleLoop()});
    m.push_back({"back", PlayMusic()});
    m.push_back({"Tr_36_03", Jingle()});
    return m;
}
