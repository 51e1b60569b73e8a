#include "game/hole_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/angles.h"
#include "core/rounding.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::ScratchDir;
using testing::Table;

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
  const IniFile ini = IniFile::Parse("[Course]\r\n  PaR =  5 \r\n[AREA3]\nKind\t=\t12\n");
  EXPECT_EQ(ini.ReadInteger("course", "par", 3), 5);
  EXPECT_EQ(ini.ReadInteger("area3", "kind", 0), 12);
  ASSERT_NE(ini.Find("course", "PAR"), nullptr);
  EXPECT_EQ(*ini.Find("course", "PAR"), "5");
}

TEST(IniFile, IntegersInDecimalAndBothHexForms) {
  const IniFile ini = IniFile::Parse(
      "[s]\na=0x4\nb=0XfF\nc=$10\nd=-12\ne=+7\nf=0xFFFFFFFF\ng=-2147483648\nh=2147483647\n");
  EXPECT_EQ(ini.ReadInteger("s", "a", 0), 4);
  EXPECT_EQ(ini.ReadInteger("s", "b", 0), 255);
  EXPECT_EQ(ini.ReadInteger("s", "c", 0), 16);
  EXPECT_EQ(ini.ReadInteger("s", "d", 0), -12);
  EXPECT_EQ(ini.ReadInteger("s", "e", 0), 7);
  EXPECT_EQ(ini.ReadInteger("s", "f", 0), -1);  // 32 bits of hex wrap to signed
  EXPECT_EQ(ini.ReadInteger("s", "g", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("s", "h", 0), INT32_MAX);
}

TEST(IniFile, AnythingThatIsNotAnIntegerGivesTheDefault) {
  const IniFile ini = IniFile::Parse(
      "[s]\nword=four\nempty=\nhalf=1.5\ntrail=12abc\nbigdec=2147483648\nbighex=0x100000000\n"
      "barehex=0x\nbaredollar=$\nsign=-\ninner=1 2\nneg=-2147483649\n");
  for (const char* key : {"word", "empty", "half", "trail", "bigdec", "bighex", "barehex",
                          "baredollar", "sign", "inner", "neg", "missing"}) {
    EXPECT_EQ(ini.ReadInteger("s", key, 77), 77) << key;
  }
  EXPECT_EQ(ini.ReadInteger("nosection", "word", -5), -5);
}

TEST(IniFile, BooleansAreNonZeroIntegers) {
  const IniFile ini = IniFile::Parse("[s]\na=2\nb=0\nc=-1\nd=yes\n");
  EXPECT_TRUE(ini.ReadBool("s", "a", false));
  EXPECT_FALSE(ini.ReadBool("s", "b", true));
  EXPECT_TRUE(ini.ReadBool("s", "c", false));
  EXPECT_FALSE(ini.ReadBool("s", "d", false));  // not a number: the default
}

TEST(IniFile, FirstOfDuplicateKeysWinsAlsoAcrossRepeatedSections) {
  const IniFile ini = IniFile::Parse("[s]\nk=1\nK=2\n[t]\nk=9\n[S]\nk=3\nnew=4\n");
  EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
  EXPECT_EQ(ini.ReadInteger("s", "new", 0), 4);
  EXPECT_EQ(ini.ReadInteger("t", "k", 0), 9);
}

TEST(IniFile, MalformedLinesAreSkipped) {
  std::string text = "k=outside any section\n[s\nno equals sign here\n=no key\n;c=5\n";
  text += "[s]\n  \n]\n[]\nx=1\n";
  const IniFile ini = IniFile::Parse(text);
  EXPECT_EQ(ini.Find("", "k"), nullptr);
  EXPECT_EQ(ini.Find("s", ";c"), nullptr);
  EXPECT_EQ(ini.ReadInteger("", "x", 0), 1);  // "[]" is a section with an empty name
  EXPECT_EQ(ini.Find("s", "x"), nullptr);
}

TEST(IniFile, StringsStopAt2047Characters) {
  const std::string longValue(100000, 'q');
  const IniFile ini = IniFile::Parse("[s]\nv=" + longValue + "\nafter=5\n");
  EXPECT_EQ(ini.ReadString("s", "v", "").size(), 2047u);
  EXPECT_EQ(ini.ReadInteger("s", "after", 0), 5);
  EXPECT_EQ(ini.ReadString("s", "none", "dflt"), "dflt");
}

TEST(IniFile, BinaryJunkNeverBreaksTheReader) {
  std::string junk;
  uint32_t v = 12345;
  for (int i = 0; i < 200000; ++i) {
    v = v * 1103515245u + 12345u;
    junk.push_back(static_cast<char>(v >> 24));
  }
  junk += "\n[course]\npar=6\n";
  junk.insert(junk.begin() + 100, '\0');
  const IniFile ini = IniFile::Parse(junk);
  EXPECT_EQ(ini.ReadInteger("course", "par", 3), 6);
}

TEST(LoadHoleFile, ReadsTeeParAreasAndCup) {
  Table t(1);
  t.Load(
      "[ball]\nx=500\ny=400\n[course]\npar=0x4\n"
      "[area1]\nkind=2\nx1=10\ny1=20\nx2=10\ny2=90\nenabled=1\n"
      "[area12]\nkind=5\nx1=300\ny1=310\nr=8\np1=-3\np6=$20\nenabled=2\ncomment=course1hole2\n");
  GameSession& s = t.s();
  EXPECT_EQ(s.holePar, 4);
  EXPECT_EQ(s.totalPar, 4);
  EXPECT_EQ(s.areas[1].kind, AreaKind::kWall64);
  EXPECT_EQ(s.areas[1].y2, 90);
  EXPECT_TRUE(s.areas[1].enabled);
  const arearec& cup = s.areas[12];
  EXPECT_EQ(cup.r, 8);
  EXPECT_EQ(cup.p1, -3);
  EXPECT_EQ(cup.p6, 32);
  EXPECT_TRUE(cup.enabled);
  EXPECT_EQ(s.cupX, 300);
  EXPECT_EQ(s.cupY, 310);
  EXPECT_EQ(s.nextHoleName, "course1hole2");
  const playerrec& b = t.ball();
  EXPECT_LE(std::fabs(b.x - 500), 31.0);
  EXPECT_LE(std::fabs(b.y - 400), 15.5);
}

TEST(LoadHoleFile, MissingFileGivesTheDefaultsAndKeepsTheOldCup) {
  ScratchDir dir;
  Table t(1);
  GameSession& s = t.s();
  s.cupX = 11;
  s.cupY = 12;
  s.nextHoleName = "previous";
  s.areas[5].kind = AreaKind::kWall96;
  EXPECT_FALSE(LoadHoleFile(s, dir.path(), "nothere.hole"));
  EXPECT_EQ(s.holePar, 3);
  EXPECT_EQ(s.totalPar, 3);
  EXPECT_EQ(s.areas[5].kind, AreaKind::kNone);  // every entry is rewritten
  EXPECT_EQ(s.cupX, 11);
  EXPECT_EQ(s.cupY, 12);
  EXPECT_EQ(s.nextHoleName, "previous");
  EXPECT_LE(std::fabs(t.ball().x - 320), 31.0);
  EXPECT_LE(std::fabs(t.ball().y - 240), 15.5);
  // A folder of that name is no hole file either.
  std::filesystem::create_directory(dir.path() / "folder.hole");
  EXPECT_FALSE(LoadHoleFile(s, dir.path(), "folder.hole"));
}

TEST(LoadHoleFile, ReadsFromTheGivenFolderAsBytes) {
  ScratchDir dir;
  // cp1251 comment bytes survive as they are.
  dir.Write("h1.hole",
            "[course]\npar=word\n[area7]\nkind=5\nx1=1\ny1=2\ncomment=\xCF\xF0\xE8\n"
            "[area9]\nkind=23\n[area100]\nkind=4\n[area07]\nkind=4\n[area0]\nkind=4\n");
  Table t(2);
  GameSession& s = t.s();
  ASSERT_TRUE(LoadHoleFile(s, dir.path(), "h1.hole"));
  EXPECT_EQ(s.holePar, 3);  // a par written as a word reads as 3
  for (int32_t n = 1; n <= kMaxAreas; ++n) {
    const AreaKind expected = n == 7 ? AreaKind::kCup : n == 9 ? AreaKind::kSand : AreaKind::kNone;
    EXPECT_EQ(s.areas[n].kind, expected) << n;
  }
  EXPECT_EQ(s.nextHoleName, "\xCF\xF0\xE8");
}

TEST(LoadHoleFile, ParsAddUpAndTheLastCupWins) {
  Table t(1);
  t.Load(
      "[course]\npar=4\n[area3]\nkind=5\nx1=10\ny1=11\ncomment=a\n"
      "[area40]\nkind=5\nx1=20\ny1=21\ncomment=b\n");
  EXPECT_EQ(t.s().cupX, 20);
  EXPECT_EQ(t.s().cupY, 21);
  EXPECT_EQ(t.s().nextHoleName, "b");
  t.Load("[course]\npar=5\n");
  EXPECT_EQ(t.s().holePar, 5);
  EXPECT_EQ(t.s().totalPar, 9);
  EXPECT_EQ(t.s().nextHoleName, "b");  // no cup on the second hole: the old one stays
}

TEST(LoadHoleFile, HugeAndHostileFilesLoadTheDefaults) {
  ScratchDir dir;
  std::string text(100000, 'x');
  text += "\n[ball]\nx=" + std::string(100000, '9') + "\n";
  text += std::string(50000, '[') + "\n";
  for (int i = 0; i < 2000; ++i) text += "[area" + std::to_string(i) + "]\nkind=0x7fffffff\n";
  dir.Write("big.hole", text);
  Table t(4);
  ASSERT_TRUE(LoadHoleFile(t.s(), dir.path(), "big.hole"));
  EXPECT_EQ(ItemIndex(t.s().areas[1].kind), 0x7fffffff);
  EXPECT_EQ(ItemIndex(t.s().areas[99].kind), 0x7fffffff);
  // The overlong x is not a valid integer: the default tee.
  EXPECT_LE(std::fabs(t.ball().x - 320), 31.0);
}

// Four balls must end at least 18 view units apart and within the ring
// around the tee, whatever the seed.
TEST(TeeSpread, FourBallsKeepTheirDistanceForManySeeds) {
  for (uint64_t seed = 0; seed < 300; ++seed) {
    Table t(4, seed);
    t.Load("[ball]\nx=600\ny=500\n");
    for (int32_t i = 1; i <= 4; ++i) {
      const playerrec& a = t.ball(i);
      ASSERT_LE(std::fabs(a.x - 600), 31.0 + 1e-9) << seed;
      ASSERT_LE(std::fabs(a.y - 500), 15.5 + 1e-9) << seed;
      // At least 4 px out (half that vertically): view distance >= 4.
      ASSERT_GE(std::hypot(a.x - 600, 2 * (a.y - 500)), 4.0 - 1e-9) << seed;
      for (int32_t j = i + 1; j <= 4; ++j) {
        const playerrec& b = t.ball(j);
        ASSERT_GE(ViewDistance(Nearest(a.x), Nearest(a.y), Nearest(b.x), Nearest(b.y)), 18)
            << "seed " << seed << " balls " << i << ", " << j;
      }
    }
  }
}

TEST(TeeSpread, AbsentPlayersAndParkedBallsAlsoKeepTheirRoom) {
  for (uint64_t seed = 0; seed < 100; ++seed) {
    Table t(1, seed);
    // Player 2's record sits right at the tee; player 1 must keep away from it.
    t.ball(2).x = 320;
    t.ball(2).y = 240;
    t.Load("");
    ASSERT_GE(ViewDistance(Nearest(t.ball().x), Nearest(t.ball().y), 320, 240), 18) << seed;
  }
}

TEST(TeeSpread, SameSeedSameSpreadAndOtherSeedsDiffer) {
  Table a(4, 99), b(4, 99), c(4, 100);
  a.Load("");
  b.Load("");
  c.Load("");
  int differ = 0;
  for (int32_t i = 1; i <= 4; ++i) {
    EXPECT_EQ(a.ball(i).x, b.ball(i).x);
    EXPECT_EQ(a.ball(i).y, b.ball(i).y);
    differ += a.ball(i).x != c.ball(i).x;
  }
  EXPECT_GT(differ, 0);
  // The spread draws from the play stream only.
  EXPECT_EQ(a.s().visualRandom.State(), Pcg32(99, kVisualStream).State());
}

}  // namespace
}  // namespace quendrix
