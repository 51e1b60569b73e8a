#include "flic_writer.h"

#include <algorithm>
#include <stdexcept>

namespace quendrix::assetgen {
namespace flic {
namespace {

constexpr int kHeaderSize = 128;
constexpr uint16_t kFileMagic = 0xAF12;
constexpr uint16_t kFrameMagic = 0xF1FA;
constexpr int kFrameHeaderSize = 16;
constexpr int kChunkHeaderSize = 6;
// Counts of a run byte are signed: 127 is the longest run either way that
// every decoder reads alike.
constexpr int kMaxRun = 127;
// Unchanged pixels a word packet may carry before a new packet (2 bytes)
// is cheaper.
constexpr int kMaxGapInPacket = 2;
// A repeated word pays for its own packet from this many repeats on.
constexpr int kMinRepeat = 3;

void Put8(std::string& out, int v) {
  out.push_back(static_cast<char>(v & 0xFF));
}
void Put16(std::string& out, int v) {
  Put8(out, v);
  Put8(out, v >> 8);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<int>(v & 0xFFFF));
  Put16(out, static_cast<int>(v >> 16));
}
void Poke16(std::string& out, size_t at, int v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Poke32(std::string& out, size_t at, uint32_t v) {
  Poke16(out, at, static_cast<int>(v & 0xFFFF));
  Poke16(out, at + 2, static_cast<int>(v >> 16));
}

// A sub-chunk: size, type, payload, padded to an even size.
void AppendChunk(std::string& out, uint16_t type, const std::string& payload) {
  size_t size = kChunkHeaderSize + payload.size();
  size += size & 1;
  Put32(out, static_cast<uint32_t>(size));
  Put16(out, type);
  out += payload;
  if (payload.size() & 1) Put8(out, 0);
}

// Byte runs of one line: a replicate run (count, value) for three or more
// equal bytes, literal runs (-count, bytes) between them.
int ByteRunLine(const uint8_t* p, int width, std::string& out) {
  int packets = 0;
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < kMaxRun && p[x + run] == p[x]) ++run;
    if (run >= 3 || run == width - x) {
      Put8(out, run);
      Put8(out, p[x]);
      x += run;
    } else {
      // Literal bytes up to the next run of three (or the end).
      int start = x, n = 0;
      while (x < width && n < kMaxRun) {
        if (x + 2 < width && p[x] == p[x + 1] && p[x] == p[x + 2]) break;
        ++x;
        ++n;
      }
      Put8(out, -n);
      out.append(reinterpret_cast<const char*>(p + start), static_cast<size_t>(n));
    }
    ++packets;
  }
  return packets;
}

struct Span {
  int begin, end;  // pixels [begin, end), even length
};

// Changed pixels of [0, limit) gathered into spans of whole words. Spans
// keep at least one unchanged pixel between them. False when a span cannot
// be made of whole words (it would have to cover [0, limit) with limit odd).
bool LineSpans(const uint8_t* from, const uint8_t* to, int limit, std::vector<Span>& spans) {
  spans.clear();
  int x = 0;
  while (x < limit) {
    while (x < limit && from[x] == to[x]) ++x;
    if (x >= limit) break;
    int begin = x, end = x + 1;
    for (int y = x + 1; y < limit && y - end < kMaxGapInPacket + 1; ++y)
      if (from[y] != to[y]) end = y + 1;
    spans.push_back({begin, end});
    x = end;
  }
  // Spans are at least kMaxGapInPacket + 1 pixels apart, so growing each by
  // one pixel (right, or left at the line's end) never makes two touch.
  for (Span& s : spans) {
    if ((s.end - s.begin) % 2 == 0) continue;
    if (s.end < limit) {
      ++s.end;
    } else if (s.begin > 0) {
      --s.begin;
    } else {
      return false;
    }
  }
  return true;
}

// Number of equal words from `at` on, at most kMaxRun, within [at, end).
int RepeatsAt(const uint8_t* p, int at, int end) {
  int k = 1;
  while (at + 2 * k + 1 < end && k < kMaxRun && p[at + 2 * k] == p[at] &&
         p[at + 2 * k + 1] == p[at + 1])
    ++k;
  return k;
}

// Word packets of the spans: (skip, count, words) with a positive count for
// literal words, (skip, -count, word) for a repeated one. Returns the count.
int WordPackets(const uint8_t* to, const std::vector<Span>& spans, std::string& out) {
  int packets = 0;
  int pos = 0;
  for (const Span& s : spans) {
    int skip = s.begin - pos;
    // A skip byte reaches 255 pixels; farther changes ride on empty packets.
    while (skip > 255) {
      Put8(out, 255);
      Put8(out, 0);
      skip -= 255;
      ++packets;
    }
    int i = s.begin;
    while (i < s.end) {
      int k = RepeatsAt(to, i, s.end);
      Put8(out, skip);
      skip = 0;
      if (k >= kMinRepeat) {
        Put8(out, -k);
        Put8(out, to[i]);
        Put8(out, to[i + 1]);
        i += 2 * k;
      } else {
        int start = i, n = 0;
        while (i < s.end && n < kMaxRun) {
          if (n > 0 && RepeatsAt(to, i, s.end) >= kMinRepeat) break;
          i += 2;
          ++n;
        }
        Put8(out, n);
        out.append(reinterpret_cast<const char*>(to + start), static_cast<size_t>(2 * n));
      }
      ++packets;
    }
    pos = s.end;
  }
  return packets;
}

}  // namespace

std::string Color256(const FlicPalette* from, const FlicPalette& to) {
  std::string out;
  Put16(out, 0);  // packet count, filled in below
  int packets = 0;
  if (from == nullptr) {
    Put8(out, 0);
    Put8(out, 0);  // 0 colours stands for all 256
    out.append(reinterpret_cast<const char*>(to.data()), to.size());
    packets = 1;
  } else {
    auto same = [&](int i) {
      return std::equal(to.begin() + 3 * i, to.begin() + 3 * i + 3, from->begin() + 3 * i);
    };
    int pos = 0, i = 0;
    while (i < 256) {
      if (same(i)) {
        ++i;
        continue;
      }
      int start = i;
      while (i < 256 && !same(i)) ++i;
      Put8(out, start - pos);
      Put8(out, (i - start) & 0xFF);  // 256 becomes 0
      out.append(reinterpret_cast<const char*>(to.data() + 3 * start),
                 static_cast<size_t>(3 * (i - start)));
      pos = i;
      ++packets;
    }
    if (packets == 0) return {};
  }
  Poke16(out, 0, packets);
  return out;
}

std::string ByteRun(const std::vector<uint8_t>& pixels, int width, int height) {
  std::string out;
  for (int y = 0; y < height; ++y) {
    size_t countAt = out.size();
    Put8(out, 0);
    int packets = ByteRunLine(pixels.data() + static_cast<size_t>(y) * width, width, out);
    // The per-line packet count is a relic decoders ignore; kept where it
    // fits a byte.
    if (packets < 256) out[countAt] = static_cast<char>(packets);
  }
  return out;
}

std::string DeltaFlc(const std::vector<uint8_t>& from, const std::vector<uint8_t>& to, int width,
                     int height, bool* lastByteUsed) {
  if (lastByteUsed != nullptr) *lastByteUsed = false;
  std::string out;
  Put16(out, 0);  // lines with a packet count, filled in below
  int lines = 0, skipped = 0;
  std::vector<Span> spans;
  std::string packets;
  for (int y = 0; y < height; ++y) {
    const uint8_t* f = from.data() + static_cast<size_t>(y) * width;
    const uint8_t* t = to.data() + static_cast<size_t>(y) * width;
    bool lastByte = false;
    if (!LineSpans(f, t, width, spans)) {
      lastByte = true;
      if (lastByteUsed != nullptr) *lastByteUsed = true;
      LineSpans(f, t, width - 1, spans);
    }
    if (spans.empty() && !lastByte) {
      ++skipped;
      continue;
    }
    if (skipped > 0) Put16(out, -skipped);  // 0xC000 | ... : skip lines
    skipped = 0;
    if (lastByte) Put16(out, 0x8000 | t[width - 1]);
    packets.clear();
    int count = WordPackets(t, spans, packets);
    Put16(out, count);
    out += packets;
    ++lines;
  }
  Poke16(out, 0, lines);
  return out;
}

}  // namespace flic

using namespace flic;

FlicWriter::FlicWriter(int width, int height, uint32_t speedMs)
    : width_(width), height_(height), speed_(speedMs) {
  if (width < 1 || height < 1 || width > kFlicMaxSide || height > kFlicMaxSide)
    throw std::invalid_argument("FLIC size out of range");
  if (speedMs < 1 || speedMs > kFlicMaxSpeed)
    throw std::invalid_argument("FLIC speed out of range");
}

std::string FlicWriter::FrameChunk(const std::vector<uint8_t>* fromPixels,
                                   const FlicPalette* fromPalette,
                                   const std::vector<uint8_t>& pixels,
                                   const FlicPalette& palette) const {
  std::string chunks;
  int count = 0;
  std::string colours = Color256(fromPalette, palette);
  if (!colours.empty()) {
    AppendChunk(chunks, kColor256, colours);
    ++count;
  }
  if (fromPixels == nullptr) {
    AppendChunk(chunks, kByteRun, ByteRun(pixels, width_, height_));
    ++count;
  } else {
    bool lastByte = false;
    std::string delta = DeltaFlc(*fromPixels, pixels, width_, height_, &lastByte);
    bool unchanged = delta.size() == 2;  // zero lines
    if (!unchanged || count == 0) {
      // An unchanged frame keeps one empty delta chunk, so that it is a
      // frame of its own to every reader. Byte runs win when most changed.
      std::string runs = unchanged ? std::string() : ByteRun(pixels, width_, height_);
      if (!unchanged && (lastByte || runs.size() < delta.size()))
        AppendChunk(chunks, kByteRun, runs);
      else
        AppendChunk(chunks, kDeltaFlc, delta);
      ++count;
    }
  }
  std::string frame;
  Put32(frame, static_cast<uint32_t>(kFrameHeaderSize + chunks.size()));
  Put16(frame, kFrameMagic);
  Put16(frame, count);
  Put16(frame, 0);  // delay: the header's speed
  Put16(frame, 0);  // reserved
  Put16(frame, 0);  // width, height: the header's
  Put16(frame, 0);
  return frame + chunks;
}

void FlicWriter::AddFrame(const std::vector<uint8_t>& pixels, const FlicPalette& palette) {
  if (pixels.size() != static_cast<size_t>(width_) * height_)
    throw std::invalid_argument("FLIC frame of the wrong size");
  // The header counts 16 bits of frames, the ring frame not among them.
  if (frames_ >= 0xFFFF - 1) throw std::length_error("too many FLIC frames");
  if (frames_ == 0) {
    body_ += FrameChunk(nullptr, nullptr, pixels, palette);
    firstPixels_ = pixels;
    firstPalette_ = palette;
  } else {
    if (frames_ == 1) secondFrameOffset_ = static_cast<uint32_t>(kHeaderSize + body_.size());
    body_ += FrameChunk(&lastPixels_, &lastPalette_, pixels, palette);
  }
  lastPixels_ = pixels;
  lastPalette_ = palette;
  ++frames_;
}

std::string FlicWriter::Finish() const {
  if (frames_ == 0) throw std::logic_error("FLIC file without frames");
  std::string ring = FrameChunk(&lastPixels_, &lastPalette_, firstPixels_, firstPalette_);
  uint32_t second =
      frames_ > 1 ? secondFrameOffset_ : static_cast<uint32_t>(kHeaderSize + body_.size());
  std::string file(kHeaderSize, '\0');
  Poke32(file, 0, static_cast<uint32_t>(kHeaderSize + body_.size() + ring.size()));
  Poke16(file, 4, kFileMagic);
  Poke16(file, 6, frames_);
  Poke16(file, 8, width_);
  Poke16(file, 10, height_);
  Poke16(file, 12, 8);       // bits per pixel
  Poke16(file, 14, 3);       // finished, with a ring frame
  Poke32(file, 16, speed_);  // milliseconds per frame
  Poke16(file, 38, 1);       // square pixels
  Poke16(file, 40, 1);
  Poke32(file, 80, kHeaderSize);  // first frame
  Poke32(file, 84, second);       // second frame (the ring frame for one frame)
  return file + body_ + ring;
}

}  // namespace quendrix::assetgen
