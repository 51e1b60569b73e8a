#include "launchpad/skin_list.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>

#include "core/cp1251.h"
#include "launchpad/settings.h"
#include "temp_dir.h"

namespace quendrix {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

namespace fs = std::filesystem;

class SkinListTest : public ::testing::Test {
 protected:
  fs::path Skins() const { return tmp_ / "skins"; }
  void Skin(const std::string& utf8Name) const { fs::create_directories(Skins() / utf8Name); }

  // Reads the settings and builds the list the way the launch pad starts.
  LaunchSettingsLoad Start(LaunchSettings& s) const {
    TAMReg reg(tmp_ / "config/settings.reg");
    return LoadLaunchSettings(reg, tmp_.path(), s);
  }
  void Store(const LaunchSettings& s) const {
    TAMReg reg(tmp_ / "config/settings.reg");
    WriteAllSettings(reg, s);
  }

  TempDir tmp_;
};

TEST_F(SkinListTest, EveryPlainVisibleFolderIsListedWhateverItsPermissions) {
  Skin("blue");
  Skin(".hidden");
  // As on read-only media: the folders and the skins folder itself 555.
  Skin("readonly");
  Skin("locked");
  WriteFile(Skins() / "notes.txt", "a file, not a skin");
  fs::create_directory_symlink(Skins() / "blue", Skins() / "link");
  ::chmod((Skins() / "readonly").c_str(), 0555);
  ::chmod((Skins() / "locked").c_str(), 0);
  ::chmod(Skins().c_str(), 0555);
  const SkinList list = BuildSkinList(Skins(), "readonly");
  std::vector<std::string> names(list.items.begin() + 1, list.items.end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"blue", "locked", "readonly"}));
  EXPECT_EQ(list.items[0], kDefaultSkinEntry);
  EXPECT_EQ(list.items[0], Utf8ToCp1251("[обычный интерфейс]"));
  EXPECT_EQ(list.SelectedText(), "readonly");
}

TEST_F(SkinListTest, FoldersComeInTheFileSystemsOrder) {
  for (const char* name : {"m", "b", "zz", "a", "k", "c"}) Skin(name);
  std::vector<std::string> order{std::string(kDefaultSkinEntry)};
  DIR* dir = ::opendir(Skins().c_str());
  ASSERT_NE(dir, nullptr);
  while (const dirent* e = ::readdir(dir)) {
    if (e->d_name[0] != '.') order.emplace_back(e->d_name);
  }
  ::closedir(dir);
  EXPECT_EQ(BuildSkinList(Skins(), "").items, order);
}

TEST_F(SkinListTest, AMissingSkinsFolderLeavesEntryZeroAlone) {
  const SkinList list = BuildSkinList(Skins(), "blue");
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(list.SelectedText(), kDefaultSkinEntry);
}

TEST_F(SkinListTest, RememberedSkinIsSelectedWithoutCasePreferringTheExactName) {
  Skin("Blue");
  Skin("Зелёный");
  EXPECT_EQ(BuildSkinList(Skins(), "BLUE").SelectedText(), "Blue");
  EXPECT_EQ(BuildSkinList(Skins(), Utf8ToCp1251("ЗЕЛЁНЫЙ")).SelectedText(),
            Utf8ToCp1251("Зелёный"));
  Skin("blue");
  EXPECT_EQ(BuildSkinList(Skins(), "blue").SelectedText(), "blue");
  EXPECT_EQ(BuildSkinList(Skins(), "Blue").SelectedText(), "Blue");
  EXPECT_EQ(BuildSkinList(Skins(), Utf8ToCp1251("[ОБЫЧНЫЙ интерфейс]")).selected, 0);
}

TEST_F(SkinListTest, NamesTheGameCouldNotFindAgainAreLeftOut) {
  Skin("日本");
  Skin("plain");
  const SkinList list = BuildSkinList(Skins(), "");
  ASSERT_EQ(list.items.size(), 2u);
  EXPECT_EQ(list.items[1], "plain");
}

TEST_F(SkinListTest, ADeletedSkinFolderSelectsEntryZero) {
  Skin("blue");
  LaunchSettings s;
  Start(s);
  s.skin = "blue";
  Store(s);
  fs::remove(Skins() / "blue");
  LaunchSettings again;
  const LaunchSettingsLoad load = Start(again);
  EXPECT_EQ(load.read.rememberedSkin, "blue");
  EXPECT_EQ(load.skins.selected, 0);
  EXPECT_EQ(again.skin, kDefaultSkinEntry);
}

TEST_F(SkinListTest, EntryZeroIsStoredByItsTextAndReadBackAsEntryZero) {
  Skin("blue");
  LaunchSettings s;
  EXPECT_EQ(Start(s).skins.selected, 0);
  Store(s);
  EXPECT_NE(ReadFile(tmp_ / "config/settings.reg").find("\"skin\"=\"[обычный интерфейс]\"\n"),
            std::string::npos);
  LaunchSettings again;
  const LaunchSettingsLoad load = Start(again);
  EXPECT_EQ(load.read.error, "");
  EXPECT_EQ(load.skins.selected, 0);
  EXPECT_EQ(again.skin, kDefaultSkinEntry);
}

TEST_F(SkinListTest, TheListIsBuiltEvenWhenTheReadingFails) {
  Skin("blue");
  WriteFile(tmp_ / "config/settings.reg", "\x01\x02\x03");
  LaunchSettings s;
  const LaunchSettingsLoad load = Start(s);
  EXPECT_NE(load.read.error, "");
  EXPECT_EQ(load.skins.items.size(), 2u);
  EXPECT_EQ(s.skin, kDefaultSkinEntry);
}

}  // namespace
}  // namespace quendrix
