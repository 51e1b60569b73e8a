// A game recorded through the play screen's own handlers plays back to the
// same frames.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/language.h"
#include "core/program_folder.h"
#include "core/rounding.h"
#include "game/commands.h"
#include "game/headless_play.h"
#include "game/replay.h"
#include "replay_support.h"

namespace quendrix {
namespace {

std::filesystem::path TempFile(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("quendrix-recording-" + std::to_string(::getpid()) + "-" + name);
}

// A short game by hand: leave the title card, two pull putts (the second
// at 15 frames a second after F5), the help screen, then Esc and Enter.
struct Recorded {
  explicit Recorded(const std::string& name) : file(TempFile(name)) {
    settings.players = 1;
    {
      ReplayRecorder recorder(file, 77, settings);
      HeadlessPlay play(settings, testing::PracticeData(), 77, &recorder);
      play.Start();
      play.Frame();
      play.Key(vk::kSpace);
      Putt(play, 60, 30, 16);
      play.Key(kKeyF5);
      Putt(play, -40, 70, 66);
      play.Key(vk::kF1);
      play.Frames(5, 66);
      play.Key(vk::kSpace);
      play.Frames(5, 66);
      finalChecksum = StateChecksum(play.session());
      framesRun = play.framesRun;
      play.Key(vk::kEscape);
      play.Frame(66);
      play.main().FormKeyDown(vk::kReturn);
      left = play.main().Closed();
    }
  }
  ~Recorded() { std::filesystem::remove(file); }

  void Putt(HeadlessPlay& play, int32_t dx, int32_t dy, uint32_t ms) {
    GameSession& s = play.session();
    const playerrec& b = s.players[s.currentPlayer];
    play.MoveTo(Nearest(b.x) - s.scrollX, Nearest(b.y) - s.scrollY);
    play.LeftDown();
    play.Frames(1, ms);
    play.MoveTo(s.anchorX + dx, s.anchorY + dy);
    play.Frames(1, ms);
    play.LeftUp();
    moves += 2;
    play.Frames(400, ms);
  }

  LaunchSettings settings;
  std::filesystem::path file;
  int moves = 0;  // pointer moves the test made
  uint64_t finalChecksum = 0;
  int32_t framesRun = 0;
  bool left = false;
};

TEST(Recording, PlaysBackToTheSameFramesAndScores) {
  Recorded game("same.replay");
  ASSERT_TRUE(game.left);
  const Replay replay = ReadReplayFile(game.file);
  EXPECT_TRUE(replay.ended);
  EXPECT_EQ(static_cast<int32_t>(replay.frames.size()), game.framesRun + 1);
  EXPECT_GE(replay.checkpoints.size(), 10u);
  // The putts changed the frame rate on the way.
  bool fast = false, slow = false;
  for (const ReplayFrame& f : replay.frames) {
    fast |= f.tickRate > 40;
    slow |= f.tickRate < 21;
  }
  EXPECT_TRUE(fast);
  EXPECT_TRUE(slow);

  const PlaybackResult result = PlayBack(replay, testing::PracticeData());
  EXPECT_EQ(result.frames, static_cast<int32_t>(replay.frames.size()));
  EXPECT_EQ(result.checkpoints, replay.checkpoints);
  EXPECT_EQ(result.scores, replay.scores);
  EXPECT_TRUE(result.left);
  EXPECT_GE(replay.scores[0].totalStrokes, 1);
}

TEST(Recording, ReCentringMovesAreRecordedAsTheyArrive) {
  Recorded game("moves.replay");
  const Replay replay = ReadReplayFile(game.file);
  int moves = 0, centred = 0;
  for (const ReplayFrame& f : replay.frames)
    for (const InputEvent& e : f.inputs) {
      moves += e.kind == InputKind::kMove;
      centred += e.kind == InputKind::kMove && e.a == 320 && e.b == 240;
    }
  // The start, each pull's press and each shot put the pointer at the
  // centre; the game hears of it as a later move, which is recorded like
  // the test's own. Playback does not make it again (the test above).
  EXPECT_GE(centred, 5);
  EXPECT_EQ(moves, game.moves + centred);
}

TEST(Recording, ACrashedRecordingPlaysUpToItsLastWholeFrame) {
  Recorded game("crash.replay");
  std::string text;
  {
    std::ifstream in(game.file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
  }
  // Cut inside the line after the 150th frame.
  size_t at = 0;
  for (int frames = 0; frames < 150; at = text.find('\n', at) + 1)
    if (text.compare(at, 2, "f ") == 0) ++frames;
  text.resize(at + 1);
  const Replay cut = ParseReplay(text);
  EXPECT_FALSE(cut.ended);
  ASSERT_EQ(cut.frames.size(), 150u);
  const PlaybackResult result = PlayBack(cut, testing::PracticeData());
  EXPECT_EQ(result.frames, 150);
  EXPECT_FALSE(result.left);
  const Replay full = ReadReplayFile(game.file);
  EXPECT_EQ(result.checkpoints[1], full.checkpoints[1]);
}

// A game played in German posts German notices, which the checksums hold:
// its file names the language, and it plays back the same in a Russian run
// (and would not as a Russian game).
TEST(Recording, AGameInAnotherLanguagePlaysBackInItsLanguage) {
  SetLanguage(Language::kGerman, LocaleDirFor(ExecutableFolder()));
  Recorded game("german.replay");
  SetLanguage(Language::kRussian);
  Replay replay = ReadReplayFile(game.file);
  EXPECT_EQ(replay.language, Language::kGerman);
  EXPECT_NE(FormatReplay(replay).find("\nlanguage de\nsettings-end\n"), std::string::npos);
  const PlaybackResult result = PlayBack(replay, testing::PracticeData());
  EXPECT_EQ(result.checkpoints, replay.checkpoints);
  EXPECT_EQ(CurrentLanguage(), Language::kRussian);
  replay.language = Language::kRussian;
  EXPECT_NE(PlayBack(replay, testing::PracticeData()).checkpoints, replay.checkpoints);
}

}  // namespace
}  // namespace quendrix
