// Little helpers for building byte streams by hand in tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace quendrix::test {

class Bytes {
 public:
  Bytes& U8(uint8_t v) {
    data_.push_back(v);
    return *this;
  }
  Bytes& U16(uint16_t v) { return U8(static_cast<uint8_t>(v)).U8(static_cast<uint8_t>(v >> 8)); }
  Bytes& U32(uint32_t v) {
    return U16(static_cast<uint16_t>(v)).U16(static_cast<uint16_t>(v >> 16));
  }
  Bytes& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  Bytes& Text(std::string_view s) {
    data_.insert(data_.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Short(std::string_view s) { return U8(static_cast<uint8_t>(s.size())).Text(s); }
  Bytes& Raw(const std::vector<uint8_t>& b) {
    data_.insert(data_.end(), b.begin(), b.end());
    return *this;
  }
  Bytes& Raw(std::initializer_list<uint8_t> b) {
    data_.insert(data_.end(), b.begin(), b.end());
    return *this;
  }
  size_t Size() const { return data_.size(); }
  const std::vector<uint8_t>& Get() const { return data_; }
  operator const std::vector<uint8_t>&() const { return data_; }
  operator std::span<const uint8_t>() const { return data_; }

 private:
  std::vector<uint8_t> data_;
};

}  // namespace quendrix::test
