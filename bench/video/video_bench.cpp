// Decoding the intro clip without presenting it, as a multiple of real
// time ("x_real_time": seconds of clip per second), on one core. Beside it,
// in the same run: reading the clip's packets without decoding them, and a
// memcpy of as many decoded picture bytes as the clip holds.
extern "C" {
#include <libavformat/avformat.h>
}

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "video/clip_audio.h"
#include "video/clip_decoder.h"

namespace {

using quendrix::ClipDecoder;

const std::string kIntro = std::string(QUENDRIX_DATA_DIR) + "/intro.avi";

void SetRealTime(benchmark::State& state, double clipSeconds) {
  state.counters["x_real_time"] = benchmark::Counter(
      clipSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Pictures and sound, resampled for the audio device, as the player does.
void BM_DecodeIntro(benchmark::State& state) {
  double seconds = 0;
  int64_t pictures = 0;
  for (auto _ : state) {
    ClipDecoder d(kIntro, {quendrix::ClipAudio::kRate, quendrix::ClipAudio::kChannels});
    seconds = d.Info().duration;
    while (d.Step()) {
      while (d.PicturesQueued() > 0) {
        benchmark::DoNotOptimize(d.PictureAt(0).plane[0]);
        d.PopPicture();
        ++pictures;
      }
      d.Sound().clear();
    }
  }
  SetRealTime(state, seconds);
  state.counters["pictures"] = static_cast<double>(pictures) / state.iterations();
}
BENCHMARK(BM_DecodeIntro)->Unit(benchmark::kMillisecond);

// Reference: the container alone, every packet read and dropped.
void BM_DemuxIntroReference(benchmark::State& state) {
  double seconds = 0;
  for (auto _ : state) {
    AVFormatContext* f = nullptr;
    if (avformat_open_input(&f, kIntro.c_str(), nullptr, nullptr) < 0) {
      state.SkipWithError("cannot open intro.avi");
      return;
    }
    avformat_find_stream_info(f, nullptr);
    seconds = f->duration / static_cast<double>(AV_TIME_BASE);
    AVPacket* p = av_packet_alloc();
    while (av_read_frame(f, p) >= 0) av_packet_unref(p);
    av_packet_free(&p);
    avformat_close_input(&f);
  }
  SetRealTime(state, seconds);
}
BENCHMARK(BM_DemuxIntroReference)->Unit(benchmark::kMillisecond);

// Reference: copying the bytes of the clip's 250 decoded 640 x 480 YUV 4:2:0
// pictures once.
void BM_CopyDecodedPicturesReference(benchmark::State& state) {
  constexpr size_t kPicture = 640 * 480 * 3 / 2;
  constexpr int kPictures = 250;
  std::vector<uint8_t> from(kPicture, 0x5A), to(kPicture);
  for (auto _ : state) {
    for (int i = 0; i < kPictures; ++i) {
      std::memcpy(to.data(), from.data(), kPicture);
      benchmark::ClobberMemory();
    }
  }
  SetRealTime(state, kPictures / 25.0);
}
BENCHMARK(BM_CopyDecodedPicturesReference)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
