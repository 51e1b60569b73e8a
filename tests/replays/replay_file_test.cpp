#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "computer/bot.h"
#include "core/cp1251.h"
#include "game/game_state.h"
#include "game/replay.h"
#include "replay_support.h"

namespace quendrix {
namespace {

std::filesystem::path TempFile(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("quendrix-replay-test-" + std::to_string(::getpid()) + "-" + name);
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Replay Sample() {
  Replay r;
  r.seed = 1234567890123ull;
  r.settings.players = 2;
  r.settings.player[0] = Utf8ToCp1251("Игрок  1");
  r.settings.player[1] = "has spaces and = signs";
  r.settings.skin = "";
  r.settings.texture[3] = "ball 7.bmp";
  r.settings.plus1 = true;
  r.settings.pull[2] = false;
  r.settings.easy[1] = true;
  r.settings.strokelimit = 3;
  r.settings.screen640 = false;
  r.settings.screen1024 = true;
  ReplayFrame first;
  first.tickRate = 62;
  first.inputs = {{InputKind::kMove, -5, 700},  {InputKind::kDown, 0, 0},
                  {InputKind::kClick, 0, 0},    {InputKind::kUp, 1, 0},
                  {InputKind::kDblClick, 0, 0}, {InputKind::kKeyDown, 0x74, 0},
                  {InputKind::kKeyUp, 0x74, 0}};
  r.frames.push_back(first);
  for (int i = 0; i < 130; ++i) r.frames.push_back({15, {}});
  r.checkpoints = {{60, 0xFEDCBA9876543210ull}, {120, 7}};
  r.trailingInputs = {{InputKind::kKeyDown, 32, 0}};
  PlayerScore p;
  p.player = 1;
  p.totalStrokes = 31;
  p.holesWon = 4;
  p.holeScores = {3, 4, 2, 5, 3, 4, 3, 4, 3};
  r.scores = {p, p};
  r.scores[1].player = 2;
  r.ended = true;
  r.endFrames = 131;
  return r;
}

void ExpectSame(const Replay& a, const Replay& b) {
  EXPECT_EQ(a.seed, b.seed);
  EXPECT_EQ(a.settings.player, b.settings.player);
  EXPECT_EQ(a.settings.texture, b.settings.texture);
  EXPECT_EQ(a.settings.skin, b.settings.skin);
  EXPECT_EQ(a.settings.pull, b.settings.pull);
  EXPECT_EQ(a.settings.easy, b.settings.easy);
  EXPECT_EQ(a.settings.players, b.settings.players);
  EXPECT_EQ(a.settings.strokelimit, b.settings.strokelimit);
  EXPECT_EQ(a.settings.plus1, b.settings.plus1);
  EXPECT_EQ(a.settings.screen1024, b.settings.screen1024);
  EXPECT_EQ(a.settings.screen640, b.settings.screen640);
  ASSERT_EQ(a.frames.size(), b.frames.size());
  for (size_t i = 0; i < a.frames.size(); ++i) {
    EXPECT_EQ(a.frames[i].tickRate, b.frames[i].tickRate);
    EXPECT_EQ(a.frames[i].inputs, b.frames[i].inputs);
  }
  EXPECT_EQ(a.trailingInputs, b.trailingInputs);
  EXPECT_EQ(a.checkpoints, b.checkpoints);
  EXPECT_EQ(a.scores, b.scores);
  EXPECT_EQ(a.ended, b.ended);
  EXPECT_EQ(a.endFrames, b.endFrames);
}

TEST(ReplayFile, RoundTripsEveryRecord) {
  const Replay sample = Sample();
  const std::string text = FormatReplay(sample);
  EXPECT_EQ(text.rfind("quendrix-replay 1\n", 0), 0u);
  ExpectSame(ParseReplay(text), sample);
  EXPECT_EQ(FormatReplay(ParseReplay(text)), text);
}

TEST(ReplayFile, EverySettingSurvives) {
  Pcg32 random(5, 5);
  for (int i = 0; i < 20; ++i) {
    Replay r;
    r.settings = RandomSettings(random);
    r.settings.frameskip = random.RandomBelow(4);
    r.settings.gametype = random.RandomBelow(3);
    const Replay back = ParseReplay(FormatReplay(r));
    // Formatting the read settings again gives the same lines: no field is
    // lost or mixed up with another.
    EXPECT_EQ(FormatReplay(back), FormatReplay(r));
    EXPECT_EQ(back.settings.startplayer, r.settings.startplayer);
    EXPECT_EQ(back.settings.minus1, r.settings.minus1);
    EXPECT_EQ(back.settings.soundoff, r.settings.soundoff);
  }
}

TEST(ReplayFile, ALastLineCutShortIsDropped) {
  std::string text = FormatReplay(Sample());
  text.resize(text.rfind("end"));
  text += "f 6";  // what a crash in the middle of a write leaves
  const Replay r = ParseReplay(text);
  EXPECT_FALSE(r.ended);
  EXPECT_EQ(r.frames.size(), Sample().frames.size());
  EXPECT_EQ(r.scores.size(), 2u);
}

TEST(ReplayFile, MalformedFilesAreRefusedWithTheLine) {
  const std::string good = FormatReplay(Sample());
  const auto fails = [](const std::string& text, const std::string& words) {
    try {
      ParseReplay(text);
      ADD_FAILURE() << "accepted: " << words;
      return;
    } catch (const ReplayError& e) {
      EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what() << " / " << words;
    }
  };
  fails("", "empty");
  fails("hello\n", "not a replay");
  fails("quendrix-replay 2\nseed 1\nsettings-end\n", "version 2");
  fails("quendrix-replay 1\nseed 1\n", "cut short");
  fails("quendrix-replay 1\nsettings-end\n", "no seed");
  fails("quendrix-replay 1\nseed x\nsettings-end\n", "line 2");
  fails("quendrix-replay 1\nseed 1\nset colour 3\nsettings-end\n", "unknown setting");
  fails("quendrix-replay 1\nseed 1\nset plus1 2\nsettings-end\n", "0 or 1");
  fails("quendrix-replay 1\nseed 1\ntext player1 4G\nsettings-end\n", "hex");
  fails("quendrix-replay 1\nseed 1\ntext shoe 41\nsettings-end\n", "unknown text");
  fails("quendrix-replay 1\nseed 1\nf 60\nsettings-end\n", "among the settings");
  const std::string header = "quendrix-replay 1\nseed 1\nsettings-end\n";
  fails(header + "m 1\n", "line 4");
  fails(header + "d 7\n", "mouse button");
  fails(header + "f -3\n", "negative");
  fails(header + "s 60 xyz\n", "not a number");
  fails(header + "score 1 2 3\n", "fields");
  fails(header + "jump 3\n", "unknown record");
  fails(header + "end 0\nf 60\n", "after the end");
  fails(header + "k 99999999999\n", "not a number");
}

TEST(ReplayRecorder, WritesAsTheGameGoesAndAnUnfinishedFileStillReads) {
  const auto file = TempFile("live.replay");
  LaunchSettings settings;
  settings.players = 1;
  GameSession session(settings);
  session.playerCount = 2;
  {
    ReplayRecorder recorder(file, 99, settings);
    recorder.Input({InputKind::kMove, 10, 20});
    recorder.Frame(60, session);
    // Flushed after the frame: a crash now loses nothing written so far.
    const Replay partial = ParseReplay(ReadAll(file));
    ASSERT_EQ(partial.frames.size(), 1u);
    EXPECT_EQ(partial.frames[0].inputs.size(), 1u);
    EXPECT_EQ(partial.seed, 99u);
    for (int i = 1; i < kChecksumEvery; ++i) recorder.Frame(30, session);
    EXPECT_EQ(recorder.frames(), kChecksumEvery);
  }  // destroyed without Finish, as in a crash
  const Replay r = ReadReplayFile(file);
  EXPECT_FALSE(r.ended);
  ASSERT_EQ(r.checkpoints.size(), 1u);
  EXPECT_EQ(r.checkpoints[0].frame, kChecksumEvery);
  EXPECT_EQ(r.checkpoints[0].checksum, StateChecksum(session));
  std::filesystem::remove(file);
}

TEST(ReplayRecorder, FinishWritesTheScoresOnce) {
  const auto file = TempFile("finish.replay");
  LaunchSettings settings;
  GameSession session(settings);
  session.playerCount = 2;
  session.players[2].totalStrokes = 17;
  session.players[2].holeScores[9] = 4;
  {
    ReplayRecorder recorder(file, 1, settings);
    recorder.Frame(60, session);
    recorder.Finish(session);
    recorder.Finish(session);
    recorder.Frame(60, session);  // nothing after the end
  }
  const Replay r = ReadReplayFile(file);
  EXPECT_TRUE(r.ended);
  EXPECT_EQ(r.endFrames, 1);
  ASSERT_EQ(r.scores.size(), 2u);
  EXPECT_EQ(r.scores[1].totalStrokes, 17);
  EXPECT_EQ(r.scores[1].holeScores[8], 4);
  std::filesystem::remove(file);
}

TEST(ReplayRecorder, AFileThatCannotBeMadeIsAClearError) {
  LaunchSettings settings;
  EXPECT_THROW(ReplayRecorder("/proc/quendrix/none/x.replay", 1, settings), ReplayError);
  EXPECT_THROW(ReadReplayFile("/nonexistent/quendrix.replay"), ReplayError);
}

TEST(ReplayFolder, FollowsXdgDataHome) {
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("XDG_DATA_HOME", "/data/here", 1);
  EXPECT_EQ(DefaultReplayFolder(), std::filesystem::path("/data/here/quendrix/replays"));
  ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(DefaultReplayFolder(),
            std::filesystem::path("/home/someone/.local/share/quendrix/replays"));
  if (old != nullptr) {
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

TEST(ReplayFolder, NewNamesDoNotOverwrite) {
  const auto dir = TempFile("folder");
  std::filesystem::create_directories(dir);
  const auto first = NewReplayPath(dir);
  std::ofstream(first) << "x";
  const auto second = NewReplayPath(dir);
  EXPECT_NE(first, second);
  EXPECT_EQ(second.extension(), ".replay");
  std::filesystem::remove_all(dir);
}

TEST(ReplayFolder, PruningKeepsTheNewestGamesAndLeavesOtherFilesAlone) {
  const auto dir = TempFile("prune");
  std::filesystem::create_directories(dir);
  const char* games[] = {"2026-01-02_10-00-00.replay", "2026-01-02_10-00-00-2.replay",
                         "2026-01-02_10-00-00-10.replay", "2025-12-31_23-59-59.replay",
                         "2026-03-01_08-15-00.replay"};
  const char* others[] = {"mine.replay", "2026-01-02_10-00-00.replay.txt",
                          "2020-01-01_00-00-00-x.replay", "notes.txt", "2020-01-01_00-00-0.replay"};
  for (const char* n : games) std::ofstream(dir / n) << "x";
  for (const char* n : others) std::ofstream(dir / n) << "x";
  std::filesystem::create_directories(dir / "2019-01-01_00-00-00.replay");  // a folder

  EXPECT_EQ(PruneReplays(dir, 10), 0) << "fewer games than kept";
  EXPECT_EQ(PruneReplays(dir, 2), 3);
  EXPECT_TRUE(std::filesystem::exists(dir / "2026-03-01_08-15-00.replay"));
  EXPECT_TRUE(std::filesystem::exists(dir / "2026-01-02_10-00-00-10.replay"))
      << "numbered names of one second sort by their number";
  EXPECT_FALSE(std::filesystem::exists(dir / "2026-01-02_10-00-00-2.replay"));
  EXPECT_FALSE(std::filesystem::exists(dir / "2026-01-02_10-00-00.replay"));
  EXPECT_FALSE(std::filesystem::exists(dir / "2025-12-31_23-59-59.replay"));
  for (const char* n : others) EXPECT_TRUE(std::filesystem::exists(dir / n)) << n;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "2019-01-01_00-00-00.replay"));

  EXPECT_EQ(PruneReplays(dir / "missing", 0), 0);
  std::filesystem::remove_all(dir);
}

TEST(StateChecksum, SeesScoresPositionsTextsAndTheRandomStreams) {
  LaunchSettings settings;
  GameSession a(settings, nullptr, 3), b(settings, nullptr, 3);
  EXPECT_EQ(StateChecksum(a), StateChecksum(b));
  b.players[4].holeScores[9] = 1;
  EXPECT_NE(StateChecksum(a), StateChecksum(b));
  GameSession c(settings, nullptr, 3);
  c.players[1].x = 1e-300;
  EXPECT_NE(StateChecksum(a), StateChecksum(c));
  GameSession d(settings, nullptr, 3);
  d.playRandom.Next32();
  EXPECT_NE(StateChecksum(a), StateChecksum(d));
  GameSession e(settings, nullptr, 3);
  e.bannerText = "F0V";
  EXPECT_NE(StateChecksum(a), StateChecksum(e));
}

}  // namespace
}  // namespace quendrix
