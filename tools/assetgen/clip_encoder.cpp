#include "clip_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quendrix::assetgen {
namespace {

// Fixed quantiser of the pictures: 2 (finest) ... 31; 3 keeps the art's
// edges and gradients clean at a few megabits a second.
constexpr int kQuantiser = 3;
// A key picture every second.
constexpr int kKeyInterval = 25;
constexpr int kIoBuffer = 64 * 1024;

void Check(int err, const char* what) {
  if (err >= 0) return;
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(err, text, sizeof text);
  throw std::runtime_error(std::string("clip encoder: ") + what + ": " + text);
}

}  // namespace

ClipEncoder::ClipEncoder(int width, int height, int fps, int soundRate)
    : width_(width), height_(height), fps_(fps), soundRate_(soundRate) {
  Check(avformat_alloc_output_context2(&format_, nullptr, "avi", nullptr), "avi");
  // No muxer name, no creation time: the file depends on its content only.
  format_->flags |= AVFMT_FLAG_BITEXACT;

  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
  if (!codec) throw std::runtime_error("clip encoder: no MPEG-4 encoder");
  video_ = avcodec_alloc_context3(codec);
  video_->width = width;
  video_->height = height;
  video_->time_base = AVRational{1, fps};
  video_->framerate = AVRational{fps, 1};
  video_->pix_fmt = AV_PIX_FMT_YUV420P;
  video_->gop_size = kKeyInterval;
  video_->max_b_frames = 0;
  video_->thread_count = 1;
  video_->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_QSCALE;
  video_->global_quality = FF_QP2LAMBDA * kQuantiser;
  Check(avcodec_open2(video_, codec, nullptr), "open MPEG-4");

  videoStream_ = avformat_new_stream(format_, nullptr);
  videoStream_->time_base = video_->time_base;
  Check(avcodec_parameters_from_context(videoStream_->codecpar, video_), "video stream");

  if (soundRate_ > 0) {
    // Plain PCM needs no encoder: the samples are the packets.
    audioStream_ = avformat_new_stream(format_, nullptr);
    AVCodecParameters* p = audioStream_->codecpar;
    p->codec_type = AVMEDIA_TYPE_AUDIO;
    p->codec_id = AV_CODEC_ID_PCM_S16LE;
    p->sample_rate = soundRate_;
    av_channel_layout_default(&p->ch_layout, 1);
    p->format = AV_SAMPLE_FMT_S16;
    p->bits_per_coded_sample = 16;
    p->block_align = 2;
    p->bit_rate = int64_t{soundRate_} * 16;
    audioStream_->time_base = AVRational{1, soundRate_};
  }

  ioBuffer_ = static_cast<unsigned char*>(av_malloc(kIoBuffer));
  format_->pb = avio_alloc_context(
      ioBuffer_, kIoBuffer, 1, &out_, nullptr,
      [](void* opaque, uint8_t* data, int size) -> int {
        auto* m = static_cast<Memory*>(opaque);
        const auto end = static_cast<size_t>(m->pos) + static_cast<size_t>(size);
        if (m->bytes.size() < end) m->bytes.resize(end);
        std::memcpy(m->bytes.data() + m->pos, data, static_cast<size_t>(size));
        m->pos += size;
        return size;
      },
      [](void* opaque, int64_t offset, int whence) -> int64_t {
        auto* m = static_cast<Memory*>(opaque);
        whence &= ~AVSEEK_FORCE;
        if (whence == AVSEEK_SIZE) return static_cast<int64_t>(m->bytes.size());
        int64_t to = whence == SEEK_SET   ? offset
                     : whence == SEEK_CUR ? m->pos + offset
                     : whence == SEEK_END ? static_cast<int64_t>(m->bytes.size()) + offset
                                          : -1;
        if (to < 0) return AVERROR(EINVAL);
        m->pos = to;
        return to;
      });
  if (!format_->pb) throw std::runtime_error("clip encoder: no memory for the output");
  AVDictionary* options = nullptr;
  av_dict_set(&options, "fflags", "+bitexact", 0);
  Check(avformat_write_header(format_, &options), "header");
  av_dict_free(&options);

  frame_ = av_frame_alloc();
  frame_->width = width;
  frame_->height = height;
  frame_->format = AV_PIX_FMT_YUV420P;
  Check(av_frame_get_buffer(frame_, 0), "picture buffer");
  packet_ = av_packet_alloc();
  // Exact rounding in the colour conversion: the same pictures give the
  // same planes on every processor.
  sws_ = sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P,
                        SWS_BILINEAR | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr);
  if (!sws_) throw std::runtime_error("clip encoder: no colour conversion");
}

ClipEncoder::~ClipEncoder() {
  sws_freeContext(sws_);
  av_packet_free(&packet_);
  av_frame_free(&frame_);
  avcodec_free_context(&video_);
  if (format_) {
    if (format_->pb) {
      av_freep(&format_->pb->buffer);
      avio_context_free(&format_->pb);
    }
    avformat_free_context(format_);
  }
}

void ClipEncoder::AddFrame(const Canvas& canvas) {
  if (finished_) throw std::logic_error("clip encoder: picture after the end");
  if (canvas.Width() != width_ || canvas.Height() != height_)
    throw std::invalid_argument("clip encoder: picture of the wrong size");
  cairo_surface_flush(canvas.Surface());
  const uint8_t* src[1] = {cairo_image_surface_get_data(canvas.Surface())};
  const int stride[1] = {cairo_image_surface_get_stride(canvas.Surface())};
  Check(av_frame_make_writable(frame_), "picture buffer");
  sws_scale(sws_, src, stride, 0, height_, frame_->data, frame_->linesize);
  frame_->pts = frames_;
  frame_->quality = video_->global_quality;
  frame_->pict_type = AV_PICTURE_TYPE_NONE;
  Check(avcodec_send_frame(video_, frame_), "encode");
  ++frames_;
  Drain(false);
  // The sound of this picture's time goes in beside it.
  WriteSound(int64_t{frames_} * soundRate_ / fps_);
}

void ClipEncoder::WriteSound(int64_t upTo) {
  if (!audioStream_) return;
  upTo = std::min<int64_t>(upTo, static_cast<int64_t>(sound_.size()));
  if (upTo <= soundWritten_) return;
  const int64_t count = upTo - soundWritten_;
  AVPacket* p = av_packet_alloc();
  Check(av_new_packet(p, static_cast<int>(count * 2)), "sound packet");
  for (int64_t i = 0; i < count; ++i) {
    const auto v = static_cast<uint16_t>(sound_[static_cast<size_t>(soundWritten_ + i)]);
    p->data[2 * i] = static_cast<uint8_t>(v & 0xFF);
    p->data[2 * i + 1] = static_cast<uint8_t>(v >> 8);
  }
  p->stream_index = audioStream_->index;
  p->pts = p->dts = av_rescale_q(soundWritten_, AVRational{1, soundRate_}, audioStream_->time_base);
  p->duration = av_rescale_q(count, AVRational{1, soundRate_}, audioStream_->time_base);
  p->flags |= AV_PKT_FLAG_KEY;
  soundWritten_ = upTo;
  const int err = av_interleaved_write_frame(format_, p);
  av_packet_free(&p);
  Check(err, "write sound");
}

void ClipEncoder::Drain(bool flush) {
  if (flush) avcodec_send_frame(video_, nullptr);
  for (;;) {
    const int err = avcodec_receive_packet(video_, packet_);
    if (err == AVERROR(EAGAIN) || err == AVERROR_EOF) return;
    Check(err, "encode");
    av_packet_rescale_ts(packet_, video_->time_base, videoStream_->time_base);
    packet_->stream_index = videoStream_->index;
    Check(av_interleaved_write_frame(format_, packet_), "write picture");
  }
}

std::string ClipEncoder::Finish() {
  if (!finished_) {
    Drain(true);
    // The sound is cut to the pictures' length.
    WriteSound(int64_t{frames_} * soundRate_ / fps_);
    Check(av_write_trailer(format_), "trailer");
    avio_flush(format_->pb);
    finished_ = true;
  }
  return out_.bytes;
}

}  // namespace quendrix::assetgen
