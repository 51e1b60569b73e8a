// Bounds-checked little-endian reading and writing of byte buffers, shared by
// the bitmap, wave and list-file code. A read past the end never touches
// memory outside the buffer: it throws MediaError with the message the caller
// chose for "this data is broken".
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/media_error.h"

namespace quendrix {

class ByteReader {
 public:
  ByteReader(std::span<const uint8_t> data, const char* brokenMessage)
      : data_(data), brokenMessage_(brokenMessage) {}

  size_t Pos() const { return pos_; }
  size_t Size() const { return data_.size(); }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }

  void Seek(size_t pos) {
    if (pos > data_.size()) Fail();
    pos_ = pos;
  }
  void Skip(size_t n) {
    if (n > Remaining()) Fail();
    pos_ += n;
  }

  uint8_t U8() {
    if (Remaining() < 1) Fail();
    return data_[pos_++];
  }
  uint8_t PeekU8() const {
    if (Remaining() < 1) Fail();
    return data_[pos_];
  }
  uint16_t U16() {
    const auto b = Bytes(2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  uint32_t U32() {
    const auto b = Bytes(4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  std::span<const uint8_t> Bytes(size_t n) {
    if (n > Remaining()) Fail();
    const auto out = data_.subspan(pos_, n);
    pos_ += n;
    return out;
  }
  std::string String(size_t n) {
    const auto b = Bytes(n);
    return std::string(reinterpret_cast<const char*>(b.data()), b.size());
  }
  // One length byte, then that many bytes.
  std::string ShortString() { return String(U8()); }

  [[noreturn]] void Fail() const { throw MediaError(brokenMessage_); }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  const char* brokenMessage_;
};

class ByteWriter {
 public:
  std::vector<uint8_t>& Data() { return data_; }
  size_t Size() const { return data_.size(); }

  void U8(uint8_t v) { data_.push_back(v); }
  void U16(uint16_t v) {
    data_.push_back(static_cast<uint8_t>(v));
    data_.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) data_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Bytes(std::span<const uint8_t> b) { data_.insert(data_.end(), b.begin(), b.end()); }
  void Text(std::string_view s) { data_.insert(data_.end(), s.begin(), s.end()); }
  // Overwrites four bytes written earlier (sizes known only afterwards).
  void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) data_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }

 private:
  std::vector<uint8_t> data_;
};

// Whole-file helpers. A file that cannot be opened or read throws FileError
// naming the file and the system's reason.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace quendrix
