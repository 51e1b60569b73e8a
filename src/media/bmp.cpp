// Windows BMP reading and writing.
#include <algorithm>
#include <array>
#include <bit>
#include <stdexcept>

#include "media/bitmap.h"
#include "media/byte_io.h"

namespace quendrix {

Bitmap::Bitmap(int32_t width, int32_t height, TColor fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  pixels_.assign(static_cast<size_t>(width_) * height_, fill & 0xFFFFFF);
}

Bitmap Bitmap::FromRgb24(int32_t width, int32_t height, std::span<const uint8_t> rgb) {
  if (width < 0 || height < 0 ||
      rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3)
    throw std::invalid_argument("Bitmap::FromRgb24: pixel bytes do not match the size");
  Bitmap b(width, height);
  for (size_t i = 0; i < b.pixels_.size(); ++i)
    b.pixels_[i] = MakeColor(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
  return b;
}

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

// A picture larger than this (4096 x 4096) is refused rather than allocated.
constexpr uint64_t kMaxPixels = uint64_t{1} << 24;

[[noreturn]] void Invalid() {
  throw MediaError(kBitmapNotValid);
}

// One colour channel described by a bit mask, widened to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t Get(uint32_t v) const {
    if (max == 0) return 0;
    const uint64_t c = (v & mask) >> shift;
    return static_cast<uint8_t>((c * 255 + max / 2) / max);
  }
};

struct Header {
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  uint16_t bitCount = 0;
  uint32_t compression = kBiRgb;
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  std::vector<TColor> palette;
};

TColor PaletteColor(const Header& h, uint32_t index) {
  return index < h.palette.size() ? h.palette[index] : clBlack;
}

// Palette-index pictures decoded from run-length data, bottom-up, straight
// into `out`, which holds palette colour 0 where the data sets nothing.
void DecodeRle(ByteReader& r, const Header& h, Bitmap& out) {
  const int32_t w = h.width, rows = h.height;
  const bool four = h.compression == kBiRle4;
  int64_t x = 0;    // may run far past the row on hostile data; only stored in range
  int32_t row = 0;  // row 0 = bottom row
  auto put = [&](uint8_t v) {
    if (x < w && row < rows) out.Row(rows - 1 - row)[x] = PaletteColor(h, v);
    ++x;
  };
  while (row < rows && !r.AtEnd()) {
    const uint8_t count = r.U8();
    const uint8_t value = r.U8();
    if (count > 0) {
      for (int i = 0; i < count; ++i)
        put(four ? static_cast<uint8_t>((i & 1) ? value & 15 : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // move right and up
      x += r.U8();
      row += r.U8();
    } else {  // a literal run, padded to an even byte count
      const size_t bytes = four ? (value + 1u) / 2u : value;
      const auto run = r.Bytes(bytes);
      for (int i = 0; i < value; ++i)
        put(four ? static_cast<uint8_t>((i & 1) ? run[i / 2] & 15 : run[i / 2] >> 4) : run[i]);
      if (bytes & 1) r.Skip(std::min<size_t>(1, r.Remaining()));
    }
  }
}

// The header after "BM": sizes, depth, compression, masks and palette (the
// 12-byte core header or the 40-byte one and its longer kin). Leaves `r` at
// the end of the palette; returns the pixel offset the file header gives.
uint32_t ReadHeader(ByteReader& r, Header& h) {
  if (r.U8() != 'B' || r.U8() != 'M') Invalid();
  r.Skip(8);  // file size and two reserved words: often wrong, never needed
  const uint32_t pixelOffset = r.U32();
  const size_t infoStart = r.Pos();
  const uint32_t infoSize = r.U32();
  if (infoSize == 12) {
    h.width = r.U16();
    h.height = r.U16();
    r.Skip(2);  // planes
    h.bitCount = r.U16();
    if (h.bitCount <= 8) {
      const uint32_t full = 1u << h.bitCount;
      h.palette.resize(std::min<uint32_t>(full, static_cast<uint32_t>(r.Remaining() / 3)));
      for (auto& c : h.palette) {
        const auto e = r.Bytes(3);
        c = MakeColor(e[2], e[1], e[0]);
      }
    }
    return pixelOffset;
  }
  if (infoSize < 40) Invalid();
  h.width = r.I32();
  h.height = r.I32();
  r.Skip(2);
  h.bitCount = r.U16();
  h.compression = r.U32();
  r.Skip(12);  // image size, resolution
  const uint32_t colorsUsed = r.U32();
  r.Skip(4);
  if (h.compression == kBiBitfields) {
    // Masks sit inside the longer headers, or right after the 40-byte one.
    for (auto& m : h.masks) m = r.U32();
  }
  // Palette size: entries beyond the index range are stored but unused.
  if (infoSize > 40) r.Seek(infoStart + infoSize);
  if (h.bitCount <= 8) {
    const uint32_t full = 1u << h.bitCount;
    const uint32_t stored = colorsUsed == 0 ? full : colorsUsed;
    const uint32_t readable =
        std::min<uint32_t>({stored, full, static_cast<uint32_t>(r.Remaining() / 4)});
    h.palette.resize(readable);
    for (auto& c : h.palette) {
      const auto e = r.Bytes(4);
      c = MakeColor(e[2], e[1], e[0]);
    }
  }
  return pixelOffset;
}

// Depth and compression must go together, and the size be one we take.
void CheckFormat(const Header& h) {
  const int32_t bpp = h.bitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Invalid();
  switch (h.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
      if (bpp != 8 || h.height < 0) Invalid();
      break;
    case kBiRle4:
      if (bpp != 4 || h.height < 0) Invalid();
      break;
    case kBiBitfields:
      if (bpp != 16 && bpp != 32) Invalid();
      break;
    default:
      Invalid();
  }
  if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) Invalid();
  const int32_t height = h.height < 0 ? -h.height : h.height;
  if (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(height) > kMaxPixels) Invalid();
}

// The masks of 16- and 32-bit pixels: the file's own, or 5-5-5 and 8-8-8.
struct Channels {
  explicit Channels(const Header& h) : red(Mask(h, 0)), green(Mask(h, 1)), blue(Mask(h, 2)) {}
  static uint32_t Mask(const Header& h, int c) {
    if (h.compression == kBiBitfields) return h.masks[c];
    static constexpr uint32_t k16[3] = {0x7C00, 0x03E0, 0x001F};
    static constexpr uint32_t k32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    return h.bitCount == 32 ? k32[c] : k16[c];
  }
  TColor Of(uint32_t v) const { return MakeColor(red.Get(v), green.Get(v), blue.Get(v)); }
  Channel red, green, blue;
};

// One uncompressed row of the file into a row of the picture.
void DecodeRow(const Header& h, const Channels& ch, const uint8_t* src, TColor* dst) {
  switch (h.bitCount) {
    case 1:
      for (int32_t x = 0; x < h.width; ++x)
        dst[x] = PaletteColor(h, (src[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int32_t x = 0; x < h.width; ++x)
        dst[x] = PaletteColor(h, (x & 1) ? src[x >> 1] & 15 : src[x >> 1] >> 4);
      break;
    case 8:
      for (int32_t x = 0; x < h.width; ++x) dst[x] = PaletteColor(h, src[x]);
      break;
    case 16:
      for (int32_t x = 0; x < h.width; ++x) dst[x] = ch.Of(src[2 * x] | (src[2 * x + 1] << 8));
      break;
    case 24:
      for (int32_t x = 0; x < h.width; ++x)
        dst[x] = MakeColor(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
      break;
    case 32:
      for (int32_t x = 0; x < h.width; ++x)
        dst[x] = ch.Of(src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                       (static_cast<uint32_t>(src[4 * x + 3]) << 24));
      break;
  }
}

}  // namespace

Bitmap DecodeBmp(std::span<const uint8_t> bytes, uint16_t* bitCount) {
  ByteReader r(bytes, kBitmapNotValid);
  Header h;
  const uint32_t pixelOffset = ReadHeader(r, h);
  CheckFormat(h);
  const bool topDown = h.height < 0;
  const int32_t height = topDown ? -h.height : h.height;

  // Pixel data starts where the file header says; an offset of 0 means
  // "right after the palette".
  if (pixelOffset != 0) r.Seek(pixelOffset);

  const uint64_t stride = ((static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
  const uint64_t lastRowBytes = (static_cast<uint64_t>(h.width) * h.bitCount + 7) / 8;
  const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
  // Every row must be there; the last one may miss its padding.
  if (!rle && stride * (height - 1) + lastRowBytes > r.Remaining()) Invalid();

  if (bitCount) *bitCount = h.bitCount;
  if (rle) {
    Bitmap out(h.width, height, PaletteColor(h, 0));
    DecodeRle(r, h, out);
    return out;
  }
  Bitmap out(h.width, height);
  const uint8_t* base = bytes.data() + r.Pos();
  const Channels channels(h);
  for (int32_t fileRow = 0; fileRow < height; ++fileRow)
    DecodeRow(h, channels, base + stride * fileRow,
              out.Row(topDown ? fileRow : height - 1 - fileRow));
  return out;
}

std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap, int bitCount) {
  if (bitCount != 24 && bitCount != 8)
    throw std::invalid_argument("EncodeBmp: only 8 and 24 bits per pixel are written");
  const uint32_t w = static_cast<uint32_t>(bitmap.Width());
  const uint32_t h = static_cast<uint32_t>(bitmap.Height());
  std::vector<TColor> palette;
  if (bitCount == 8) {
    for (uint32_t y = 0; y < h; ++y) {
      const TColor* row = bitmap.Row(static_cast<int32_t>(y));
      palette.insert(palette.end(), row, row + w);
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.size() > 256)
      throw std::invalid_argument("EncodeBmp: more than 256 colours for an 8-bit picture");
  }
  const uint32_t bytesPerPixel = static_cast<uint32_t>(bitCount) / 8;
  const uint32_t stride = (w * bytesPerPixel + 3) & ~3u;
  const uint32_t pixelBytes = stride * h;
  const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  ByteWriter out;
  out.Text("BM");
  out.U32(offset + pixelBytes);
  out.U32(0);
  out.U32(offset);
  out.U32(40);
  out.I32(static_cast<int32_t>(w));
  out.I32(static_cast<int32_t>(h));
  out.U16(1);
  out.U16(static_cast<uint16_t>(bitCount));
  out.U32(kBiRgb);
  out.U32(pixelBytes);
  out.U32(2835);  // 72 dots per inch
  out.U32(2835);
  out.U32(static_cast<uint32_t>(palette.size()));  // colours used; 0 for 24 bits
  out.U32(0);
  for (TColor c : palette) {
    out.U8(BlueOf(c));
    out.U8(GreenOf(c));
    out.U8(RedOf(c));
    out.U8(0);
  }
  auto& data = out.Data();
  data.reserve(data.size() + pixelBytes);
  for (uint32_t fileRow = 0; fileRow < h; ++fileRow) {
    const TColor* src = bitmap.Row(static_cast<int32_t>(h - 1 - fileRow));
    for (uint32_t x = 0; x < w; ++x) {
      if (bitCount == 8) {
        const auto at = std::lower_bound(palette.begin(), palette.end(), src[x]);
        data.push_back(static_cast<uint8_t>(at - palette.begin()));
      } else {
        data.push_back(BlueOf(src[x]));
        data.push_back(GreenOf(src[x]));
        data.push_back(RedOf(src[x]));
      }
    }
    for (uint32_t p = w * bytesPerPixel; p < stride; ++p) data.push_back(0);
  }
  return std::move(out.Data());
}

Bitmap LoadBmpFile(const std::string& path) {
  return DecodeBmp(ReadFileBytes(path));
}

void SaveBmpFile(const std::string& path, const Bitmap& bitmap) {
  WriteFileBytes(path, EncodeBmp(bitmap));
}

}  // namespace quendrix
