#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>

#include <unistd.h>

#include "media/byte_io.h"
#include "media/list_file.h"
#include "media/media_error.h"
#include "test_bytes.h"

namespace quendrix {
namespace {

using test::Bytes;

// Value type bytes as they appear in files.
enum : uint8_t {
  kEnd = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kSet = 11,
  kLString = 12,
  kCollection = 14,
  kWString = 18,
  kUtf8String = 20,
};

// Resource header with the given name, stream signature, root object header.
Bytes Start(std::string_view resourceName = "TPICTURECOLLECTIONCOMPONENT",
            std::string_view rootClass = "TPictureCollectionComponent") {
  Bytes b;
  b.Raw({0xFF, 0x0A, 0x00}).Text(resourceName).U8(0).U16(0x1030).U32(0).Text("TPF0");
  b.Short(rootClass).Short("");
  return b;
}

// Ends the last item, the collection, the root's properties and its children.
Bytes& Finish(Bytes& b) {
  return b.U8(kEnd).U8(kEnd).U8(kEnd).U8(kEnd);
}

// A list whose single item holds one property written by `prop`.
std::vector<uint8_t> OneItemList(const std::function<void(Bytes&)>& prop,
                                 std::string_view rootClass = "TPictureCollectionComponent") {
  Bytes b = Start("X", rootClass);
  b.Short("List").U8(kCollection).U8(kList);
  prop(b);
  return Finish(b).Get();
}

std::vector<uint8_t> PictureData(const Bitmap& bmp) {
  const auto file = EncodeBmp(bmp);
  Bytes d;
  d.Short("TBitmap").U32(static_cast<uint32_t>(file.size())).Raw(file);
  return d.Get();
}

template <typename Item>
std::string LoadError(const std::vector<uint8_t>& bytes, std::vector<Item>& items) {
  try {
    if constexpr (std::is_same_v<Item, PictureItemData>) {
      ReadImageList(bytes, items);
    } else {
      ReadSoundList(bytes, items);
    }
  } catch (const MediaError& e) {
    return e.what();
  }
  return "no error";
}

std::string ImageError(const std::vector<uint8_t>& bytes) {
  std::vector<PictureItemData> items;
  return LoadError(bytes, items);
}

std::string SoundError(const std::vector<uint8_t>& bytes) {
  std::vector<WaveItemData> items;
  return LoadError(bytes, items);
}

Bitmap Checker(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, ((x + y) & 1) ? clWhite : MakeColor(x, y, 7));
  return b;
}

TEST(ReadImageList, ReadsEveryEncodingOfEveryItemProperty) {
  const Bitmap pic = Checker(3, 2);
  const std::vector<uint8_t> colorTable(1024, 0x5A);
  Bytes b = Start();
  b.Short("List").U8(kCollection);
  // Item 0: an order value first, integers of every size, booleans as
  // identifiers, a named colour.
  b.U8(kInt8).U8(0).U8(kList);
  b.Short("Name").U8(kString).Short("ball");
  b.Short("PatternHeight").U8(kInt8).U8(16);
  b.Short("PatternWidth").U8(kInt16).U16(300);
  b.Short("Picture.Data")
      .U8(kBinary)
      .U32(static_cast<uint32_t>(PictureData(pic).size()))
      .Raw(PictureData(pic));
  b.Short("SkipHeight").U8(kInt32).I32(-70000);
  b.Short("SkipWidth").U8(kInt8).U8(0xFE);  // -2
  b.Short("SystemMemory").U8(kIdent).Short("TRUE");
  b.Short("Transparent").U8(kIdent).Short("false");
  b.Short("TransparentColor").U8(kIdent).Short("clFuchsia");
  b.U8(kEnd);
  // Item 1: a long-string name, a colour as a number, order value as int16.
  b.U8(kInt16).U16(1).U8(kList);
  b.Short("Name").U8(kLString).U32(3).Text("two");
  b.Short("Transparent").U8(kFalse);
  b.Short("TransparentColor").U8(kInt32).U32(0x00123456);
  b.U8(kEnd);
  // Item 2: a wide-string name (Cyrillic), a system colour, nothing else.
  b.U8(kList);
  b.Short("name").U8(kWString).U32(3).Raw({0x1C, 0x04, 0x4F, 0x04, 0x47, 0x04});  // "Мяч"
  b.Short("TransparentColor").U8(kIdent).Short("clBtnFace");
  b.U8(kEnd);
  // Item 3: a UTF-8 name.
  b.U8(kList).Short("Name").U8(kUtf8String).U32(2).Raw({0xD0, 0xAF}).U8(kEnd);  // "Я"
  b.U8(kEnd);
  b.Short("List.ColorTable").U8(kBinary).U32(1024).Raw(colorTable);
  b.U8(kEnd).U8(kEnd);

  std::vector<PictureItemData> items;
  std::vector<uint8_t> table;
  ReadImageList(b.Get(), items, &table);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].name, "ball");
  EXPECT_EQ(items[0].patternHeight, 16);
  EXPECT_EQ(items[0].patternWidth, 300);
  EXPECT_EQ(items[0].skipHeight, -70000);
  EXPECT_EQ(items[0].skipWidth, -2);
  EXPECT_TRUE(items[0].systemMemory);
  EXPECT_FALSE(items[0].transparent);
  EXPECT_EQ(items[0].transparentColor, clFuchsia);
  EXPECT_EQ(items[0].picture, pic);
  EXPECT_EQ(items[1].name, "two");
  EXPECT_FALSE(items[1].transparent);
  EXPECT_EQ(items[1].transparentColor, 0x00123456u);
  EXPECT_TRUE(items[1].picture.Empty());
  EXPECT_EQ(items[2].name, "\xCC\xFF\xF7");
  EXPECT_EQ(items[2].transparentColor, 0x8000000Fu);
  // Missing properties keep their defaults: no gaps, colour key on.
  EXPECT_EQ(items[2].patternWidth, 0);
  EXPECT_EQ(items[2].skipWidth, 0);
  EXPECT_EQ(items[2].skipHeight, 0);
  EXPECT_TRUE(items[2].transparent);
  EXPECT_FALSE(items[2].systemMemory);
  EXPECT_EQ(items[3].name, "\xDF");
  EXPECT_EQ(table, colorTable);
}

TEST(ReadImageList, ResourceNamesOfAnyLengthAreSkipped) {
  for (size_t length : {0u, 1u, 75u, 76u, 77u, 300u}) {
    Bytes b = Start(std::string(length, 'N'));
    b.Short("List").U8(kCollection).U8(kList).Short("Name").U8(kString).Short("x");
    Finish(b);
    std::vector<PictureItemData> items;
    ASSERT_EQ(LoadError(b.Get(), items), "no error") << length;
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "x");
  }
}

TEST(ReadImageList, RootFlagPrefixWithChildPositionIsSkipped) {
  Bytes b;
  b.Raw({0xFF, 0x0A, 0x00}).U8(0).U16(0).U32(0).Text("TPF0");
  b.U8(0xF2).U8(kInt8).U8(5);  // flags: child position 5
  b.Short("TPictureCollectionComponent").Short("images");
  b.Short("List").U8(kCollection).U8(kList).U8(kEnd).U8(kEnd).U8(kEnd).U8(kEnd);
  std::vector<PictureItemData> items;
  ASSERT_EQ(LoadError(b.Get(), items), "no error");
  EXPECT_EQ(items.size(), 1u);
}

TEST(ReadImageList, ASecondNonEmptyListReplacesTheItemsAndAnEmptyOneDoesNot) {
  Bytes b = Start();
  b.Short("List").U8(kCollection).U8(kList).Short("Name").U8(kString).Short("a").U8(kEnd);
  b.U8(kList).Short("Name").U8(kString).Short("b").U8(kEnd).U8(kEnd);
  b.Short("List").U8(kCollection).U8(kList).Short("Name").U8(kString).Short("c").U8(kEnd).U8(kEnd);
  b.Short("List").U8(kCollection).U8(kEnd);
  b.U8(kEnd).U8(kEnd);
  std::vector<PictureItemData> items(5);
  ReadImageList(b.Get(), items);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "c");
}

TEST(ReadSoundList, ReadsItemsWithAndWithoutSound) {
  const Wave wave = Wave::FromPcm16(22050, 1, std::vector<int16_t>{1, 2, 3, -4});
  const auto wav = EncodeWave(wave);
  Bytes b = Start("TWAVECOLLECTIONCOMPONENT", "TWaveCollectionComponent");
  b.Short("List").U8(kCollection);
  b.U8(kList).Short("Name").U8(kString).Short("putt").Short("Looped").U8(kTrue);
  b.Short("MaxPlayingCount").U8(kInt16).U16(static_cast<uint16_t>(-5));
  b.Short("Wave.WAVE").U8(kBinary).U32(static_cast<uint32_t>(wav.size())).Raw(wav).U8(kEnd);
  b.U8(kList)
      .Short("Name")
      .U8(kString)
      .Short("silent")
      .Short("MaxPlayingCount")
      .U8(kInt8)
      .U8(3)
      .U8(kEnd);
  b.U8(kList).Short("wave.wave").U8(kBinary).U32(0);
  Finish(b);
  std::vector<WaveItemData> items;
  ReadSoundList(b.Get(), items);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].name, "putt");
  EXPECT_TRUE(items[0].looped);
  EXPECT_EQ(items[0].maxPlayingCount, 0);  // negative caps are stored as 0
  EXPECT_EQ(items[0].wave, wave);
  EXPECT_FALSE(items[1].looped);
  EXPECT_EQ(items[1].maxPlayingCount, 3);
  EXPECT_TRUE(items[1].wave.Empty());
  EXPECT_TRUE(items[2].wave.Empty());
}

TEST(ReadList, MalformedStreamsGiveTheirMessage) {
  const auto bmpData = PictureData(Checker(2, 2));
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* message;
  };
  auto prop = [](std::string_view name, std::function<void(Bytes&)> value) {
    return OneItemList([=](Bytes& b) {
      b.Short(name);
      value(b);
    });
  };
  Bytes wrongMarker;
  wrongMarker.Raw({0xFF, 0x0B, 0x00}).U8(0).U16(0).U32(0).Text("TPF0");
  Bytes wrongSignature;
  wrongSignature.Raw({0xFF, 0x0A, 0x00}).U8(0).U16(0).U32(0).Text("TPF1");
  Bytes noTerminator;
  noTerminator.Raw({0xFF, 0x0A, 0x00}).Text("NAME-WITHOUT-END");
  Bytes child = Start();
  child.Short("List")
      .U8(kCollection)
      .U8(kEnd)
      .U8(kEnd)
      .Short("TChild")
      .Short("c")
      .U8(kEnd)
      .U8(kEnd);
  Bytes rootUnknown = Start();
  rootUnknown.Short("Items").U8(kCollection).U8(kEnd).U8(kEnd).U8(kEnd);
  Bytes listAsList = Start();
  listAsList.Short("List").U8(kList).U8(kEnd).U8(kEnd).U8(kEnd);
  Bytes noItemStart = Start();
  noItemStart.Short("List").U8(kCollection).U8(kString).Short("x").U8(kEnd).U8(kEnd).U8(kEnd);
  Bytes badTable = Start();
  badTable.Short("List.Colors").U8(kBinary).U32(0).U8(kEnd).U8(kEnd);

  const std::vector<Case> cases = {
      {"marker", wrongMarker.Get(), kInvalidStreamFormat},
      {"signature", wrongSignature.Get(), kInvalidStreamFormat},
      {"name without its zero", noTerminator.Get(), kInvalidStreamFormat},
      {"empty file", {}, kInvalidStreamFormat},
      {"child object", child.Get(), kInvalidStreamFormat},
      {"root property", rootUnknown.Get(), kPropertyDoesNotExist},
      {"list sub-property", badTable.Get(), kPropertyDoesNotExist},
      {"list as a plain list", listAsList.Get(), kInvalidPropertyValue},
      {"item without list start", noItemStart.Get(), kInvalidPropertyValue},
      {"item property", prop("Colour", [](Bytes& b) { b.U8(kInt8).U8(1); }), kPropertyDoesNotExist},
      {"picture property", prop("Picture.Depth", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kPropertyDoesNotExist},
      {"empty last name", prop("Picture.", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kPropertyDoesNotExist},
      {"path through data", prop("Picture.Data.X", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kInvalidPropertyPath},
      {"path through a value", prop("Name.Text", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kInvalidPropertyPath},
      {"path through nothing", prop("Foo.Bar", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kInvalidPropertyPath},
      {"empty path part", prop("Picture..Data", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kInvalidPropertyPath},
      {"integer as string", prop("PatternWidth", [](Bytes& b) { b.U8(kString).Short("1"); }),
       kInvalidPropertyValue},
      {"integer as extended",
       prop("PatternWidth",
            [](Bytes& b) {
              b.U8(kExtended).Raw({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
            }),
       kInvalidPropertyValue},
      {"boolean as integer", prop("Transparent", [](Bytes& b) { b.U8(kInt8).U8(1); }),
       kInvalidPropertyValue},
      {"boolean as other name", prop("Transparent", [](Bytes& b) { b.U8(kIdent).Short("Yes"); }),
       kInvalidPropertyValue},
      {"unknown colour name",
       prop("TransparentColor", [](Bytes& b) { b.U8(kIdent).Short("clPink"); }),
       kInvalidPropertyValue},
      {"name as set", prop("Name", [](Bytes& b) { b.U8(kSet).Short("a").Short(""); }),
       kInvalidPropertyValue},
      {"object as value", prop("Picture", [](Bytes& b) { b.U8(kString).Short("x"); }),
       kInvalidPropertyValue},
      {"data not binary", prop("Picture.Data", [](Bytes& b) { b.U8(kString).Short("x"); }),
       kInvalidPropertyValue},
      {"unknown value type", prop("Name", [](Bytes& b) { b.U8(99); }), kInvalidPropertyValue},
      {"other graphic class",
       prop("Picture.Data", [](Bytes& b) { b.U8(kBinary).U32(15).Short("TJPEGImage").U32(0); }),
       kBitmapNotValid},
      {"bitmap garbage",
       prop("Picture.Data",
            [](Bytes& b) { b.U8(kBinary).U32(20).Short("TBitmap").U32(8).Text("NOTABMP!"); }),
       kBitmapNotValid},
      {"bitmap longer than its data",
       prop("Picture.Data",
            [&](Bytes& b) {
              auto d = bmpData;
              d[8] = 0xFF;  // inner byte count made huge
              b.U8(kBinary).U32(static_cast<uint32_t>(d.size())).Raw(d);
            }),
       kBitmapNotValid},
      {"binary count huge",
       prop("Picture.Data",
            [](Bytes& b) {
              b.U8(kBinary).U32(0x7FFFFFFF).Raw({1, 2});
            }),
       kInvalidStreamFormat},
      {"binary count negative",
       prop("Picture.Data", [](Bytes& b) { b.U8(kBinary).U32(0xFFFFFFFE); }), kInvalidStreamFormat},
      {"long string huge",
       prop("Name", [](Bytes& b) { b.U8(kLString).U32(0x7FFFFFFF).Text("ab"); }),
       kInvalidStreamFormat},
      {"wide string huge",
       prop("Name", [](Bytes& b) { b.U8(kWString).U32(0x40000001).Text("ab"); }),
       kInvalidStreamFormat},
  };
  for (const auto& c : cases) EXPECT_EQ(ImageError(c.bytes), c.message) << c.what;

  const char* sound = "TWaveCollectionComponent";
  EXPECT_EQ(SoundError(OneItemList(
                [](Bytes& b) { b.Short("Wave.WAVE").U8(kBinary).U32(4).Text("RIFX"); }, sound)),
            kWaveInvalid);
  EXPECT_EQ(
      SoundError(OneItemList([](Bytes& b) { b.Short("Wave.Data").U8(kBinary).U32(0); }, sound)),
      kPropertyDoesNotExist);
  EXPECT_EQ(
      SoundError(OneItemList([](Bytes& b) { b.Short("PatternWidth").U8(kInt8).U8(0); }, sound)),
      kPropertyDoesNotExist);
  Bytes soundTable = Start("X", sound);
  soundTable.Short("List.ColorTable").U8(kBinary).U32(0).U8(kEnd).U8(kEnd);
  EXPECT_EQ(SoundError(soundTable), kPropertyDoesNotExist);
}

TEST(ReadList, ItemsReadBeforeAnErrorStay) {
  Bytes b = Start();
  b.Short("List").U8(kCollection);
  b.U8(kList).Short("Name").U8(kString).Short("first").U8(kEnd);
  b.U8(kList).Short("Name").U8(kString).Short("second").Short("Bogus").U8(kInt8).U8(0);
  std::vector<PictureItemData> items;
  EXPECT_EQ(LoadError(b.Get(), items), kPropertyDoesNotExist);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, "first");
  EXPECT_EQ(items[1].name, "second");
}

// A run-length picture of w x h pixels whose data is only "end of picture":
// a few bytes that ask for the whole size.
std::vector<uint8_t> RunLengthPictureData(int32_t w, int32_t h) {
  Bytes bmp;
  bmp.Text("BM").U32(14 + 40 + 4 + 2).U32(0).U32(14 + 40 + 4).U32(40);
  bmp.I32(w).I32(h).U16(1).U16(8).U32(1).U32(2).U32(0).U32(0).U32(1).U32(0);
  bmp.Raw({10, 20, 30, 0}).Raw({0, 1});
  Bytes d;
  d.Short("TBitmap").U32(static_cast<uint32_t>(bmp.Size())).Raw(bmp.Get());
  return d.Get();
}

TEST(ReadList, PicturesOfOneListAreLimitedInTotal) {
  // Two pictures of the largest size fill the list's allowance; one more
  // pixel is refused, and that item keeps no picture.
  Bytes b = Start();
  b.Short("List").U8(kCollection);
  for (const int32_t side : {4096, 4096, 1}) {
    const auto data = RunLengthPictureData(side, side);
    b.U8(kList).Short("Picture.Data").U8(kBinary).U32(static_cast<uint32_t>(data.size()));
    b.Raw(data).U8(kEnd);
  }
  std::vector<PictureItemData> items;
  b.U8(kEnd).U8(kEnd).U8(kEnd);
  EXPECT_EQ(LoadError(b.Get(), items), kBitmapNotValid);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].picture.Width(), 4096);
  EXPECT_EQ(items[1].picture.Pixel(4095, 4095), MakeColor(30, 20, 10));
  EXPECT_TRUE(items[2].picture.Empty());
}

std::vector<PictureItemData> SamplePictures() {
  std::vector<PictureItemData> items(4);
  items[0].name = "gui panel";
  items[0].patternWidth = 24;
  items[0].patternHeight = 300;
  items[0].skipWidth = 2;
  items[0].skipHeight = -1;
  items[0].systemMemory = true;
  items[0].transparentColor = clFuchsia;
  items[0].picture = Checker(7, 5);
  items[1].name = std::string(300, 'L');  // longer than a short string
  items[1].transparent = false;
  items[1].transparentColor = 0x00ABCDEF;  // no name: written as a number
  items[1].picture = Checker(1, 1);
  items[1].bitCount = 8;  // a palette picture keeps its depth through a round trip
  items[2].name = "\xCC\xFF\xF7";
  items[2].transparentColor = 0x80000005;  // clWindow
  items[3].transparentColor = clNone;      // no picture at all
  items[3].patternWidth = -70000;
  return items;
}

std::vector<WaveItemData> SampleSounds() {
  std::vector<WaveItemData> items(3);
  items[0].name = "ambient";
  items[0].looped = true;
  items[0].wave = Wave::FromPcm16(22050, 1, std::vector<int16_t>{0, 100, -100, 32767});
  items[1].name = "putt";
  items[1].maxPlayingCount = 4;
  items[1].wave = Wave::FromPcm16(44100, 2, std::vector<int16_t>{});  // a format, no samples
  items[2].name = "nothing";
  return items;
}

TEST(ListWriter, ImageListsRoundTripExactly) {
  const auto items = SamplePictures();
  const std::vector<uint8_t> table(1024, 3);
  const auto bytes = EncodeImageList(items, table);
  EXPECT_EQ(bytes, EncodeImageList(items, table));  // deterministic
  std::vector<PictureItemData> back;
  std::vector<uint8_t> backTable;
  ReadImageList(bytes, back, &backTable);
  EXPECT_EQ(back, items);
  EXPECT_EQ(backTable, table);
}

TEST(ListWriter, SoundListsRoundTripExactly) {
  const auto items = SampleSounds();
  std::vector<WaveItemData> back;
  ReadSoundList(EncodeSoundList(items), back);
  EXPECT_EQ(back, items);
}

TEST(ListWriter, WritesTheResourceHeaderAndOmitsDefaultGaps) {
  std::vector<PictureItemData> items(1);
  items[0].picture = Checker(2, 2);
  const auto bytes = EncodeImageList(items);
  const std::string name = "TPICTURECOLLECTIONCOMPONENT";
  ASSERT_GT(bytes.size(), name.size() + 14);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0x0A);
  EXPECT_EQ(bytes[2], 0x00);
  EXPECT_EQ(std::string(bytes.begin() + 3, bytes.begin() + 3 + name.size()), name);
  const size_t sizeAt = 3 + name.size() + 1 + 2;
  const uint32_t size = bytes[sizeAt] | (bytes[sizeAt + 1] << 8) | (bytes[sizeAt + 2] << 16) |
                        (static_cast<uint32_t>(bytes[sizeAt + 3]) << 24);
  EXPECT_EQ(size, bytes.size() - sizeAt - 4);
  EXPECT_EQ(std::string(bytes.begin() + sizeAt + 4, bytes.begin() + sizeAt + 8), "TPF0");
  const std::string all(bytes.begin(), bytes.end());
  EXPECT_EQ(all.find("SkipWidth"), std::string::npos);
  EXPECT_EQ(all.find("SkipHeight"), std::string::npos);
  EXPECT_NE(all.find("Transparent"), std::string::npos);
}

// Every proper prefix of a valid file is "Invalid stream format", and any
// single corrupted byte either loads or gives one of the six messages.
template <typename Item>
void CheckMalformedVariants(const std::vector<uint8_t>& good) {
  const std::set<std::string> known = {kInvalidStreamFormat,
                                       kPropertyDoesNotExist,
                                       kInvalidPropertyValue,
                                       kInvalidPropertyPath,
                                       kBitmapNotValid,
                                       kWaveInvalid,
                                       "no error"};
  std::vector<Item> items;
  ASSERT_EQ(LoadError(good, items), "no error");
  for (size_t n = 0; n < good.size(); ++n) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + n);
    ASSERT_EQ(LoadError(cut, items), kInvalidStreamFormat) << "cut at " << n;
  }
  for (size_t i = 0; i < good.size(); ++i) {
    for (uint8_t v : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
      auto bad = good;
      bad[i] = v;
      EXPECT_TRUE(known.count(LoadError(bad, items))) << "byte " << i;
    }
  }
}

TEST(ReadList, CutOrCorruptedFilesFailCleanly) {
  std::vector<PictureItemData> pictures(2);
  pictures[0].name = "p";
  pictures[0].picture = Checker(2, 2);
  pictures[1].skipWidth = 1;
  CheckMalformedVariants<PictureItemData>(EncodeImageList(pictures));
  std::vector<WaveItemData> sounds(2);
  sounds[0].name = "s";
  sounds[0].wave = Wave::FromPcm16(8000, 1, std::vector<int16_t>{1, -1});
  CheckMalformedVariants<WaveItemData>(EncodeSoundList(sounds));
}

TEST(ListFiles, WriteAndLoadThroughTheFileSystem) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quendrix_list_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string dxg = (dir / "t.dxg").string(), dxw = (dir / "t.dxw").string();
  WriteImageListFile(dxg, SamplePictures());
  WriteSoundListFile(dxw, SampleSounds());
  std::vector<PictureItemData> pictures;
  std::vector<WaveItemData> sounds;
  LoadImageListFile(dxg, pictures);
  LoadSoundListFile(dxw, sounds);
  EXPECT_EQ(pictures, SamplePictures());
  EXPECT_EQ(sounds, SampleSounds());
  // A sound list is not an image list: its item properties are unknown.
  EXPECT_THROW(LoadImageListFile(dxw, pictures), MediaError);
  EXPECT_THROW(LoadImageListFile((dir / "missing.dxg").string(), pictures), FileError);
  EXPECT_THROW(WriteImageListFile((dir / "no" / "such" / "dir.dxg").string(), pictures), FileError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quendrix
