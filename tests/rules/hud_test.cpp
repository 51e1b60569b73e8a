#include "game/hud.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "game/font_text.h"
#include "game/game_state.h"
#include "rules_support.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::CellId;

constexpr int32_t kW = 6;  // HUD font cell width
constexpr int32_t kDigitW = 5;

CellId Font(char c) {
  return {GuiImage::kFont, FontCell(static_cast<unsigned char>(c))};
}
CellId Digit(char c) {
  return {GuiImage::kDigits, DigitCell(static_cast<unsigned char>(c))};
}
constexpr CellId kPanel{GuiImage::kPanel, 0};

struct Hud {
  explicit Hud(int32_t players = 1) : table(players) {
    testing::AddMarkedItem(gui, GuiImage::kPointer, 8, 8, 1);
    testing::AddMarkedItem(gui, GuiImage::kPanel, 280, 110, 1);
    testing::AddMarkedItem(gui, GuiImage::kCompactPanel, 280, 24, 1);
    testing::AddMarkedItem(gui, GuiImage::kButtonsDown, 22, 22, 5);
    testing::AddMarkedItem(gui, GuiImage::kPushSign, 40, 16, 1);
    testing::AddMarkedItem(gui, GuiImage::kFont, kW, 8, 67);
    testing::AddMarkedItem(gui, GuiImage::kDigits, kDigitW, 7, 12);
    testing::AddMarkedItem(gui, GuiImage::kNameBox, 104, 20, 1);
    testing::AddMarkedItem(menu, MenuImage::kBannerFont, 20, 24, 61);
    s().holePar = 3;
    s().tickerPos = -1;
    s().pointerX = 600;  // away from the panel
    s().pointerY = 400;
    for (int32_t p = 1; p <= players; ++p) {
      ball(p).name = "P" + std::to_string(p);
      ball(p).pullPutt = true;
    }
  }
  GameSession& s() { return table.s(); }
  playerrec& ball(int32_t p) { return table.ball(p); }
  void Draw() {
    screen.surface.FillRaw(0);
    DrawHud(s(), screen.surface, gui, menu);
  }
  // Cell of character k (from 1) of a HUD-font text drawn at (x, y).
  CellId Char(int32_t x, int32_t y, int32_t k) const { return screen.At(x + kW * k, y); }
  CellId DigitChar(int32_t x, int32_t y, int32_t k) const {
    return screen.At(x + (kDigitW + 1) * k, y);
  }

  testing::Table table;
  TDXImageList gui, menu;
  testing::Screen screen;
};

TEST(HudTexts, LabelsNumberTheNameAndCountTheStrokes) {
  testing::Table t(2);
  t.ball(2).name = Utf8ToCp1251("Игрок  2");
  t.ball(2).totalStrokes = 14;
  std::string label;
  BuildLabel(label, t.s(), 2, kLabelOverBall);
  EXPECT_EQ(label, "2. NFP0K  2 (14)");
  t.ball(1).name = "abcdefghijklmnopqrstuvwxyz";
  for (const size_t n : {kLabelOverBall, kLabelCompact, kLabelFull}) {
    label.clear();
    BuildLabel(label, t.s(), 1, n);
    EXPECT_EQ(label, "1. " + std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, n) + " (0)");
  }
}

TEST(HudTexts, ScoresAgainstParCarryTheSignCell) {
  std::string text;
  BuildScoreText(text, 0);
  EXPECT_EQ(text, "o0");
  text.clear();
  BuildScoreText(text, -2);
  EXPECT_EQ(text, "-2");
  text.clear();
  BuildScoreText(text, 17);
  EXPECT_EQ(text, "o17");
}

TEST(HudTexts, HintsFollowThePointerAndTheLastMatchStands) {
  EXPECT_STREQ(HintAt(16, 76), kButtonHints[0]);  // corner of button 1
  EXPECT_STREQ(HintAt(30, 102), kButtonHints[0]);
  EXPECT_STREQ(HintAt(40, 90), kButtonHints[1]);  // button 1 and 2 overlap: 2
  EXPECT_STREQ(HintAt(130, 102), kButtonHints[4]);
  EXPECT_EQ(HintAt(131, 90), nullptr);
  EXPECT_EQ(HintAt(30, 103), nullptr);
  EXPECT_STREQ(HintAt(21, 28), kScoreCardHint);
  EXPECT_STREQ(HintAt(103, 65), kScoreCardHint);
  EXPECT_STREQ(HintAt(274, 13), kCloseHint);
  EXPECT_EQ(HintAt(275, 13), nullptr);
}

TEST(FullPanel, ShowsParStrokesAndTheCurrentPlayersLabel) {
  Hud h(2);
  h.s().currentPlayer = 2;
  h.ball(2).strokes = 2;
  h.ball(2).totalStrokes = 7;
  h.Draw();
  EXPECT_EQ(h.screen.At(4, 100), kPanel);
  EXPECT_EQ(h.Char(161, 48, 1), Font('3'));
  EXPECT_EQ(h.Char(118, 48, 1), Font('2'));
  // "2. P2 (7)"
  EXPECT_EQ(h.Char(116, 31, 1), Font('2'));
  EXPECT_EQ(h.Char(116, 31, 4), Font('P'));
  EXPECT_EQ(h.Char(116, 31, 8), Font('7'));
  h.ball(2).strokes = 10;
  h.Draw();
  EXPECT_EQ(h.Char(113, 48, 1), Font('1'));
  EXPECT_EQ(h.Char(113, 48, 2), Font('0'));
}

TEST(FullPanel, EveryPlayersScoreHasItsPlace) {
  Hud four(4);
  four.ball(1).toPar = 0;
  four.ball(2).toPar = -2;
  four.ball(3).toPar = 5;
  four.ball(4).toPar = 1;
  four.Draw();
  EXPECT_EQ(four.DigitChar(19, 27, 1), Digit('o'));
  EXPECT_EQ(four.DigitChar(19, 27, 2), Digit('0'));
  EXPECT_EQ(four.DigitChar(64, 27, 1), Digit('-'));
  EXPECT_EQ(four.DigitChar(64, 27, 2), Digit('2'));
  EXPECT_EQ(four.DigitChar(19, 48, 2), Digit('5'));
  EXPECT_EQ(four.DigitChar(64, 48, 2), Digit('1'));

  Hud three(3);
  three.Draw();
  EXPECT_EQ(three.DigitChar(19, 48, 1), Digit('o'));
  EXPECT_EQ(three.DigitChar(64, 48, 1), kPanel);  // the fourth place stays empty
}

TEST(FullPanel, HintsReplaceTheLabelOnlyWhileTheTickerIsIdle) {
  Hud h;
  h.s().pointerX = 30;
  h.s().pointerY = 90;  // button 1
  h.Draw();
  EXPECT_EQ(h.Char(116, 31, 1), Font('Y'));  // "Y0BT0P ..."
  EXPECT_EQ(h.Char(116, 31, 2), Font('0'));
  EXPECT_TRUE(h.s().hoverHint.empty());  // cleared at the end of every pass

  h.s().tickerText = "                    NEWS";
  h.s().tickerPos = 0;
  h.Draw();
  EXPECT_EQ(h.Char(116, 31, 1), Font(' '));  // the ticker's blanks, no hint
  h.s().pointerX = h.s().pointerY = 400;
  h.s().tickerPos = 0;
  h.Draw();
  EXPECT_EQ(h.Char(116, 31, 4), Font(' '));  // no label either
}

TEST(FullPanel, PressedButtonsShowWhileThePointerStaysOnThem) {
  Hud h;
  h.s().buttonDown[3] = true;
  h.s().buttonDown[4] = true;
  h.s().pointerX = 70;
  h.s().pointerY = 80;  // inside button 3 only
  h.Draw();
  EXPECT_EQ(h.screen.At(61 + 11, 76 + 11), (CellId{GuiImage::kButtonsDown, 2}));
  EXPECT_TRUE(h.s().buttonDown[3]);
  EXPECT_FALSE(h.s().buttonDown[4]);
  EXPECT_EQ(h.screen.At(83 + 15, 76 + 11), kPanel);
}

TEST(FullPanel, PushSignOnlyForPushPutting) {
  Hud h;
  h.Draw();
  EXPECT_EQ(h.screen.At(200, 55), kPanel);
  h.ball(1).pullPutt = false;
  h.Draw();
  EXPECT_EQ(h.screen.At(200, 55), (CellId{GuiImage::kPushSign, 0}));
}

TEST(CompactPanel, TenStrokesStandOnePlaceLeft) {
  Hud h;
  h.s().compactHud = true;
  h.ball(1).strokes = 9;
  h.Draw();
  EXPECT_EQ(h.screen.At(4, 20), (CellId{GuiImage::kCompactPanel, 0}));
  EXPECT_EQ(h.screen.At(4, 60), CellId{});  // no full panel under it
  EXPECT_EQ(h.Char(221, 9, 1), Font('3'));
  EXPECT_EQ(h.Char(206, 9, 1), Font('9'));
  h.ball(1).strokes = 10;
  h.Draw();
  EXPECT_EQ(h.Char(201, 9, 1), Font('1'));
  EXPECT_EQ(h.Char(201, 9, 2), Font('0'));
}

TEST(CompactPanel, LabelCutAtThirteenAndHiddenByTheTicker) {
  Hud h;
  h.s().compactHud = true;
  h.ball(1).name = "ABCDEFGHIJKLMNOPQRS";
  h.Draw();
  // "1. ABCDEFGHIJKLM (0)"
  EXPECT_EQ(h.Char(80, 9, 16), Font('M'));
  EXPECT_EQ(h.Char(80, 9, 17), Font(' '));
  h.s().tickerText = "XYZ";
  h.s().tickerPos = 0;
  h.Draw();
  EXPECT_EQ(h.Char(80, 9, 1), Font('X'));
  EXPECT_EQ(h.Char(80, 9, 4), (CellId{GuiImage::kCompactPanel, 0}));
}

TEST(Ticker, ScrollsAQuarterCharacterPerSubstepThenGoesIdle) {
  Hud h;
  h.s().tickerText = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";  // 36
  h.s().tickerPos = 0;
  h.s().substeps = 4;
  h.Draw();  // position 4: from character 1
  EXPECT_EQ(h.s().tickerPos, 4);
  EXPECT_EQ(h.Char(116, 31, 1), Font('A'));
  EXPECT_EQ(h.Char(116, 31, 28), Font('1'));
  EXPECT_EQ(h.Char(116, 31, 29), CellId{});  // 28 characters at most, past the panel
  h.Draw();                                  // position 8: from character 2
  EXPECT_EQ(h.Char(116, 31, 1), Font('B'));
  h.s().compactHud = true;
  h.Draw();  // position 12: from character 3, 21 at most
  EXPECT_EQ(h.Char(80, 9, 1), Font('C'));
  EXPECT_EQ(h.Char(80, 9, 21), Font('W'));

  int frames = 0;
  while (h.s().tickerPos != -1 && frames < 100) {
    h.Draw();
    ++frames;
  }
  EXPECT_EQ(h.s().tickerPos, -1);
  EXPECT_EQ(frames, 35);  // 4 x 36 = 144 is passed at 148, found idle at the next pass
}

TEST(Banner, A255BannerFadesOutIn76FramesAtOneSubstep) {
  Hud h;
  h.s().bannerText = "F0V";
  h.s().bannerFade = 255;
  int frames = 0;
  while (h.s().bannerFade > 0 && frames < 1000) {
    h.Draw();
    ++frames;
  }
  EXPECT_EQ(frames, 76);
  EXPECT_TRUE(h.s().bannerText.empty());
}

TEST(Banner, IsCentredByItsAssumedGlyphWidthAndShimmers) {
  Hud h;
  h.s().bannerText = "AB";  // 46 px assumed; cells are 20 wide here
  h.s().bannerFade = 255;
  h.Draw();
  // x = (640 - 46) div 2 = 297 plus a jitter of 0 ... 3 for the two copies;
  // the first glyph stands one advance right, at 317 ... 320.
  const int32_t y = 480 / 2 - 30 + 12;
  const auto lit = [&](int32_t x) { return h.screen.surface.RawPixel(x, y) != 0; };
  for (int32_t x = 318; x <= 356; ++x) EXPECT_TRUE(lit(x)) << x;
  EXPECT_FALSE(lit(316));
  EXPECT_FALSE(lit(360));
  EXPECT_EQ(h.s().bannerFade, 253);
}

TEST(Banner, TheQuitQuestionStaysUpWithoutFading) {
  Hud h;
  h.s().quitAsked = true;
  for (int i = 0; i < 300; ++i) {
    h.Draw();
    ASSERT_EQ(h.s().bannerText, kQuitBanner);
    ASSERT_GE(h.s().bannerFade, 193);
    ASSERT_LE(h.s().bannerFade, 204);
  }
  h.s().quitAsked = false;
  for (int i = 0; i < 300 && h.s().bannerFade > 0; ++i) h.Draw();
  EXPECT_EQ(h.s().bannerFade, 0);
}

TEST(NameLabels, EnterShowsEveryBallInPlayEvenWhileBallsMove) {
  Hud h(3);
  h.table.Place(1, 200, 300);
  h.table.Place(2, 400, 300);
  h.table.Place(3, 300, 400);
  h.ball(3).inPlay = false;
  h.s().ballsMoving = true;
  h.s().enterHeld = true;
  h.Draw();
  EXPECT_EQ(h.screen.At(200 - 52, 300 - 40), (CellId{GuiImage::kNameBox, 0}));
  EXPECT_EQ(h.screen.At(400 - 52, 300 - 40), (CellId{GuiImage::kNameBox, 0}));
  EXPECT_EQ(h.screen.At(300 - 52, 400 - 40), CellId{});
  // "1. P1 (0)" is 9 characters: it starts at 200 - 27 and lies over the box.
  EXPECT_EQ(h.Char(200 - 27, 300 - 35, 4), Font('P'));
}

TEST(NameLabels, TheCurrentPlayersShowsWhenAllIsStill) {
  Hud h(2);
  h.table.Place(1, 200, 300);
  h.table.Place(2, 400, 300);
  h.s().currentPlayer = 2;
  h.s().scrollX = 100;
  h.s().scrollY = 50;
  h.ball(2).z = 10;
  h.ball(2).inPlay = false;  // shown whether in play or not
  h.Draw();
  EXPECT_EQ(h.screen.At(300 - 52, 240 - 40), (CellId{GuiImage::kNameBox, 0}));
  EXPECT_EQ(h.screen.At(100 - 52, 250 - 40), CellId{});
  h.s().shotPhase = 1;
  h.Draw();
  EXPECT_EQ(h.screen.At(300 - 52, 240 - 40), CellId{});
}

TEST(LiveScore, FollowsTheCurrentPlayerOnceParIsReached) {
  Hud h;
  h.s().totalPar = 10;
  h.ball(1).totalStrokes = 9;
  h.ball(1).strokes = 2;
  h.Draw();
  EXPECT_EQ(h.ball(1).toPar, 0);
  h.ball(1).strokes = 3;
  h.ball(1).totalStrokes = 11;
  h.Draw();
  EXPECT_EQ(h.ball(1).toPar, 1);
}

TEST(Pointer, DrawnOnlyWhileIdle) {
  Hud h;
  h.s().pointerX = 300;
  h.s().pointerY = 200;
  DrawPointer(h.s(), h.screen.surface, h.gui);
  EXPECT_EQ(h.screen.At(303, 203), (CellId{GuiImage::kPointer, 0}));
  h.screen.surface.FillRaw(0);
  h.s().shotPhase = 2;
  DrawPointer(h.s(), h.screen.surface, h.gui);
  h.s().shotPhase = 0;
  h.s().ballsMoving = true;
  DrawPointer(h.s(), h.screen.surface, h.gui);
  EXPECT_EQ(h.screen.Lit(), 0);
}

TEST(Hud, AFarAwayBallDrawsNoLabelAndDoesNotOverflow) {
  Hud h;
  h.ball(1).x = 1e300;
  h.ball(1).y = -1e300;
  h.s().enterHeld = true;
  h.Draw();
  EXPECT_EQ(h.screen.At(4, 100), kPanel);
}

}  // namespace
}  // namespace quendrix
