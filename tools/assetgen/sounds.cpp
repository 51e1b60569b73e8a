#include "sounds.h"

#include <cmath>
#include <string>

#include "synth.h"

namespace quendrix::assetgen {
namespace {

using namespace synth;

// Every recipe draws its noise from a stream of its own, so changing one
// sound never changes another.
Pcg32 Stream(int index) {
  return Pcg32(0x5155454E44524958ull, 100 + index);
}

// Ball on putter face: a short woody tock over a low thump.
Buffer Putt() {
  Buffer b(0.25);
  b.Mix(Tone(0.12, Wave::kSine, Glide(1150, 700, 0.05), Pluck(0.0005, 0.018, 0.12)), 0, 0.8);
  b.Mix(Tone(0.2, Wave::kSine, Glide(210, 150, 0.1), Pluck(0.001, 0.04, 0.2)), 0, 0.7);
  Pcg32 r = Stream(0);
  Buffer click = Noise(0.03, r, Pluck(0.0002, 0.004, 0.03));
  BandPass(click, Constant(3200), 1.2);
  b.Mix(click, 0, 1.6);
  Reverb(b, 0.15, 0.12, 0.3);
  return b;
}

// Ball against a low wall or another ball: a bright clack.
Buffer Clack() {
  Buffer b(0.2);
  b.Mix(Tone(0.15, Wave::kSine, Glide(1900, 1500, 0.04), Pluck(0.0003, 0.012, 0.15)), 0, 0.6);
  b.Mix(Tone(0.15, Wave::kTriangle, Constant(620), Pluck(0.0005, 0.025, 0.15)), 0, 0.5);
  Pcg32 r = Stream(1);
  Buffer n = Noise(0.04, r, Pluck(0.0002, 0.006, 0.04));
  BandPass(n, Constant(2400), 1.5);
  b.Mix(n, 0, 1.4);
  return b;
}

// Landing in sand or on grass: a soft thud with a little hiss.
Buffer Thud(int index) {
  Buffer b(0.35);
  b.Mix(Tone(0.25, Wave::kSine, Glide(140, 60, 0.12), Pluck(0.002, 0.05, 0.25)), 0, 1.0);
  Pcg32 r = Stream(index);
  Buffer n = Noise(0.3, r, Pluck(0.003, 0.07, 0.3));
  LowPass(n, Glide(2500, 500, 0.2));
  b.Mix(n, 0, 0.7);
  return b;
}

// Into the cup: two rattling clicks and a hollow plonk.
Buffer Cup() {
  Buffer b(0.7);
  b.Mix(Tone(0.08, Wave::kSine, Constant(1700), Pluck(0.0003, 0.01, 0.08)), 0.0, 0.5);
  b.Mix(Tone(0.08, Wave::kSine, Constant(1450), Pluck(0.0003, 0.01, 0.08)), 0.07, 0.4);
  b.Mix(Tone(0.08, Wave::kSine, Constant(1600), Pluck(0.0003, 0.008, 0.08)), 0.12, 0.3);
  Buffer plonk = Bell(0.5, 240, {{1, 1, 0.12}, {2.3, 0.4, 0.05}, {3.9, 0.2, 0.03}}, 0.002);
  b.Mix(plonk, 0.16, 1.0);
  Reverb(b, 0.3, 0.25, 0.5);
  return b;
}

Buffer Swish(int index) {
  Pcg32 r = Stream(index);
  Buffer n = Noise(0.3, r, Adsr(0.05, 0.1, 0.6, 0.12, 0.3));
  BandPass(n, Glide(900, 2600, 0.3), 1.4);
  return n;
}

Buffer Click() {
  Buffer b(0.04);
  b.Mix(Tone(0.03, Wave::kSquare, Constant(2100), Pluck(0.0001, 0.003, 0.03)), 0, 0.4);
  b.Mix(Tone(0.03, Wave::kSine, Constant(4200), Pluck(0.0001, 0.002, 0.03)), 0, 0.5);
  LowPass(b, Constant(6000));
  return b;
}

// While a hole loads: a soft two-second marimba figure that loops.
Buffer LoadingLoop() {
  const double beat = 0.25, length = 2.0;
  static const int kNotes[8] = {72, 76, 79, 84, 79, 76, 74, 79};
  Buffer b(length);
  for (int i = 0; i < 8; ++i) {
    Buffer note =
        Bell(0.6, NoteHz(kNotes[i]), {{1, 1, 0.18}, {4.0, 0.25, 0.03}, {10.0, 0.05, 0.01}});
    b.Mix(note, i * beat, i % 2 ? 0.45 : 0.6);
  }
  b.Mix(Bell(1.0, NoteHz(48), {{1, 1, 0.4}, {2, 0.3, 0.2}}), 0, 0.5);
  b.Mix(Bell(1.0, NoteHz(55), {{1, 1, 0.4}, {2, 0.3, 0.2}}), 1.0, 0.45);
  Reverb(b, 0.8, 0.3, 0.7);
  WrapLoop(b, length);
  return b;
}

// A ball put back on the course: a rising bloop and a pop.
Buffer Bloop() {
  Buffer b(0.3);
  b.Mix(Tone(0.16, Wave::kSine, Glide(280, 950, 0.14), Pluck(0.005, 0.08, 0.16)), 0, 0.8);
  b.Mix(Tone(0.06, Wave::kSine, Constant(1300), Pluck(0.0005, 0.01, 0.06)), 0.15, 0.5);
  Reverb(b, 0.2, 0.2, 0.4);
  return b;
}

Buffer Splash(int index, double seconds) {
  Pcg32 r = Stream(index);
  Buffer b(seconds);
  Buffer n = Noise(seconds, r, Pluck(0.004, seconds * 0.25, seconds));
  BandPass(n, Glide(3000, 900, seconds), 0.8);
  b.Mix(n, 0, 1.0);
  // Bubbles: short upward chirps at random moments.
  for (int i = 0; i < 7; ++i) {
    double at = 0.05 + (r.RandomBelow(1000) / 1000.0) * seconds * 0.7;
    double f = 500 + r.RandomBelow(900);
    b.Mix(Tone(0.05, Wave::kSine, Glide(f, f * 1.8, 0.05), Pluck(0.002, 0.015, 0.05)), at, 0.35);
  }
  LowPass(b, Constant(7000));
  return b;
}

// Popper and springboard: a springy boing.
Buffer Boing(double from, double to, double seconds, double wobble) {
  Buffer b(seconds + 0.1);
  b.Mix(Tone(seconds, Wave::kTriangle, Glide(from, to, seconds * 0.4),
             Pluck(0.003, seconds * 0.35, seconds), 14, wobble),
        0, 0.9);
  b.Mix(Tone(0.05, Wave::kSine, Constant(900), Pluck(0.0005, 0.01, 0.05)), 0, 0.4);
  LowPass(b, Constant(3500));
  return b;
}

// Ball too fast over the cup, stroke limit: a falling buzzy "whoops".
Buffer Whoops() {
  Buffer b(0.6);
  b.Mix(Tone(0.55, Wave::kSaw, Glide(520, 180, 0.5), Adsr(0.01, 0.1, 0.7, 0.15, 0.55), 7, 0.03), 0,
        0.7);
  LowPass(b, Glide(2800, 700, 0.55), 1.6);
  return b;
}

// Ball flying into a wall: a metallic clang.
Buffer Clang() {
  Buffer b = Bell(
      0.9, 610,
      {{1, 1, 0.25}, {1.48, 0.7, 0.18}, {2.21, 0.5, 0.12}, {2.93, 0.35, 0.09}, {4.1, 0.2, 0.05}});
  Pcg32 r = Stream(11);
  Buffer n = Noise(0.03, r, Pluck(0.0002, 0.005, 0.03));
  HighPass(n, Constant(3000));
  b.Mix(n, 0, 0.8);
  Reverb(b, 0.4, 0.25, 0.6);
  return b;
}

// Blaster: a boom with a crackling tail.
Buffer Blast() {
  Pcg32 r = Stream(12);
  Buffer b(1.1);
  Buffer n = Noise(1.0, r, Pluck(0.002, 0.22, 1.0));
  LowPass(n, Glide(4000, 150, 0.8), 0.9);
  b.Mix(n, 0, 1.0);
  b.Mix(Tone(0.8, Wave::kSine, Glide(110, 38, 0.6), Pluck(0.002, 0.25, 0.8)), 0, 1.0);
  Reverb(b, 0.4, 0.2, 0.7);
  return b;
}

// Rough grass: a rustle of a few noise bursts.
Buffer Rustle(int index) {
  Pcg32 r = Stream(index);
  Buffer b(0.4);
  for (int i = 0; i < 5; ++i) {
    Buffer n = Noise(0.09, r, Pluck(0.004, 0.025, 0.09));
    BandPass(n, Constant(1800 + r.RandomBelow(2500)), 1.1);
    b.Mix(n, i * 0.055 + r.RandomBelow(20) / 1000.0, 0.6 + r.RandomBelow(40) / 100.0);
  }
  return b;
}

// Out of a pipe: a hollow tube pop.
Buffer PipePop() {
  Pcg32 r = Stream(17);
  Buffer b(0.45);
  Buffer n = Noise(0.3, r, Pluck(0.002, 0.06, 0.3));
  BandPass(n, Glide(260, 520, 0.2), 6);
  b.Mix(n, 0, 2.5);
  b.Mix(Tone(0.25, Wave::kSine, Glide(160, 420, 0.2), Pluck(0.003, 0.07, 0.25)), 0, 0.8);
  Reverb(b, 0.2, 0.3, 0.5);
  return b;
}

Buffer Voice(int midi, double seconds, Wave wave, double brightness, double vibrato = 0) {
  Buffer b(seconds);
  Curve env = Adsr(0.02, 0.08, 0.75, 0.08, seconds);
  b.Mix(Tone(seconds, wave, Constant(NoteHz(midi)), env, 5.5, vibrato), 0, 0.5);
  b.Mix(Tone(seconds, wave, Constant(NoteHz(midi) * 1.005), env, 5.0, vibrato), 0, 0.4);
  LowPass(b, Constant(NoteHz(midi) * brightness), 0.8);
  return b;
}

// Good shot, game won: a bright little fanfare.
Buffer Fanfare() {
  Buffer b(1.3);
  static const int kNotes[4] = {72, 76, 79, 84};
  for (int i = 0; i < 3; ++i) b.Mix(Voice(kNotes[i], 0.14, Wave::kSquare, 6), i * 0.12, 0.6);
  b.Mix(Voice(84, 0.6, Wave::kSquare, 6, 0.006), 0.36, 0.7);
  b.Mix(Voice(76, 0.6, Wave::kSaw, 5), 0.36, 0.35);
  b.Mix(Voice(79, 0.6, Wave::kSaw, 5), 0.36, 0.35);
  Reverb(b, 0.5, 0.25, 0.6);
  return b;
}

// Stuck ball put back, charged wall: an electric zap.
Buffer Zap() {
  Buffer b(0.4);
  b.Mix(Tone(0.35, Wave::kSquare, Glide(1600, 180, 0.3), Pluck(0.002, 0.12, 0.35), 38, 0.25), 0,
        0.5);
  LowPass(b, Constant(4500));
  Reverb(b, 0.2, 0.15, 0.4);
  return b;
}

// Falling rocks: a low rumble with a few knocks.
Buffer Rumble() {
  Pcg32 r = Stream(20);
  Buffer b(2.2);
  Buffer n = Noise(2.0, r, Adsr(0.15, 0.4, 0.7, 0.8, 2.0));
  LowPass(n, Constant(140), 1.2);
  b.Mix(n, 0, 3.0);
  for (int i = 0; i < 9; ++i) {
    double at = 0.1 + r.RandomBelow(1600) / 1000.0;
    double f = 70 + r.RandomBelow(90);
    b.Mix(Tone(0.2, Wave::kSine, Glide(f, f * 0.6, 0.15), Pluck(0.002, 0.05, 0.2)), at,
          0.3 + r.RandomBelow(40) / 100.0);
  }
  Reverb(b, 0.3, 0.2, 0.8);
  return b;
}

// Extra stroke: a rising sparkle of bells.
Buffer Sparkle() {
  Buffer b(1.2);
  static const int kNotes[6] = {79, 84, 88, 91, 96, 100};
  for (int i = 0; i < 6; ++i)
    b.Mix(Bell(0.6, NoteHz(kNotes[i]), {{1, 1, 0.2}, {2.76, 0.3, 0.06}, {5.4, 0.1, 0.03}}),
          i * 0.07, 0.55);
  Reverb(b, 0.6, 0.3, 0.7);
  return b;
}

// Over par: a sad falling trombone.
Buffer SadTrombone() {
  Buffer b(1.9);
  static const int kNotes[4] = {67, 66, 65, 64};
  for (int i = 0; i < 3; ++i) b.Mix(Voice(kNotes[i], 0.32, Wave::kSaw, 4), i * 0.36, 0.6);
  b.Mix(Voice(64, 0.85, Wave::kSaw, 4, 0.02), 1.08, 0.65);
  Reverb(b, 0.3, 0.15, 0.5);
  return b;
}

Buffer Chime(int a, int b2) {
  Buffer b(0.7);
  b.Mix(Bell(0.5, NoteHz(a), {{1, 1, 0.25}, {2.0, 0.2, 0.1}, {3.0, 0.08, 0.05}}), 0, 0.5);
  if (b2 > 0)
    b.Mix(Bell(0.5, NoteHz(b2), {{1, 1, 0.3}, {2.0, 0.2, 0.1}, {3.0, 0.08, 0.05}}), 0.12, 0.5);
  Reverb(b, 0.3, 0.2, 0.5);
  return b;
}

WaveItem Item(std::string name, Buffer b, int maxPlaying, std::string use, bool looped = false,
              double peak = 0.89) {
  WaveItem w;
  w.name = std::move(name);
  w.looped = looped;
  w.maxPlayingCount = maxPlaying;
  w.wave = ToSound(b, peak, !looped);
  w.use = std::move(use);
  return w;
}

// The launch pad's music: sixteen seconds of a bright loop.
Buffer Music() {
  const double beat = 0.5;  // 120 beats a minute
  const int bars = 8;
  const double length = bars * 4 * beat;
  Buffer b(length);
  // I - vi - IV - V in C, a bar each, twice.
  static const int kRoots[4] = {48, 45, 41, 43};
  static const int kThirds[4] = {4, 3, 4, 4};
  static const int kScale[5] = {0, 2, 4, 7, 9};
  for (int bar = 0; bar < bars; ++bar) {
    int root = kRoots[bar % 4];
    double t0 = bar * 4 * beat;
    // Bass on beats 1 and 3, a passing note on 4.
    b.Mix(Voice(root, beat * 1.6, Wave::kTriangle, 3), t0, 0.55);
    b.Mix(Voice(root + 7, beat * 0.9, Wave::kTriangle, 3), t0 + 2 * beat, 0.45);
    b.Mix(Voice(root + 12, beat * 0.9, Wave::kTriangle, 3), t0 + 3 * beat, 0.4);
    // Pad chord.
    for (int n : {root + 12, root + 12 + kThirds[bar % 4], root + 19}) {
      Buffer pad(4 * beat);
      Curve env = Adsr(0.3, 0.5, 0.7, 0.4, 4 * beat);
      pad.Mix(Tone(4 * beat, Wave::kSaw, Constant(NoteHz(n)), env, 4.5, 0.004), 0, 0.5);
      pad.Mix(Tone(4 * beat, Wave::kSaw, Constant(NoteHz(n) * 1.006), env), 0, 0.5);
      LowPass(pad, Constant(1400), 0.7);
      b.Mix(pad, t0, 0.09);
    }
    // Marimba melody from the pentatonic scale, chosen by a seeded stream;
    // the second half repeats the first so the tune is recognisable.
    Pcg32 bars2 = Pcg32(0x4D55534943ull, static_cast<uint64_t>(bar % 4));
    for (int s = 0; s < 8; ++s) {
      if (bars2.RandomBelow(10) < 3) continue;
      int degree = bars2.RandomBelow(5), octave = bars2.RandomBelow(2);
      int note = 72 + kScale[degree] + 12 * octave;
      Buffer m = Bell(0.5, NoteHz(note), {{1, 1, 0.16}, {4.0, 0.3, 0.025}, {9.9, 0.06, 0.01}});
      b.Mix(m, t0 + s * beat / 2, s % 2 ? 0.28 : 0.36);
    }
    // Soft hats on the off-beats.
    for (int s = 0; s < 4; ++s) {
      Pcg32 h = Stream(300 + s);
      Buffer hat = Noise(0.06, h, Pluck(0.001, 0.015, 0.06));
      HighPass(hat, Constant(7000));
      b.Mix(hat, t0 + s * beat + beat / 2, 0.25);
    }
  }
  Reverb(b, 1.2, 0.22, 0.7);
  WrapLoop(b, length);
  return b;
}

// The panel change: a whoosh up and down.
Buffer Whoosh() {
  Pcg32 r = Stream(400);
  Buffer n = Noise(0.9, r, Adsr(0.3, 0.2, 0.6, 0.35, 0.9));
  BandPass(
      n, [](double t) { return 300 + 2800 * std::sin(3.14159 * std::min(1.0, t / 0.9)); }, 1.8);
  Buffer b(1.0);
  b.Mix(n, 0, 1.0);
  b.Mix(Bell(0.8, NoteHz(88), {{1, 1, 0.2}, {2.76, 0.2, 0.06}}), 0.3, 0.08);
  Reverb(b, 0.3, 0.2, 0.6);
  return b;
}

}  // namespace

WaveList EffectSounds() {
  WaveList list;
  list.path = "sound.dxw";
  auto& v = list.items;
  using enum EffectSound;
  Place(v, kPutt, Item("putt", Putt(), 2, "putt released"));
  Place(v, kLowHit, Item("clack", Clack(), 4, "low wall hit, ball against ball"));
  Place(v, kSand, Item("thud", Thud(2), 3, "fast ball into sand, landing from flight"));
  Place(v, kCupIn, Item("cup", Cup(), 2, "ball drops into the cup or a pipe"));
  Place(v, kSpare4, Item("swish", Swish(4), 2, "spare: grass swish"));
  Place(v, kClick, Item("click", Click(), 2, "interface click", false, 0.5));
  Place(v, kLoadingLoop, Item("loading", LoadingLoop(), 0, "loop while a hole loads", true, 0.6));
  Place(v, kPutBack, Item("bloop", Bloop(), 2, "lost ball put back on the course"));
  Place(v, kSpare8, Item("splash small", Splash(8, 0.4), 2, "spare: small splash"));
  Place(v, kPopper, Item("boing", Boing(180, 520, 0.45, 0.05), 2, "popper, second springboard"));
  Place(v, kHop, Item("whoops", Whoops(), 1, "too fast over the cup, stroke limit"));
  Place(v, kHighHit, Item("clang", Clang(), 3, "wall hit in flight"));
  Place(v, kBlaster, Item("blast", Blast(), 1, "blaster"));
  Place(v, kWater, Item("splash", Splash(13, 0.8), 2, "ball into water"));
  Place(v, kSpringboard, Item("sproing", Boing(120, 760, 0.55, 0.09), 2, "springboard"));
  Place(v, kRough, Item("rustle", Rustle(15), 2, "rough, first variant"));
  Place(v, kRough2, Item("rustle 2", Rustle(16), 2, "rough, second variant"));
  Place(v, kPipeExit, Item("pipe", PipePop(), 2, "ball out of a pipe"));
  Place(v, kGoodHole, Item("fanfare", Fanfare(), 1, "holed at par or better, game over"));
  Place(v, kStuck, Item("zap", Zap(), 2, "stuck ball put back, charged wall"));
  Place(v, kRumble, Item("rumble", Rumble(), 1, "falling rocks (volume set by distance)"));
  Place(v, kBonus, Item("sparkle", Sparkle(), 1, "extra stroke"));
  Place(v, kBadHole, Item("sad trombone", SadTrombone(), 1, "holed over par"));
  Place(v, kSpare23, Item("chime", Chime(84, 0), 1, "spare: chime"));
  Place(v, kTurn, Item("turn", Chime(79, 84), 1, "turn passes to the next player"));
  CheckComplete(v, kEffectSoundCount, list.path);
  return list;
}

WaveList MenuSounds() {
  WaveList list;
  list.path = "menu.dxw";
  auto& v = list.items;
  using enum MenuSound;
  Place(v, kMusic, Item("music", Music(), 0, "launch pad music loop", true, 0.7));
  Place(v, kClick, Item("click", Click(), 3, "control pressed, menu spot, launch", false, 0.5));
  Place(v, kTick, Item("tick", Chime(96, 0), 2, "not played by the launch pad"));
  Place(v, kTransition, Item("whoosh", Whoosh(), 1, "panel change animation"));
  CheckComplete(v, kMenuSoundCount, list.path);
  return list;
}

}  // namespace quendrix::assetgen
