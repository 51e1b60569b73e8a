#include "hole_sounds.h"

#include <cmath>
#include <string>

#include "synth.h"

namespace quendrix::assetgen {

namespace {

using namespace synth;

constexpr double kLoopSeconds = 8.0;

uint64_t HoleSeed(const std::string& name) {
  uint64_t h = 0x484F4C45ull;
  for (char c : name) h = (h ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  return h;
}

bool HasKind(const HoleModel& m, AreaKind kind) {
  for (int i = 1; i <= kMaxAreas; ++i)
    if (m.areas[i].kind == kind) return true;
  return false;
}

// Wind in the grass, birds now and then, a brook where there is water.
Buffer GardenAmbience(const HoleModel& m) {
  Pcg32 r(HoleSeed(m.name), 1);
  Buffer b(kLoopSeconds);
  Buffer wind = Noise(kLoopSeconds, r, [](double t) {
    return 0.5 + 0.25 * std::sin(2 * 3.14159265 * t / kLoopSeconds) +
           0.1 * std::sin(2 * 3.14159265 * 3 * t / kLoopSeconds);
  });
  LowPass(wind, Constant(700));
  b.Mix(wind, 0, 0.35);
  if (HasKind(m, AreaKind::kWater)) {
    Buffer brook = Noise(kLoopSeconds, r, Constant(0.5));
    BandPass(
        brook,
        [](double t) { return 1800 + 600 * std::sin(2 * 3.14159265 * 4 * t / kLoopSeconds); }, 1.2);
    b.Mix(brook, 0, 0.18);
  }
  // Bird calls: short glides in twos and threes.
  const int calls = 4 + r.RandomBelow(3);
  for (int c = 0; c < calls; ++c) {
    const double at = r.RandomBelow(760) / 100.0;
    const double base = 2600 + r.RandomBelow(1600);
    const int notes = 2 + r.RandomBelow(3);
    for (int k = 0; k < notes; ++k) {
      Buffer chirp = Tone(0.09, Wave::kSine, Glide(base * 1.25, base * 0.85, 0.08),
                          Pluck(0.004, 0.03, 0.09), 30, 0.02);
      b.Mix(chirp, at + k * 0.12, 0.22);
    }
  }
  Reverb(b, 1.0, 0.25, 0.7);
  WrapLoop(b, kLoopSeconds);
  return b;
}

// The station's hum: a low drone that breathes, a far-off sweep, soft beeps.
Buffer SpaceAmbience(const HoleModel& m) {
  Pcg32 r(HoleSeed(m.name), 2);
  Buffer b(kLoopSeconds);
  const double root = NoteHz(33 + r.RandomBelow(5));
  for (double detune : {1.0, 1.004, 1.5, 2.003}) {
    Buffer d = Tone(kLoopSeconds, Wave::kSaw, Constant(root * detune), Constant(0.5));
    LowPass(d, [](double t) { return 300 + 200 * std::sin(2 * 3.14159265 * t / kLoopSeconds); });
    b.Mix(d, 0, detune < 1.1 ? 0.3 : 0.14);
  }
  Buffer air = Noise(kLoopSeconds, r, [](double t) {
    return 0.4 + 0.3 * std::sin(2 * 3.14159265 * 2 * t / kLoopSeconds);
  });
  BandPass(air, Constant(900), 0.8);
  b.Mix(air, 0, 0.08);
  for (int k = 0; k < 3; ++k) {
    const double at = 0.5 + k * 2.6 + r.RandomBelow(60) / 100.0;
    b.Mix(
        Tone(0.12, Wave::kSine, Constant(NoteHz(84 + r.RandomBelow(8))), Pluck(0.002, 0.04, 0.12)),
        at, 0.12);
  }
  Reverb(b, 1.4, 0.3, 0.8);
  WrapLoop(b, kLoopSeconds);
  return b;
}

Buffer FrogCroak() {
  Buffer b(0.7);
  for (int k = 0; k < 2; ++k) {
    Buffer croak =
        Tone(0.22, Wave::kSquare, Glide(140, 95, 0.2), Adsr(0.01, 0.05, 0.7, 0.08, 0.22), 28, 0.15);
    LowPass(croak, Constant(900), 2.5);
    b.Mix(croak, k * 0.3, 0.8);
  }
  Reverb(b, 0.3, 0.15, 0.4);
  return b;
}

// The road worker, woken: a grumble and the swish of his shovel.
Buffer WorkerGrumble() {
  Buffer b(1.0);
  Buffer voice =
      Tone(0.45, Wave::kSaw, Glide(160, 110, 0.4), Adsr(0.03, 0.1, 0.7, 0.15, 0.45), 6, 0.05);
  BandPass(voice, Constant(700), 3);
  b.Mix(voice, 0, 1.0);
  Pcg32 r(77, 1);
  Buffer swish = Noise(0.35, r, Adsr(0.1, 0.1, 0.5, 0.15, 0.35));
  BandPass(swish, Glide(600, 3000, 0.35), 1.5);
  b.Mix(swish, 0.5, 0.8);
  Reverb(b, 0.4, 0.2, 0.5);
  return b;
}

Buffer Alarm() {
  Buffer b(1.2);
  for (int k = 0; k < 4; ++k) {
    Buffer beep =
        Tone(0.25, Wave::kSquare, Constant(k % 2 ? 660 : 880), Adsr(0.005, 0.02, 0.8, 0.03, 0.25));
    LowPass(beep, Constant(3000));
    b.Mix(beep, k * 0.28, 0.5);
  }
  Reverb(b, 0.4, 0.2, 0.6);
  return b;
}

Buffer QuietChime(bool space) {
  Buffer b(1.2);
  const int note = space ? 88 : 84;
  b.Mix(Bell(1.0, NoteHz(note), {{1, 1, 0.3}, {2.76, 0.3, 0.1}, {5.4, 0.1, 0.05}}), 0, 0.6);
  b.Mix(Bell(1.0, NoteHz(note + 7), {{1, 1, 0.3}, {2.76, 0.2, 0.1}}), 0.12, 0.4);
  Reverb(b, 0.6, 0.25, 0.6);
  return b;
}

WaveItem Item(std::string name, const Buffer& b, bool looped, double peak) {
  WaveItem w;
  w.name = std::move(name);
  w.looped = looped;
  w.maxPlayingCount = 1;
  w.wave = ToSound(b, peak, !looped);
  return w;
}

}  // namespace

WaveList HoleSounds(const HoleModel& m) {
  WaveList list;
  list.path = m.name + ".dxw";
  const bool space = m.theme == Theme::kSpace;
  WaveItem ambient =
      Item("ambient", space ? SpaceAmbience(m) : GardenAmbience(m), true, space ? 0.35 : 0.3);
  ambient.use = "the hole's ambient loop";
  Place(list.items, HoleSound::kAmbient, std::move(ambient));
  WaveItem area;
  if (HasKind(m, AreaKind::kCatapult)) {
    area = Item("road worker", WorkerGrumble(), false, 0.8);
    area.use = "the catapult throws";
  } else if (HasKind(m, AreaKind::kOneShot) && space) {
    area = Item("alarm", Alarm(), false, 0.6);
    area.use = "a one-shot trigger: the alarm";
  } else if (HasKind(m, AreaKind::kOneShot)) {
    area = Item("frog", FrogCroak(), false, 0.8);
    area.use = "a one-shot trigger: the frog";
  } else {
    area = Item("chime", QuietChime(space), false, 0.5);
    area.use = "spare: no area plays it";
  }
  Place(list.items, HoleSound::kArea, std::move(area));
  CheckComplete(list.items, kHoleSoundCount, list.path);
  return list;
}

}  // namespace quendrix::assetgen
