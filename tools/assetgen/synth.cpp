#include "synth.h"

#include <algorithm>
#include <cmath>

namespace quendrix::assetgen::synth {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Osc(Wave w, double phase) {  // phase 0..1
  switch (w) {
    case Wave::kSine:
      return std::sin(2 * kPi * phase);
    case Wave::kTriangle:
      return 1 - 4 * std::abs(phase - 0.5);
    case Wave::kSquare:
      return phase < 0.5 ? 1 : -1;
    case Wave::kSaw:
      return 2 * phase - 1;
  }
  return 0;
}

// Biquad in direct form I (RBJ cookbook), coefficients per sample so the
// cutoff can move.
enum class Kind { kLow, kHigh, kBand };

void Biquad(Buffer& b, Kind kind, const Curve& freq, double q) {
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (size_t i = 0; i < b.s.size(); ++i) {
    double f = std::clamp(freq(i / kRate), 10.0, kRate * 0.45);
    double w0 = 2 * kPi * f / kRate, cw = std::cos(w0), alpha = std::sin(w0) / (2 * q);
    double b0, b1, b2, a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
    switch (kind) {
      case Kind::kLow:
        b0 = (1 - cw) / 2;
        b1 = 1 - cw;
        b2 = b0;
        break;
      case Kind::kHigh:
        b0 = (1 + cw) / 2;
        b1 = -(1 + cw);
        b2 = b0;
        break;
      default:
        b0 = alpha;
        b1 = 0;
        b2 = -alpha;
        break;
    }
    double x = b.s[i];
    double y = (b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    b.s[i] = static_cast<float>(y);
  }
}

}  // namespace

void Buffer::Mix(const Buffer& other, double at, double gain) {
  size_t start = static_cast<size_t>(std::max(0.0, at) * kRate + 0.5);
  if (s.size() < start + other.s.size()) s.resize(start + other.s.size(), 0.f);
  for (size_t i = 0; i < other.s.size(); ++i) s[start + i] += static_cast<float>(other.s[i] * gain);
}

Curve Constant(double v) {
  return [v](double) { return v; };
}

Curve Glide(double from, double to, double seconds) {
  return [=](double t) {
    double u = std::clamp(t / seconds, 0.0, 1.0);
    return from * std::pow(to / from, u);
  };
}

Curve Pluck(double attack, double decay, double length) {
  return [=](double t) {
    if (t < 0 || t > length) return 0.0;
    double a = attack > 0 ? std::min(1.0, t / attack) : 1.0;
    double tail = std::min(1.0, (length - t) / 0.004);  // no click at the cut
    return a * std::exp(-(t - std::min(t, attack)) / decay) * tail;
  };
}

Curve Adsr(double attack, double decay, double sustain, double release, double length) {
  return [=](double t) {
    if (t < 0 || t > length) return 0.0;
    double v;
    if (t < attack)
      v = t / attack;
    else if (t < attack + decay)
      v = 1 - (1 - sustain) * (t - attack) / decay;
    else
      v = sustain;
    double r = length - t;
    if (r < release) v *= r / release;
    return v;
  };
}

Buffer Tone(double seconds, Wave wave, const Curve& frequency, const Curve& amplitude,
            double vibratoHz, double vibratoDepth) {
  Buffer b(seconds);
  double phase = 0;
  for (size_t i = 0; i < b.s.size(); ++i) {
    double t = i / kRate;
    double f = frequency(t);
    if (vibratoHz > 0) f *= 1 + vibratoDepth * std::sin(2 * kPi * vibratoHz * t);
    b.s[i] = static_cast<float>(Osc(wave, phase) * amplitude(t));
    phase += f / kRate;
    phase -= std::floor(phase);
  }
  return b;
}

Buffer Bell(double seconds, double frequency, const std::vector<Partial>& partials, double attack) {
  Buffer b(seconds);
  for (const Partial& p : partials) {
    double f = frequency * p.ratio;
    if (f >= kRate / 2) continue;
    for (size_t i = 0; i < b.s.size(); ++i) {
      double t = i / kRate;
      double env = std::min(1.0, t / attack) * std::exp(-t / p.decay);
      b.s[i] += static_cast<float>(p.gain * env * std::sin(2 * kPi * f * t));
    }
  }
  Fade(b, 0, 0.01);
  return b;
}

Buffer Noise(double seconds, Pcg32& random, const Curve& amplitude) {
  Buffer b(seconds);
  for (size_t i = 0; i < b.s.size(); ++i) {
    double v = random.Next32() / 4294967296.0 * 2 - 1;
    b.s[i] = static_cast<float>(v * amplitude(i / kRate));
  }
  return b;
}

void LowPass(Buffer& b, const Curve& cutoff, double q) {
  Biquad(b, Kind::kLow, cutoff, q);
}
void HighPass(Buffer& b, const Curve& cutoff, double q) {
  Biquad(b, Kind::kHigh, cutoff, q);
}
void BandPass(Buffer& b, const Curve& centre, double q) {
  Biquad(b, Kind::kBand, centre, q);
}

void Reverb(Buffer& b, double seconds, double wet, double roomSize, double damping) {
  // Four damped combs in parallel, two all-passes in series; the tail is
  // appended, so the buffer grows by `seconds`.
  size_t n = b.s.size() + static_cast<size_t>(seconds * kRate);
  std::vector<float> in(n, 0.f), out(n, 0.f);
  std::copy(b.s.begin(), b.s.end(), in.begin());
  static const int kComb[4] = {1116, 1188, 1277, 1356};
  static const int kAll[2] = {556, 441};
  double feedback = 0.7 + 0.28 * roomSize;
  for (int c = 0; c < 4; ++c) {
    int len = kComb[c] / 2;  // tuned for 44.1 kHz, halved for our rate
    std::vector<float> line(len, 0.f);
    double store = 0;
    int pos = 0;
    for (size_t i = 0; i < n; ++i) {
      float y = line[pos];
      store = y * (1 - damping) + store * damping;
      line[pos] = static_cast<float>(in[i] + store * feedback);
      pos = (pos + 1) % len;
      out[i] += y * 0.25f;
    }
  }
  for (int a = 0; a < 2; ++a) {
    int len = kAll[a] / 2;
    std::vector<float> line(len, 0.f);
    int pos = 0;
    for (size_t i = 0; i < n; ++i) {
      float buffered = line[pos];
      float x = out[i];
      line[pos] = static_cast<float>(x + buffered * 0.5);
      out[i] = buffered - x;
      pos = (pos + 1) % len;
    }
  }
  b.s.resize(n, 0.f);
  for (size_t i = 0; i < n; ++i) b.s[i] = static_cast<float>(in[i] * (1 - wet) + out[i] * wet);
}

void Gain(Buffer& b, double g) {
  for (float& v : b.s) v = static_cast<float>(v * g);
}

void Fade(Buffer& b, double inSeconds, double outSeconds) {
  size_t n = b.s.size();
  size_t fi = std::min(n, static_cast<size_t>(inSeconds * kRate));
  size_t fo = std::min(n, static_cast<size_t>(outSeconds * kRate));
  for (size_t i = 0; i < fi; ++i) b.s[i] *= static_cast<float>(i / static_cast<double>(fi));
  for (size_t i = 0; i < fo; ++i) b.s[n - 1 - i] *= static_cast<float>(i / static_cast<double>(fo));
}

void WrapLoop(Buffer& b, double length) {
  size_t n = static_cast<size_t>(length * kRate + 0.5);
  if (b.s.size() < n) b.s.resize(n, 0.f);
  for (size_t i = n; i < b.s.size(); ++i) b.s[i % n] += b.s[i];
  b.s.resize(n);
}

Sound ToSound(const Buffer& b, double peak, bool trim) {
  double m = 0;
  for (float v : b.s) m = std::max(m, static_cast<double>(std::abs(v)));
  double g = m > 0 ? peak / m : 0;
  size_t n = b.s.size();
  const size_t fade = static_cast<size_t>(0.015 * kRate);
  if (trim) {
    while (n > 0 && std::abs(b.s[n - 1]) < m * 0.0005) --n;
    n = std::min(b.s.size(), n + fade);
  }
  Sound out;
  out.sampleRate = kSampleRate;
  out.samples.resize(n);
  for (size_t i = 0; i < n; ++i) {
    double v = std::isfinite(b.s[i]) ? b.s[i] * g : 0.0;
    if (trim && n - i <= fade) v *= static_cast<double>(n - i) / fade;
    out.samples[i] = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
  }
  return out;
}

double NoteHz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

}  // namespace quendrix::assetgen::synth
