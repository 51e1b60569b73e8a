#include "launchpad/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <tuple>

#include "core/cp1251.h"
#include "temp_dir.h"

namespace quendrix {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Tarn Works\\Quendrix v1.0jc\\";
const std::string kCourse = "\xCA\xEE\xF0\xF2  ";        // "Корт" and two spaces, cp1251
const std::string kPlayer1 = "\xC8\xE3\xF0\xEE\xEA  1";  // "Игрок  1"

// A settings file body from "name"=data lines, one key per value.
// `extra` goes in as it stands, before the end line.
std::string FileOf(std::initializer_list<std::pair<std::string, std::string>> values,
                   const std::string& extra = "") {
  std::string text = "Windows Registry Editor Version 5.00\n";
  for (const auto& [name, data] : values) {
    text += "\n[" + Cp1251ToUtf8(kKey + name) + "]\n\"" + Cp1251ToUtf8(name) + "\"=" + data + "\n";
  }
  return text + extra + "\n; end of settings\n";
}

// Every setting away from its default, radio groups kept consistent.
LaunchSettings Unusual() {
  LaunchSettings s;
  s.skipintro = true;
  s.pushputt = true;
  s.pullputt = false;
  s.screen512 = true;
  s.screen640 = false;
  s.screen1024 = true;
  s.bgsounds = false;
  s.soundon = false;
  s.soundoff = true;
  s.fastwrite = false;
  s.noflip = true;
  s.forceinterface = false;
  s.frameskip = 3;
  s.players = 3;
  s.gametype = 2;
  s.course = 1;
  s.startplayer = 2;
  s.nextplayer = 1;
  s.whencollide = 1;
  s.scoring = 1;
  s.strokelimit = 3;
  s.plus1 = true;
  s.minus1 = true;
  s.skin = "Blue \"Sky\" \\ \xD1\xEA\xE8\xED";  // quotes, a backslash and "Скин"
  s.player = {"Ann", "\xC1\xEE\xF0\xE8\xF1", "", "x\\y\"z"};
  s.pull = {false, true, false, false};
  s.easy = {true, false, true, true};
  s.computer = {3, 0, 1, 2};
  return s;
}

// Every stored field (not `training`, `texture`, nor `skin`, which the skin
// list decides).
auto StoredFields(const LaunchSettings& s) {
  return std::tie(s.skipintro, s.pushputt, s.pullputt, s.screen512, s.screen640, s.screen800,
                  s.screen1024, s.bgsounds, s.soundon, s.soundoff, s.fastwrite, s.noflip,
                  s.forceinterface, s.frameskip, s.players, s.gametype, s.course, s.startplayer,
                  s.nextplayer, s.whencollide, s.scoring, s.strokelimit, s.plus1, s.minus1,
                  s.player, s.pull, s.easy, s.computer);
}

void ExpectSameStoredSettings(const LaunchSettings& a, const LaunchSettings& b) {
  EXPECT_EQ(StoredFields(a), StoredFields(b));
}

class SettingsTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return tmp_ / "quendrix/settings.reg"; }
  void Write(const std::string& text) const { WriteFile(File(), text); }

  // Reads into fresh design defaults, as the launch pad does on start.
  SettingsReadResult Read(LaunchSettings& s) {
    TAMReg reg(File());
    return ReadAllSettings(reg, s);
  }
  void Store(const LaunchSettings& s) {
    TAMReg reg(File());
    WriteAllSettings(reg, s);
  }
  // Reads the file as the next start would: whole, and holding `want`.
  void ExpectWholeFileOf(const LaunchSettings& want) {
    LaunchSettings back;
    const SettingsReadResult r = Read(back);
    EXPECT_TRUE(r.error.empty() && !r.damage && !r.firstRun) << Cp1251ToUtf8(r.error);
    ExpectSameStoredSettings(back, want);
  }
  std::string Message(const std::function<void(TAMReg&)>& action) {
    TAMReg reg(File());
    try {
      action(reg);
    } catch (const RegistryError& e) {
      return e.what();
    }
    return "";
  }

  TempDir tmp_;
};

// --- TAMReg ----------------------------------------------------------------

TEST_F(SettingsTest, ComponentHoldsTheRegistryLayout) {
  TAMReg reg(File());
  EXPECT_STREQ(TAMReg::kFormName, "AMReg");
  EXPECT_EQ(reg.rootKey, "HKEY_CURRENT_USER");
  EXPECT_EQ(reg.BasePath(), "\\Software\\Tarn Works\\Quendrix v1.0jc\\");
  EXPECT_FALSE(reg.Active());
  reg.userName = "ann";
  EXPECT_EQ(reg.BasePath(), "\\Software\\Tarn Works\\Quendrix v1.0jc\\ann\\");
  reg.SetActive(true);
  reg.WriteInt("Players", 2);
  reg.SetActive(false);
  EXPECT_NE(ReadFile(File()).find("[HKEY_CURRENT_USER\\Software\\Tarn Works\\Quendrix "
                                  "v1.0jc\\ann\\Players]\n\"Players\"=dword:00000002\n"),
            std::string::npos);
}

TEST_F(SettingsTest, ReadsAndWritesNeedAnActiveComponent) {
  EXPECT_EQ(Message([](TAMReg& r) { r.ReadBool("Sound"); }), "Registry not opened");
  EXPECT_EQ(Message([](TAMReg& r) { r.ReadInt("Players"); }), "Registry not opened");
  EXPECT_EQ(Message([](TAMReg& r) { r.ReadString("Skin"); }), "Registry not opened");
  EXPECT_EQ(Message([](TAMReg& r) { r.WriteString("skin", "x"); }), "Registry not opened");
  EXPECT_EQ(Message([](TAMReg& r) {
              r.SetActive(true);
              r.SetActive(false);
              r.WriteBool("Sound", true);
            }),
            "Registry not opened");
  EXPECT_FALSE(std::filesystem::exists(File()));  // reading never creates the file
}

TEST_F(SettingsTest, MissingKeysReadAsFalseZeroAndEmpty) {
  Write(FileOf({{"Other", "dword:00000001"}}));
  TAMReg reg(File());
  reg.SetActive(true);
  EXPECT_FALSE(reg.ReadBool("Sound"));
  EXPECT_EQ(reg.ReadInt("Players"), 0);
  EXPECT_EQ(reg.ReadString("Skin"), "");
}

TEST_F(SettingsTest, ValuesOfTheWrongTypeOrMissingInTheirKeyFailWithTheirName) {
  Write(FileOf({{"Players", "\"three\""},
                {"Skin", "dword:00000001"},
                {"Sound", "hex:01"},
                {"Player 1", "\"\""}},
               "\n[" + kKey + "Collide]\n\"Other\"=dword:00000001\n"));
  auto read = [this](auto op) {
    return Message([&](TAMReg& r) {
      r.SetActive(true);
      op(r);
    });
  };
  EXPECT_EQ(read([](TAMReg& r) { r.ReadInt("Players"); }), "Invalid data type for 'Players'");
  EXPECT_EQ(read([](TAMReg& r) { r.ReadBool("players"); }), "Invalid data type for 'players'");
  EXPECT_EQ(read([](TAMReg& r) { r.ReadString("Skin"); }), "Invalid data type for 'Skin'");
  EXPECT_EQ(read([](TAMReg& r) { r.ReadBool("Sound"); }), "Invalid data type for 'Sound'");
  EXPECT_EQ(read([](TAMReg& r) { r.ReadInt("Collide"); }), "Failed to get data for 'Collide'");
  EXPECT_EQ(read([](TAMReg& r) { EXPECT_EQ(r.ReadString("Player 1"), ""); }), "");
}

TEST_F(SettingsTest, NamesMatchInAnyCase) {
  TAMReg reg(File());
  reg.SetActive(true);
  reg.WriteString("skin", "blue");
  reg.WriteInt(kCourse, 1);
  reg.WriteBool("PLAYERS", true);
  reg.SetActive(false);
  reg.SetActive(true);
  EXPECT_EQ(reg.ReadString("Skin"), "blue");
  EXPECT_EQ(reg.ReadString("SKIN"), "blue");
  EXPECT_EQ(reg.ReadInt("\xEA\xEE\xF0\xF2  "), 1);  // "корт  " in lower case
  EXPECT_EQ(reg.ReadInt("players"), 1);
  // One key per value whatever the spelling.
  reg.WriteString("SKIN", "red");
  reg.SetActive(false);
  const std::string text = ReadFile(File());
  EXPECT_EQ(text.find("\\SKIN]"), std::string::npos);
  EXPECT_NE(text.find("[" + kKey + "skin]\n\"skin\"=\"red\"\n"), std::string::npos);
}

TEST_F(SettingsTest, WritesReachTheFileWhenTheComponentIsReleased) {
  {
    TAMReg reg(File());
    reg.SetActive(true);
    reg.WriteInt("Players", -5);
    reg.SetActive(true);  // no change: the pending write stays
    EXPECT_EQ(reg.ReadInt("Players"), -5);
    EXPECT_FALSE(std::filesystem::exists(File()));
    reg.SetActive(false);
    EXPECT_TRUE(std::filesystem::exists(File()));
  }
  {
    TAMReg reg(File());
    reg.SetActive(true);
    reg.WriteInt("Players", 2);
  }  // released while active
  TAMReg reg(File());
  reg.SetActive(true);
  EXPECT_EQ(reg.ReadInt("Players"), 2);
}

// --- reading and writing everything ----------------------------------------

TEST_F(SettingsTest, FreshUserGetsTheDesignDefaults) {
  LaunchSettings s;
  const LaunchSettingsLoad load = [&] {
    TAMReg reg(File());
    return LoadLaunchSettings(reg, tmp_.path(), s);
  }();
  EXPECT_TRUE(load.read.firstRun);
  EXPECT_FALSE(load.read.fileFound);
  EXPECT_EQ(load.read.error, "");
  EXPECT_TRUE(s.screen640);
  EXPECT_FALSE(s.screen512 || s.screen800 || s.screen1024);
  EXPECT_TRUE(s.soundon);
  EXPECT_FALSE(s.soundoff);
  EXPECT_TRUE(s.bgsounds);
  EXPECT_TRUE(s.fastwrite);
  EXPECT_TRUE(s.forceinterface);
  EXPECT_FALSE(s.noflip || s.skipintro);
  EXPECT_EQ(s.PlayerCount(), 1);
  EXPECT_EQ(s.player[0], kPlayer1);
  EXPECT_TRUE(s.pull[0]);
  EXPECT_TRUE(s.pullputt);
  EXPECT_FALSE(s.pushputt);
  EXPECT_FALSE(s.easy[0]);
  EXPECT_FALSE(s.minus1);  // design default, unlike game type 0's preset
  EXPECT_EQ(s.skin, kDefaultSkinEntry);
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(SettingsTest, WriteThenReadRestoresEverySetting) {
  const LaunchSettings stored = Unusual();
  Store(stored);
  LaunchSettings back;
  const SettingsReadResult r = Read(back);
  EXPECT_EQ(r.error, "");
  EXPECT_FALSE(r.firstRun);
  ExpectSameStoredSettings(back, stored);
  EXPECT_EQ(r.rememberedSkin, stored.skin);
  for (ValueSource source : r.sources) EXPECT_EQ(source, ValueSource::kStored);
  // The defaults round-trip too: nothing is written only when it differs.
  Store(LaunchSettings{});
  LaunchSettings again = Unusual();
  EXPECT_EQ(Read(again).error, "");
  ExpectSameStoredSettings(again, LaunchSettings{});
}

TEST_F(SettingsTest, WritingSavesRunOnceFirstAndEveryValueInItsOrder) {
  Store(LaunchSettings{});
  const std::string text = ReadFile(File());
  std::vector<std::string> names;
  for (size_t at = text.find("\n\""); at != std::string::npos; at = text.find("\n\"", at + 1)) {
    names.push_back(text.substr(at + 2, text.find('"', at + 2) - at - 2));
  }
  const std::vector<std::string> expected = {"RunOnce",
                                             "Skip Intro",
                                             "Pull Putt",
                                             "Push Putt",
                                             "Screen 512",
                                             "Screen 640",
                                             "Screen 800",
                                             "Screen 1024",
                                             "Background Sounds",
                                             "Sound",
                                             "Fast Writes",
                                             "Full Screen Interface",
                                             "No Flip Interface",
                                             "Frame Skip",
                                             "Players",
                                             "Game Type",
                                             "Корт  ",
                                             "Start Player",
                                             "Next Player",
                                             "Collide",
                                             "Scoring",
                                             "Stroke Limit",
                                             "Plus 1",
                                             "Minus 1",
                                             "skin",
                                             "Player 1",
                                             "Player 2",
                                             "Player 3",
                                             "Player 4",
                                             "Easy 1",
                                             "Easy 2",
                                             "Easy 3",
                                             "Easy 4",
                                             "Pull 1",
                                             "Pull 2",
                                             "Pull 3",
                                             "Pull 4",
                                             "Computer 1",
                                             "Computer 2",
                                             "Computer 3",
                                             "Computer 4"};
  EXPECT_EQ(names, expected);
}

TEST_F(SettingsTest, SoundOffChecksSoundoff) {
  LaunchSettings s = Unusual();
  s.soundon = false;
  s.soundoff = true;
  Store(s);
  LaunchSettings back;
  Read(back);
  EXPECT_TRUE(back.soundoff);
  EXPECT_FALSE(back.soundon);
}

TEST_F(SettingsTest, WithoutRunOnceNothingIsRead) {
  Write(FileOf({{"Players", "dword:00000003"}, {"Sound", "dword:00000000"}}));
  LaunchSettings s;
  EXPECT_TRUE(Read(s).firstRun);
  EXPECT_EQ(s.players, 0);
  EXPECT_TRUE(s.soundon);
  Write(FileOf({{"RunOnce", "dword:00000000"}, {"Players", "dword:00000003"}}));
  EXPECT_TRUE(Read(s).firstRun);
  EXPECT_EQ(s.players, 0);
}

TEST_F(SettingsTest, MissingValuesAfterRunOnceReadAsOffZeroOrEmpty) {
  Write(FileOf({{"RunOnce", "dword:00000001"}, {"Screen 800", "dword:00000000"}}));
  LaunchSettings s;
  const SettingsReadResult r = Read(s);
  EXPECT_EQ(r.error, "");
  EXPECT_FALSE(s.screen640);  // a missing "Screen 640" unchecks it
  EXPECT_FALSE(s.fastwrite);
  EXPECT_EQ(s.player[0], "");
  EXPECT_FALSE(s.pull[3]);
  const auto& values = SettingValues();
  for (size_t i = 0; i < values.size(); ++i) {
    const std::string name = values[i].name;
    const ValueSource want =
        name == "RunOnce" || name == "Screen 800" ? ValueSource::kStored : ValueSource::kMissing;
    EXPECT_EQ(r.sources[i], want) << name;
  }
}

TEST_F(SettingsTest, RadioButtonsFollowTheReadingOrder) {
  // Checking one unchecks its group; unchecking leaves the others alone.
  Write(FileOf({{"RunOnce", "dword:00000001"},
                {"Push Putt", "dword:00000001"},
                {"Pull Putt", "dword:00000001"},
                {"Screen 512", "dword:00000001"},
                {"Screen 640", "dword:00000001"},
                {"Screen 800", "dword:00000001"},
                {"Screen 1024", "dword:00000000"}}));
  LaunchSettings s;
  Read(s);
  EXPECT_TRUE(s.pullputt);
  EXPECT_FALSE(s.pushputt);
  EXPECT_TRUE(s.screen512);  // outside the group of the other three
  EXPECT_FALSE(s.screen640);
  EXPECT_TRUE(s.screen800);
  EXPECT_FALSE(s.screen1024);

  Write(FileOf({{"RunOnce", "dword:00000001"},
                {"Push Putt", "dword:00000000"},
                {"Pull Putt", "dword:00000000"}}));
  LaunchSettings t;
  Read(t);
  EXPECT_FALSE(t.pullputt);
  EXPECT_FALSE(t.pushputt);
}

TEST_F(SettingsTest, ItemIndexesOutsideTheirListsReadAsItemZero) {
  Write(FileOf({{"RunOnce", "dword:00000001"},
                {"Players", "dword:00000004"},
                {"Collide", "dword:ffffffff"},
                {"Stroke Limit", "dword:00000003"},
                {kCourse, "dword:00000002"},
                {"Computer 2", "dword:00000004"},
                {"Computer 3", "dword:00000003"}}));
  LaunchSettings s;
  EXPECT_EQ(Read(s).error, "");
  EXPECT_EQ(s.players, 0);
  EXPECT_EQ(s.whencollide, 0);
  EXPECT_EQ(s.strokelimit, 3);
  EXPECT_EQ(s.course, 0);
  EXPECT_EQ(s.computer[1], 0);
  EXPECT_EQ(s.computer[2], 3);
}

// A file the game wrote before it had computer players: every player is a
// person, everything else as stored, and nothing is reported.
TEST_F(SettingsTest, FilesWithoutComputerPlayersReadEveryPlayerAsAPerson) {
  const LaunchSettings stored = Unusual();
  Store(stored);
  const std::string whole = ReadFile(File());
  Write(whole.substr(0, whole.find("[" + kKey + "Computer 1]")) + "; end of settings\n");
  LaunchSettings s;
  s.computer = {1, 2, 3, 3};
  const SettingsReadResult r = Read(s);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(s.computer, (std::array<int32_t, 4>{0, 0, 0, 0}));
  LaunchSettings want = stored;
  want.computer = {0, 0, 0, 0};
  ExpectSameStoredSettings(s, want);
  const auto& values = SettingValues();
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(r.sources[i], std::string(values[i].name).starts_with("Computer ")
                                ? ValueSource::kMissing
                                : ValueSource::kStored)
        << values[i].name;
}

// One value of a stored file damaged: that value alone takes its design
// default and is named; every other is read, and a save writes them back.
struct DamageCase {
  const char* name;
  std::string line, damaged;      // a line of the stored file and what it becomes
  std::string error;              // what the error box names
  void (*lose)(LaunchSettings&);  // the damaged value back to its default
};

void PrintTo(const DamageCase& c, std::ostream* os) {
  *os << c.name;
}

class DamagedValue : public SettingsTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedValue, ADamagedLineLosesOnlyItsOwnValue) {
  const DamageCase& c = GetParam();
  Store(Unusual());
  std::string text = ReadFile(File());
  ASSERT_NE(text.find(c.line), std::string::npos);
  text.replace(text.find(c.line), c.line.size(), c.damaged);
  Write(text);

  LaunchSettings s;
  const SettingsReadResult r = Read(s);
  EXPECT_EQ(r.error, c.error);
  EXPECT_NE(r.detail.find(File().string()), std::string::npos);
  EXPECT_FALSE(r.firstRun);
  LaunchSettings want = Unusual();
  c.lose(want);
  ExpectSameStoredSettings(s, want);
  EXPECT_EQ(r.rememberedSkin, Unusual().skin);

  // The next save keeps every stored value and mends the damaged one.
  s.skin = r.rememberedSkin;
  Store(s);
  ExpectWholeFileOf(want);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DamagedValue,
    ::testing::Values(
        DamageCase{"NotUtf8", "\"Player 2\"=\"", "\"Player 2\"=\"\xFF\xFE",
                   "Failed to get data for 'Player 2'",
                   [](LaunchSettings& s) { s.player[1] = LaunchSettings{}.player[1]; }},
        DamageCase{"WrongType", "\"Collide\"=dword:00000001", "\"Collide\"=\"1\"",
                   "Invalid data type for 'Collide'",
                   [](LaunchSettings& s) { s.whencollide = LaunchSettings{}.whencollide; }},
        DamageCase{"BrokenKeyLine", "Quendrix v1.0jc\\Easy 1]", "Quendrix v1.0jc\\Easy 1",
                   "Failed to get data for 'Easy 1'",
                   [](LaunchSettings& s) { s.easy[0] = LaunchSettings{}.easy[0]; }},
        DamageCase{"FirstRunMarker", "\"RunOnce\"=dword:00000001", "\"RunOnce\"=dword:0000",
                   "Invalid data type for 'RunOnce'", [](LaunchSettings&) {}},
        DamageCase{"RadioOfAGroup", "\"Screen 1024\"=dword:00000001", "\"Screen 1024\"=\x01",
                   "Failed to get data for 'Screen 1024'",
                   [](LaunchSettings& s) { s.screen1024 = LaunchSettings{}.screen1024; }}),
    [](const ::testing::TestParamInfo<DamageCase>& param) { return param.param.name; });

TEST_F(SettingsTest, EveryValueThatCannotBeReadIsNamedOnce) {
  Store(Unusual());
  std::string text = ReadFile(File());
  for (const char* name : {"Scoring", "Pull 1", "Pull 4"}) {
    const std::string line = std::string("\"") + name + "\"=dword:";
    ASSERT_NE(text.find(line), std::string::npos) << name;
    text.replace(text.find(line), line.size(), std::string("\"") + name + "\"=\"1\"; ");
  }
  // A key that lost its value line.
  const size_t lost = text.find("\"Player 4\"=");
  text.erase(lost, text.find('\n', lost) + 1 - lost);
  Write(text);
  LaunchSettings s;
  const SettingsReadResult r = Read(s);
  EXPECT_EQ(r.error,
            "Invalid data type for 'Scoring', 'Pull 1', 'Pull 4'\n"
            "Failed to get data for 'Player 4'");
  EXPECT_EQ(s.players, Unusual().players);
  EXPECT_EQ(s.easy, Unusual().easy);
}

TEST_F(SettingsTest, TruncatedFilesNeverInventValues) {
  const LaunchSettings stored = Unusual();
  Store(stored);
  const std::string whole = ReadFile(File());
  const LaunchSettings defaults;
  // Past this point only the end line is lost; every value is whole.
  const size_t valuesEnd = whole.find("\n;");
  // Cuts around every line end, where a key or a value goes whole, and
  // every few bytes in between.
  std::vector<size_t> cuts;
  for (size_t at = 0; at < whole.size(); ++at) {
    if (at % 7 == 0) cuts.push_back(at);
    if (whole[at] == '\n') {
      for (size_t c = at > 0 ? at - 1 : 0; c <= at + 2 && c < whole.size(); ++c) cuts.push_back(c);
    }
  }
  for (size_t cut : cuts) {
    Write(whole.substr(0, cut));
    LaunchSettings s;
    const SettingsReadResult r = Read(s);
    if (cut >= valuesEnd) {
      ASSERT_EQ(r.error, "") << cut;
      ExpectSameStoredSettings(s, stored);
      continue;
    }
    ASSERT_NE(r.error, "") << "cut at " << cut;
    // Every value is either the stored one or the design default.
    ASSERT_TRUE(s.players == stored.players || s.players == defaults.players) << cut;
    ASSERT_TRUE(s.player[3] == stored.player[3] || s.player[3] == defaults.player[3]) << cut;
    ASSERT_TRUE(s.easy[3] == stored.easy[3] || s.easy[3] == defaults.easy[3]) << cut;
    ASSERT_TRUE(r.rememberedSkin == stored.skin || r.rememberedSkin.empty()) << cut;
  }
  // A file cut short just before its last key loses that key alone.
  Write(whole.substr(0, whole.find("[" + kKey + "Computer 4]")));
  LaunchSettings s;
  EXPECT_EQ(Read(s).error, "Failed to get data for 'Computer 4'");
  EXPECT_EQ(s.computer[2], stored.computer[2]);
  EXPECT_EQ(s.computer[3], defaults.computer[3]);
  EXPECT_EQ(s.pull[3], stored.pull[3]);
}

TEST_F(SettingsTest, EmptyAndBinaryFilesReportAndKeepTheDefaults) {
  for (const std::string& text :
       {std::string(), std::string("\0\0\0\0", 4), std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
        std::string(5000, '\xFF'), std::string("just some words\n")}) {
    Write(text);
    LaunchSettings s;
    const LaunchSettingsLoad load = [&] {
      TAMReg reg(File());
      return LoadLaunchSettings(reg, tmp_.path(), s);
    }();
    EXPECT_EQ(load.read.error, "Failed to get data for 'RunOnce'");
    EXPECT_TRUE(load.read.firstRun);
    EXPECT_TRUE(load.read.damage);
    ExpectSameStoredSettings(s, LaunchSettings{});
    EXPECT_EQ(load.skins.items.size(), 1u);  // the skin list is built all the same
    EXPECT_EQ(s.skin, kDefaultSkinEntry);
  }
}

TEST_F(SettingsTest, WritingOverADamagedFileLeavesAWholeOne) {
  Write(std::string("\x01\x02garbage\n", 10));
  Store(Unusual());
  LaunchSettings s;
  const SettingsReadResult r = Read(s);
  EXPECT_EQ(r.error, "");
  EXPECT_FALSE(r.damage);
  ExpectSameStoredSettings(s, Unusual());
}

TEST_F(SettingsTest, WritingKeepsKeysOfOtherPrograms) {
  Write(FileOf({{"Players", "dword:00000002"}},
               "\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Blob\"=hex:00,ff\n"));
  Store(LaunchSettings{});
  EXPECT_NE(ReadFile(File()).find("\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Blob\"=hex:00,ff\n"),
            std::string::npos);
}

TEST_F(SettingsTest, AFailedWriteReportsAndKeepsTheOldFile) {
  Store(LaunchSettings{});
  const std::string before = ReadFile(File());
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message, detail;
  TAMReg reg(File());
  try {
    WriteAllSettings(reg, Unusual());
  } catch (const RegistryError& e) {
    message = e.what();
    detail = e.detail();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(message, "Failed to set data for 'RunOnce'");
  EXPECT_NE(detail, "");
  EXPECT_FALSE(reg.Active());
  EXPECT_EQ(ReadFile(File()), before);
}

}  // namespace
}  // namespace quendrix
