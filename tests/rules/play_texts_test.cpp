#include "game/play_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "core/program_folder.h"
#include "game/font_text.h"
#include "game/hud.h"
#include "game/scoring.h"

namespace quendrix {
namespace {

class PlayTexts : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override { SetLanguage(GetParam(), LocaleDirFor(ExecutableFolder())); }
  void TearDown() override { SetLanguage(Language::kRussian); }
};

bool Blank(char c) {
  return c == ' ' || c == '\0';
}

// Every text the play screen draws, as this language draws it: translated
// (a Russian code string would read as Latin gibberish), and every letter
// a cell of this language's font (and of its banner font), none a blank
// standing in for a letter the font lacks.
TEST_P(PlayTexts, EveryTextIsTranslatedIntoCellsOfTheLanguagesFont) {
  const std::string_view map = FontMapOf(GetParam());
  for (const PlayTextSource& source : PlayTextSources()) {
    const std::string_view text = Text(source.id);
    SCOPED_TRACE(source.msgid);
    EXPECT_TRUE(HasTranslation(source.msgid));
    EXPECT_NE(text, source.stored);
    for (const char c : text) {
      if (Blank(c)) continue;
      EXPECT_NE(map.find(c), std::string_view::npos) << "no cell for '" << c << "'";
      EXPECT_NE(BlockCell(static_cast<unsigned char>(c)), 0) << "no banner cell for '" << c << "'";
    }
  }
}

// Words that fit their places: a hint on the panel's line (27 cells from
// x = 122 to the line's end at 289), a banner across a 640-pixel screen
// (23 pixels a letter).
TEST_P(PlayTexts, HintsAndBannersFitTheirPlaces) {
  for (PlayText hint :
       {PlayText::kHintRepeat, PlayText::kHintPuttStyle, PlayText::kHintSound, PlayText::kHintHelp,
        PlayText::kHintRecentre, PlayText::kHintScoreCard, PlayText::kHintClose})
    EXPECT_LE(Text(hint).size(), 27u) << Text(hint);
  for (PlayText banner : {PlayText::kQuitQuestion, PlayText::kStrokeLimit, PlayText::kHoleInOne,
                          PlayText::kPenaltyBanner, PlayText::kEagle, PlayText::kBirdie,
                          PlayText::kPar, PlayText::kBogey, PlayText::kDoubleBogey,
                          PlayText::kTripleBogey, PlayText::kHoled, PlayText::kOneMoreStroke})
    EXPECT_LE(23 * Text(banner).size(), 640u) << Text(banner);
}

// A saved Russian name shows in the Latin letters of the font, whole.
TEST_P(PlayTexts, RussianNamesAreSpeltInTheLanguagesLetters) {
  std::string label;
  AppendFontName(label, "\xC8\xE3\xF0\xEE\xEA \xDE\xEB\xFF", 20);  // Игрок Юля
  EXPECT_EQ(label, "IGROK YULYA");
  label.clear();
  AppendFontName(label, "Bob", 20);
  EXPECT_EQ(label, "BOB");
}

INSTANTIATE_TEST_SUITE_P(Languages, PlayTexts,
                         ::testing::Values(Language::kEnglish, Language::kGerman),
                         [](const auto& language) {
                           return std::string(LanguageCode(language.param));
                         });

// Russian draws the stored texts themselves, blanks and NULs included.
TEST(PlayTextsInRussian, AreTheStoredTexts) {
  for (const PlayTextSource& source : PlayTextSources()) EXPECT_EQ(Text(source.id), source.stored);
  EXPECT_STREQ(HoleOutBanner(1, 3), kBannerHoleInOne);
}

// German capitals: ß has none, so it is written SS; the blanks around the
// stored text stay.
TEST(PlayTextFor, UpperCasesInCp1252AndKeepsTheBlanks) {
  EXPECT_EQ(PlayTextFor(Language::kGerman, "  JDAP ", "Straße über", false),
            "  STRASSE \xDC"
            "BER ");
  EXPECT_EQ(PlayTextFor(Language::kEnglish, "NT0F  -     ", "final -", true), "FINAL - ");
  EXPECT_EQ(PlayTextFor(Language::kRussian, "  JDAP ", "ignored", false), "  JDAP ");
}

}  // namespace
}  // namespace quendrix
