// The launch pad in English and German: every caption, list item and tab
// it shows comes from the catalogue, a new player's name is the language's,
// and what the player stored stays as stored.
#include <gtest/gtest.h>

#include <string>

#include "core/language.h"
#include "core/program_folder.h"
#include "launchpad_support.h"

namespace quendrix::testing {
namespace {

class LaunchpadLanguage : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override { SetLanguage(GetParam(), LocaleDirFor(ExecutableFolder())); }
  void TearDown() override { SetLanguage(Language::kRussian); }
};

bool HasCyrillic(const std::string& utf8) {
  // Cyrillic letters are the UTF-8 sequences starting 0xD0 ... 0xD3.
  for (const char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xD0 && b <= 0xD3) return true;
  }
  return false;
}

// Every text of a container as the view draws it, tab boxes' own included.
void CollectTexts(const widgets::Container& c, std::vector<std::string>& out) {
  for (const auto& child : c.Children()) {
    out.push_back(widgets::DisplayText(child->caption));
    if (child->Kind() == widgets::ControlKind::kDropDown)
      for (const std::string& item : static_cast<const widgets::DropDown&>(*child).items)
        out.push_back(widgets::DisplayText(item));
    if (child->Kind() == widgets::ControlKind::kTabBox) {
      const auto& tabs = static_cast<const widgets::TabBox&>(*child);
      for (const std::string& tab : tabs.tabs) out.push_back(widgets::DisplayText(tab));
      CollectTexts(tabs, out);
    }
  }
}

TEST_P(LaunchpadLanguage, EveryPanelShowsItsWordsInTheLanguage) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  // The training spot, then the play spot: both captions of the launch button.
  for (const HotPoint spot : {HotPoint{230, 80}, HotPoint{148, 102}}) {
    rig.ClickPicture(spot.x, spot.y);
    ASSERT_TRUE(lp.start.Visible());
    std::vector<std::string> texts;
    for (widgets::Panel* panel : lp.Panels()) CollectTexts(*panel, texts);
    for (const std::string& text : texts) EXPECT_FALSE(HasCyrillic(text)) << text;
    rig.Click("FlatButton1");
  }
  EXPECT_EQ(widgets::DisplayText(lp.Find("launch")->caption), Tr("Играть"));
}

TEST_P(LaunchpadLanguage, ANewPlayerIsNamedInTheLanguageAndStoredNamesStay) {
  const std::string prefix = GetParam() == Language::kGerman ? "Spieler " : "Player ";
  {
    LaunchpadRig rig;
    Tlaunchpad& lp = rig.Create();
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(lp.settings.player[n - 1], prefix + std::to_string(n));
    // The built-in skin shows translated and is stored as it stands.
    EXPECT_EQ(lp.settings.skin, kDefaultSkinEntry);
    EXPECT_EQ(widgets::DisplayText(lp.Get<widgets::DropDown>("skin").items[0]),
              Tr("[обычный интерфейс]"));
  }
  LaunchpadRig rig;
  LaunchSettings stored;  // the Russian defaults, saved by a Russian run
  stored.player[1] = "Bob";
  {
    TAMReg reg(rig.SettingsFile());
    WriteAllSettings(reg, stored);
  }
  Tlaunchpad& lp = rig.Create();
  EXPECT_EQ(lp.settings.player, stored.player);
}

INSTANTIATE_TEST_SUITE_P(Languages, LaunchpadLanguage,
                         ::testing::Values(Language::kEnglish, Language::kGerman),
                         [](const auto& language) {
                           return std::string(LanguageCode(language.param));
                         });

}  // namespace
}  // namespace quendrix::testing
