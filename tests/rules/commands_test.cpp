#include "game/commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/game_state.h"
#include "game/hud.h"
#include "rules_support.h"
#include "test_support.h"

namespace quendrix {
namespace {

struct Commands {
  Commands() : table(2) {
    s().currentPlayer = 1;
    s().tickerPos = -1;
  }
  GameSession& s() { return table.s(); }
  void Key(uint16_t key) { CommandKeyDown(s(), host, key); }
  void KeyUp(uint16_t key) { CommandKeyUp(s(), key); }
  void ClickAt(int32_t x, int32_t y) {
    CommandMouseMove(s(), x, y);
    CommandClick(s(), host);
  }
  int Clicks() const {
    return static_cast<int>(std::count(table.events.sounds.begin(), table.events.sounds.end(),
                                       ItemIndex(EffectSound::kClick)));
  }
  bool Anchored() const {
    return !host.cursorMoves.empty() && host.cursorMoves.back().x == 320 &&
           host.cursorMoves.back().y == 240 && table.session->anchorX == 320 &&
           table.session->anchorY == 240;
  }
  testing::Table table;
  testing::RecordingHost host;
};

// ---- Keys -------------------------------------------------------------------

TEST(Keys, AnyKeyEndsAFinishedGame) {
  for (const uint16_t key : {vk::kSpace, vk::kReturn, kKeyF8, vk::kEscape}) {
    Commands c;
    c.s().gameOver = true;
    c.s().gameState = GameState::kScoreCard;
    c.Key(key);
    EXPECT_EQ(c.host.leaves, 1);
    EXPECT_EQ(c.Clicks(), 1);
    EXPECT_FALSE(c.s().compactHud);
  }
}

TEST(Keys, AnyKeyClosesTheTitleAndScoreCardsAndDoesNothingElse) {
  for (const GameState state : {GameState::kTitleCard, GameState::kScoreCard}) {
    Commands c;
    c.s().gameState = state;
    c.Key(vk::kEscape);
    EXPECT_EQ(c.s().gameState, GameState::kPlay);
    EXPECT_FALSE(c.s().quitAsked);
    EXPECT_EQ(c.Clicks(), 1);
    c.Key(vk::kEscape);  // now it asks
    EXPECT_TRUE(c.s().quitAsked);
  }
}

TEST(Keys, EscThenEnterLeavesAndAnyOtherKeyWithdrawsTheQuestion) {
  Commands c;
  c.Key(vk::kEscape);
  EXPECT_TRUE(c.s().quitAsked);
  c.Key(vk::kF1);  // withdraws, does not open the help
  EXPECT_FALSE(c.s().quitAsked);
  EXPECT_EQ(c.s().gameState, GameState::kPlay);
  EXPECT_EQ(c.Clicks(), 2);
  c.Key(vk::kEscape);
  c.Key(vk::kReturn);
  EXPECT_EQ(c.host.leaves, 1);
}

TEST(Keys, EnterHeldShowsTheLabels) {
  Commands c;
  c.Key(vk::kReturn);
  EXPECT_TRUE(c.s().enterHeld);
  EXPECT_EQ(c.host.leaves, 0);
  c.KeyUp(vk::kReturn);
  EXPECT_FALSE(c.s().enterHeld);
}

TEST(Keys, F8SwitchesThePuttStyleEvenWhileABallRollsAndOnTheHelpScreen) {
  Commands c;
  c.s().players[1].pullPutt = false;
  c.s().ballsMoving = true;
  c.Key(kKeyF8);
  EXPECT_TRUE(c.s().players[1].pullPutt);
  EXPECT_EQ(c.s().tickerText, kTickerPullOn);
  EXPECT_EQ(c.s().tickerPos, 0);
  EXPECT_EQ(c.Clicks(), 1);
  c.s().gameState = GameState::kPuttHelp;
  c.s().tickerPos = 17;
  c.Key(kKeyF8);
  EXPECT_FALSE(c.s().players[1].pullPutt);
  EXPECT_EQ(c.s().tickerText, kTickerPullOff);
  EXPECT_EQ(c.s().gameState, GameState::kPuttHelp);
  EXPECT_FALSE(c.s().players[2].pullPutt);  // only the current player's
}

TEST(Keys, AnyOtherKeyClosesTheHelpAndReanchors) {
  Commands c;
  c.s().gameState = GameState::kPuttHelp;
  c.Key(vk::kReturn);
  EXPECT_EQ(c.s().gameState, GameState::kPlay);
  EXPECT_TRUE(c.s().enterHeld);
  EXPECT_TRUE(c.Anchored());
  EXPECT_EQ(c.Clicks(), 0);
  c.s().gameState = GameState::kPuttHelp;
  c.Key(vk::kSpace);  // closes the help only
  EXPECT_FALSE(c.s().compactHud);
}

TEST(Keys, EndShowsTheScoreCardOnlyWhenNothingMoves) {
  Commands c;
  c.s().ballsMoving = true;
  c.Key(vk::kEnd);
  EXPECT_EQ(c.s().gameState, GameState::kPlay);
  EXPECT_EQ(c.Clicks(), 1);
  c.s().ballsMoving = false;
  c.Key(vk::kEnd);
  EXPECT_EQ(c.s().gameState, GameState::kScoreCard);
}

TEST(Keys, SpaceHomeF1AndPageUp) {
  Commands c;
  c.Key(vk::kSpace);
  EXPECT_TRUE(c.s().compactHud);
  c.Key(vk::kSpace);
  EXPECT_FALSE(c.s().compactHud);
  c.s().recentre = false;
  c.Key(vk::kHome);
  EXPECT_TRUE(c.s().recentre);
  c.Key(vk::kF1);
  EXPECT_EQ(c.s().gameState, GameState::kPuttHelp);
  c.s().gameState = GameState::kPlay;
  c.Key(vk::kPrior);
  EXPECT_EQ(c.s().gameState, GameState::kTitleCard);
  EXPECT_EQ(c.Clicks(), 5);
  // A finished hole waiting for its banner keeps waiting.
  c.s().gameState = GameState::kHoleFinished;
  c.Key(vk::kF1);
  c.Key(vk::kPrior);
  EXPECT_EQ(c.s().gameState, GameState::kHoleFinished);
}

TEST(Keys, F5CyclesTheFrameRate) {
  Commands c;
  c.Key(kKeyF5);
  EXPECT_EQ(c.host.interval, 66);
  EXPECT_EQ(c.s().tickerText, kTicker15Fps);
  EXPECT_EQ(std::count(c.s().tickerText.begin(), c.s().tickerText.end(), '\0'), 7);
  c.Key(kKeyF5);
  EXPECT_EQ(c.host.interval, 33);
  EXPECT_EQ(c.s().tickerText, kTicker30Fps);
  c.Key(kKeyF5);
  EXPECT_EQ(c.host.interval, 0);
  EXPECT_EQ(c.s().tickerText, kTicker60Fps);
  EXPECT_EQ(c.Clicks(), 3);
  // Another interval only restarts the ticker.
  c.host.interval = 50;
  c.s().tickerPos = 40;
  c.Key(kKeyF5);
  EXPECT_EQ(c.host.interval, 50);
  EXPECT_EQ(c.s().tickerPos, 0);
  EXPECT_EQ(c.s().tickerText, kTicker60Fps);
}

TEST(Keys, F4SwitchesTheSoundAndTheAmbientLoopFollows) {
  Commands c;
  c.Key(kKeyF4);  // off: silent
  EXPECT_FALSE(c.s().soundOn);
  EXPECT_EQ(c.Clicks(), 0);
  EXPECT_EQ(c.s().tickerText, kTickerSoundOff);
  EXPECT_EQ(c.host.ambient, std::vector<bool>{false});
  c.Key(kKeyF4);  // on: the click confirms it
  EXPECT_TRUE(c.s().soundOn);
  EXPECT_EQ(c.Clicks(), 1);
  EXPECT_EQ(c.s().tickerText, kTickerSoundOnKey);
  EXPECT_EQ(c.host.ambient, (std::vector<bool>{false, true}));
  c.s().ambientOn = false;
  c.Key(kKeyF4);
  c.Key(kKeyF4);
  EXPECT_EQ(c.host.ambient, (std::vector<bool>{false, true, false, false}));
}

TEST(Keys, F3SwitchesTheAmbientLoopWhichStaysSilentWithoutSound) {
  Commands c;
  c.Key(kKeyF3);
  EXPECT_FALSE(c.s().ambientOn);
  EXPECT_EQ(c.s().tickerText, kTickerAmbientOff);
  EXPECT_EQ(c.host.ambient.back(), false);
  c.s().soundOn = false;
  c.Key(kKeyF3);
  EXPECT_TRUE(c.s().ambientOn);
  EXPECT_EQ(c.s().tickerText, kTickerAmbientOn);
  EXPECT_EQ(c.host.ambient.back(), false);
  c.s().soundOn = true;
  c.Key(kKeyF3);
  c.Key(kKeyF3);
  EXPECT_EQ(c.host.ambient.back(), true);
}

TEST(Keys, ArrowsScrollOnlyWhileNothingMoves) {
  Commands c;
  c.Key(vk::kUp);
  c.Key(vk::kLeft);
  EXPECT_TRUE(c.s().scrollUpHeld);
  EXPECT_TRUE(c.s().scrollLeftHeld);
  c.s().ballsMoving = true;
  c.Key(vk::kDown);
  EXPECT_FALSE(c.s().scrollDownHeld);
  c.KeyUp(vk::kUp);  // released while a ball rolls: the flag stays
  EXPECT_TRUE(c.s().scrollUpHeld);
  c.s().ballsMoving = false;
  c.Key(vk::kRight);
  c.KeyUp(vk::kUp);
  c.KeyUp(vk::kRight);
  EXPECT_FALSE(c.s().scrollUpHeld);
  EXPECT_FALSE(c.s().scrollRightHeld);
  EXPECT_TRUE(c.s().scrollLeftHeld);
  EXPECT_EQ(c.Clicks(), 0);
}

// ---- Mouse ----------------------------------------------------------------

TEST(Mouse, MovesMeasureTheirStep) {
  Commands c;
  CommandMouseMove(c.s(), 3, 4);
  EXPECT_EQ(c.s().pointerStep, 5);
  CommandMouseMove(c.s(), 3, 4);
  EXPECT_EQ(c.s().pointerStep, 0);
  EXPECT_EQ(c.s().pointerX, 3);
}

TEST(Mouse, RightButtonCancelsTheAimAndTheQuitQuestion) {
  Commands c;
  c.s().quitAsked = true;
  CommandMouseDown(c.s(), c.host, MouseButton::kRight);
  EXPECT_EQ(c.host.cancels, 1);
  EXPECT_FALSE(c.s().quitAsked);
  EXPECT_EQ(c.Clicks(), 1);
  CommandMouseUp(c.s(), c.host, MouseButton::kRight);
  EXPECT_EQ(c.host.cancels, 2);
  EXPECT_EQ(c.Clicks(), 1);
  CommandMouseDown(c.s(), c.host, MouseButton::kMiddle);
  CommandMouseUp(c.s(), c.host, MouseButton::kMiddle);
  EXPECT_EQ(c.host.cancels, 2);
  EXPECT_EQ(c.host.leftDowns + c.host.leftUps, 0);
}

TEST(Mouse, LeftPressGoesToTheShotThenPressesPanelButtons) {
  Commands c;
  CommandMouseMove(c.s(), 40, 76);  // corner of button 2's press area
  CommandMouseDown(c.s(), c.host, MouseButton::kLeft);
  EXPECT_EQ(c.host.leftDowns, 1);
  EXPECT_TRUE(c.s().buttonDown[2]);
  EXPECT_FALSE(c.s().buttonDown[1]);
  c.s().buttonDown[2] = false;
  CommandMouseMove(c.s(), 39, 98);  // the shared edge: both
  CommandMouseDown(c.s(), c.host, MouseButton::kLeft);
  EXPECT_TRUE(c.s().buttonDown[1]);
  EXPECT_TRUE(c.s().buttonDown[2]);
  CommandMouseMove(c.s(), 39, 99);  // below the press areas
  c.s().buttonDown[1] = c.s().buttonDown[2] = false;
  CommandMouseDown(c.s(), c.host, MouseButton::kLeft);
  EXPECT_FALSE(c.s().buttonDown[1]);
  // While a shot is under way the panel is not pressed.
  Commands aiming;
  aiming.s().shotPhase = 1;
  CommandMouseMove(aiming.s(), 50, 80);
  CommandMouseDown(aiming.s(), aiming.host, MouseButton::kLeft);
  EXPECT_FALSE(aiming.s().buttonDown[2]);
  CommandMouseUp(aiming.s(), aiming.host, MouseButton::kLeft);
  EXPECT_EQ(aiming.host.leftUps, 1);
}

TEST(Clicks, EndAFinishedGameAndCloseTheStateScreens) {
  Commands over;
  over.s().gameOver = true;
  CommandClick(over.s(), over.host);
  EXPECT_EQ(over.host.leaves, 1);
  for (const GameState state :
       {GameState::kPuttHelp, GameState::kTitleCard, GameState::kScoreCard}) {
    Commands c;
    c.s().gameState = state;
    c.ClickAt(30, 90);  // on button 1: not handled as well
    EXPECT_EQ(c.s().gameState, GameState::kPlay);
    EXPECT_TRUE(c.Anchored());
    EXPECT_EQ(c.Clicks(), 1);
    EXPECT_EQ(c.s().tickerPos, -1);
  }
}

TEST(Clicks, ThePanelIsDeadWhileAimingOrRolling) {
  Commands c;
  c.s().shotPhase = 2;
  c.ClickAt(270, 10);  // close box
  c.s().shotPhase = 0;
  c.s().ballsMoving = true;
  c.ClickAt(50, 40);  // score-card area
  EXPECT_FALSE(c.s().quitAsked);
  EXPECT_EQ(c.s().gameState, GameState::kPlay);
  EXPECT_EQ(c.Clicks(), 0);
}

TEST(Clicks, ButtonOneRunsTheTickerAgain) {
  Commands c;
  c.s().tickerText = "OLD";
  c.s().buttonDown[1] = true;
  c.ClickAt(20, 80);
  EXPECT_EQ(c.s().tickerPos, 0);
  EXPECT_EQ(c.s().tickerText, "OLD");
  EXPECT_FALSE(c.s().buttonDown[1]);
  EXPECT_EQ(c.Clicks(), 1);
}

TEST(Clicks, ThePuttSignAndButtonTwoSwitchThePuttStyle) {
  Commands c;
  c.ClickAt(196, 49);
  EXPECT_TRUE(c.s().players[1].pullPutt);
  EXPECT_EQ(c.s().tickerText, kTickerPullOn);
  c.s().buttonDown[2] = true;
  c.ClickAt(50, 90);
  EXPECT_FALSE(c.s().players[1].pullPutt);
  EXPECT_FALSE(c.s().buttonDown[2]);
  c.ClickAt(237, 49);  // just past the sign
  EXPECT_FALSE(c.s().players[1].pullPutt);
  EXPECT_EQ(c.Clicks(), 2);
}

TEST(Clicks, ButtonThreeSwitchesTheSoundWithItsOwnText) {
  Commands c;
  c.ClickAt(70, 90);
  EXPECT_FALSE(c.s().soundOn);
  EXPECT_EQ(c.s().tickerText, kTickerSoundOff);
  c.ClickAt(70, 90);
  EXPECT_TRUE(c.s().soundOn);
  EXPECT_EQ(c.s().tickerText, kTickerSoundOnButton);
  EXPECT_EQ(c.Clicks(), 1);
  EXPECT_EQ(c.host.ambient, (std::vector<bool>{false, true}));
  EXPECT_EQ(c.s().gameState, GameState::kPlay);  // and nothing below it matched
  EXPECT_FALSE(c.s().quitAsked);
}

TEST(Clicks, ButtonFourOpensTheHelpAndButtonFiveRecentres) {
  Commands c;
  c.s().buttonDown[4] = true;
  c.ClickAt(90, 90);
  EXPECT_EQ(c.s().gameState, GameState::kPuttHelp);
  EXPECT_FALSE(c.s().buttonDown[4]);
  c.s().gameState = GameState::kPlay;
  c.s().recentre = false;
  c.ClickAt(127, 98);
  EXPECT_TRUE(c.s().recentre);
  EXPECT_EQ(c.Clicks(), 2);
}

TEST(Clicks, TheCloseBoxAsksAndTheScoreAreaWorksOnTheFullPanelOnly) {
  Commands c;
  c.ClickAt(267, 13);
  EXPECT_TRUE(c.s().quitAsked);
  c.s().quitAsked = false;
  c.s().compactHud = true;
  c.ClickAt(274, 7);
  EXPECT_TRUE(c.s().quitAsked);  // with either panel
  c.ClickAt(60, 40);
  EXPECT_EQ(c.s().gameState, GameState::kPlay);
  c.s().compactHud = false;
  c.ClickAt(103, 65);
  EXPECT_EQ(c.s().gameState, GameState::kScoreCard);
}

TEST(Clicks, DoubleClickOnTheTopStripTogglesTheCompactPanel) {
  Commands c;
  CommandMouseMove(c.s(), 150, 10);
  CommandDblClick(c.s(), c.host);
  EXPECT_TRUE(c.s().compactHud);
  CommandDblClick(c.s(), c.host);
  EXPECT_FALSE(c.s().compactHud);
  CommandMouseMove(c.s(), 150, 20);
  CommandDblClick(c.s(), c.host);
  EXPECT_FALSE(c.s().compactHud);
  EXPECT_EQ(c.Clicks(), 2);
}

TEST(TickerTexts, KeepTheirBlanks) {
  EXPECT_EQ(kTicker15Fps.size(), 48u);
  EXPECT_EQ(kTicker15Fps.find('V'), 19u);
  EXPECT_EQ(kTicker15Fps.substr(40), "  15 O/C");
  EXPECT_EQ(kTicker30Fps.find('V'), 27u);
  EXPECT_EQ(kTickerSoundOnKey.find('3'), 26u);
  EXPECT_EQ(kTickerSoundOnButton.find('3'), 25u);
  EXPECT_EQ(kTickerSoundOff.find('3'), 24u);
  EXPECT_EQ(kTickerPullOn.find('C'), 27u);
}

}  // namespace
}  // namespace quendrix
