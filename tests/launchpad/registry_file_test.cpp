#include "launchpad/registry_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "core/cp1251.h"
#include "temp_dir.h"

namespace quendrix {
namespace {

using testing::OtherFiles;
using testing::ReadFile;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFile;

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Tarn Works\\Quendrix v1.0jc\\";
const std::string kCourse = "\xCA\xEE\xF0\xF2  ";  // "Корт" and two spaces, cp1251

// A whole file around `body`.
std::string File(const std::string& body) {
  return std::string(RegistryFile::kHeader) + "\n\n" + body + "\n" + RegistryFile::kEndLine + "\n";
}

RegistryValue Dword(const std::string& name, uint32_t n) {
  return RegistryValue{name, RegistryType::kDword, n, {}, {}};
}
RegistryValue Text(const std::string& name, const std::string& text) {
  return RegistryValue{name, RegistryType::kString, 0, text, {}};
}

TEST(RegistryFileFormat, WritesOneKeyPerValueInRegistryExportForm) {
  RegistryFile reg;
  reg.CreateKey(kKey + "Skip Intro").values.push_back(Dword("Skip Intro", 1));
  reg.CreateKey(kKey + "skin").values.push_back(Text("skin", "a \"b\" c\\d"));
  EXPECT_EQ(reg.Format(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Tarn Works\\Quendrix v1.0jc\\Skip Intro]\n"
            "\"Skip Intro\"=dword:00000001\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Tarn Works\\Quendrix v1.0jc\\skin]\n"
            "\"skin\"=\"a \\\"b\\\" c\\\\d\"\n"
            "\n"
            "; end of settings\n");
}

TEST(RegistryFileFormat, CourseNameAndCyrillicTextsRoundTripThroughUtf8) {
  RegistryFile reg;
  reg.CreateKey(kKey + kCourse).values.push_back(Dword(kCourse, 0xFFFFFFFF));
  reg.CreateKey(kKey + "Player 1").values.push_back(Text("Player 1", "\xC8\xE3\xF0\xEE\xEA  1"));
  const std::string text = reg.Format();
  // UTF-8 on disk, the two spaces kept.
  EXPECT_NE(text.find("[" + kKey + "Корт  ]\n\"Корт  \"=dword:ffffffff\n"), std::string::npos);
  EXPECT_NE(text.find("\"Player 1\"=\"Игрок  1\"\n"), std::string::npos);

  const RegistryFile back = RegistryFile::Parse(text);
  EXPECT_FALSE(back.damage());
  const RegistryKey* key = back.FindKey(kKey + kCourse);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->path, kKey + kCourse);
  ASSERT_EQ(key->values.size(), 1u);
  EXPECT_EQ(key->values[0].name, kCourse);
  EXPECT_EQ(key->values[0].number, 0xFFFFFFFFu);
  EXPECT_EQ(back.FindKey(kKey + "Player 1")->values[0].text, "\xC8\xE3\xF0\xEE\xEA  1");
}

TEST(RegistryFileFormat, EveryCp1251ByteSurvivesInAString) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  RegistryFile reg;
  reg.CreateKey(kKey + "Player 2").values.push_back(Text("Player 2", all));
  const std::string text = reg.Format();
  // Control bytes and the unassigned 0x98 are escaped: one line, valid UTF-8.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
  const RegistryFile back = RegistryFile::Parse(text);
  EXPECT_FALSE(back.damage());
  EXPECT_EQ(back.FindKey(kKey + "Player 2")->values[0].text, all);
}

TEST(RegistryFileNames, KeysAndValuesMatchWithoutCase) {
  const RegistryFile reg =
      RegistryFile::Parse(File("[hkey_current_user\\SOFTWARE\\tarn works\\QUENDRIX V1.0JC\\skin]\n"
                               "\"skin\"=\"blue\"\n"
                               "[" +
                               kKey + "корт  ]\n\"КОРТ  \"=dword:00000001\n"));
  const RegistryKey* skin = reg.FindKey(kKey + "Skin");
  ASSERT_NE(skin, nullptr);
  ASSERT_NE(skin->FindValue("SKIN"), nullptr);
  EXPECT_EQ(skin->FindValue("Skin")->text, "blue");
  const RegistryKey* course = reg.FindKey(kKey + kCourse);
  ASSERT_NE(course, nullptr);
  EXPECT_NE(course->FindValue(kCourse), nullptr);
  // Different spacing is a different name.
  EXPECT_EQ(reg.FindKey(kKey + "\xCA\xEE\xF0\xF2 "), nullptr);
  EXPECT_TRUE(SameRegistryName("\xB8", "\xA8"));  // ё, Ё
  EXPECT_FALSE(SameRegistryName("Pull 1", "Pull 2"));
}

TEST(RegistryFileParse, AcceptsCrLfBomCommentsAndDuplicateKeys) {
  const RegistryFile reg = RegistryFile::Parse(
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n; a comment\r\n"
      "[A\\B]\r\n\"x\"=dword:00000002\r\n"
      "[a\\b\\]\r\n\"X\"=dword:00000003\r\n\"y\"=\"t\"  \r\n; end of settings\r\n");
  EXPECT_FALSE(reg.damage());
  ASSERT_EQ(reg.keys().size(), 1u);
  const RegistryKey& key = reg.keys()[0];
  ASSERT_EQ(key.values.size(), 2u);
  EXPECT_EQ(key.FindValue("x")->number, 3u);  // the later value wins
  EXPECT_EQ(key.FindValue("y")->text, "t");
}

TEST(RegistryFileParse, ValuesOfOtherTypesAreKeptByteForByte) {
  const std::string body =
      "[Other\\App]\n"
      "\"bin\"=hex:01,02,\\\n"
      "  03,04\n"
      "\"short\"=dword:1\n"
      "\"bad\"=\"no closing quote\n"
      "@=\"default\"\n";
  const RegistryFile reg = RegistryFile::Parse(File(body));
  EXPECT_FALSE(reg.damage()) << reg.damage()->reason;
  const RegistryKey* key = reg.FindKey("Other\\App");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->FindValue("bin")->type, RegistryType::kOther);
  EXPECT_EQ(key->FindValue("short")->type, RegistryType::kOther);  // eight digits or nothing
  EXPECT_EQ(key->FindValue("bad")->type, RegistryType::kOther);
  EXPECT_EQ(key->FindValue("")->text, "default");
  EXPECT_EQ(reg.Format(), File(body));
}

template <size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

struct DamageCase {
  const char* label;
  std::string text;
  int line;
};

void PrintTo(const DamageCase& c, std::ostream* os) {
  *os << c.label;
}

class RegistryFileDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(RegistryFileDamage, IsFoundAndTheGoodKeysStillRead) {
  const RegistryFile reg = RegistryFile::Parse(GetParam().text);
  ASSERT_TRUE(reg.damage());
  EXPECT_EQ(reg.damage()->line, GetParam().line) << reg.damage()->reason;
  // Whatever came before the damage is there.
  if (GetParam().line > 3) {
    const RegistryKey* key = reg.FindKey("K\\One");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->FindValue("One")->number, 1u);
  }
}

const std::string kGood = File("[K\\One]\n\"One\"=dword:00000001\n");

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryFileDamage,
    ::testing::Values(DamageCase{"Empty", "", 0}, DamageCase{"NoHeader", "[K\\One]\n", 1},
                      DamageCase{"Binary",
                                 Bytes("\x7F"
                                       "ELF\x02\x01\x01\0\0\0\n\x03\0>\0"),
                                 1},
                      DamageCase{"Utf16", Bytes("\xFF\xFEW\0i\0n\0\n\0"), 1},
                      DamageCase{"CutInTheMiddleOfALine", kGood + "[K\\Two]\n\"Two\"=dwo", 8},
                      DamageCase{"NotUtf8", kGood + "\"Bad\"=\"\xC0\xAF\"\n", 7},
                      DamageCase{"NulByte", kGood + Bytes("\"N\"=\"a\0b\"\n"), 7},
                      DamageCase{"KeyWithoutBracket", kGood + "[K\\Two\n\"Two\"=dword:00000002\n",
                                 7},
                      DamageCase{"ValueBeforeAnyKey", File("\"x\"=dword:00000001\n"), 3},
                      DamageCase{"Garbage", kGood + "hello\n", 7},
                      DamageCase{"BrokenName", kGood + "\"One=dword:00000001\n", 7}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(RegistryFileParse, AFileCutShortAtALineEndIsDamaged) {
  const std::string whole = File("[K\\One]\n\"One\"=dword:00000001\n");
  EXPECT_FALSE(RegistryFile::Parse(whole).damage());
  const std::string cut = whole.substr(0, whole.find("\n;") + 1);
  ASSERT_TRUE(RegistryFile::Parse(cut).damage());
  EXPECT_EQ(RegistryFile::Parse(cut).FindKey("K\\One")->values.size(), 1u);
}

TEST(RegistryFileParse, KeyAfterADamagedLineIsStillRead) {
  const RegistryFile reg = RegistryFile::Parse(File("@@@\n[K\\Two]\n\"Two\"=dword:00000002\n"));
  ASSERT_TRUE(reg.damage());
  ASSERT_NE(reg.FindKey("K\\Two"), nullptr);
  EXPECT_EQ(reg.FindKey("K\\Two")->FindValue("Two")->number, 2u);
}

TEST(RegistryFileParse, OrphanValuesAfterABrokenKeyGoNowhere) {
  // The value under a broken key line must not land in the key before it.
  const RegistryFile reg = RegistryFile::Parse(
      File("[K\\One]\n\"One\"=dword:00000001\n[K\\Two\n\"Two\"=dword:00000002\n"));
  ASSERT_TRUE(reg.damage());
  EXPECT_EQ(reg.FindKey("K\\One")->FindValue("Two"), nullptr);
}

// --- disk ------------------------------------------------------------------

TEST(RegistryFileDisk, SaveCreatesTheFolderAndLoadReadsItBack) {
  TempDir tmp;
  const auto path = tmp / "config/quendrix/settings.reg";
  RegistryFile reg;
  reg.CreateKey(kKey + "Players").values.push_back(Dword("Players", 3));
  reg.Save(path);
  EXPECT_EQ(ReadFile(path), reg.Format());
  EXPECT_EQ(OtherFiles(path.parent_path(), "settings.reg"), 0);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // a new settings file is private

  const RegistryFile back = RegistryFile::Load(path);
  EXPECT_TRUE(back.existed());
  EXPECT_FALSE(back.damage());
  EXPECT_EQ(back.FindKey(kKey + "players")->values[0].number, 3u);
}

TEST(RegistryFileDisk, SaveKeepsPermissionsAndALinkedFile) {
  TempDir tmp;
  const auto real = tmp / "dotfiles/settings.reg";
  const auto link = tmp / "quendrix/settings.reg";
  WriteFile(real, kGood);
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_directories(link.parent_path());
  std::filesystem::create_symlink(real, link);

  RegistryFile reg = RegistryFile::Load(link);
  reg.CreateKey("K\\Two").values.push_back(Dword("Two", 2));
  reg.Save(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(real), reg.Format());
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(RegistryFileDisk, MissingFileIsEmptyAndUnreadableFilesAreDamaged) {
  TempDir tmp;
  const RegistryFile missing = RegistryFile::Load(tmp / "none.reg");
  EXPECT_FALSE(missing.existed());
  EXPECT_FALSE(missing.damage());

  std::filesystem::create_directories(tmp / "dir.reg");
  const RegistryFile dir = RegistryFile::Load(tmp / "dir.reg");
  EXPECT_TRUE(dir.existed());
  EXPECT_TRUE(dir.damage());

  // A fifo must not block the reader.
  ASSERT_EQ(::mkfifo((tmp / "fifo.reg").c_str(), 0600), 0);
  EXPECT_TRUE(RegistryFile::Load(tmp / "fifo.reg").damage());

  WriteFile(tmp / "big.reg", kGood + std::string(RegistryFile::kMaxFileSize, ';'));
  const RegistryFile big = RegistryFile::Load(tmp / "big.reg");
  EXPECT_TRUE(big.damage());
  EXPECT_TRUE(big.keys().empty());
}

TEST(RegistryFileDisk, AWriteThatFailsHalfwayKeepsTheOldFile) {
  TempDir tmp;
  const auto path = tmp / "settings.reg";
  WriteFile(path, kGood);
  RegistryFile reg = RegistryFile::Load(path);
  for (int i = 0; i < 50; ++i) {
    reg.CreateKey("K\\" + std::to_string(i)).values.push_back(Dword("v", i));
  }
  // A file size limit makes write() fail part way, even for root.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 256;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool threw = false;
  try {
    reg.Save(path);
  } catch (const SettingsFileError& e) {
    threw = true;
    EXPECT_NE(std::string(e.what()).find("settings.reg"), std::string::npos);
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_TRUE(threw);
  EXPECT_EQ(ReadFile(path), kGood);
  EXPECT_EQ(OtherFiles(tmp.path(), "settings.reg"), 0);  // the temporary file is gone
}

TEST(RegistryFileDisk, AReadOnlyFolderFailsTheWriteAndKeepsTheOldFile) {
  TempDir tmp;
  const auto dir = tmp / "quendrix";
  const auto path = dir / "settings.reg";
  WriteFile(path, kGood);
  ::chmod(tmp.path().c_str(), 0755);
  ::chmod(path.c_str(), 0644);
  ::chmod(dir.c_str(), 0555);

  // Root writes anywhere, so the save runs in a child that gives up root.
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    RegistryFile reg = RegistryFile::Load(path);
    reg.CreateKey("K\\Two").values.push_back(Dword("Two", 2));
    try {
      reg.Save(path);
    } catch (const SettingsFileError&) {
      ::_exit(0);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot drop root here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not report the failure";
  EXPECT_EQ(ReadFile(path), kGood);
  EXPECT_EQ(OtherFiles(dir, "settings.reg"), 0);
}

TEST(RegistryFileDisk, DefaultPathFollowsXdgConfigHomeThenHome) {
  TempDir tmp;
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", (tmp / "xdg").string());
    ScopedEnv home("HOME", (tmp / "home").string());
    EXPECT_EQ(DefaultSettingsPath(), tmp / "xdg/quendrix/settings.reg");
  }
  for (const std::optional<std::string>& unusable :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>("relative/dir")}) {
    ScopedEnv xdg("XDG_CONFIG_HOME", unusable);
    ScopedEnv home("HOME", (tmp / "home").string());
    EXPECT_EQ(DefaultSettingsPath(), tmp / "home/.config/quendrix/settings.reg");
  }
}

}  // namespace
}  // namespace quendrix
