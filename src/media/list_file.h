// Image lists (.dxg) and sound lists (.dxw): one container for both, a small
// resource header and a binary object stream whose root object's "List"
// property holds the items. The reader and the writer live side by side so
// that tools write exactly what the game reads.
//
// Strings in items are cp1251 bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/bitmap.h"
#include "media/color.h"
#include "media/wave.h"

namespace quendrix {

// The stored properties of one image-list item.
struct PictureItemData {
  std::string name;
  int32_t patternWidth = 0;   // 0 or less: the picture's width
  int32_t patternHeight = 0;  // 0 or less: the picture's height
  int32_t skipWidth = 0;      // gap between pattern columns
  int32_t skipHeight = 0;     // gap between pattern rows
  bool systemMemory = false;
  bool transparent = true;            // draw with the colour key
  TColor transparentColor = clBlack;  // may be a system colour (0x80000000 + n) or clNone
  Bitmap picture;
  // How the picture is stored: 24 = true colour, 8 = a 256-colour palette
  // (the picture may then hold at most 256 colours). Reading sets 8 for any
  // palette picture and 24 for the others.
  int32_t bitCount = 24;

  bool operator==(const PictureItemData&) const = default;
};

// The stored properties of one sound-list item.
struct WaveItemData {
  std::string name;
  bool looped = false;
  int32_t maxPlayingCount = 0;  // 0 = no cap; never negative after loading
  Wave wave;                    // empty when the item has no sound

  bool operator==(const WaveItemData&) const = default;
};

// ---- Reading ---------------------------------------------------------------
//
// Each reader clears `items`, then appends one item per entry in file order.
// Errors throw MediaError with one of the messages of media_error.h; the items
// read before the error (the one being read included) stay in `items`.
// Truncated data and impossible counts are "Invalid stream format"; pictures
// that together hold more than 2^25 pixels are "Bitmap image is not valid".

// `colorTable` receives the optional 256-entry palette (1024 bytes: blue,
// green, red, reserved), or is cleared when the file has none.
void ReadImageList(std::span<const uint8_t> file, std::vector<PictureItemData>& items,
                   std::vector<uint8_t>* colorTable = nullptr);
void ReadSoundList(std::span<const uint8_t> file, std::vector<WaveItemData>& items);

// File forms: a file that cannot be opened throws FileError first.
void LoadImageListFile(const std::string& path, std::vector<PictureItemData>& items);
void LoadSoundListFile(const std::string& path, std::vector<WaveItemData>& items);

// A language's list holds only the items with words: each of its items
// replaces the item of `items` with the same name (the first, compared
// exactly); items of no such name are left out. Returns how many replaced.
int32_t OverlayImageItems(std::vector<PictureItemData>& items,
                          std::vector<PictureItemData>&& overlay);

// ---- Writing ---------------------------------------------------------------
//
// Pictures are stored as BMPs of their item's `bitCount` and sounds as RIFF WAVE files. Writing is
// deterministic: the same items always give the same bytes.

std::vector<uint8_t> EncodeImageList(std::span<const PictureItemData> items,
                                     std::span<const uint8_t> colorTable = {});
std::vector<uint8_t> EncodeSoundList(std::span<const WaveItemData> items);

// Write to a temporary file beside `path` and rename it; throws FileError.
void WriteImageListFile(const std::string& path, std::span<const PictureItemData> items);
void WriteSoundListFile(const std::string& path, std::span<const WaveItemData> items);

}  // namespace quendrix
