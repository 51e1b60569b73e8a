// The play screen's command table against what players read: README, the
// manual page and the putting help's picture name every command, and no
// key gives two commands.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assetgen/menu_art.h"
#include "game/play_commands.h"

namespace quendrix::testing {
namespace {

std::string ReadSource(const std::string& relative) {
  std::ifstream in(std::string(QUENDRIX_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text from `begin` up to `end`, with every run of blanks, line breaks
// and the manual page's quotes made one space.
std::string Section(const std::string& text, const std::string& begin, const std::string& end) {
  const size_t from = text.find(begin);
  const size_t to = text.find(end, from == std::string::npos ? 0 : from);
  if (from == std::string::npos || to == std::string::npos) return {};
  std::string plain;
  for (size_t i = from; i < to; ++i) {
    const char c = text[i] == '"' || text[i] == '\n' ? ' ' : text[i];
    if (c != ' ' || (!plain.empty() && plain.back() != ' ')) plain += c;
  }
  return plain;
}

struct Document {
  const char* name;
  std::string section;
};

class CommandTableDocs : public ::testing::TestWithParam<int> {};

TEST_P(CommandTableDocs, NameEveryCommand) {
  const Document docs[] = {
      {"README", Section(ReadSource("README.md"), "In a game:", "A hole can be looked at")},
      {"manual page", Section(ReadSource("dist/quendrix.6"), ".SH PLAY SCREEN", ".SH FILES")},
  };
  const Document& doc = docs[GetParam()];
  SCOPED_TRACE(doc.name);
  ASSERT_FALSE(doc.section.empty()) << "the section on the play screen is gone";
  for (const PlayCommand& c : kPlayCommands) {
    EXPECT_NE(doc.section.find(c.docKey), std::string::npos) << c.docKey;
    for (PadButton pad : {c.pad, c.pad2}) {
      if (pad != PadButton::kNone) {
        EXPECT_NE(doc.section.find(PadDocName(pad)), std::string::npos) << PadDocName(pad);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ReadmeAndManual, CommandTableDocs, ::testing::Values(0, 1));

TEST(CommandTable, PuttingHelpShowsEveryKeyedCommand) {
  const std::vector<assetgen::HelpKeyLine> lines = assetgen::HelpKeyLines();
  std::set<std::string_view> shown;
  for (const assetgen::HelpKeyLine& line : lines) {
    EXPECT_TRUE(shown.insert(line.key).second) << line.key << " twice";
    EXPECT_FALSE(line.caption.empty()) << line.key;
  }
  std::vector<PlayAction> missing;
  for (const PlayCommand& c : kPlayCommands)
    if (c.helpKey.empty() || shown.count(c.helpKey) == 0) missing.push_back(c.action);
  // The putting gestures are the help's steps, not a line of its table;
  // thirteen lines fill the table's box.
  EXPECT_EQ(missing, std::vector<PlayAction>{PlayAction::kPutt});
  EXPECT_EQ(lines.size(), 13u);
}

TEST(CommandTable, EachKeyGivesOneCommand) {
  std::set<uint16_t> keys;
  for (const PlayCommand& c : kPlayCommands) {
    if (c.key == 0) continue;  // the mouse's
    EXPECT_TRUE(keys.insert(c.key).second) << c.docKey;
    ASSERT_NE(FindPlayCommand(c.key), nullptr);
    EXPECT_EQ(FindPlayCommand(c.key)->action, c.action);
  }
  EXPECT_EQ(FindPlayCommand(0), nullptr);
  EXPECT_EQ(FindPlayCommand(vk::kTab), nullptr);
}

}  // namespace
}  // namespace quendrix::testing
