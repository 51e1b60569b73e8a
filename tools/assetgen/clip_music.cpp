#include "clip_music.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace quendrix::assetgen {
namespace {

using namespace synth;

// Peak of the finished tracks: a little headroom below full scale.
constexpr double kPeak = 0.8;

Pcg32 Stream(int index) {
  return Pcg32(0x434C495053ull, 700 + index);
}

// Exactly `seconds` long, faded in and out, scaled to the peak.
std::vector<int16_t> Finish(Buffer b, double seconds, double fadeIn, double fadeOut) {
  b.s.resize(static_cast<size_t>(std::lround(seconds * kRate)), 0.f);
  Fade(b, fadeIn, fadeOut);
  return ToSound(b, kPeak, false).samples;
}

Buffer Marimba(int midi, double gain = 1) {
  Buffer m = Bell(0.6, NoteHz(midi), {{1, 1, 0.17}, {4.0, 0.3, 0.025}, {9.9, 0.05, 0.01}});
  Gain(m, gain);
  return m;
}

Buffer Pad(int midi, double seconds, double cutoff) {
  Buffer pad(seconds);
  Curve env = Adsr(0.35, 0.5, 0.7, 0.5, seconds);
  pad.Mix(Tone(seconds, Wave::kSaw, Constant(NoteHz(midi)), env, 4.5, 0.004), 0, 0.5);
  pad.Mix(Tone(seconds, Wave::kSaw, Constant(NoteHz(midi) * 1.006), env), 0, 0.5);
  LowPass(pad, Constant(cutoff), 0.7);
  return pad;
}

Buffer Bass(int midi, double seconds) {
  Buffer b(seconds);
  Curve env = Adsr(0.01, 0.12, 0.6, 0.1, seconds);
  b.Mix(Tone(seconds, Wave::kTriangle, Constant(NoteHz(midi)), env), 0, 0.8);
  b.Mix(Tone(seconds, Wave::kSine, Constant(NoteHz(midi - 12)), env), 0, 0.4);
  LowPass(b, Constant(NoteHz(midi) * 4), 0.8);
  return b;
}

Buffer Hat(int index, double gain) {
  Pcg32 r = Stream(index);
  Buffer h = Noise(0.07, r, Pluck(0.001, 0.016, 0.07));
  HighPass(h, Constant(7200));
  Gain(h, gain);
  return h;
}

Buffer Kick() {
  Buffer k(0.3);
  k.Mix(Tone(0.3, Wave::kSine, Glide(150, 48, 0.08), Pluck(0.001, 0.09, 0.3)), 0, 1.0);
  return k;
}

// A chord as root, third and fifth over the root's octave.
struct Chord {
  int root;   // bass note (MIDI)
  int third;  // 3 minor, 4 major
};

}  // namespace

std::vector<int16_t> LogoChime(double seconds) {
  Buffer b(seconds);
  // A rising fifth of soft bells over a low hum, like light on still water.
  const std::vector<Partial> bell{
      {1, 1, 0.9}, {2.0, 0.25, 0.4}, {3.01, 0.1, 0.2}, {5.4, 0.04, 0.1}};
  b.Mix(Bell(2.2, NoteHz(76), bell), 0.35, 0.5);
  b.Mix(Bell(2.0, NoteHz(83), bell), 0.6, 0.42);
  b.Mix(Bell(1.8, NoteHz(88), bell), 0.85, 0.3);
  b.Mix(Pad(52, seconds - 0.2, 700), 0.1, 0.35);
  Reverb(b, 1.6, 0.35, 0.85);
  return Finish(std::move(b), seconds, 0.05, 0.6);
}

std::vector<int16_t> IntroTune(double seconds) {
  const double beat = 0.5;  // 120 beats a minute, four to the bar
  Buffer b(seconds + 1);
  // I - V - vi - IV in C, then a last bar resting on C.
  static const Chord kChords[5] = {{48, 4}, {43, 4}, {45, 3}, {41, 4}, {48, 4}};
  // The tune: MIDI notes on eighths, 0 a rest; one line per bar.
  static const int kTune[5][8] = {
      {72, 0, 76, 79, 84, 0, 79, 76},  {74, 0, 79, 83, 86, 0, 83, 79},
      {76, 0, 72, 76, 81, 79, 76, 72}, {77, 76, 74, 72, 74, 0, 79, 0},
      {84, 0, 0, 0, 0, 0, 0, 0},
  };
  const int bars = std::min(5, static_cast<int>(seconds / (4 * beat)) + 1);
  for (int bar = 0; bar < bars; ++bar) {
    const double t0 = bar * 4 * beat;
    const Chord c = kChords[bar];
    const bool last = bar == 4;
    b.Mix(Bass(c.root, last ? 4 * beat : beat * 1.5), t0, 0.5);
    if (!last) {
      b.Mix(Bass(c.root + 7, beat * 0.9), t0 + 2 * beat, 0.4);
      b.Mix(Bass(c.root + 12, beat * 0.9), t0 + 3 * beat, 0.35);
    }
    for (int n : {c.root + 12, c.root + 12 + c.third, c.root + 19})
      b.Mix(Pad(n, 4 * beat, 1500), t0, 0.085);
    for (int s = 0; s < 8; ++s)
      if (kTune[bar][s] > 0) b.Mix(Marimba(kTune[bar][s]), t0 + s * beat / 2, s % 2 ? 0.3 : 0.38);
    if (!last) {
      for (int s = 0; s < 4; ++s) b.Mix(Hat(s, 0.22), t0 + s * beat + beat / 2, 1);
      b.Mix(Kick(), t0, 0.5);
      b.Mix(Kick(), t0 + 2 * beat, 0.42);
    } else {
      // The title lands: a bright bell chord over the last bar.
      for (int n : {84, 88, 91, 96})
        b.Mix(Bell(2.2, NoteHz(n), {{1, 1, 0.8}, {2.76, 0.2, 0.2}, {5.4, 0.06, 0.08}}), t0, 0.22);
    }
  }
  Reverb(b, 1.2, 0.22, 0.7);
  return Finish(std::move(b), seconds, 0.02, 1.0);
}

std::vector<int16_t> CreditsTune(double seconds) {
  const double beat = 0.625;  // 96 beats a minute
  Buffer b(seconds + 2);
  // vi - IV - I - V in C, a bar each, over and over.
  static const Chord kChords[4] = {{45, 3}, {41, 4}, {48, 4}, {43, 4}};
  static const int kScale[5] = {0, 2, 4, 7, 9};
  const int bars = static_cast<int>(seconds / (4 * beat)) + 1;
  for (int bar = 0; bar < bars; ++bar) {
    const double t0 = bar * 4 * beat;
    const Chord c = kChords[bar % 4];
    b.Mix(Bass(c.root, beat * 1.8), t0, 0.45);
    b.Mix(Bass(c.root + 7, beat * 1.4), t0 + 2 * beat, 0.35);
    for (int n : {c.root + 12, c.root + 12 + c.third, c.root + 19, c.root + 24})
      b.Mix(Pad(n, 4 * beat, 1100), t0, 0.075);
    // A marimba figure on the chord's notes, its turns drawn from a seeded
    // stream that repeats every four bars, so the tune comes round again.
    Pcg32 figure = Pcg32(0x4352454449ull, static_cast<uint64_t>(bar % 8));
    for (int s = 0; s < 8; ++s) {
      if (s > 0 && figure.RandomBelow(10) < 3) continue;
      const int note = 72 + kScale[figure.RandomBelow(5)] + (figure.RandomBelow(4) == 0 ? 12 : 0);
      b.Mix(Marimba(note), t0 + s * beat / 2, s % 2 ? 0.24 : 0.32);
    }
    for (int s = 0; s < 4; ++s) b.Mix(Hat(10 + s, 0.14), t0 + s * beat + beat / 2, 1);
  }
  Reverb(b, 1.6, 0.28, 0.8);
  return Finish(std::move(b), seconds, 0.5, 2.5);
}

SoundLevels MeasureLevels(const std::vector<int16_t>& s) {
  SoundLevels l;
  if (s.empty()) return l;
  double peak = 0, sum = 0;
  for (int16_t v : s) {
    const double a = std::abs(static_cast<double>(v)) / 32768.0;
    peak = std::max(peak, a);
    sum += a * a;
    if (v == 32767 || v == -32768) ++l.clipped;
  }
  l.peakDb = peak > 0 ? 20 * std::log10(peak) : -120;
  const double rms = std::sqrt(sum / s.size());
  l.rmsDb = rms > 0 ? 20 * std::log10(rms) : -120;
  return l;
}

}  // namespace quendrix::assetgen
