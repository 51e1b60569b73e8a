// The clip player on real files: the generated clips decode completely and
// are as long as they should be, playback keeps to the clock (late pictures
// dropped, early ones waiting), and missing or damaged clips end the
// window's show cleanly. SDL runs on its window-less drivers.
#include <SDL.h>
#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/random.h"
#include "media/dx_timer.h"
#include "platform/events.h"
#include "video/clip_audio.h"
#include "video/clip_decoder.h"
#include "video/clip_player.h"
#include "video/video_modal.h"

namespace quendrix {
namespace {

// Tests run in the build folder; the generated data lies in bin/.
std::string Clip(const std::string& name) {
  return "bin/" + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ClipSpec {
  const char* name;
  double shortest, longest;  // seconds
  bool sound;
};

class GeneratedClip : public ::testing::TestWithParam<ClipSpec> {};

TEST_P(GeneratedClip, DecodesCompletelyAtItsLength) {
  const ClipSpec& spec = GetParam();
  ClipDecoder d(Clip(spec.name), {ClipAudio::kRate, ClipAudio::kChannels});
  const ClipInfo& info = d.Info();
  EXPECT_EQ(info.width, 640);
  EXPECT_EQ(info.height, 480);
  EXPECT_DOUBLE_EQ(info.frameRate, 25.0);
  EXPECT_EQ(info.videoCodec, "mpeg4");
  EXPECT_EQ(info.hasAudio, spec.sound);
  EXPECT_GE(info.duration, spec.shortest);
  EXPECT_LE(info.duration, spec.longest);
  int pictures = 0;
  double last = -1;
  bool ordered = true;
  while (d.Step()) {
    while (d.PicturesQueued() > 0) {
      ordered = ordered && d.PictureAt(0).time > last;
      last = d.PictureAt(0).time;
      d.PopPicture();
      ++pictures;
    }
    d.Sound().clear();
  }
  EXPECT_TRUE(ordered);
  EXPECT_EQ(pictures, static_cast<int>(info.duration * 25 + 0.5)) << "every picture decodes";
  if (spec.sound) {
    EXPECT_NEAR(static_cast<double>(d.SoundFramesDecoded()) / ClipAudio::kRate, info.duration,
                0.05);
  }
}

INSTANTIATE_TEST_SUITE_P(Clips, GeneratedClip,
                         ::testing::Values(ClipSpec{"tarn.avi", 2, 4, true},
                                           ClipSpec{"intro.avi", 6, 15, true},
                                           ClipSpec{"credits.avi", 12, 40, true}),
                         [](const auto& param) {
                           std::string n = param.param.name;
                           return n.substr(0, n.find('.'));
                         });

TEST(ClipPlayer, PlayOrStopWithNoClipOpenFails) {
  ManualClock clock;
  ClipPlayer player(clock, false);
  for (auto op : {+[](ClipPlayer& p) { p.Play(true); }, +[](ClipPlayer& p) { p.Stop(); }}) {
    try {
      op(player);
      ADD_FAILURE() << "no error";
    } catch (const ClipError& e) {
      EXPECT_STREQ(e.what(), kNoDeviceOpen);
    }
  }
  player.Open(Clip("tarn.avi"));
  player.Close();
  EXPECT_THROW(player.Play(false), ClipError);
}

TEST(ClipPlayer, FailedOpenNamesTheFileAndLeavesTheDeviceClosed) {
  ManualClock clock;
  ClipPlayer player(clock, false);
  player.Open(Clip("tarn.avi"));
  try {
    player.Open(Clip("no such clip.avi"));
    ADD_FAILURE() << "no error";
  } catch (const ClipError& e) {
    EXPECT_EQ(std::string(e.what()), "no such clip.avi: No such file or directory");
  }
  EXPECT_FALSE(player.IsOpen());
  EXPECT_EQ(player.Where(), ClipRect{});
}

// How a play went: when its end was reported (ms after the play), the most
// pictures decoded ahead at any pass, whether the sound device was open.
struct PlayResult {
  uint32_t ended = 0;
  size_t mostAhead = 0;
  bool soundOn = false;
};

// Plays a clip (tarn.avi unless named) on a manual clock that moves
// `stepMs` between passes, until its end is reported.
PlayResult PlayThrough(ClipPlayer& player, ManualClock& clock, uint32_t stepMs,
                       const std::string& path = Clip("tarn.avi")) {
  PlayResult r;
  player.Open(path);
  EXPECT_EQ(player.Where(), (ClipRect{0, 0, 640, 480}));
  const uint32_t start = clock.Milliseconds();
  player.Play(true);
  r.soundOn = player.SoundOn();
  for (int pass = 0; pass < 100000; ++pass) {
    bool picture = false;
    player.Advance(picture);
    if (picture) player.Draw();
    r.mostAhead = std::max(r.mostAhead, player.PicturesAhead());
    if (player.TakeNotice()) {
      r.ended = clock.Milliseconds() - start;
      return r;
    }
    clock.Advance(stepMs);
  }
  ADD_FAILURE() << "no end reported";
  return r;
}

// Copies a clip, leaving out its sound from `cut` seconds on.
void CopyWithSoundCut(const std::string& from, const std::string& to, double cut) {
  AVFormatContext* in = nullptr;
  ASSERT_GE(avformat_open_input(&in, from.c_str(), nullptr, nullptr), 0);
  ASSERT_GE(avformat_find_stream_info(in, nullptr), 0);
  AVFormatContext* out = nullptr;
  ASSERT_GE(avformat_alloc_output_context2(&out, nullptr, "avi", to.c_str()), 0);
  for (unsigned i = 0; i < in->nb_streams; ++i) {
    AVStream* s = avformat_new_stream(out, nullptr);
    avcodec_parameters_copy(s->codecpar, in->streams[i]->codecpar);
    s->time_base = in->streams[i]->time_base;
  }
  ASSERT_GE(avio_open(&out->pb, to.c_str(), AVIO_FLAG_WRITE), 0);
  ASSERT_GE(avformat_write_header(out, nullptr), 0);
  AVPacket* p = av_packet_alloc();
  while (av_read_frame(in, p) >= 0) {
    const AVStream* s = in->streams[p->stream_index];
    if (s->codecpar->codec_type != AVMEDIA_TYPE_AUDIO || p->pts * av_q2d(s->time_base) < cut) {
      av_packet_rescale_ts(p, s->time_base, out->streams[p->stream_index]->time_base);
      av_interleaved_write_frame(out, p);
    }
    av_packet_unref(p);
  }
  av_packet_free(&p);
  av_write_trailer(out);
  avio_closep(&out->pb);
  avformat_free_context(out);
  avformat_close_input(&in);
}

TEST(ClipPlayer, EarlyPicturesWaitForTheirTime) {
  ManualClock clock;
  ClipPlayer player(clock, false);
  const uint32_t ended = PlayThrough(player, clock, 5).ended;
  EXPECT_EQ(player.PicturesShown(), 75);
  EXPECT_EQ(player.PicturesDropped(), 0);
  EXPECT_GE(ended, 3000u);
  EXPECT_LE(ended, 3020u);
}

TEST(ClipPlayer, LatePicturesAreDroppedNotPlayedSlow) {
  ManualClock clock;
  ClipPlayer player(clock, false);
  const uint32_t ended = PlayThrough(player, clock, 130).ended;
  EXPECT_GT(player.PicturesDropped(), 40);
  EXPECT_LT(player.PicturesShown(), 35);
  EXPECT_GE(ended, 3000u);
  EXPECT_LE(ended, 3000u + 130u);
}

// Sound asked for but not heard: with no audio device, or with a sound
// stream that ends before the pictures (here at once), the clip runs on
// the wall clock to its end, and only a few pictures are decoded ahead,
// never the rest of the clip.
struct SilentCase {
  const char* driver;  // SDL's audio driver
  double soundCut;     // seconds of the clip's sound kept
  bool deviceOpens;
};

class SoundNotHeard : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SoundNotHeard, ClipRunsOnTheWallClockWithFewPicturesAhead) {
  const SilentCase& c = GetParam();
  setenv("SDL_AUDIODRIVER", c.driver, 1);
  const std::string path =
      ::testing::TempDir() + "quendrix-sound-cut-" + std::to_string(getpid()) + ".avi";
  CopyWithSoundCut(Clip("intro.avi"), path, c.soundCut);
  ManualClock clock;
  ClipPlayer player(clock, true);
  const PlayResult r = PlayThrough(player, clock, 5, path);
  EXPECT_EQ(r.soundOn, c.deviceOpens);
  EXPECT_GE(r.ended, 10000u);
  EXPECT_LE(r.ended, 10020u);
  EXPECT_EQ(player.PicturesShown(), 250);
  EXPECT_LE(r.mostAhead, 50u);
  std::remove(path.c_str());
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

INSTANTIATE_TEST_SUITE_P(Clips, SoundNotHeard,
                         ::testing::Values(SilentCase{"no-such-driver", 100, false},
                                           SilentCase{"dummy", 0, true}));

// A play cut short, by Stop, by Close or by opening the next clip, reports
// its end once, as the device promises the windows.
class CutShortPlay : public ::testing::TestWithParam<const char*> {};

TEST_P(CutShortPlay, ReportsTheInterruptedPlayOnce) {
  const std::string how = GetParam();
  ManualClock clock;
  ClipPlayer player(clock, false);
  player.Open(Clip("tarn.avi"));
  player.Play(true);
  bool picture = false;
  player.Advance(picture);
  EXPECT_TRUE(picture);
  EXPECT_FALSE(player.TakeNotice());
  if (how == "stop") player.Stop();
  if (how == "close") player.Close();
  if (how == "open") player.Open(Clip("intro.avi"));
  EXPECT_TRUE(player.TakeNotice());
  EXPECT_FALSE(player.TakeNotice());
  clock.Advance(5000);
  player.Advance(picture);
  EXPECT_FALSE(picture) << "a stopped clip stands still";
  EXPECT_FALSE(player.TakeNotice());
}

INSTANTIATE_TEST_SUITE_P(Plays, CutShortPlay, ::testing::Values("stop", "close", "open"));

// ---- The whole show on SDL's window-less drivers -------------------------------

// Each reading moves time on a little, so clips run through in a moment.
class QuickClock : public VideoClock {
 public:
  uint32_t Milliseconds() override { return now_ += 7; }
  void Sleep(uint32_t ms) override { now_ += ms; }
  uint32_t Now() const { return now_; }

 private:
  uint32_t now_ = 0;
};

class ClipShow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window_ = SDL_CreateWindow("clip", 0, 0, 640, 480, 0);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer_, nullptr) << SDL_GetError();
    folder_ =
        std::filesystem::temp_directory_path() / ("quendrix-clips-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
    std::filesystem::remove_all(folder_);
  }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }

  VideoEnd Show(const std::string& clip, bool sound = false) {
    VideoHost host;
    host.renderer = renderer_;
    host.loop = &loop_;
    host.clock = &clock_;
    host.sound = sound;
    host.reportError = [this](const std::string& e) { errors.push_back(e); };
    return ShowClipModal(host, folder_.string() + "/", clip);
  }

  std::vector<std::string> errors;
  MessageLoop loop_;
  QuickClock clock_;

 private:
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::filesystem::path folder_;
};

TEST_F(ClipShow, MissingClipIsReportedAndTheShowEnds) {
  EXPECT_EQ(Show("tarn.avi"), VideoEnd::kFailed);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("tarn.avi"), std::string::npos);
  EXPECT_TRUE(loop_.GetPointer().Visible());
}

TEST_F(ClipShow, NoiseIsReportedAndTheShowEnds) {
  Pcg32 random(42, 1);
  std::string noise(64 * 1024, '\0');
  for (char& c : noise) c = static_cast<char>(random.Next32());
  Write("noise.avi", noise);
  EXPECT_EQ(Show("noise.avi"), VideoEnd::kFailed);
  EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ClipShow, TruncatedClipPlaysWhatIsThereAndEnds) {
  const std::string intro = ReadAll(Clip("intro.avi"));
  ASSERT_GT(intro.size(), 200000u);
  for (size_t cut : {size_t{4000}, size_t{150000}, intro.size() / 2 + 777}) {
    SCOPED_TRACE(cut);
    errors.clear();
    Write("cut.avi", intro.substr(0, cut));
    // Sound plays in real time on the dummy device: only the short cut has it.
    const VideoEnd end = Show("cut.avi", cut == 150000);
    // A cut inside the headers cannot be opened; a later one plays to the cut.
    if (end == VideoEnd::kFailed) {
      EXPECT_EQ(errors.size(), 1u);
    } else {
      EXPECT_EQ(end, VideoEnd::kFinished);
      EXPECT_TRUE(errors.empty());
    }
    EXPECT_TRUE(loop_.GetPointer().Visible());
  }
}

// Waiting in SDL's queue before the show: the window manager's close ends
// the clip and asks the program to end; a pad button skips like a key.
TEST_F(ClipShow, CloseOrPadButtonEndsTheClipAtOnce) {
  Write("tarn.avi", ReadAll(Clip("tarn.avi")));
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  EXPECT_EQ(Show("tarn.avi"), VideoEnd::kCloseRequested);
  EXPECT_TRUE(loop_.Terminated());
  SDL_Event pad{};
  pad.type = SDL_CONTROLLERBUTTONDOWN;
  ASSERT_EQ(SDL_PushEvent(&pad), 1);
  const uint32_t start = clock_.Now();
  EXPECT_EQ(Show("tarn.avi"), VideoEnd::kFinished);
  EXPECT_LT(clock_.Now() - start, 2000u) << "ended right after the wait, not at the clip's end";
  EXPECT_TRUE(loop_.GetPointer().Visible());
}

TEST_F(ClipShow, DamagedPicturesPlayThroughToTheEnd) {
  // The first second or so of the logo, sound and all.
  std::string tarn = ReadAll(Clip("tarn.avi")).substr(0, 120000);
  Pcg32 random(7, 2);
  // Noise over the middle of the file, past the headers.
  for (size_t i = tarn.size() / 4; i < tarn.size() * 3 / 4; i += 1 + random.RandomBelow(64))
    tarn[i] = static_cast<char>(random.Next32());
  Write("damaged.avi", tarn);
  EXPECT_EQ(Show("damaged.avi", true), VideoEnd::kFinished);
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace quendrix
