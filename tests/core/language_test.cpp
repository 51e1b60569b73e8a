#include "core/language.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/cp1251.h"
#include "core/program_folder.h"

namespace quendrix {
namespace {

struct EnvironmentCase {
  std::map<std::string, std::string> variables;
  Language expected;
};

class ChoosingTheLanguage : public ::testing::TestWithParam<EnvironmentCase> {};

// The variables in their order of precedence, the C locale as Russian, and
// English for a language without a translation.
TEST_P(ChoosingTheLanguage, FollowsTheLocaleVariablesInTheirOrder) {
  const EnvironmentCase& c = GetParam();
  const Language chosen = LanguageFromEnvironment([&](const char* name) -> const char* {
    const auto it = c.variables.find(name);
    return it == c.variables.end() ? nullptr : it->second.c_str();
  });
  EXPECT_EQ(chosen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ChoosingTheLanguage,
    ::testing::Values(
        EnvironmentCase{{}, Language::kRussian},
        EnvironmentCase{{{"LANG", "C"}}, Language::kRussian},
        EnvironmentCase{{{"LANG", "C.UTF-8"}}, Language::kRussian},
        EnvironmentCase{{{"LANG", "POSIX"}}, Language::kRussian},
        EnvironmentCase{{{"LANG", "ru_RU.UTF-8"}}, Language::kRussian},
        EnvironmentCase{{{"LANG", "en_US.UTF-8"}}, Language::kEnglish},
        EnvironmentCase{{{"LANG", "de_DE.UTF-8"}}, Language::kGerman},
        EnvironmentCase{{{"LANG", "de_AT@euro"}}, Language::kGerman},
        EnvironmentCase{{{"LANG", "fr_FR.UTF-8"}}, Language::kEnglish},
        EnvironmentCase{{{"LC_MESSAGES", "de_DE.UTF-8"}, {"LANG", "en_US.UTF-8"}},
                        Language::kGerman},
        EnvironmentCase{{{"LC_ALL", "C"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "de_DE"}},
                        Language::kRussian},
        EnvironmentCase{{{"LANGUAGE", "de"}, {"LANG", "C.UTF-8"}}, Language::kGerman},
        EnvironmentCase{{{"LANGUAGE", "fr:de"}, {"LANG", "en_US"}}, Language::kGerman},
        EnvironmentCase{{{"LANGUAGE", "fr"}, {"LANG", "ru_RU"}}, Language::kEnglish},
        EnvironmentCase{{{"LANGUAGE", "ru:en"}}, Language::kRussian},
        EnvironmentCase{{{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "de_CH.UTF-8"}},
                        Language::kGerman}));

// The catalogues beside the test programs, as the game reads them, whatever
// locales the machine has generated; Russian looks nothing up.
class Catalogues : public ::testing::Test {
 protected:
  void TearDown() override { SetLanguage(Language::kRussian); }
  static void Use(Language language) { SetLanguage(language, LocaleDirFor(ExecutableFolder())); }
};

TEST_F(Catalogues, TranslateEachLanguageAndLeaveRussianAsItStands) {
  setenv("LANGUAGE", "fr:it", 1);
  Use(Language::kEnglish);
  EXPECT_STREQ(Tr("Играть"), "Play");
  Use(Language::kGerman);
  EXPECT_STREQ(Tr("Играть"), "Spielen");
  EXPECT_TRUE(HasTranslation("Отмена"));
  EXPECT_FALSE(HasTranslation("no such text"));
  const char* russian = "Играть";
  SetLanguage(Language::kRussian);
  EXPECT_EQ(Tr(russian), russian);
  EXPECT_EQ(TranslateMessage("Cannot open file \"x\"."), "Cannot open file \"x\".");
  // The user's LANGUAGE, which the choice overrode, is given back.
  EXPECT_STREQ(getenv("LANGUAGE"), "fr:it");
  unsetenv("LANGUAGE");
}

// An error box's lines: a whole message, one about a named value, and one
// whose beginning is a message; the rest of each line as it stands.
TEST_F(Catalogues, TranslateAnErrorBoxLineByLine) {
  Use(Language::kGerman);
  EXPECT_EQ(TranslateMessage("Failed to get data for 'Player 2'\n/home/a/settings.reg: line 3"),
            "Daten für 'Player 2' konnten nicht gelesen werden\n/home/a/settings.reg: line 3");
  EXPECT_EQ(TranslateMessage("Cannot open file \"/d/gui.dxg\". No such file or directory"),
            "Datei lässt sich nicht öffnen: \"/d/gui.dxg\". No such file or directory");
  EXPECT_EQ(TranslateMessage("DirectX Error"), "DirectX-Fehler");
  EXPECT_EQ(TranslateMessage("something else 'x'"), "something else 'x'");
}

// A build tree keeps the catalogues beside the program; an installed game
// in <prefix>/games reads <prefix>/share/locale.
TEST(LocaleFolder, BesideTheProgramElseTheInstalledShareFolder) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("quendrix_locale_" + std::to_string(getpid()));
  std::filesystem::create_directories(root / "games");
  EXPECT_EQ(LocaleDirFor(root / "games"), root / "games" / ".." / "share" / "locale");
  std::filesystem::create_directories(root / "games" / "locale");
  EXPECT_EQ(LocaleDirFor(root / "games"), root / "games" / "locale");
  std::filesystem::remove_all(root);
}

TEST(Cp1252, HoldsTheGermanLettersAndMarksWhatItCannot) {
  const std::string bytes = Utf8ToCp1252("Größe € Ä ж");
  EXPECT_EQ(bytes,
            "Gr\xF6\xDF"
            "e \x80 \xC4 ?");
  EXPECT_EQ(Cp1252ToUtf8(bytes.substr(0, bytes.size() - 1)), "Größe € Ä ");
}

}  // namespace
}  // namespace quendrix
