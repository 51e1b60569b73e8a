#include "settings_tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "launchpad/settings.h"
#include "temp_dir.h"

namespace quendrix {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class SettingsToolTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return tmp_ / "quendrix/settings.reg"; }

  int Run(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunSettingsTool(args, File(), tmp_.path(), in, out, err);
    out_ = out.str();
    err_ = err.str();
    return status;
  }
  // The row of one value in "show".
  std::string Row(const std::string& quotedName) const {
    const size_t at = out_.find("\n" + quotedName + " ");
    if (at == std::string::npos) return "";
    return out_.substr(at + 1, out_.find('\n', at + 1) - at - 1);
  }
  void StoreSomething() {
    LaunchSettings s;
    s.players = 2;
    s.soundon = false;
    s.soundoff = true;
    s.skin = "blue";
    TAMReg reg(File());
    WriteAllSettings(reg, s);
  }

  TempDir tmp_;
  std::string out_, err_;
};

TEST_F(SettingsToolTest, PathPrintsTheFileLocation) {
  EXPECT_EQ(Run({"path"}), 0);
  EXPECT_EQ(out_, File().string() + "\n");
}

TEST_F(SettingsToolTest, ShowListsDefaultsForAFreshUser) {
  EXPECT_EQ(Run({"show"}), 0);
  EXPECT_NE(out_.find("no settings file"), std::string::npos);
  EXPECT_EQ(Row("\"Screen 640\""), "\"Screen 640\"            bool    on                  default");
  EXPECT_NE(Row("\"Корт  \"").find("int     0"), std::string::npos);
  EXPECT_NE(Row("\"Player 1\"").find("\"Игрок  1\""), std::string::npos);
  EXPECT_NE(out_.find("skin entry 0 of 1: \"[обычный интерфейс]\""), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(SettingsToolTest, ShowTellsStoredValuesAndTheSkinTheGameWouldUse) {
  StoreSomething();
  std::filesystem::create_directories(tmp_ / "skins/Blue");
  EXPECT_EQ(Run({"show"}), 0);
  EXPECT_NE(out_.find("state: stored settings"), std::string::npos);
  EXPECT_NE(Row("\"Players\"").find("2 "), std::string::npos);
  EXPECT_NE(Row("\"Players\"").find("stored"), std::string::npos);
  EXPECT_NE(Row("\"Sound\"").find("off"), std::string::npos);
  EXPECT_NE(Row("\"Skin\"").find("\"blue\""), std::string::npos);
  EXPECT_NE(out_.find("skin entry 1 of 2: \"Blue\""), std::string::npos);
}

TEST_F(SettingsToolTest, ShowReportsTheValueThatCannotBeRead) {
  StoreSomething();
  std::string text = ReadFile(File());
  text.replace(text.find("\"Scoring\"=dword:00000000"), 24, "\"Scoring\"=\"0\"");
  WriteFile(File(), text);
  EXPECT_EQ(Run({"show"}), 0);
  EXPECT_NE(out_.find("error: Invalid data type for 'Scoring'"), std::string::npos);
  EXPECT_NE(Row("\"Scoring\"").find("unreadable"), std::string::npos);
  EXPECT_NE(Row("\"Collide\"").find("stored"), std::string::npos);
  EXPECT_NE(Row("\"Plus 1\"").find("stored"), std::string::npos);
}

TEST_F(SettingsToolTest, ResetAsksFirst) {
  StoreSomething();
  EXPECT_EQ(Run({"reset"}, "n\n"), 0);
  EXPECT_TRUE(std::filesystem::exists(File()));
  EXPECT_EQ(Run({"reset"}), 0);  // no answer at all keeps it too
  EXPECT_TRUE(std::filesystem::exists(File()));
  EXPECT_EQ(Run({"reset"}, "y\n"), 0);
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(SettingsToolTest, ResetWithYesRemovesWithoutAsking) {
  StoreSomething();
  EXPECT_EQ(Run({"reset", "--yes"}), 0);
  EXPECT_FALSE(std::filesystem::exists(File()));
  EXPECT_EQ(out_.find('?'), std::string::npos);
  EXPECT_EQ(Run({"reset", "--yes"}), 0);  // nothing left to remove
  EXPECT_NE(out_.find("no stored settings"), std::string::npos);
  // The next start is a first run again.
  LaunchSettings s;
  TAMReg reg(File());
  EXPECT_TRUE(ReadAllSettings(reg, s).firstRun);
}

TEST_F(SettingsToolTest, UnknownCommandsPrintUsage) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"remove"}), 2);
  EXPECT_EQ(Run({"reset", "--force"}), 2);
  EXPECT_NE(err_.find("usage:"), std::string::npos);
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.find("reset [--yes]"), std::string::npos);
}

TEST(SettingsToolProgram, FindsTheFileUnderXdgConfigHome) {
  TempDir tmp;
  const std::string command = "XDG_CONFIG_HOME='" + tmp.path().string() + "' HOME='" +
                              (tmp / "home").string() + "' " + QUENDRIX_SETTINGS_TOOL +
                              " path 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0);
  EXPECT_EQ(out, (tmp / "quendrix/settings.reg").string() + "\n");
}

}  // namespace
}  // namespace quendrix
