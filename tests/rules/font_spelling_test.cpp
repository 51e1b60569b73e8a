// Player names come from the launch pad in cp1251, often Russian. The fonts
// hold Latin codes drawn as Russian-looking letters, so a name is spelled in
// those codes before it is drawn.
#include <gtest/gtest.h>

#include "assetgen/fonts.h"
#include "core/cp1251.h"
#include "game/font_text.h"

namespace quendrix {
namespace {

std::string Spelled(std::string_view utf8, size_t maxChars = 99) {
  std::string out;
  AppendFontName(out, Utf8ToCp1251(utf8), maxChars);
  return out;
}

TEST(FontSpelling, RussianNamesBecomeTheCodesThatShowThem) {
  EXPECT_EQ(Spelled("Игрок  1"), "NFP0K  1");
  EXPECT_EQ(Spelled("Пётр"), "YETP");
  EXPECT_EQ(Spelled("ЩУКА"), "WJKA");
  EXPECT_EQ(Spelled("Крылов"), "KPLIV0B");
  EXPECT_EQ(Spelled("Цой"),
            "\xD6"
            "0N");
  EXPECT_EQ(Spelled("Жора Чижов"), "G0PA 4NG0B");
  EXPECT_EQ(Spelled("Юля"), "I0VR");
  EXPECT_EQ(Spelled("Эдуард Шуфутинский"), "ZDJAPD UJOJTNHCKNN");
  EXPECT_EQ(Spelled("Съезд Зубов"), "CLE3D 3JS0B");
}

TEST(FontSpelling, LatinNamesAreOnlyUpperCased) {
  EXPECT_EQ(Spelled("Bob"), "BOB");
  EXPECT_EQ(Spelled("anna-t 2"), "ANNA-T 2");
  EXPECT_EQ(Spelled("Q.W.E?"), "Q.W.E?");
}

TEST(FontSpelling, TheLimitCountsTheNamesOwnCharacters) {
  EXPECT_EQ(Spelled("Рыбаков", 3), "PLIS");  // Р Ы Б: Ы takes two cells
  EXPECT_EQ(Spelled("Игрок  1", 0), "");
  EXPECT_EQ(Spelled("Ann", 17), "ANN");
}

TEST(FontSpelling, NoRussianLetterFallsIntoABlankCell) {
  std::array<char, 2> scratch{};
  for (int c = 0xC0; c <= 0xFF; ++c) {
    const std::string_view spelled = FontSpelling(static_cast<unsigned char>(c), scratch);
    ASSERT_FALSE(spelled.empty()) << c;
    for (const char code : spelled)
      EXPECT_NE(FontCell(static_cast<unsigned char>(code)), 30) << "byte " << c;
  }
  for (const unsigned char c : {0xA8, 0xB8, 0xB2, 0xB3}) {  // Ё ё І і
    EXPECT_NE(FontCell(static_cast<unsigned char>(FontSpelling(c, scratch)[0])), 30) << int{c};
  }
}

// The generated fonts draw each code as a Russian letter; a spelled name
// must read as the upper-cased name (letters without a cell of their own,
// Й Ъ Ы Ю, read as their nearest look-alikes and are left out here).
TEST(FontSpelling, TheGeneratedFontsReadTheNameBack) {
  const char* names[] = {"Игрок  1",    "Пётр Фёдоров", "Щукина Жанна", "Цветаев Эдуард",
                         "Вася Пупкин", "Ольга Чехова", "Злата Ляхова", "Харитон Мишин"};
  for (const char* name : names) {
    std::string expected;
    for (const char c : Utf8ToCp1251(name)) expected += Cp1251Upper(c);
    expected = Cp1251ToUtf8(expected);
    // Ё is drawn as Е.
    for (size_t at; (at = expected.find("Ё")) != std::string::npos;) expected.replace(at, 2, "Е");
    EXPECT_EQ(assetgen::ReadsAs(Spelled(name)), expected) << name;
  }
}

}  // namespace
}  // namespace quendrix
