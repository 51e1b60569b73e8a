#include "core/cp1251.h"

#include <gtest/gtest.h>

namespace quendrix {
namespace {

TEST(Cp1251, RoundTripsEveryByteButTheUnassignedOne) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    if (b != 0x98) all += static_cast<char>(b);
  }
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, RussianTextConvertsBothWays) {
  const std::string course = "\xCA\xEE\xF0\xF2  ";  // "Корт" and two spaces
  EXPECT_EQ(Cp1251ToUtf8(course), "Корт  ");
  EXPECT_EQ(Utf8ToCp1251("Корт  "), course);
  EXPECT_EQ(Utf8ToCp1251("Игрок  1"), "\xC8\xE3\xF0\xEE\xEA  1");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8"), "Ёё");
}

TEST(Cp1251, UnmappableAndMalformedInputBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");       // truncated sequence at the end
  EXPECT_EQ(Utf8ToCp1251("\xFF\xFEx"), "??x");   // bytes no UTF-8 starts with
  EXPECT_EQ(Utf8ToCp1251("\xD0x"), "?x");        // lead byte without continuation
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80"), "?");  // emoji outside the code page
}

TEST(Cp1251, UpperCase) {
  EXPECT_EQ(Cp1251Upper('a'), 'A');
  EXPECT_EQ(Cp1251Upper('Z'), 'Z');
  EXPECT_EQ(Cp1251Upper('\xE8'), '\xC8');  // и -> И
  EXPECT_EQ(Cp1251Upper('\xFF'), '\xDF');  // я -> Я
  EXPECT_EQ(Cp1251Upper('\xB8'), '\xA8');  // ё -> Ё
  EXPECT_EQ(Cp1251Upper('1'), '1');
}

}  // namespace
}  // namespace quendrix
