// Start-up of the play screen and the hole set-up: what the settings turn
// into, what is loaded and shown, who opens the hole.
#include <gtest/gtest.h>

#include <fstream>

#include "media/bitmap.h"
#include "media/media_error.h"
#include "play_fixture.h"

namespace quendrix::playdata {
namespace {

uint16_t ScreenColour(const TDirectDrawSurface& s, int32_t x, int32_t y) {
  return static_cast<uint16_t>(s.RawPixel(x, y));
}

TEST(StartUp, SeatsThePlayersAndShowsTheTitleCard) {
  LaunchSettings settings = FreshSettings();
  settings.players = 1;  // two players
  settings.player = {"ANNA", "BORIS", "CYRIL", "DORA"};
  settings.pull = {false, true, false, true};
  settings.easy = {true, false, false, true};
  auto play = StartPlay(settings);
  GameSession& s = play->session();

  EXPECT_EQ(s.playerCount, 2);
  EXPECT_EQ(s.holeName, "course1hole1");
  EXPECT_EQ(s.holeNumber, 1);
  EXPECT_EQ(s.currentPlayer, 1);
  EXPECT_EQ(s.gameState, GameState::kTitleCard);
  EXPECT_EQ(s.holePar, 3);
  EXPECT_EQ(s.totalPar, 3);
  // Absent players get their names and putt styles too.
  for (int32_t p = 1; p <= 4; ++p) {
    const size_t k = static_cast<size_t>(p - 1);
    EXPECT_EQ(s.players[p].name, settings.player[k]);
    EXPECT_EQ(s.players[p].pullPutt, settings.pull[k]);
    EXPECT_EQ(s.players[p].easyTarget, settings.easy[k]);
    EXPECT_EQ(s.players[p].totalStrokes, 0);
  }
  // Only the opening player's ball is on the course.
  EXPECT_TRUE(s.players[1].inPlay);
  EXPECT_FALSE(s.players[2].inPlay);
  EXPECT_NEAR(s.players[1].x, 600, 31);
  EXPECT_NEAR(s.players[1].y, 450, 15.5);

  // The loading picture was shown while the hole loaded...
  const TDirectDrawSurface& shown = play->display.Screen();
  EXPECT_EQ(ScreenColour(shown, 320, 240), Raw(kLoadingColour));
  EXPECT_EQ(ScreenColour(shown, 5, 5), Raw(clBlack));
  // ... and the first frame shows the title card centred on black.
  ASSERT_TRUE(play->Frame());
  EXPECT_EQ(ScreenColour(play->display.Screen(), 340, 250), Raw(kTitleColour));
  EXPECT_EQ(ScreenColour(play->display.Screen(), 160, 140), Raw(kTitleColour));
  EXPECT_EQ(ScreenColour(play->display.Screen(), 159, 139), Raw(clBlack));
}

TEST(StartUp, ScreenModeFollowsTheCheckedButton) {
  LaunchSettings settings = FreshSettings();
  EXPECT_EQ(ScreenModeFromSettings(settings), (DisplayMode{640, 480, 16}));
  settings.screen640 = false;
  EXPECT_EQ(ScreenModeFromSettings(settings), (DisplayMode{640, 480, 16}))
      << "no checked mode falls back to 640 x 480";
  settings.screen1024 = true;
  EXPECT_EQ(ScreenModeFromSettings(settings), (DisplayMode{1024, 768, 16}));
  settings.screen512 = true;
  EXPECT_EQ(ScreenModeFromSettings(settings), (DisplayMode{512, 384, 16}))
      << "the last checked one tested wins";

  settings = FreshSettings();
  settings.screen640 = false;
  settings.screen800 = true;
  auto play = StartPlay(settings);
  EXPECT_EQ(play->display.Mode(), (DisplayMode{800, 600, 16}));
  EXPECT_EQ(play->BackSurface().Width(), 800);
  EXPECT_EQ(play->main().SurfaceHeight(), 600);
  EXPECT_TRUE(play->display.FullScreen());
}

TEST(StartUp, FastWritesAndFrameSkipSetPresentationAndTimer) {
  LaunchSettings settings = FreshSettings();
  settings.fastwrite = true;
  settings.frameskip = 3;
  auto fast = StartPlay(settings);
  EXPECT_FALSE(fast->main().DXDraw.NowOptions() & doWaitVBlank);
  EXPECT_EQ(fast->main().gengine.Interval(), 0u) << "no limit runs as fast as item 0";

  settings.fastwrite = false;
  settings.frameskip = 2;
  auto synced = StartPlay(settings);
  EXPECT_TRUE(synced->main().DXDraw.NowOptions() & doWaitVBlank);
  // A surface in system memory copies, it never flips.
  EXPECT_FALSE(synced->main().DXDraw.NowOptions() & doFlip);
  EXPECT_EQ(synced->main().gengine.Interval(), 66u);
  settings.frameskip = 1;
  EXPECT_EQ(StartPlay(settings)->main().gengine.Interval(), 33u);
}

TEST(StartUp, SoundSwitchesAndPrimaryFormat) {
  LaunchSettings settings = FreshSettings();
  settings.soundon = false;
  settings.soundoff = true;
  settings.bgsounds = false;
  auto play = StartPlay(settings);
  EXPECT_FALSE(play->session().soundOn);
  EXPECT_FALSE(play->session().ambientOn);
  EXPECT_EQ(play->sound.PrimaryRate(), 22050u);
  EXPECT_EQ(play->sound.PrimaryBits(), 16);
  EXPECT_EQ(play->sound.PrimaryChannels(), 1);
  EXPECT_EQ(play->sound.Level(), SoundLevel::kExclusive);
  EXPECT_EQ(play->sound.PlayingCount(), 0) << "no ambient loop with the sound off";
}

TEST(StartUp, AmbientLoopReplacesTheLoadingLoop) {
  auto play = StartPlay(FreshSettings());
  TMain& main = play->main();
  ASSERT_GE(main.sounds.Items.Count(), 7);
  EXPECT_FALSE(main.sounds.Items[ItemIndex(EffectSound::kLoadingLoop)].IsPlaying());
  EXPECT_TRUE(main.sounds.Items[ItemIndex(EffectSound::kLoadingLoop)].Looped());
  EXPECT_TRUE(main.bgsounds.Items[ItemIndex(HoleSound::kAmbient)].Looped());
  EXPECT_TRUE(main.bgsounds.Items[ItemIndex(HoleSound::kAmbient)].IsPlaying());
  // The loading loop was started (looping) before the hole loaded.
  bool loopStarted = false;
  for (const auto& e : play->sound.Events())
    if (e.kind == SilentSoundDevice::Event::kPlay && e.value == 1) loopStarted = true;
  EXPECT_TRUE(loopStarted);
}

TEST(StartUp, FirstHoleFollowsTrainingAndCourse) {
  LaunchSettings settings = FreshSettings();
  settings.course = 1;
  EXPECT_EQ(FirstHoleName(settings), "course2hole1");
  EXPECT_EQ(StartPlay(settings)->session().holeName, "course2hole1");
  settings.training = true;
  EXPECT_EQ(FirstHoleName(settings), "training1") << "training overrides the course";
}

TEST(StartUp, SkinReplacesOnlyTheBitmapsItHas) {
  const auto folder = SharedData() / "skins" / "onlyfont";
  std::filesystem::create_directories(folder);
  const Bitmap font(67 * 6, 7, MakeColor(248, 0, 0));
  SaveBmpFile((folder / "font.bmp").string(), font);
  // Unreadable bitmaps count as absent.
  {
    std::ofstream junk(folder / "panel.bmp", std::ios::binary);
    junk << "not a bitmap";
  }
  LaunchSettings settings = FreshSettings();
  auto plain = StartPlay(settings);
  settings.skin = "onlyfont";
  auto skinned = StartPlay(settings);

  EXPECT_EQ(skinned->main().gui.Items[ItemIndex(GuiImage::kFont)].Picture(), font);
  EXPECT_EQ(skinned->main().gui.Items[ItemIndex(GuiImage::kFont)].PatternWidth(), 8)
      << "the item's cut stays";
  for (int32_t i = 0; i < plain->main().gui.Items.Count(); ++i) {
    if (i == 7) continue;
    EXPECT_EQ(skinned->main().gui.Items[i].Picture(), plain->main().gui.Items[i].Picture())
        << "gui image " << i;
  }
  // The default entry names no folder.
  settings.skin = "[\xEE\xE1\xFB\xF7\xED\xFB\xE9 \xE8\xED\xF2\xE5\xF0\xF4\xE5\xE9\xF1]";
  EXPECT_EQ(StartPlay(settings)->main().gui.Items[ItemIndex(GuiImage::kFont)].Picture(),
            plain->main().gui.Items[ItemIndex(GuiImage::kFont)].Picture());
  std::filesystem::remove_all(SharedData() / "skins");
}

TEST(StartUp, BallTexturesComeFromTheSettingsInSurfaceFormat) {
  const auto folder = SharedData() / "textures";
  std::filesystem::create_directories(folder);
  Bitmap red(16, 16, MakeColor(200, 16, 16));
  red.SetPixel(3, 2, MakeColor(8, 252, 8));
  SaveBmpFile((folder / "red.bmp").string(), red);
  LaunchSettings settings = FreshSettings();
  settings.texture = {"", "red.bmp", "missing.bmp", "../red.bmp"};
  auto play = StartPlay(settings);
  TMain& main = play->main();

  EXPECT_EQ(main.ballTexture(2)[0], TDirectDrawSurface::ToRgb565(MakeColor(200, 16, 16)));
  EXPECT_EQ(main.ballTexture(2)[16 * 2 + 3], TDirectDrawSurface::ToRgb565(MakeColor(8, 252, 8)));
  // Empty, missing and path-like names keep the built-in texture.
  for (int32_t p : {1, 3, 4})
    for (int32_t t : {0, 17, 255})
      EXPECT_EQ(main.ballTexture(p)[static_cast<size_t>(t)],
                TDirectDrawSurface::ToRgb565(TexelColour(p, t)))
          << "player " << p << " texel " << t;
  std::filesystem::remove_all(folder);
}

TEST(StartUp, MissingListsStopTheStart) {
  DataDir empty;
  HeadlessPlay play(FreshSettings(), empty.path());
  play.main().FormCreate();
  EXPECT_THROW(play.main().Show(), FileError);
  EXPECT_FALSE(play.main().DXDraw.Initialized());
  EXPECT_FALSE(play.main().gengine.Enabled());
}

TEST(HoleSetUp, ResetsTheHoleAndPlacesDecorations) {
  auto play = StartPlay(FreshSettings(true));
  GameSession& s = play->session();
  EXPECT_EQ(s.holeName, "training1");
  // Fixed decorations of the training hole, looping.
  EXPECT_EQ(s.courseEffects[35].x, 340);
  EXPECT_EQ(s.courseEffects[35].y, 165);
  EXPECT_EQ(s.courseEffects[35].image, 9);
  EXPECT_TRUE(s.courseEffects[35].looping);
  EXPECT_EQ(s.courseEffects[36].image, 10);
  EXPECT_EQ(s.courseEffects[37].x, 218);
  int used = 0;
  for (const courseEffect& e : s.courseEffects) used += (e.x != 0 || e.y != 0) ? 1 : 0;
  EXPECT_EQ(used, 3);

  // Dirty the per-hole state, then set the hole up again.
  s.players[1].strokes = 4;
  s.players[1].totalStrokes = 9;
  s.players[1].moving = true;
  s.shotPhase = 2;
  s.pullSwing = 30;
  s.scrollX = 77;
  s.bestHoleScore = 2;
  s.courseEffects[3].x = 5;
  s.particles[4].active = true;
  s.holeName = "course1hole1";
  play->main().HoleInit();
  EXPECT_EQ(s.players[1].strokes, 0);
  EXPECT_EQ(s.players[1].totalStrokes, 9) << "game totals survive";
  EXPECT_FALSE(s.players[1].moving);
  EXPECT_EQ(s.shotPhase, 0);
  EXPECT_EQ(s.pullSwing, 0);
  EXPECT_EQ(s.scrollX, 0);
  EXPECT_TRUE(s.recentre);
  EXPECT_EQ(s.bestHoleScore, 99);
  EXPECT_FALSE(s.particles[4].active);
  EXPECT_FALSE(s.buttonDown[1]);
  EXPECT_TRUE(s.buttonDown[2]);
  EXPECT_EQ(s.totalPar, 6);
  EXPECT_EQ(s.gameState, GameState::kTitleCard);
  EXPECT_TRUE(play->main().gengine.Enabled());
  for (const courseEffect& e : s.courseEffects) EXPECT_EQ(e.x, 0) << "course1hole1 has none";
}

TEST(HoleSetUp, OpeningPlayerFollowsStartPlayer) {
  LaunchSettings settings = FreshSettings();
  settings.players = 2;  // three players
  settings.startplayer = 1;
  auto play = StartPlay(settings);
  GameSession& s = play->session();
  EXPECT_EQ(s.currentPlayer, 1) << "nobody has holed out before the first hole";
  s.currentPlayer = 2;
  s.firstHoledPlayer = 3;
  play->main().HoleInit();
  EXPECT_EQ(s.currentPlayer, 3);
  EXPECT_EQ(s.firstHoledPlayer, 0);
  int inPlay = 0;
  for (int32_t p = 1; p <= 3; ++p) inPlay += s.players[p].inPlay ? 1 : 0;
  EXPECT_EQ(inPlay, 1);
  EXPECT_TRUE(s.players[3].inPlay);

  play->settings.startplayer = 0;
  s.firstHoledPlayer = 1;
  play->main().HoleInit();
  EXPECT_EQ(s.currentPlayer, 3) << "last to play stays";

  // Drawn by lot: every player comes up, and one player always draws 1.
  play->settings.startplayer = 2;
  bool seen[4] = {};
  for (int i = 0; i < 40; ++i) {
    play->main().HoleInit();
    ASSERT_GE(s.currentPlayer, 1);
    ASSERT_LE(s.currentPlayer, 3);
    seen[s.currentPlayer] = true;
  }
  EXPECT_TRUE(seen[1] && seen[2] && seen[3]);
  settings.players = 0;
  settings.startplayer = 2;
  auto solo = StartPlay(settings);
  for (int i = 0; i < 5; ++i) {
    solo->main().HoleInit();
    EXPECT_EQ(solo->session().currentPlayer, 1);
  }
}

}  // namespace
}  // namespace quendrix::playdata
