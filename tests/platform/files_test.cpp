#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"

namespace quendrix {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("quendrix_files_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "skins" / "Wood");
    fs::create_directories(root / "skins" / "metal");
    fs::create_directories(root / "skins" / ".cache");
    fs::create_directories(root / "skins" / u8"Зима");
    fs::create_directories(root / "skins" / "locked");
    fs::permissions(root / "skins" / "locked", fs::perms::owner_write, fs::perm_options::remove);
    std::ofstream(root / "skins" / "readme.txt") << "x";
    std::ofstream(root / "skins" / "Wood" / "Font.BMP") << "bmp";
    old = fs::current_path();
    fs::current_path(root);
  }
  void TearDown() override {
    fs::current_path(old);
    fs::permissions(root / "skins" / "locked", fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(root);
  }

  static std::vector<std::string> Names(const std::vector<FoundFile>& found) {
    std::vector<std::string> out;
    for (const auto& f : found) out.push_back(f.name);
    return out;
  }

  fs::path root, old;
};

TEST_F(FilesTest, PathsUseEitherSeparatorAndAnyCase) {
  EXPECT_EQ(MapPath("skins\\Wood\\Font.BMP"), "skins/Wood/Font.BMP");
  EXPECT_EQ(MapPath("SKINS\\wood\\font.bmp"), "skins/Wood/Font.BMP");
  EXPECT_TRUE(FileExists("skins\\wood\\font.bmp"));
  EXPECT_FALSE(FileExists("skins\\wood\\pointer.bmp"));
  EXPECT_EQ(MapPath("skins/wood/pointer.bmp"),
            "skins/Wood/pointer.bmp");  // the missing part as given
  // cp1251 names become UTF-8 on disk and match without regard to case.
  EXPECT_TRUE(FileExists("skins\\\xE7\xE8\xEC\xE0"));  // "зима"
  EXPECT_EQ(MapPath((root / "skins" / "METAL").string()), (root / "skins" / "metal").string());
}

TEST_F(FilesTest, DirectorySearchListsFoldersWithTheirAttributes) {
  const auto all = FindFiles("skins\\*.*", faDirectory);
  // "." and ".." first, then by name; the hidden folder and plain file rules below.
  EXPECT_EQ(Names(all), (std::vector<std::string>{".", "..", "Wood", "locked", "metal",
                                                  "readme.txt", "\xC7\xE8\xEC\xE0"}));
  for (const auto& f : all) {
    if (f.name == "readme.txt") {
      EXPECT_EQ(f.attributes, 0u);
      EXPECT_EQ(f.size, 1u);
    } else if (f.name == "locked" && ::geteuid() != 0) {
      EXPECT_EQ(f.attributes, faDirectory | faReadOnly);
    } else if (f.name != "locked") {
      EXPECT_EQ(f.attributes, faDirectory) << f.name;
    }
  }
  const auto hidden = FindFiles("skins\\*", faDirectory | faHidden);
  EXPECT_EQ(hidden.size(), all.size() + 1);
  // Plain files only without the directory attribute.
  EXPECT_EQ(Names(FindFiles("skins\\*.*", 0)), (std::vector<std::string>{"readme.txt"}));
  EXPECT_EQ(Names(FindFiles("skins\\wood\\*.bmp", faAnyFile)),
            (std::vector<std::string>{"Font.BMP"}));
  EXPECT_TRUE(FindFiles("nothing\\*.*", faAnyFile).empty());
}

TEST_F(FilesTest, DataBesideTheProgramElseInTheInstalledShareFolder) {
  // An installed prefix: <prefix>/games/quendrix with its data in
  // <prefix>/share/games/quendrix.
  const fs::path games = root / "prefix" / "games", share = root / "prefix" / "share" / "games";
  fs::create_directories(games);
  EXPECT_EQ(DataDirFor(games), games) << "no data anywhere: the program's own folder";
  fs::create_directories(share / "quendrix");
  EXPECT_EQ(DataDirFor(games), share / "quendrix");
  EXPECT_EQ(DataDirFor(games.string() + "/"), share / "quendrix");
  // A build tree: the data beside the program wins over any share folder.
  std::ofstream(games / "gui.dxg") << "x";
  EXPECT_EQ(DataDirFor(games), games);
}

// XDG_DATA_HOME as given -> the screenshots' folder, with HOME=/home/q.
struct DataHomeCase {
  const char* name;
  const char* xdg;  // nullptr: unset
  const char* expected;
};
void PrintTo(const DataHomeCase& c, std::ostream* os) {
  *os << c.name;
}

class DataHome : public ::testing::TestWithParam<DataHomeCase> {
 protected:
  void SetUp() override {
    for (const char* name : {"XDG_DATA_HOME", "HOME"}) {
      const char* was = std::getenv(name);
      saved_.emplace_back(name, was != nullptr ? std::optional<std::string>(was) : std::nullopt);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_P(DataHome, AbsoluteXdgDataHomeElseTheHomeDefault) {
  ::setenv("HOME", "/home/q", 1);
  if (GetParam().xdg != nullptr)
    ::setenv("XDG_DATA_HOME", GetParam().xdg, 1);
  else
    ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DataHomeDir(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataHome,
    ::testing::Values(DataHomeCase{"Absolute", "/data", "/data/quendrix/"},
                      DataHomeCase{"Unset", nullptr, "/home/q/.local/share/quendrix/"},
                      DataHomeCase{"Empty", "", "/home/q/.local/share/quendrix/"},
                      DataHomeCase{"Relative", "relative/dir", "/home/q/.local/share/quendrix/"}),
    [](const ::testing::TestParamInfo<DataHomeCase>& param) { return param.param.name; });

TEST(Wildcards, StarAndQuestionMarkWithoutCase) {
  EXPECT_TRUE(MatchesPattern("ball.bmp", "*.bmp"));
  EXPECT_TRUE(MatchesPattern("BALL.BMP", "*.bmp"));
  EXPECT_FALSE(MatchesPattern("ball.bmp.txt", "*.bmp"));
  EXPECT_TRUE(MatchesPattern("a1.bmp", "a?.bmp"));
  EXPECT_FALSE(MatchesPattern("a.bmp", "a?.bmp"));
  EXPECT_TRUE(MatchesPattern("noext", "*.*"));
  EXPECT_TRUE(MatchesPattern("abcabd", "*ab?"));
  EXPECT_TRUE(MatchesPattern("\xC7\xC8\xCC\xC0", "\xE7*"));  // Cyrillic folds too
  EXPECT_FALSE(MatchesPattern("", "?"));
}

}  // namespace
}  // namespace quendrix
