// The list-file container: resource header, "TPF0" object stream, items.
#include "media/list_file.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <string_view>

#include "core/cp1251.h"
#include "media/byte_io.h"

namespace quendrix {

namespace {

// Value type bytes of the object stream; stored in files, never renumber.
enum ValueType : uint8_t {
  kVaNull = 0,  // end of list
  kVaList = 1,
  kVaInt8 = 2,
  kVaInt16 = 3,
  kVaInt32 = 4,
  kVaExtended = 5,
  kVaString = 6,
  kVaIdent = 7,
  kVaFalse = 8,
  kVaTrue = 9,
  kVaBinary = 10,
  kVaSet = 11,
  kVaLString = 12,
  kVaNil = 13,
  kVaCollection = 14,
  kVaWString = 18,
  kVaUtf8String = 20,
};

constexpr uint8_t kResourceMarker[3] = {0xFF, 0x0A, 0x00};
constexpr uint16_t kResourceFlags = 0x1030;  // moveable, pure, discardable
constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr const char* kImageRootClass = "TPictureCollectionComponent";
constexpr const char* kSoundRootClass = "TWaveCollectionComponent";

// The pictures of one list together hold at most this many pixels (two
// pictures of the largest size a bitmap may have). Run-length data lets a
// few bytes ask for millions of pixels, so without a total a small file
// could make the game allocate gigabytes; past it the list is refused.
constexpr uint64_t kMaxListPixels = uint64_t{1} << 25;

[[noreturn]] void Raise(const char* message) {
  throw MediaError(message);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// UTF-16 little-endian -> UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  const size_t n = bytes.size() / 2;
  auto unit = [&](size_t i) -> char32_t { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
  for (size_t i = 0; i < n; ++i) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// Reads typed values of the object stream. Running out of bytes is "Invalid
// stream format"; a value whose type does not fit its property is "Invalid
// property value".
class StreamReader : public ByteReader {
 public:
  explicit StreamReader(std::span<const uint8_t> data) : ByteReader(data, kInvalidStreamFormat) {}

  // A byte count or character count: negative counts cannot be honoured.
  size_t Count() {
    const int32_t n = I32();
    if (n < 0) Raise(kInvalidStreamFormat);
    return static_cast<size_t>(n);
  }

  int32_t Integer() {
    switch (U8()) {
      case kVaInt8:
        return static_cast<int8_t>(U8());
      case kVaInt16:
        return I16();
      case kVaInt32:
        return I32();
      default:
        Raise(kInvalidPropertyValue);
    }
  }

  std::string Text() {
    switch (U8()) {
      case kVaString:
        return ShortString();
      case kVaLString:
        return String(Count());
      case kVaWString: {
        const size_t chars = Count();
        if (chars > Remaining() / 2) Raise(kInvalidStreamFormat);
        return Utf8ToCp1251(Utf16ToUtf8(Bytes(chars * 2)));
      }
      case kVaUtf8String:
        return Utf8ToCp1251(String(Count()));
      default:
        Raise(kInvalidPropertyValue);
    }
  }

  bool Boolean() {
    switch (U8()) {
      case kVaFalse:
        return false;
      case kVaTrue:
        return true;
      case kVaIdent: {
        const std::string id = ShortString();
        if (SameName(id, "False")) return false;
        if (SameName(id, "True")) return true;
        Raise(kInvalidPropertyValue);
      }
      default:
        Raise(kInvalidPropertyValue);
    }
  }

  TColor Color() {
    if (PeekU8() == kVaIdent) {
      U8();
      const auto c = ColorFromName(ShortString());
      if (!c) Raise(kInvalidPropertyValue);
      return *c;
    }
    return static_cast<TColor>(Integer());
  }

  std::span<const uint8_t> Binary() {
    if (U8() != kVaBinary) Raise(kInvalidPropertyValue);
    return Bytes(Count());
  }

  // Name of the next property, or nullopt at the end-of-list byte (consumed).
  std::optional<std::string> PropertyName() {
    if (PeekU8() == kVaNull) {
      U8();
      return std::nullopt;
    }
    return ShortString();
  }

  // Counts a decoded picture against the list's total.
  void TakePixels(const Bitmap& picture) {
    pixels_ += static_cast<uint64_t>(picture.Width()) * static_cast<uint64_t>(picture.Height());
    if (pixels_ > kMaxListPixels) Raise(kBitmapNotValid);
  }

 private:
  uint64_t pixels_ = 0;
};

// Objects a dotted property path can walk through.
enum class Obj { kNone, kRoot, kList, kPictureItem, kPicture, kWaveItem, kWave };

Obj SubObject(Obj parent, std::string_view name) {
  switch (parent) {
    case Obj::kRoot:
      return SameName(name, "List") ? Obj::kList : Obj::kNone;
    case Obj::kPictureItem:
      return SameName(name, "Picture") ? Obj::kPicture : Obj::kNone;
    case Obj::kWaveItem:
      return SameName(name, "Wave") ? Obj::kWave : Obj::kNone;
    default:
      return Obj::kNone;
  }
}

// Walks the dotted part of `path` from `start`; returns the object that owns
// the last name and sets `leaf` to that name.
Obj Resolve(Obj start, std::string_view path, std::string_view& leaf) {
  Obj obj = start;
  size_t begin = 0;
  for (;;) {
    const size_t dot = path.find('.', begin);
    if (dot == std::string_view::npos) break;
    obj = SubObject(obj, path.substr(begin, dot - begin));
    if (obj == Obj::kNone) Raise(kInvalidPropertyPath);
    begin = dot + 1;
  }
  leaf = path.substr(begin);
  return obj;
}

// Picture.Data: the graphic's class name, then for a bitmap an int32 byte
// count and a BMP file.
void ReadPictureData(std::span<const uint8_t> data, PictureItemData& item) {
  ByteReader r(data, kBitmapNotValid);
  item.picture = Bitmap{};
  item.bitCount = 24;
  const std::string className = r.ShortString();
  if (className.empty()) return;
  if (className != "TBitmap") Raise(kBitmapNotValid);
  const int32_t size = r.I32();
  if (size < 0) Raise(kBitmapNotValid);
  if (size == 0) return;
  uint16_t bits = 24;
  item.picture = DecodeBmp(r.Bytes(static_cast<size_t>(size)), &bits);
  item.bitCount = bits <= 8 ? 8 : 24;
}

void ReadPictureProperty(StreamReader& r, std::string_view path, PictureItemData& item) {
  std::string_view leaf;
  const Obj obj = Resolve(Obj::kPictureItem, path, leaf);
  if (obj == Obj::kPicture) {
    if (!SameName(leaf, "Data")) Raise(kPropertyDoesNotExist);
    PictureItemData decoded;
    ReadPictureData(r.Binary(), decoded);
    r.TakePixels(decoded.picture);  // past the total the item keeps the picture it had
    item.picture = std::move(decoded.picture);
    item.bitCount = decoded.bitCount;
  } else if (SameName(leaf, "Name")) {
    item.name = r.Text();
  } else if (SameName(leaf, "PatternWidth")) {
    item.patternWidth = r.Integer();
  } else if (SameName(leaf, "PatternHeight")) {
    item.patternHeight = r.Integer();
  } else if (SameName(leaf, "SkipWidth")) {
    item.skipWidth = r.Integer();
  } else if (SameName(leaf, "SkipHeight")) {
    item.skipHeight = r.Integer();
  } else if (SameName(leaf, "SystemMemory")) {
    item.systemMemory = r.Boolean();
  } else if (SameName(leaf, "Transparent")) {
    item.transparent = r.Boolean();
  } else if (SameName(leaf, "TransparentColor")) {
    item.transparentColor = r.Color();
  } else if (SameName(leaf, "Picture")) {
    Raise(kInvalidPropertyValue);  // an object, not a value
  } else {
    Raise(kPropertyDoesNotExist);
  }
}

void ReadWaveProperty(StreamReader& r, std::string_view path, WaveItemData& item) {
  std::string_view leaf;
  const Obj obj = Resolve(Obj::kWaveItem, path, leaf);
  if (obj == Obj::kWave) {
    if (!SameName(leaf, "WAVE")) Raise(kPropertyDoesNotExist);
    const auto data = r.Binary();
    item.wave = data.empty() ? Wave{} : DecodeWave(data);
  } else if (SameName(leaf, "Name")) {
    item.name = r.Text();
  } else if (SameName(leaf, "Looped")) {
    item.looped = r.Boolean();
  } else if (SameName(leaf, "MaxPlayingCount")) {
    item.maxPlayingCount = std::max(r.Integer(), 0);
  } else if (SameName(leaf, "Wave")) {
    Raise(kInvalidPropertyValue);
  } else {
    Raise(kPropertyDoesNotExist);
  }
}

// Skips the resource header and checks the stream signature.
void ReadHeader(StreamReader& r) {
  const auto marker = r.Bytes(3);
  if (!std::equal(marker.begin(), marker.end(), kResourceMarker)) Raise(kInvalidStreamFormat);
  // The name may be any length: look for its terminating zero in the whole
  // file, not only in the first bytes.
  size_t nameLength = 0;
  while (r.U8() != 0) ++nameLength;
  r.Seek(nameLength + 10);  // marker 3 + name + zero + flags 2 + data size 4
  const auto signature = r.Bytes(4);
  if (!std::equal(signature.begin(), signature.end(), kSignature)) Raise(kInvalidStreamFormat);
}

// Reads one object stream. `isImage` picks the item kind; `addItem` appends an
// empty item and `readItemProperty` sets one property of the newest item.
template <typename Item, typename ReadProperty>
void ReadList(std::span<const uint8_t> file, std::vector<Item>& items, bool isImage,
              std::vector<uint8_t>* colorTable, ReadProperty readProperty) {
  items.clear();
  if (colorTable) colorTable->clear();
  StreamReader r(file);
  ReadHeader(r);

  // Optional prefix of flags (0xF0 | flags); with "child position" an integer follows.
  if ((r.PeekU8() & 0xF0) == 0xF0) {
    const uint8_t flags = r.U8() & 0x0F;
    if (flags & 0x02) r.Integer();
  }
  r.ShortString();  // class name: the list itself plays the root's part
  r.ShortString();  // object name

  while (auto name = r.PropertyName()) {
    std::string_view leaf;
    const Obj obj = Resolve(Obj::kRoot, *name, leaf);
    if (obj == Obj::kList) {
      if (!isImage || !SameName(leaf, "ColorTable")) Raise(kPropertyDoesNotExist);
      const auto table = r.Binary();
      if (colorTable) colorTable->assign(table.begin(), table.end());
    } else if (SameName(leaf, "List")) {
      if (r.U8() != kVaCollection) Raise(kInvalidPropertyValue);
      bool first = true;
      while (r.PeekU8() != kVaNull) {
        if (first) items.clear();  // a non-empty collection replaces the items
        first = false;
        const uint8_t t = r.PeekU8();
        if (t == kVaInt8 || t == kVaInt16 || t == kVaInt32) r.Integer();  // order, ignored
        items.emplace_back();
        if (r.U8() != kVaList) Raise(kInvalidPropertyValue);
        while (auto prop = r.PropertyName()) readProperty(r, *prop, items.back());
      }
      r.U8();
    } else {
      Raise(kPropertyDoesNotExist);
    }
  }
  // Child objects: list files have none.
  if (r.U8() != kVaNull) Raise(kInvalidStreamFormat);
}

// ---- Writing ---------------------------------------------------------------

class StreamWriter : public ByteWriter {
 public:
  void ShortString(std::string_view s) {
    U8(static_cast<uint8_t>(s.size()));
    Text(s);
  }
  void PropertyName(std::string_view name) { ShortString(name); }
  // The smallest integer type that holds the value.
  void Integer(int32_t v) {
    if (v >= -128 && v <= 127) {
      U8(kVaInt8);
      U8(static_cast<uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
      U8(kVaInt16);
      U16(static_cast<uint16_t>(v));
    } else {
      U8(kVaInt32);
      I32(v);
    }
  }
  void String(std::string_view s) {
    if (s.size() <= 255) {
      U8(kVaString);
      ShortString(s);
    } else {
      U8(kVaLString);
      I32(static_cast<int32_t>(s.size()));
      Text(s);
    }
  }
  void Boolean(bool v) { U8(v ? kVaTrue : kVaFalse); }
  void Color(TColor c) {
    if (const auto name = NameOfColor(c)) {
      U8(kVaIdent);
      ShortString(*name);
    } else {
      Integer(static_cast<int32_t>(c));
    }
  }
  void Binary(std::span<const uint8_t> bytes) {
    U8(kVaBinary);
    I32(static_cast<int32_t>(bytes.size()));
    Bytes(bytes);
  }
};

void CheckFits(size_t bytes) {
  if (bytes > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw MediaError("List item too large to write");
}

// Header, signature and root object around the items written by `writeItems`.
template <typename WriteItems>
std::vector<uint8_t> EncodeList(const char* rootClass, WriteItems writeItems) {
  StreamWriter w;
  w.Bytes(kResourceMarker);
  std::string resourceName(rootClass);
  for (char& c : resourceName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  w.Text(resourceName);
  w.U8(0);
  w.U16(kResourceFlags);
  const size_t sizeAt = w.Size();
  w.U32(0);
  const size_t streamStart = w.Size();
  w.Bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(kSignature), 4));
  w.ShortString(rootClass);
  w.ShortString("");
  writeItems(w);
  w.U8(kVaNull);  // end of the root's properties
  w.U8(kVaNull);  // no children
  CheckFits(w.Size() - streamStart);
  w.PatchU32(sizeAt, static_cast<uint32_t>(w.Size() - streamStart));
  return std::move(w.Data());
}

}  // namespace

void ReadImageList(std::span<const uint8_t> file, std::vector<PictureItemData>& items,
                   std::vector<uint8_t>* colorTable) {
  ReadList(file, items, true, colorTable, ReadPictureProperty);
}

void ReadSoundList(std::span<const uint8_t> file, std::vector<WaveItemData>& items) {
  ReadList(file, items, false, nullptr, ReadWaveProperty);
}

void LoadImageListFile(const std::string& path, std::vector<PictureItemData>& items) {
  const auto bytes = ReadFileBytes(path);
  ReadImageList(bytes, items);
}

void LoadSoundListFile(const std::string& path, std::vector<WaveItemData>& items) {
  const auto bytes = ReadFileBytes(path);
  ReadSoundList(bytes, items);
}

int32_t OverlayImageItems(std::vector<PictureItemData>& items,
                          std::vector<PictureItemData>&& overlay) {
  int32_t replaced = 0;
  for (PictureItemData& item : overlay) {
    for (PictureItemData& shared : items) {
      if (shared.name != item.name) continue;
      shared = std::move(item);
      ++replaced;
      break;
    }
  }
  return replaced;
}

std::vector<uint8_t> EncodeImageList(std::span<const PictureItemData> items,
                                     std::span<const uint8_t> colorTable) {
  return EncodeList(kImageRootClass, [&](StreamWriter& w) {
    w.PropertyName("List");
    w.U8(kVaCollection);
    for (const auto& item : items) {
      w.U8(kVaList);
      w.PropertyName("Name");
      w.String(item.name);
      w.PropertyName("PatternHeight");
      w.Integer(item.patternHeight);
      w.PropertyName("PatternWidth");
      w.Integer(item.patternWidth);
      if (!item.picture.Empty()) {
        const auto bmp = EncodeBmp(item.picture, item.bitCount == 8 ? 8 : 24);
        CheckFits(bmp.size() + 16);
        StreamWriter data;
        data.ShortString("TBitmap");
        data.I32(static_cast<int32_t>(bmp.size()));
        data.Bytes(bmp);
        w.PropertyName("Picture.Data");
        w.Binary(data.Data());
      }
      if (item.skipHeight != 0) {
        w.PropertyName("SkipHeight");
        w.Integer(item.skipHeight);
      }
      if (item.skipWidth != 0) {
        w.PropertyName("SkipWidth");
        w.Integer(item.skipWidth);
      }
      w.PropertyName("SystemMemory");
      w.Boolean(item.systemMemory);
      w.PropertyName("Transparent");
      w.Boolean(item.transparent);
      w.PropertyName("TransparentColor");
      w.Color(item.transparentColor);
      w.U8(kVaNull);
    }
    w.U8(kVaNull);
    if (!colorTable.empty()) {
      w.PropertyName("List.ColorTable");
      w.Binary(colorTable);
    }
  });
}

std::vector<uint8_t> EncodeSoundList(std::span<const WaveItemData> items) {
  return EncodeList(kSoundRootClass, [&](StreamWriter& w) {
    w.PropertyName("List");
    w.U8(kVaCollection);
    for (const auto& item : items) {
      w.U8(kVaList);
      w.PropertyName("Name");
      w.String(item.name);
      w.PropertyName("Looped");
      w.Boolean(item.looped);
      w.PropertyName("MaxPlayingCount");
      w.Integer(std::max(item.maxPlayingCount, 0));
      if (item.wave.formatTag != 0) {
        const auto wav = EncodeWave(item.wave);
        CheckFits(wav.size());
        w.PropertyName("Wave.WAVE");
        w.Binary(wav);
      }
      w.U8(kVaNull);
    }
    w.U8(kVaNull);
  });
}

void WriteImageListFile(const std::string& path, std::span<const PictureItemData> items) {
  WriteFileBytes(path, EncodeImageList(items));
}

void WriteSoundListFile(const std::string& path, std::span<const WaveItemData> items) {
  WriteFileBytes(path, EncodeSoundList(items));
}

}  // namespace quendrix
