#include "media/wave.h"

#include <cstring>
#include <stdexcept>

#include "media/byte_io.h"

namespace quendrix {

uint32_t Wave::DurationMs() const {
  if (Empty() || samplesPerSec == 0) return 0;
  const uint64_t frames = FrameCount();
  return static_cast<uint32_t>((frames * 1000 + samplesPerSec - 1) / samplesPerSec);
}

Wave Wave::FromPcm16(uint32_t rate, uint16_t channelCount, std::span<const int16_t> samples) {
  if (rate == 0 || channelCount == 0 || samples.size() % channelCount != 0)
    throw std::invalid_argument("Wave::FromPcm16: bad rate, channel count or sample count");
  Wave w;
  w.formatTag = kPcm;
  w.channels = channelCount;
  w.samplesPerSec = rate;
  w.bitsPerSample = 16;
  w.blockAlign = static_cast<uint16_t>(2 * channelCount);
  w.avgBytesPerSec = rate * w.blockAlign;
  w.data.resize(samples.size() * 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    const auto v = static_cast<uint16_t>(samples[i]);
    w.data[2 * i] = static_cast<uint8_t>(v);
    w.data[2 * i + 1] = static_cast<uint8_t>(v >> 8);
  }
  return w;
}

namespace {

[[noreturn]] void Invalid() {
  throw MediaError(kWaveInvalid);
}

bool IdIs(std::span<const uint8_t> id, const char* text) {
  return std::memcmp(id.data(), text, 4) == 0;
}

}  // namespace

Wave DecodeWave(std::span<const uint8_t> bytes) {
  ByteReader r(bytes, kWaveInvalid);
  if (bytes.size() < 12) Invalid();
  if (!IdIs(r.Bytes(4), "RIFF")) Invalid();
  r.Skip(4);  // RIFF size: the bytes we were given are what counts
  if (!IdIs(r.Bytes(4), "WAVE")) Invalid();

  Wave w;
  bool haveFormat = false;
  while (r.Remaining() >= 4) {
    const auto id = r.Bytes(4);
    if (id[0] == 0 && id[1] == 0 && id[2] == 0 && id[3] == 0) break;
    const uint32_t size = r.U32();
    if (size > r.Remaining()) Invalid();
    if (IdIs(id, "fmt ")) {
      // A PCM format record is 16 bytes; longer records carry extras we skip.
      if (size < 16) Invalid();
      ByteReader f(r.Bytes(size), kWaveInvalid);
      w.formatTag = f.U16();
      w.channels = f.U16();
      w.samplesPerSec = f.U32();
      w.avgBytesPerSec = f.U32();
      w.blockAlign = f.U16();
      w.bitsPerSample = f.U16();
      haveFormat = true;
    } else if (IdIs(id, "data")) {
      const auto d = r.Bytes(size);
      w.data.assign(d.begin(), d.end());
    } else {
      r.Skip(size);
    }
  }

  if (!haveFormat) {
    if (!w.data.empty()) Invalid();
    return Wave{};
  }
  if (w.formatTag != Wave::kPcm || (w.bitsPerSample != 8 && w.bitsPerSample != 16) ||
      w.channels < 1 || w.channels > 8 || w.samplesPerSec == 0 || w.samplesPerSec > 1000000)
    Invalid();
  // The frame size follows from the format; a wrong stored value is mended.
  w.blockAlign = static_cast<uint16_t>(w.channels * w.bitsPerSample / 8);
  w.avgBytesPerSec = w.samplesPerSec * w.blockAlign;
  w.data.resize(w.data.size() - w.data.size() % w.blockAlign);
  return w;
}

std::vector<uint8_t> EncodeWave(const Wave& w) {
  ByteWriter out;
  out.Text("RIFF");
  out.U32(static_cast<uint32_t>(4 + 8 + 16 + 8 + w.data.size()));
  out.Text("WAVE");
  out.Text("fmt ");
  out.U32(16);
  out.U16(w.formatTag);
  out.U16(w.channels);
  out.U32(w.samplesPerSec);
  out.U32(w.avgBytesPerSec);
  out.U16(w.blockAlign);
  out.U16(w.bitsPerSample);
  out.Text("data");
  out.U32(static_cast<uint32_t>(w.data.size()));
  out.Bytes(w.data);
  return std::move(out.Data());
}

Wave LoadWaveFile(const std::string& path) {
  return DecodeWave(ReadFileBytes(path));
}

void SaveWaveFile(const std::string& path, const Wave& wave) {
  WriteFileBytes(path, EncodeWave(wave));
}

}  // namespace quendrix
