#include "video/clip_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <filesystem>

#include "video/video_window.h"

namespace quendrix {
namespace {

// Pictures further apart than this in a damaged file are drawn one frame
// apart: a clip must never stand still for minutes on a broken time stamp.
constexpr double kLongestGap = 5.0;

}  // namespace

std::string FfmpegErrorText(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}

void ClipDecoder::Fail(const std::string& what, int error) {
  throw ClipError(name_ + ": " + (what.empty() ? FfmpegErrorText(error) : what));
}

ClipDecoder::ClipDecoder(const std::string& path, SoundFormat sound) : soundOut_(sound) {
  name_ = std::filesystem::path(path).filename().string();
  // A constructor that throws runs no destructor: what was opened so far
  // is released here.
  struct Cleanup {
    ClipDecoder* self;
    bool done = false;
    ~Cleanup() {
      if (!done) self->Release();
    }
  } cleanup{this};
  av_log_set_level(AV_LOG_QUIET);
  int err = avformat_open_input(&format_, path.c_str(), nullptr, nullptr);
  if (err < 0) Fail({}, err);
  if ((err = avformat_find_stream_info(format_, nullptr)) < 0) Fail({}, err);
  const AVCodec* videoCodec = nullptr;
  videoStream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &videoCodec, 0);
  if (videoStream_ < 0) Fail({}, videoStream_);
  auto openCodec = [&](const AVStream* stream, const AVCodec* codec) {
    AVCodecContext* c = avcodec_alloc_context3(codec);
    if (!c) Fail({}, AVERROR(ENOMEM));
    int e = avcodec_parameters_to_context(c, stream->codecpar);
    // One core: playback is cheap at this size, and the figures of the
    // benchmark are for one core.
    c->thread_count = 1;
    if (e >= 0) e = avcodec_open2(c, codec, nullptr);
    if (e < 0) {
      avcodec_free_context(&c);
      Fail({}, e);
    }
    return c;
  };
  const AVStream* vs = format_->streams[videoStream_];
  video_ = openCodec(vs, videoCodec);
  if (video_->width <= 0 || video_->height <= 0) Fail("the picture has no size", 0);

  info_.width = video_->width;
  info_.height = video_->height;
  info_.container = format_->iformat->name;
  info_.videoCodec = videoCodec->name;
  const AVRational rate = av_guess_frame_rate(format_, const_cast<AVStream*>(vs), nullptr);
  if (rate.num > 0 && rate.den > 0) info_.frameRate = av_q2d(rate);
  if (format_->duration > 0) {
    info_.duration = format_->duration / static_cast<double>(AV_TIME_BASE);
  } else if (vs->duration > 0) {
    info_.duration = vs->duration * av_q2d(vs->time_base);
  }

  const AVCodec* audioCodec = nullptr;
  audioStream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, videoStream_, &audioCodec, 0);
  if (audioStream_ >= 0) {
    const AVStream* as = format_->streams[audioStream_];
    info_.hasAudio = true;
    info_.audioCodec = audioCodec->name;
    info_.audioRate = as->codecpar->sample_rate;
    info_.audioChannels = as->codecpar->ch_layout.nb_channels;
    if (soundOut_.rate > 0) {
      try {
        audio_ = openCodec(as, audioCodec);
      } catch (const ClipError&) {
        audio_ = nullptr;  // a sound track that cannot be decoded: play the picture silently
      }
    }
  }
  if (!audio_) audioStream_ = -1;
  packet_ = av_packet_alloc();
  decoded_ = av_frame_alloc();
  if (!packet_ || !decoded_) Fail({}, AVERROR(ENOMEM));
  cleanup.done = true;
}

ClipDecoder::~ClipDecoder() {
  Release();
}

void ClipDecoder::Release() {
  for (ClipPicture& p : pictures_) av_frame_free(&p.frame);
  pictures_.clear();
  for (AVFrame*& f : spare_) av_frame_free(&f);
  spare_.clear();
  av_frame_free(&decoded_);
  av_packet_free(&packet_);
  sws_freeContext(sws_);
  sws_ = nullptr;
  swr_free(&swr_);
  avcodec_free_context(&video_);
  avcodec_free_context(&audio_);
  avformat_close_input(&format_);
}

bool ClipDecoder::Step() {
  if (ended_) return false;
  if (flushed_) {
    ended_ = true;
    return false;
  }
  const int err = av_read_frame(format_, packet_);
  if (err < 0) {
    // The end, or a read error in a damaged file: either way, what the
    // decoders still hold comes out and the clip is over.
    avcodec_send_packet(video_, nullptr);
    Receive(video_, true);
    if (audio_) {
      avcodec_send_packet(audio_, nullptr);
      Receive(audio_, false);
      FlushSound();
    }
    flushed_ = true;
    return true;
  }
  AVCodecContext* codec = packet_->stream_index == videoStream_   ? video_
                          : packet_->stream_index == audioStream_ ? audio_
                                                                  : nullptr;
  if (codec) {
    int sent = avcodec_send_packet(codec, packet_);
    if (sent == AVERROR(EAGAIN)) {
      Receive(codec, codec == video_);
      sent = avcodec_send_packet(codec, packet_);
    }
    Receive(codec, codec == video_);  // a damaged packet is skipped
  }
  av_packet_unref(packet_);
  return true;
}

void ClipDecoder::Receive(AVCodecContext* codec, bool video) {
  while (avcodec_receive_frame(codec, decoded_) >= 0) {
    if (video) {
      TakePicture(decoded_);
    } else {
      TakeSound(decoded_);
    }
    av_frame_unref(decoded_);
  }
}

double ClipDecoder::PictureTime(const AVFrame* f) {
  const AVStream* vs = format_->streams[videoStream_];
  const double step = info_.frameRate > 0 ? 1.0 / info_.frameRate : 0.04;
  double t;
  if (f->best_effort_timestamp == AV_NOPTS_VALUE) {
    t = lastTime_ < 0 ? 0 : lastTime_ + step;
  } else {
    const int64_t start = vs->start_time == AV_NOPTS_VALUE ? 0 : vs->start_time;
    t = (f->best_effort_timestamp - start) * av_q2d(vs->time_base);
  }
  if (lastTime_ < 0) {
    if (!(t >= 0 && t <= kLongestGap)) t = 0;
  } else if (!(t >= lastTime_ && t <= lastTime_ + kLongestGap)) {
    t = lastTime_ + step;
  }
  lastTime_ = t;
  return t;
}

void ClipDecoder::TakePicture(AVFrame* f) {
  if (f->width <= 0 || f->height <= 0) return;
  ClipPicture p;
  p.time = PictureTime(f);
  p.width = f->width;
  p.height = f->height;
  AVFrame* out = nullptr;
  if (!spare_.empty()) {
    out = spare_.back();
    spare_.pop_back();
  } else {
    out = av_frame_alloc();
    if (!out) return;
  }
  if (f->format == AV_PIX_FMT_YUV420P || f->format == AV_PIX_FMT_YUVJ420P) {
    av_frame_unref(out);
    av_frame_move_ref(out, f);
  } else {
    // Other layouts are converted once, here, so the presenter only ever
    // sees 4:2:0 planes.
    sws_ = sws_getCachedContext(sws_, f->width, f->height, static_cast<AVPixelFormat>(f->format),
                                f->width, f->height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr,
                                nullptr, nullptr);
    if (out->width != f->width || out->height != f->height || out->format != AV_PIX_FMT_YUV420P ||
        !out->buf[0]) {
      av_frame_unref(out);
      out->width = f->width;
      out->height = f->height;
      out->format = AV_PIX_FMT_YUV420P;
      if (av_frame_get_buffer(out, 0) < 0) av_frame_unref(out);
    }
    if (!sws_ || !out->buf[0] || av_frame_make_writable(out) < 0) {
      spare_.push_back(out);
      return;
    }
    sws_scale(sws_, f->data, f->linesize, 0, f->height, out->data, out->linesize);
  }
  p.frame = out;
  for (int i = 0; i < 3; ++i) {
    p.plane[i] = out->data[i];
    p.pitch[i] = out->linesize[i];
  }
  pictures_.push_back(p);
}

void ClipDecoder::PopPicture() {
  if (pictures_.empty()) return;
  AVFrame* f = pictures_.front().frame;
  pictures_.pop_front();
  // Frames moved from the decoder give their buffers back to it; converted
  // ones keep theirs for the next conversion.
  if (f && f->buf[0] && !av_frame_is_writable(f)) av_frame_unref(f);
  if (f) spare_.push_back(f);
}

void ClipDecoder::FlushSound() {
  // The resampler holds back a few samples for its filter; they end the clip.
  if (!swr_) return;
  const int room = swr_get_out_samples(swr_, 0);
  if (room <= 0) return;
  const size_t at = sound_.size();
  sound_.resize(at + static_cast<size_t>(room) * soundOut_.channels);
  uint8_t* out = reinterpret_cast<uint8_t*>(sound_.data() + at);
  const int got = swr_convert(swr_, &out, room, nullptr, 0);
  sound_.resize(at + static_cast<size_t>(std::max(got, 0)) * soundOut_.channels);
  soundFrames_ += std::max(got, 0);
}

void ClipDecoder::TakeSound(AVFrame* f) {
  const int channels = f->ch_layout.nb_channels;
  if (f->nb_samples <= 0 || channels <= 0 || f->sample_rate <= 0) return;
  if (!swr_ || swrRate_ != f->sample_rate || swrFormat_ != f->format || swrChannels_ != channels) {
    swr_free(&swr_);
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, soundOut_.channels);
    AVChannelLayout inLayout;
    if (av_channel_layout_copy(&inLayout, &f->ch_layout) < 0 ||
        inLayout.order == AV_CHANNEL_ORDER_UNSPEC)
      av_channel_layout_default(&inLayout, channels);
    const int e =
        swr_alloc_set_opts2(&swr_, &outLayout, AV_SAMPLE_FMT_S16, soundOut_.rate, &inLayout,
                            static_cast<AVSampleFormat>(f->format), f->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&inLayout);
    av_channel_layout_uninit(&outLayout);
    if (e < 0 || swr_init(swr_) < 0) {
      swr_free(&swr_);
      return;
    }
    swrRate_ = f->sample_rate;
    swrFormat_ = f->format;
    swrChannels_ = channels;
  }
  const int room = swr_get_out_samples(swr_, f->nb_samples);
  if (room <= 0) return;
  const size_t at = sound_.size();
  sound_.resize(at + static_cast<size_t>(room) * soundOut_.channels);
  uint8_t* out = reinterpret_cast<uint8_t*>(sound_.data() + at);
  const int got =
      swr_convert(swr_, &out, room, const_cast<const uint8_t**>(f->extended_data), f->nb_samples);
  sound_.resize(at + static_cast<size_t>(std::max(got, 0)) * soundOut_.channels);
  soundFrames_ += std::max(got, 0);
}

}  // namespace quendrix
