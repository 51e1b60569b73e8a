// Bitmaps, as the game loads skin pictures and ball textures: from a file,
// a clear error or a picture. A picture that loads must survive the writer
// and the reader unchanged, since tools write what the game reads.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "media/bitmap.h"
#include "media/media_error.h"

namespace {

// The largest picture a bitmap may have (2^24 pixels) takes about a
// third of a second to decode in this instrumented build; anything much
// slower is a finding.
constexpr int kDeadlineMs = 1000;
// The writer's round trip is checked on pictures up to this size: larger
// ones go through the same code, only slower.
constexpr int64_t kMaxRoundTripPixels = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quendrix;
  fuzz::InputDeadline deadline(kDeadlineMs);
  const std::string path = fuzz::WriteScratchFile("picture.bmp", data, size).string();
  Bitmap picture;
  try {
    picture = LoadBmpFile(path);
  } catch (const MediaError&) {
    return 0;
  }
  if (picture.Empty()) fuzz::Finding("a bitmap loaded without pixels");
  if (int64_t{picture.Width()} * picture.Height() <= kMaxRoundTripPixels &&
      DecodeBmp(EncodeBmp(picture)) != picture)
    fuzz::Finding("a bitmap changed on the way through the writer");
  return 0;
}
