// RIFF WAVE sounds: a clear error or a sound of whole frames. A sound that
// loads must survive the writer and the reader unchanged, since the list
// writer stores sounds as wave files.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "media/media_error.h"
#include "media/wave.h"

namespace {

constexpr int kDeadlineMs = 300;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quendrix;
  fuzz::InputDeadline deadline(kDeadlineMs);
  const std::string path = fuzz::WriteScratchFile("sound.wav", data, size).string();
  Wave wave;
  try {
    wave = LoadWaveFile(path);
  } catch (const MediaError&) {
    return 0;
  }
  // No format at all: the list writer stores no sound for such an item.
  if (wave.formatTag == 0) return 0;
  if (DecodeWave(EncodeWave(wave)) != wave)
    fuzz::Finding("a sound changed on the way through the writer");
  if (wave.blockAlign != 0 && wave.data.size() % wave.blockAlign != 0)
    fuzz::Finding("a sound ends inside a frame");
  if (!wave.Empty() && wave.DurationMs() == 0) fuzz::Finding("a sound with samples lasts no time");
  return 0;
}
