#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/language.h"
#include "media/byte_io.h"

namespace quendrix {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int err) {
  throw FileError(std::string(what) + " \"" + path + "\". " + std::strerror(err));
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) ThrowFileError(TrNoop("Cannot open file"), path, errno);
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  for (;;) {
    const size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (n < sizeof chunk) {
      if (std::ferror(f.get())) ThrowFileError(TrNoop("Cannot read file"), path, EIO);
      break;
    }
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
  // Written beside the target and renamed, so a reader never sees half a file.
  const std::string temp = path + ".part";
  FilePtr f(std::fopen(temp.c_str(), "wb"));
  if (!f) ThrowFileError(TrNoop("Cannot create file"), path, errno);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                  std::fflush(f.get()) == 0;
  const int err = errno;
  f.reset();
  if (!ok) {
    std::remove(temp.c_str());
    ThrowFileError(TrNoop("Cannot write file"), path, err ? err : EIO);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int renameErr = errno;
    std::remove(temp.c_str());
    ThrowFileError(TrNoop("Cannot write file"), path, renameErr);
  }
}

}  // namespace quendrix
