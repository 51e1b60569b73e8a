// A small synthesizer for the game's sounds: mono float buffers at 22050 Hz,
// oscillators, noise, envelopes, filters and a plain Schroeder reverb. All
// noise comes from seeded generators, so a sound is the same every run.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/random.h"
#include "items.h"

namespace quendrix::assetgen::synth {

inline constexpr double kRate = kSampleRate;

struct Buffer {
  std::vector<float> s;
  explicit Buffer(double seconds = 0) : s(static_cast<size_t>(seconds * kRate + 0.5), 0.f) {}
  size_t Size() const { return s.size(); }
  double Seconds() const { return s.size() / kRate; }
  // Mixes `other` in at `at` seconds, scaled by `gain`, growing as needed.
  void Mix(const Buffer& other, double at = 0, double gain = 1);
};

enum class Wave { kSine, kTriangle, kSquare, kSaw };

// Frequency and amplitude as functions of time (seconds since the start).
using Curve = std::function<double(double t)>;
Curve Constant(double v);
Curve Glide(double from, double to, double seconds);  // exponential glide
// Amplitude envelope: attack, then exponential decay with the given time
// constant, cut at `length`.
Curve Pluck(double attack, double decay, double length);
Curve Adsr(double attack, double decay, double sustain, double release, double length);

// One oscillator voice, phase-accumulated so glides stay smooth.
Buffer Tone(double seconds, Wave wave, const Curve& frequency, const Curve& amplitude,
            double vibratoHz = 0, double vibratoDepth = 0);
// Several partials with their own frequency ratios, gains and decays: bells,
// clangs, marimbas.
struct Partial {
  double ratio, gain, decay;
};
Buffer Bell(double seconds, double frequency, const std::vector<Partial>& partials,
            double attack = 0.002);
Buffer Noise(double seconds, Pcg32& random, const Curve& amplitude);

// Filters work in place.
void LowPass(Buffer& b, const Curve& cutoff, double q = 0.707);
void HighPass(Buffer& b, const Curve& cutoff, double q = 0.707);
void BandPass(Buffer& b, const Curve& centre, double q);
void Reverb(Buffer& b, double seconds, double wet, double roomSize = 0.8, double damping = 0.4);
void Gain(Buffer& b, double g);
void Fade(Buffer& b, double inSeconds, double outSeconds);
// Folds everything past `length` seconds back onto the start, for loops
// whose echoes carry over the seam; then cuts to `length`.
void WrapLoop(Buffer& b, double length);
// Scales to the given peak (0..1) and converts to 16-bit samples. With
// `trim`, the silent end of a reverb tail (below -66 dB of the peak) is cut
// off behind a short fade; loops keep their length.
Sound ToSound(const Buffer& b, double peak = 0.89, bool trim = true);

double NoteHz(int midi);  // 69 = A4 = 440 Hz

}  // namespace quendrix::assetgen::synth
