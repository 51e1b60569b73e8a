#include "widgets/flic_decoder.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace quendrix {
namespace {

// The FLIC header FFmpeg hands over as the codec's extra data.
constexpr int kHeaderSize = 128;
// FFmpeg's FLIC reader allocates a frame chunk's claimed size before it
// reads the chunk, so a damaged size field asks for up to 2 GiB. Its
// allocations are capped here, far above what a file of this player needs
// (a picture of kMaxSide x kMaxSide is 16 MiB): such a chunk then ends the
// file like a chunk cut short. The cap holds for all of FFmpeg in the
// process.
constexpr size_t kLibraryAllocationCap = size_t{64} << 20;

int Read16(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}

}  // namespace

void FlicDecoder::QuietLibraryLog() {
  av_log_set_level(AV_LOG_QUIET);
}

FlicDecoder::FlicDecoder() = default;

FlicDecoder::~FlicDecoder() {
  Close();
}

void FlicDecoder::Close() {
  for (AVPacket*& p : packets_) av_packet_free(&p);
  packets_.clear();
  avcodec_free_context(&codec_);
  avcodec_parameters_free(&params_);
  av_frame_free(&frame_);
  pixels_.clear();
  std::memset(palette_, 0, sizeof palette_);
  width_ = height_ = speedMs_ = headerFrames_ = 0;
  readToEnd_ = false;
}

FlicDecoder::OpenResult FlicDecoder::Open(const std::string& path) {
  Close();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return OpenResult::kMissing;
  if (!std::filesystem::is_regular_file(path, ec)) return OpenResult::kUnreadable;

  av_max_alloc(kLibraryAllocationCap);
  // The format is named rather than guessed: small or odd files would
  // otherwise fail the probe.
  const AVInputFormat* flic = av_find_input_format("flic");
  AVFormatContext* format = nullptr;
  if (flic == nullptr || avformat_open_input(&format, path.c_str(), flic, nullptr) < 0)
    return OpenResult::kUnreadable;
  int stream = -1;
  if (avformat_find_stream_info(format, nullptr) >= 0)
    stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (stream < 0) {
    avformat_close_input(&format);
    return OpenResult::kUnreadable;
  }
  const AVStream* st = format->streams[stream];
  if (st->codecpar->width > kMaxSide || st->codecpar->height > kMaxSide) {
    avformat_close_input(&format);
    return OpenResult::kUnreadable;
  }
  params_ = avcodec_parameters_alloc();
  if (params_ == nullptr || avcodec_parameters_copy(params_, st->codecpar) < 0) {
    avformat_close_input(&format);
    Close();
    return OpenResult::kUnreadable;
  }
  // FLC speeds are milliseconds, FLI speeds 1/70 s: FFmpeg gives both as
  // the time base of one frame.
  if (st->time_base.num > 0 && st->time_base.den > 0)
    speedMs_ = static_cast<int>(std::lround(1000.0 * st->time_base.num / st->time_base.den));
  if (speedMs_ < 1) speedMs_ = 1;
  if (params_->extradata != nullptr && params_->extradata_size >= kHeaderSize)
    headerFrames_ = Read16(params_->extradata + 6);

  // Every frame chunk into memory; the file is not needed after this.
  readToEnd_ = true;
  for (;;) {
    AVPacket* pkt = av_packet_alloc();
    if (pkt == nullptr) break;
    int r = av_read_frame(format, pkt);
    if (r < 0) {
      av_packet_free(&pkt);
      readToEnd_ = r == AVERROR_EOF;
      break;
    }
    if (pkt->stream_index != stream) {
      av_packet_free(&pkt);
      continue;
    }
    packets_.push_back(pkt);
  }
  avformat_close_input(&format);

  width_ = params_->width;
  height_ = params_->height;
  if (packets_.empty() || width_ <= 0 || height_ <= 0 || !Restart()) {
    Close();
    return OpenResult::kUnreadable;
  }
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  return OpenResult::kOk;
}

bool FlicDecoder::Restart() {
  avcodec_free_context(&codec_);
  if (params_ == nullptr) return false;
  const AVCodec* decoder = avcodec_find_decoder(params_->codec_id);
  if (decoder == nullptr) return false;
  codec_ = avcodec_alloc_context3(decoder);
  if (codec_ == nullptr || avcodec_parameters_to_context(codec_, params_) < 0) {
    avcodec_free_context(&codec_);
    return false;
  }
  codec_->thread_count = 1;
  if (avcodec_open2(codec_, decoder, nullptr) < 0) {
    avcodec_free_context(&codec_);
    return false;
  }
  if (frame_ == nullptr) frame_ = av_frame_alloc();
  return frame_ != nullptr;
}

bool FlicDecoder::Decode(int index) {
  if (codec_ == nullptr || index < 0 || index >= PacketCount()) return false;
  if (avcodec_send_packet(codec_, packets_[index]) < 0) return false;
  if (avcodec_receive_frame(codec_, frame_) < 0) return false;
  // Only 8-bit pictures of the header's size are taken; anything else is
  // damage.
  bool ok = frame_->format == AV_PIX_FMT_PAL8 && frame_->width == width_ &&
            frame_->height == height_ && frame_->data[0] != nullptr && frame_->data[1] != nullptr;
  if (ok) {
    av_image_copy_plane(pixels_.data(), width_, frame_->data[0], frame_->linesize[0], width_,
                        height_);
    std::memcpy(palette_, frame_->data[1], sizeof palette_);
  }
  // Dropping our reference lets the decoder draw the next frame in place.
  av_frame_unref(frame_);
  return ok;
}

}  // namespace quendrix
