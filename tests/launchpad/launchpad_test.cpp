// The launch pad's handlers and their orders, driven headless.
#include "launchpad/launchpad04.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "../platform/virtual_pad.h"
#include "game/mainsource19.h"
#include "launchpad/launchpad_view.h"
#include "launchpad_support.h"
#include "media/bitmap.h"

namespace quendrix::testing {
namespace {

using widgets::MenuAction;

// Picture points inside each menu spot, and one inside the picture but in
// none of them.
constexpr HotPoint kSpotPoint[4] = {{148, 102}, {230, 80}, {230, 100}, {210, 120}};
constexpr HotPoint kNoSpot = {60, 60};

std::vector<std::string> TransitionCalls() {
  std::vector<std::string> calls = {"repaint", "stop", "file interface.flc", "play"};
  for (int n = 1; n <= 30; ++n) calls.push_back("frame " + std::to_string(n));
  for (const char* c : {"stop", "stopped 1", "file interface_loop.flc", "play"}) calls.push_back(c);
  return calls;
}

// ---- Screen and panels --------------------------------------------------------

struct PlaceCase {
  int32_t desktopW, desktopH;
  bool forceinterface;
  int32_t left, top;
};

class PanelPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PanelPlaceTest, PanelsSitWhereThey640x480ScreenPutsThem) {
  const PlaceCase c = GetParam();
  LaunchpadRig rig;
  rig.display.desktopW = c.desktopW;
  rig.display.desktopH = c.desktopH;
  // Stored settings decide the full-screen interface before the first show.
  {
    TAMReg reg(rig.SettingsFile());
    LaunchSettings s;
    s.forceinterface = c.forceinterface;
    WriteAllSettings(reg, s);
  }
  Tlaunchpad& lp = rig.Create();
  EXPECT_EQ(lp.mainmenu.left, c.left);
  EXPECT_EQ(lp.mainmenu.top, c.top);
  EXPECT_EQ(lp.Width(), rig.display.ScreenWidth());
  rig.ClickPicture(kSpotPoint[Tlaunchpad::kSpotSetup].x, kSpotPoint[Tlaunchpad::kSpotSetup].y);
  ASSERT_TRUE(lp.setup.Visible());
  EXPECT_EQ(lp.setup.left, c.left);
  EXPECT_EQ(lp.setup.top, c.top);
}

INSTANTIATE_TEST_SUITE_P(Screens, PanelPlaceTest,
                         ::testing::Values(PlaceCase{1024, 768, false, 342, 321},
                                           PlaceCase{1024, 768, true, 150, 177},
                                           PlaceCase{640, 480, false, 150, 177},
                                           // Narrower than designed: division towards zero.
                                           PlaceCase{601, 401, false, 131, 138}));

TEST(LaunchpadDisplay, ScreenThatCannotOpenEndsWithTheDirectXBox) {
  LaunchpadRig rig;
  rig.display.failInterface = true;
  Tlaunchpad& lp = rig.Create();
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.boxes[0], "DirectX Error: Requires DirectX 6.0 or later\nno 640x480 mode");
  EXPECT_TRUE(lp.Terminated());
  EXPECT_NE(lp.ExitStatus(), 0);
  EXPECT_EQ(rig.videos.intros, 0);
  EXPECT_FALSE(lp.mainmenu.Visible());
}

// ---- Panel changes and sounds ---------------------------------------------------

TEST(LaunchpadTransition, PlaysThirtyFramesThenLoopsAgainOrNothingWithNoFlip) {
  for (bool noflip : {false, true}) {
    LaunchpadRig rig;
    Tlaunchpad& lp = rig.Create();
    lp.settings.noflip = noflip;
    rig.animation.calls.clear();
    rig.ClearSounds();
    rig.ClickPicture(kSpotPoint[3].x, kSpotPoint[3].y);
    EXPECT_TRUE(lp.quit.Visible());
    const std::vector<int> played = rig.Played();
    const bool whoosh = std::count(played.begin(), played.end(), Tlaunchpad::kTransitionSound) > 0;
    if (noflip) {
      EXPECT_TRUE(rig.animation.calls.empty());
      EXPECT_FALSE(whoosh);
    } else {
      EXPECT_EQ(rig.animation.calls, TransitionCalls());
      EXPECT_TRUE(whoosh);
    }
  }
}

TEST(LaunchpadControls, ANameNotThereOrAControlOfAnotherKindIsReported) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  EXPECT_EQ(&lp.Get<widgets::Button>("launch"), lp.Find("launch"));
  EXPECT_THROW(lp.Get<widgets::Button>("lunch"), std::logic_error);
  EXPECT_THROW(lp.Get<widgets::CheckBox>("launch"), std::logic_error);
}

TEST(LaunchpadSound, ClicksWithoutMusicWhenBackgroundSoundIsOff) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create(false);
  lp.settings.bgsounds = false;
  lp.FormShow();
  EXPECT_TRUE(rig.Played().empty());
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  rig.ClearSounds();
  rig.Click("fastwrite");
  EXPECT_EQ(rig.Played(), std::vector<int>{Tlaunchpad::kClick});
  // Boxes without the click make none.
  rig.ClearSounds();
  rig.Click("noflip");
  EXPECT_TRUE(rig.Played().empty());
}

TEST(LaunchpadSound, BackgroundBoxStopsMusicAndRestartsItOnlyWithSoundOn) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  ASSERT_TRUE(lp.DXSong.Items[0].IsPlaying());
  rig.ClearSounds();
  rig.Click("bgsounds");
  EXPECT_FALSE(lp.settings.bgsounds);
  EXPECT_TRUE(rig.Stopped(Tlaunchpad::kMusic));
  EXPECT_FALSE(lp.DXSong.Items[0].IsPlaying());
  rig.ClearSounds();
  rig.Click("bgsounds");
  // Play rewinds: the music starts again from the beginning, looping.
  EXPECT_EQ(rig.Played(), (std::vector<int>{Tlaunchpad::kClick, Tlaunchpad::kMusic}));
  EXPECT_TRUE(lp.DXSong.Items[0].Looped());
  rig.Click("bgsounds");
  rig.Click("soundoff");
  rig.ClearSounds();
  rig.Click("bgsounds");
  EXPECT_TRUE(lp.settings.bgsounds);
  EXPECT_TRUE(rig.Played().empty());
  // The click items are quieter than the rest.
  EXPECT_EQ(lp.DXSong.Items[1].SoundVolume(), -700);
  EXPECT_EQ(lp.DXSong.Items[2].SoundVolume(), -700);
  EXPECT_EQ(lp.DXSong.Items[3].SoundVolume(), 0);
}

TEST(LaunchpadMenu, HoverSoundsOnlyOverSpotsAndAClickOutsideThemDoesNothing) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.animation.calls.clear();
  rig.ClearSounds();
  rig.ClickPicture(kNoSpot.x, kNoSpot.y);
  EXPECT_TRUE(lp.mainmenu.Visible());
  EXPECT_TRUE(rig.animation.calls.empty());
  EXPECT_TRUE(rig.Played().empty());
  const HotPoint off = lp.HotImage1.PictureOffset();
  lp.PointerMove(lp.mainmenu.left + 5 + off.x + kSpotPoint[1].x,
                 lp.mainmenu.top + 8 + off.y + kSpotPoint[1].y);
  EXPECT_EQ(lp.HotImage1.Spot(), 1);
  EXPECT_EQ(rig.Played(), std::vector<int>{Tlaunchpad::kClick});
}

// ---- Keys ------------------------------------------------------------------------

TEST(LaunchpadKeys, MenuSelectionWrapsAndStartsFromThePointer) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  lp.MenuAction(MenuAction::kUp);
  EXPECT_EQ(lp.HotImage1.Spot(), 3);
  lp.MenuAction(MenuAction::kDown);
  EXPECT_EQ(lp.HotImage1.Spot(), 0);
  lp.MenuAction(MenuAction::kDown);
  lp.MenuAction(MenuAction::kDown);
  lp.MenuAction(MenuAction::kSelect);
  ASSERT_TRUE(lp.setup.Visible());
  // Esc on setup: back to the menu, which takes the spot under the pointer
  // (none here), and nothing is written.
  lp.MenuAction(MenuAction::kBack);
  EXPECT_TRUE(lp.mainmenu.Visible());
  EXPECT_EQ(lp.HotImage1.Spot(), -1);
  EXPECT_FALSE(std::filesystem::exists(rig.SettingsFile()));
  lp.MenuAction(MenuAction::kDown);
  EXPECT_EQ(lp.HotImage1.Spot(), 0);
  // Esc on the menu opens the quit panel; Esc there comes back.
  lp.MenuAction(MenuAction::kBack);
  ASSERT_TRUE(lp.quit.Visible());
  lp.MenuAction(MenuAction::kBack);
  ASSERT_TRUE(lp.mainmenu.Visible());
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  lp.MenuAction(MenuAction::kBack);
  EXPECT_EQ(lp.HotImage1.Spot(), 2);
}

TEST(LaunchpadKeys, EnterPressesTheMainButtonUnlessTypingOrOnAButton) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  widgets::Panel& start = lp.start;
  start.SetFocus(lp.Find("name"));
  ASSERT_NE(start.Typing(), nullptr);
  EXPECT_FALSE(lp.EnterPressesMainButton());
  EXPECT_TRUE(start.HandleAction(MenuAction::kSelect));  // ends the typing only
  EXPECT_TRUE(start.Visible());
  EXPECT_EQ(start.Typing(), nullptr);
  start.SetFocus(lp.Find("showrules"));
  EXPECT_FALSE(lp.EnterPressesMainButton());
  start.SetFocus(lp.Find("easytarget"));
  ASSERT_TRUE(lp.EnterPressesMainButton());
  lp.PressMainButton();
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_TRUE(lp.mainmenu.Visible());
}

// The keys as the view gets them: Space presses only a focused control, so
// on a panel with nothing focused it neither launches nor quits; Enter
// presses the main button.
TEST(LaunchpadKeys, SpaceWithNothingFocusedLeavesThePanelAndEnterPressesItsButton) {
  for (int32_t spot : {Tlaunchpad::kSpotPlay, Tlaunchpad::kSpotQuit}) {
    LaunchpadRig rig;
    Tlaunchpad& lp = rig.Create();
    LaunchpadView view(lp, nullptr, Bitmap(), Bitmap());
    rig.ClickPicture(kSpotPoint[spot].x, kSpotPoint[spot].y);
    widgets::Panel* panel = lp.OpenPanel();
    ASSERT_TRUE(panel == &lp.start || panel == &lp.quit);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_SPACE;
    view.HandleEvent(key);
    EXPECT_TRUE(panel->Visible());
    EXPECT_TRUE(rig.game.games.empty());
    EXPECT_FALSE(lp.Terminated());
    key.key.keysym.sym = SDLK_RETURN;
    view.HandleEvent(key);
    EXPECT_EQ(rig.game.games.size(), spot == Tlaunchpad::kSpotPlay ? 1u : 0u);
    EXPECT_EQ(lp.Terminated(), spot == Tlaunchpad::kSpotQuit);
  }
}

// ---- Intro, credits, quitting -------------------------------------------------------

TEST(LaunchpadVideos, IntroOncePerRunAndSkipIntroSkipsCreditsToo) {
  for (bool skip : {false, true}) {
    LaunchpadRig rig;
    Tlaunchpad& lp = rig.Create(false);
    lp.settings.skipintro = skip;
    lp.FormShow();
    rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
    rig.Click("launch");
    EXPECT_EQ(rig.videos.intros, skip ? 0 : 1);
    EXPECT_TRUE(lp.introShown);
    rig.ClickPicture(kSpotPoint[3].x, kSpotPoint[3].y);
    rig.Click("quitbutton");
    EXPECT_EQ(rig.videos.credits, skip ? 0 : 1);
    EXPECT_TRUE(lp.Terminated());
    EXPECT_EQ(lp.ExitStatus(), 0);
    EXPECT_FALSE(rig.sound.IsOpen());
  }
}

// ---- Players ---------------------------------------------------------------------

TEST(LaunchpadPlayers, NameTypedOnTabThreeIsKeptAcrossTabsAndSaved) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("playerinfo", 2);
  auto& name = lp.Get<widgets::Edit>("name");
  lp.start.SetEditText(name, "Ваня");
  rig.Click("playerinfo", 0);
  EXPECT_EQ(Cp1251ToUtf8(name.Text()), "Игрок  1");
  rig.Click("playerinfo", 2);
  EXPECT_EQ(Cp1251ToUtf8(name.Text()), "Ваня");
  EXPECT_EQ(Cp1251ToUtf8(lp.Get<widgets::Edit>("player3").Text()), "Ваня");
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_EQ(Cp1251ToUtf8(rig.game.games[0].player[2]), "Ваня");
  TAMReg reg(rig.SettingsFile());
  reg.SetActive(true);
  EXPECT_EQ(Cp1251ToUtf8(reg.ReadString("Player 3")), "Ваня");
}

TEST(LaunchpadPlayers, PushOnTabTwoLeavesPlayerOnePulling) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("playerinfo", 1);
  rig.Click("pushputt");
  rig.Click("easytarget");
  EXPECT_FALSE(lp.settings.pull[1]);
  EXPECT_TRUE(lp.settings.easy[1]);
  EXPECT_TRUE(lp.settings.pull[0]);
  EXPECT_FALSE(lp.settings.easy[0]);
  rig.Click("playerinfo", 0);
  EXPECT_TRUE(lp.Get<widgets::RadioButton>("pullputt").Checked());
  EXPECT_FALSE(lp.Get<widgets::CheckBox>("easytarget").Checked());
}

TEST(LaunchpadPlayers, TexturesCycleFromTheSecondFileAndBadOnesChangeNothing) {
  LaunchpadRig rig;
  const TColor colours[3] = {0x0000FF, 0x00FF00, 0xFF0000};
  const char* names[3] = {"a.bmp", "b.bmp", "c.bmp"};
  std::filesystem::create_directories(rig.dir / "textures");
  for (int i = 0; i < 3; ++i)
    SaveBmpFile((rig.dir / "textures" / names[i]).string(), Bitmap(16, 16, colours[i]));
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  for (int expected : {1, 2, 0, 1}) {
    rig.Click("tex_inc");
    EXPECT_EQ(lp.settings.texture[0], names[expected]);
    EXPECT_EQ(lp.PlayerTexture(1).Pixel(0, 0), colours[expected]);
    EXPECT_EQ(lp.Get<widgets::Picture>("balltexture").Pixels().at(0), colours[expected] & 0xFF);
  }
  EXPECT_TRUE(lp.settings.texture[1].empty());
  // A file that is no bitmap is reported and changes nothing.
  WriteFile(rig.dir / "textures" / "c.bmp", "not a bitmap");
  rig.Click("tex_inc");
  EXPECT_EQ(lp.settings.texture[0], "b.bmp");
  EXPECT_EQ(lp.PlayerTexture(1).Pixel(0, 0), colours[1]);
  ASSERT_EQ(rig.boxes.size(), 1u);
  // An empty folder, or none at all: the box says there are no textures.
  for (bool folder : {true, false}) {
    std::filesystem::remove_all(rig.dir / "textures");
    if (folder) std::filesystem::create_directories(rig.dir / "textures");
    rig.Click("tex_inc");
    ASSERT_EQ(rig.boxes.size(), folder ? 2u : 3u);
    EXPECT_EQ(rig.boxes.back(),
              "Quendrix: No ball textures (*.bmp) in " + (rig.dir / "textures").string());
    EXPECT_EQ(lp.settings.texture[0], "b.bmp");
  }
}

// ---- Rules -----------------------------------------------------------------------

struct PresetCase {
  int32_t gametype, startplayer, nextplayer, whencollide, scoring;
  bool plus1, minus1;
};

class LaunchpadPresetTest : public ::testing::TestWithParam<PresetCase> {};

TEST_P(LaunchpadPresetTest, GameTypeAndDefaultButtonLoadThePresetButNotTheStrokeLimit) {
  const PresetCase c = GetParam();
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  auto& gametype = lp.Get<widgets::DropDown>("gametype");
  // From another type first, so the choice is a change.
  lp.start.ChooseItem(gametype, c.gametype == 2 ? 0 : 2);
  lp.start.ChooseItem(gametype, c.gametype);
  rig.Click("showrules");
  ASSERT_TRUE(lp.rules.Visible());
  for (bool viaButton : {false, true}) {
    LaunchSettings& s = lp.settings;
    if (viaButton) {
      s.startplayer = 2, s.nextplayer = 1 - c.nextplayer, s.whencollide = 1 - c.whencollide;
      s.scoring = 1 - c.scoring, s.plus1 = !c.plus1, s.minus1 = !c.minus1;
      rig.Click("FlatButton4");
    }
    EXPECT_EQ(s.startplayer, c.startplayer);
    EXPECT_EQ(s.nextplayer, c.nextplayer);
    EXPECT_EQ(s.whencollide, c.whencollide);
    EXPECT_EQ(s.scoring, c.scoring);
    EXPECT_EQ(s.plus1, c.plus1);
    EXPECT_EQ(s.minus1, c.minus1);
    s.strokelimit = 3;
  }
  rig.Click("FlatButton4");
  EXPECT_EQ(lp.settings.strokelimit, 3);
  rig.Click("rulesok");
  EXPECT_TRUE(lp.start.Visible());
}

INSTANTIATE_TEST_SUITE_P(GameTypes, LaunchpadPresetTest,
                         ::testing::Values(PresetCase{0, 0, 0, 0, 0, false, true},
                                           PresetCase{1, 0, 1, 0, 1, false, true},
                                           PresetCase{2, 1, 0, 1, 1, true, false}));

// ---- Launch and return -------------------------------------------------------------

TEST(LaunchpadLaunch, TrainingStartsTrainingOneWhateverTheCourse) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  lp.settings.course = 1;
  rig.ClickPicture(kSpotPoint[1].x, kSpotPoint[1].y);
  EXPECT_FALSE(lp.Find("course")->visible);
  EXPECT_EQ(widgets::DisplayText(lp.Find("launch")->caption), "Тренировка");
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_EQ(FirstHoleName(rig.game.games[0]), "training1");
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  EXPECT_TRUE(lp.Find("course")->visible);
  rig.Click("launch");
  EXPECT_EQ(FirstHoleName(rig.game.games[1]), "course2hole1");
}

TEST(LaunchpadLaunch, HandsEverythingOverAndComesBackToTheMainMenu) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  ASSERT_TRUE(rig.display.interface);
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.ClearSounds();
  rig.Click("launch");
  // One sound device and one surface at a time; the launch pad hidden.
  EXPECT_FALSE(rig.game.soundWasOpen);
  EXPECT_FALSE(rig.game.interfaceWasOpen);
  EXPECT_FALSE(rig.game.launchpadWasVisible);
  // A launch without setup OK leaves the first-run marker for the next start.
  TAMReg reg(rig.SettingsFile());
  reg.SetActive(true);
  EXPECT_TRUE(reg.ReadBool("RunOnce"));
  reg.SetActive(false);
  EXPECT_TRUE(lp.mainmenu.Visible());
  EXPECT_FALSE(lp.start.Visible());
  EXPECT_TRUE(rig.sound.IsOpen());
  EXPECT_TRUE(rig.display.interface);
  EXPECT_TRUE(lp.DXSong.Items[0].IsPlaying());
  // A game that cannot start is reported and leaves a usable launch pad.
  rig.game.fail = "Cannot open file \"gui.dxg\"";
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("launch");
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_NE(rig.boxes[0].find("gui.dxg"), std::string::npos);
  EXPECT_TRUE(lp.mainmenu.Visible());
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  EXPECT_TRUE(lp.setup.Visible());
}

TEST(LaunchpadSettings, MissingMenuSoundsKeepTheStoredSettings) {
  LaunchpadRig rig(false);
  {
    TAMReg reg(rig.SettingsFile());
    LaunchSettings s;
    s.players = 2;
    s.player[0] = Utf8ToCp1251("Маша");
    s.skipintro = true;
    WriteAllSettings(reg, s);
  }
  Tlaunchpad& lp = rig.Create();
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_NE(rig.boxes[0].find("menu.dxw"), std::string::npos);
  EXPECT_EQ(lp.settings.players, 2);
  EXPECT_EQ(Cp1251ToUtf8(lp.settings.player[0]), "Маша");
  EXPECT_EQ(rig.videos.intros, 0);
  // Silent, yet usable: setup OK writes the stored values back, not defaults.
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  rig.Click("OkButton1");
  EXPECT_TRUE(lp.mainmenu.Visible());
  TAMReg reg(rig.SettingsFile());
  reg.SetActive(true);
  EXPECT_EQ(reg.ReadInt("Players"), 2);
}

// The player's stored names and choices with one damaged line: one box
// names it and the file, and a setup OK writes every other value back.
TEST(LaunchpadSettings, ADamagedLineCostsOnlyItsOwnValue) {
  LaunchpadRig rig;
  LaunchSettings stored;
  stored.player = {"Alice", "Bob", "Carol", "Dave"};
  stored.easy[2] = true;
  stored.pull[3] = false;
  {
    TAMReg reg(rig.SettingsFile());
    WriteAllSettings(reg, stored);
  }
  std::string text = ReadFile(rig.SettingsFile());
  text.replace(text.find("\"Bob\""), 5, "\"B\xFF\"");  // not UTF-8
  WriteFile(rig.SettingsFile(), text);

  Tlaunchpad& lp = rig.Create();
  ASSERT_EQ(rig.boxes.size(), 1u);
  const std::string box =
      "Quendrix: Failed to get data for 'Player 2'\n" + rig.SettingsFile().string() + ": line ";
  EXPECT_EQ(rig.boxes[0].substr(0, box.size()), box);
  EXPECT_NE(rig.boxes[0].find("not UTF-8"), std::string::npos);
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  rig.Click("OkButton1");
  EXPECT_EQ(rig.boxes.size(), 1u);
  LaunchSettings back;
  TAMReg reg(rig.SettingsFile());
  const SettingsReadResult read = ReadAllSettings(reg, back);
  EXPECT_EQ(read.error, "");
  stored.player[1] = LaunchSettings{}.player[1];
  EXPECT_EQ(back.player, stored.player);
  EXPECT_EQ(back.easy, stored.easy);
  EXPECT_EQ(back.pull, stored.pull);
  EXPECT_EQ(lp.settings.player, stored.player);
}

// A save that fails says which file and why, below the game's own message, and
// the setup panel stays for another try.
TEST(LaunchpadSettings, AFailedSaveNamesTheFileAndTheReason) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  // A file stands where the settings folder should be made.
  WriteFile(rig.SettingsFile().parent_path(), "not a folder");
  const std::string box = "Quendrix: Failed to set data for 'RunOnce'\n" +
                          rig.SettingsFile().parent_path().string() + ": ";
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  rig.Click("OkButton1");
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.boxes[0].substr(0, box.size()), box);
  EXPECT_GT(rig.boxes[0].size(), box.size()) << "the system's reason";
  EXPECT_TRUE(lp.setup.Visible());
  // A launch plays on regardless, after the same box.
  lp.MenuAction(MenuAction::kBack);
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("launch");
  ASSERT_EQ(rig.boxes.size(), 2u);
  EXPECT_EQ(rig.boxes[1], rig.boxes[0]);
  EXPECT_EQ(rig.game.games.size(), 1u);
}

// A user with no home folder: one box at start says what cannot be kept
// and why; the launch pad then plays, and OK and launch write nothing.
TEST(LaunchpadSettings, NoFolderForSettingsPlaysOnInMemory) {
  LaunchpadRig rig;
  rig.settingsFile.clear();
  rig.noSettingsFolder = "no folder for the settings: no HOME";
  rig.noDataFolder = "no HOME either";
  Tlaunchpad& lp = rig.Create();
  ASSERT_EQ(rig.boxes.size(), 1u);
  EXPECT_EQ(rig.boxes[0],
            "Quendrix: Settings cannot be kept after this run:\n"
            "no folder for the settings: no HOME\n"
            "Replays and screenshots cannot be saved:\nno HOME either");
  EXPECT_TRUE(lp.settings.screen640);
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  rig.Click("screen800");
  rig.Click("OkButton1");
  EXPECT_TRUE(lp.mainmenu.Visible());
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_TRUE(rig.game.games[0].screen800);
  EXPECT_EQ(rig.boxes.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(rig.dir / "config"));
}

// Esc, pad B or a right click on the setup panel goes back writing nothing:
// every setup control as the panel found it, the music as its box says.
struct BackWay {
  const char* name;
  SDL_Event event;
};
void PrintTo(const BackWay& way, std::ostream* os) {
  *os << way.name;
}

class SetupBack : public ::testing::TestWithParam<BackWay> {};

TEST_P(SetupBack, PutsEverySetupControlBack) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  LaunchpadView view(lp, nullptr, Bitmap(), Bitmap());
  std::filesystem::create_directories(rig.dir / "skins/blue");
  rig.ClickPicture(kSpotPoint[2].x, kSpotPoint[2].y);
  const LaunchSettings opened = lp.settings;
  ASSERT_TRUE(lp.DXSong.Items[0].IsPlaying());
  for (const char* control :
       {"screen1024", "fastwrite", "soundoff", "bgsounds", "skipintro", "noflip", "forceinterface"})
    rig.Click(control);
  lp.setup.ChooseItem(lp.Get<widgets::DropDown>("frameskip"), 2);
  auto& skin = lp.Get<widgets::DropDown>("skin");
  skin.items.push_back("blue");
  lp.setup.ChooseItem(skin, 1);
  ASSERT_EQ(lp.settings.skin, "blue");
  ASSERT_FALSE(lp.DXSong.Items[0].IsPlaying());

  view.HandleEvent(GetParam().event);
  ASSERT_TRUE(lp.mainmenu.Visible());
  const LaunchSettings& s = lp.settings;
  EXPECT_EQ(std::tie(s.screen640, s.screen800, s.screen1024, s.fastwrite, s.soundon, s.soundoff,
                     s.bgsounds, s.frameskip, s.skipintro, s.noflip, s.forceinterface, s.skin),
            std::tie(opened.screen640, opened.screen800, opened.screen1024, opened.fastwrite,
                     opened.soundon, opened.soundoff, opened.bgsounds, opened.frameskip,
                     opened.skipintro, opened.noflip, opened.forceinterface, opened.skin));
  EXPECT_EQ(skin.ItemIndex(), 0);
  EXPECT_TRUE(lp.DXSong.Items[0].IsPlaying());
  EXPECT_FALSE(std::filesystem::exists(rig.SettingsFile()));
  // The next game starts on them too.
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_TRUE(rig.game.games[0].screen640);
  EXPECT_FALSE(rig.game.games[0].screen1024);
}

BackWay Way(const char* name, uint32_t type) {
  BackWay way{name, {}};
  way.event.type = type;
  if (type == SDL_KEYDOWN) way.event.key.keysym.sym = SDLK_ESCAPE;
  if (type == SDL_MOUSEBUTTONDOWN) way.event.button.button = SDL_BUTTON_RIGHT;
  if (type == SDL_CONTROLLERBUTTONDOWN) way.event.cbutton.button = SDL_CONTROLLER_BUTTON_B;
  return way;
}

INSTANTIATE_TEST_SUITE_P(Ways, SetupBack,
                         ::testing::Values(Way("Escape", SDL_KEYDOWN),
                                           Way("RightClick", SDL_MOUSEBUTTONDOWN),
                                           Way("PadB", SDL_CONTROLLERBUTTONDOWN)),
                         [](const ::testing::TestParamInfo<BackWay>& param) {
                           return param.param.name;
                         });

// Keys and pads press the putting radios and the aiming box as the mouse
// does, and the shown player's mirrors follow them.
TEST(LaunchpadPlayers, KeysAndPadChoicesReachThePlayersMirrors) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  rig.Click("playerinfo", 1);
  widgets::Panel& start = lp.start;
  start.SetFocus(lp.Find("pullputt"));
  start.HandleAction(MenuAction::kRight);  // the arrow checks "Пуш"
  ASSERT_TRUE(lp.settings.pushputt);
  EXPECT_FALSE(lp.settings.pull[1]);
  start.HandleAction(MenuAction::kNextField);
  ASSERT_EQ(start.Focus(), lp.Find("easytarget"));
  start.HandleAction(MenuAction::kSelect);  // Space or pad A
  EXPECT_TRUE(lp.settings.easy[1]);
  EXPECT_TRUE(lp.settings.pull[0]);
  EXPECT_FALSE(lp.settings.easy[0]);
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_FALSE(rig.game.games[0].pull[1]);
  EXPECT_TRUE(rig.game.games[0].easy[1]);
}

// Who plays a player: the tab's list shows the shown player's mirror, and
// a choice by the pointer or by the keys goes into it; the game gets them
// and the settings file keeps them for the next start.
TEST(LaunchpadPlayers, TheTabsPlayerListKeepsEachPlayersChoice) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  auto& list = lp.Get<widgets::DropDown>("computer");
  ASSERT_EQ(list.items.size(), kComputerItems.size());
  EXPECT_EQ(Cp1251ToUtf8(list.items[3]), "Мастер");
  rig.Click("playerinfo", 1);
  lp.start.ChooseItem(list, 3);
  rig.Click("playerinfo", 3);
  lp.start.SetFocus(&list);
  lp.start.HandleAction(MenuAction::kRight);  // a closed list's next item
  EXPECT_EQ(lp.settings.computer, (std::array<int32_t, 4>{0, 3, 0, 1}));
  rig.Click("playerinfo", 0);
  EXPECT_EQ(list.ItemIndex(), 0);
  rig.Click("playerinfo", 1);
  EXPECT_EQ(list.ItemIndex(), 3);
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_EQ(rig.game.games[0].computer, (std::array<int32_t, 4>{0, 3, 0, 1}));

  rig.lp.reset();
  Tlaunchpad& again = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  EXPECT_EQ(again.settings.computer, (std::array<int32_t, 4>{0, 3, 0, 1}));
  rig.Click("playerinfo", 1);
  EXPECT_EQ(again.Get<widgets::DropDown>("computer").ItemIndex(), 3);
}

// The hidden mirrors of every stored player value sit on the window, each
// kind numbered 1 ... 4 in turn, and those of the computer players after
// every older control, as their values are written after the older ones.
TEST(LaunchpadPlayers, HiddenMirrorsKeepTheOrderTheValuesAreWritten) {
  LaunchpadRig rig;
  Tlaunchpad& lp = rig.Create();
  std::map<std::string, int32_t> last;  // kind -> the last number met
  size_t lastOlder = 0, firstComputer = 0, at = 0;
  for (const auto& control : lp.window.Children()) {
    ++at;
    const std::string name(control->Name());
    const char n = name.empty() ? 0 : name.back();
    const std::string kind = name.substr(0, name.size() - 1);
    if (n < '1' || n > '4' ||
        (kind != "player" && kind != "pull" && kind != "easy" && kind != "computer"))
      continue;
    EXPECT_FALSE(control->visible) << name;
    EXPECT_EQ(n - '0', last[kind] + 1) << name;
    last[kind] = n - '0';
    if (kind == "computer") {
      if (firstComputer == 0) firstComputer = at;
    } else {
      lastOlder = at;
    }
  }
  for (const char* kind : {"player", "pull", "easy", "computer"}) EXPECT_EQ(last[kind], 4) << kind;
  EXPECT_EQ(firstComputer, lp.window.Children().size() - 3);
  EXPECT_LT(lastOlder, firstComputer);
}

// A name as long as the full panel shows is taken whole, and a longer
// stored one shows whole and is played and kept whole.
TEST(LaunchpadPlayers, LongNamesAreTakenAndShownWhole) {
  LaunchpadRig rig;
  const std::string stored = Utf8ToCp1251("Александра Константиновна");  // 25
  {
    TAMReg reg(rig.SettingsFile());
    LaunchSettings s;
    s.player[0] = stored;
    WriteAllSettings(reg, s);
  }
  Tlaunchpad& lp = rig.Create();
  rig.ClickPicture(kSpotPoint[0].x, kSpotPoint[0].y);
  auto& name = lp.Get<widgets::Edit>("name");
  EXPECT_EQ(name.Text(), stored);
  rig.Click("playerinfo", 1);
  lp.start.SetEditText(name, "Анна-Мария Ивлева");  // 17
  EXPECT_EQ(Cp1251ToUtf8(lp.settings.player[1]), "Анна-Мария Ивлева");
  rig.Click("playerinfo", 0);
  EXPECT_EQ(name.Text(), stored);
  rig.Click("launch");
  ASSERT_EQ(rig.game.games.size(), 1u);
  EXPECT_EQ(rig.game.games[0].player[0], stored);
  TAMReg reg(rig.SettingsFile());
  reg.SetActive(true);
  EXPECT_EQ(reg.ReadString("Player 1"), stored);
}

// From the main menu into a game with a gamepad alone: SDL's virtual game
// controller, its events read from SDL's queue into the launch pad's view.
TEST(LaunchpadPad, StartsAGameWithoutAMouse) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  auto pad = std::make_unique<test::VirtualPad>();
  ASSERT_TRUE(pad->Ok()) << SDL_GetError();
  {
    LaunchpadRig rig;
    Tlaunchpad& lp = rig.Create();
    LaunchpadView view(lp, nullptr, Bitmap(), Bitmap());
    auto pump = [&] {
      SDL_Event e;
      while (SDL_PollEvent(&e) != 0) view.HandleEvent(e);
      view.Tick();
      view.DeliverReleases();
    };
    auto tap = [&](int button) {
      pad->Button(button, true);
      pump();
      pad->Button(button, false);
      pump();
    };
    pump();                                // the pad arrives
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // onto "Играть"
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(lp.start.Visible());
    tap(SDL_CONTROLLER_BUTTON_A);  // the panel's main button: the launch
    EXPECT_EQ(rig.game.games.size(), 1u);
  }
  pad.reset();
  SDL_QuitSubSystem(SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER);
}

}  // namespace
}  // namespace quendrix::testing
