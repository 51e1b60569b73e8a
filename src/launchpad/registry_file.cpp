#include "launchpad/registry_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/cp1251.h"
#include "core/user_folders.h"

namespace quendrix {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOldHeader = "REGEDIT4";

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Cp1251Upper(s[i]) != Cp1251Upper(prefix[i])) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if ((b & 0xE0) == 0xC0) {
      extra = 1;
      cp = b & 0x1F;
      least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      cp = b & 0x0F;
      least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      cp = b & 0x07;
      least = 0x10000;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += 1 + extra;
  }
  return true;
}

bool HasControlBytes(std::string_view s) {
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && c != '\t') || b == 0x7F) return true;
  }
  return false;
}

// Reads a quoted text starting at s[pos] == '"'. On success `pos` is just
// past the closing quote and `out` holds the cp1251 text.
bool ReadQuoted(std::string_view s, size_t& pos, std::string& out) {
  out.clear();
  std::string run;  // UTF-8 not yet converted
  size_t i = pos + 1;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '"') {
      out += Utf8ToCp1251(run);
      pos = i + 1;
      return true;
    }
    if (c != '\\') {
      run += c;
      ++i;
      continue;
    }
    if (i + 1 >= s.size()) return false;
    const char e = s[i + 1];
    if (e == '\\' || e == '"') {
      run += e;
      i += 2;
    } else if (e == 'x' && i + 3 < s.size() && HexDigit(s[i + 2]) >= 0 && HexDigit(s[i + 3]) >= 0) {
      out += Utf8ToCp1251(run);
      run.clear();
      out += static_cast<char>(HexDigit(s[i + 2]) * 16 + HexDigit(s[i + 3]));
      i += 4;
    } else {
      return false;
    }
  }
  return false;
}

std::string Quote(std::string_view cp1251) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : cp1251) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b == 0x7F || b == 0x98) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += Cp1251ToUtf8(std::string_view(&c, 1));
    }
  }
  out += '"';
  return out;
}

std::string FormatValue(const RegistryValue& v) {
  if (!v.line.empty()) return v.line;
  std::string out = v.name.empty() ? "@" : Quote(v.name);
  out += '=';
  if (v.type == RegistryType::kDword) {
    static const char kHex[] = "0123456789abcdef";
    out += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4) out += kHex[(v.number >> shift) & 15];
  } else {
    out += Quote(v.text);
  }
  return out;
}

std::string NormalKeyPath(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

std::string ErrnoText(int err) {
  return std::strerror(err);
}

}  // namespace

bool SameRegistryName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Cp1251Upper(a[i]) != Cp1251Upper(b[i])) return false;
  }
  return true;
}

RegistryValue* RegistryKey::FindValue(std::string_view name) {
  for (auto& v : values) {
    if (SameRegistryName(v.name, name)) return &v;
  }
  return nullptr;
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
  return const_cast<RegistryKey*>(this)->FindValue(name);
}

RegistryKey* RegistryFile::FindKey(std::string_view path) {
  const std::string wanted = NormalKeyPath(path);
  for (auto& k : keys_) {
    if (SameRegistryName(k.path, wanted)) return &k;
  }
  return nullptr;
}

const RegistryKey* RegistryFile::FindKey(std::string_view path) const {
  return const_cast<RegistryFile*>(this)->FindKey(path);
}

RegistryKey& RegistryFile::CreateKey(std::string_view path) {
  if (RegistryKey* k = FindKey(path)) return *k;
  keys_.push_back(RegistryKey{NormalKeyPath(path), {}, {}});
  return keys_.back();
}

void RegistryFile::MarkDamaged(int line, std::string reason) {
  if (!damage_) damage_ = RegistryDamage{line, std::move(reason)};
}

namespace {

// The text's lines without their line ends; `cutOff` when the last one has
// no line end (the file was cut short in the middle of it).
std::vector<std::string_view> SplitLines(std::string_view text, bool& cutOff) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  cutOff = !text.empty() && text.back() != '\n';
  return lines;
}

// The data after a value's "=": a dword of eight hex digits or a quoted
// string; anything else stays kOther, kept as its line.
void ReadValueData(std::string_view data, RegistryValue& value) {
  value.type = RegistryType::kOther;
  if (StartsWithNoCase(data, "dword:")) {
    const std::string_view digits = Trim(data.substr(6));
    bool ok = digits.size() == 8;
    uint32_t number = 0;
    for (size_t i = 0; ok && i < digits.size(); ++i) {
      const int d = HexDigit(digits[i]);
      ok = d >= 0;
      number = number * 16 + static_cast<uint32_t>(d);
    }
    if (ok) {
      value.type = RegistryType::kDword;
      value.number = number;
    }
  } else if (!data.empty() && data.front() == '"') {
    size_t p = 0;
    std::string textValue;
    if (ReadQuoted(data, p, textValue) && Trim(data.substr(p)).empty()) {
      value.type = RegistryType::kString;
      value.text = std::move(textValue);
    }
  }
}

}  // namespace

void RegistryFile::ParseKeyLine(std::string_view line, int lineNo, RegistryKey*& current) {
  current = nullptr;
  if (line.back() != ']' || line.size() < 3 || line[1] == '-') {
    MarkDamaged(lineNo, "not a key line");
    return;
  }
  const std::string path = NormalKeyPath(Utf8ToCp1251(line.substr(1, line.size() - 2)));
  if (path.empty()) {
    MarkDamaged(lineNo, "empty key path");
    return;
  }
  current = FindKey(path);
  if (!current) {
    keys_.push_back(RegistryKey{path, std::string(line), {}});
    current = &keys_.back();
  }
}

void RegistryFile::ParseValueLine(const std::vector<std::string_view>& lines, size_t lastWhole,
                                  size_t& n, std::string_view line, RegistryKey& key) {
  const int lineNo = static_cast<int>(n) + 1;
  RegistryValue value;
  size_t pos = 0;
  if (line.front() == '@') {
    pos = 1;
  } else if (!ReadQuoted(line, pos, value.name)) {
    MarkDamaged(lineNo, "broken value name");
    return;
  }
  if (pos >= line.size() || line[pos] != '=') {
    MarkDamaged(lineNo, "no '=' after the value name");
    return;
  }
  std::string lineText(line);
  ReadValueData(line.substr(pos + 1), value);
  if (value.type == RegistryType::kOther) {
    // Binary and multi-string data go on over indented lines ending in "\".
    std::string_view tail = line;
    while (!tail.empty() && tail.back() == '\\' && n + 1 < lastWhole) {
      std::string_view next = lines[n + 1];
      if (!next.empty() && next.back() == '\r') next.remove_suffix(1);
      if (next.empty() || !IsSpace(next.front()) || !IsValidUtf8(next) || HasControlBytes(next)) {
        break;
      }
      ++n;
      lineText += '\n';
      lineText += next;
      tail = Trim(next);
    }
  }
  value.line = std::move(lineText);
  if (RegistryValue* old = key.FindValue(value.name)) {
    *old = std::move(value);
  } else {
    key.values.push_back(std::move(value));
  }
}

RegistryFile RegistryFile::Parse(std::string_view text) {
  RegistryFile reg;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  // Split into lines first; a last line without its line end was cut off.
  bool cutOff = false;
  const std::vector<std::string_view> lines = SplitLines(text, cutOff);
  const size_t lastWhole = cutOff ? lines.size() - 1 : lines.size();

  bool headerSeen = false;
  bool endSeen = false;
  RegistryKey* current = nullptr;
  for (size_t n = 0; n < lines.size(); ++n) {
    const int lineNo = static_cast<int>(n) + 1;
    std::string_view raw = lines[n];
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (n == lastWhole) {
      reg.MarkDamaged(lineNo, "the last line is cut off");
      break;
    }
    if (!IsValidUtf8(raw)) {
      reg.MarkDamaged(lineNo, "not UTF-8 text");
      continue;
    }
    if (HasControlBytes(raw)) {
      reg.MarkDamaged(lineNo, "control characters");
      continue;
    }
    const std::string_view line = Trim(raw);
    if (line.empty()) continue;
    endSeen = line == kEndLine;
    if (line.front() == ';') continue;
    if (!headerSeen) {
      headerSeen = true;
      if (line == kHeader || line == kOldHeader) continue;
      reg.MarkDamaged(lineNo, "no header line");
    }
    if (line.front() == '[') {
      reg.ParseKeyLine(line, lineNo, current);
    } else if (line.front() != '"' && line.front() != '@') {
      reg.MarkDamaged(lineNo, "not a key or value line");
    } else if (!current) {
      reg.MarkDamaged(lineNo, "a value outside any key");
    } else {
      reg.ParseValueLine(lines, lastWhole, n, line, *current);
    }
  }
  if (!headerSeen)
    reg.MarkDamaged(text.empty() ? 0 : 1, text.empty() ? "empty file" : "no header line");
  if (!endSeen)
    reg.MarkDamaged(static_cast<int>(lines.size()) + 1,
                    "no \"; end of settings\" line: the file may be cut short");
  return reg;
}

std::string RegistryFile::Format() const {
  std::string out = kHeader;
  out += '\n';
  for (const auto& key : keys_) {
    out += '\n';
    out += key.header.empty() ? "[" + Cp1251ToUtf8(key.path) + "]" : key.header;
    out += '\n';
    for (const auto& v : key.values) {
      if (v.type == RegistryType::kOther && v.line.empty()) continue;
      out += FormatValue(v);
      out += '\n';
    }
  }
  out += '\n';
  out += kEndLine;
  out += '\n';
  return out;
}

RegistryFile RegistryFile::Load(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    RegistryFile reg;
    if (err == ENOENT) return reg;
    reg.existed_ = true;
    reg.MarkDamaged(0, "cannot open: " + ErrnoText(err));
    return reg;
  }
  RegistryFile reg;
  struct stat st {};
  std::string text;
  std::optional<std::string> problem;
  if (::fstat(fd, &st) != 0) {
    problem = "cannot read: " + ErrnoText(errno);
  } else if (!S_ISREG(st.st_mode)) {
    problem = "not a regular file";
  } else if (static_cast<uint64_t>(st.st_size) > kMaxFileSize) {
    problem = "larger than 1 MiB";
  } else {
    char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        problem = "cannot read: " + ErrnoText(errno);
        break;
      }
      if (got == 0) break;
      text.append(buffer, static_cast<size_t>(got));
      if (text.size() > kMaxFileSize) {
        problem = "larger than 1 MiB";
        break;
      }
    }
  }
  ::close(fd);
  if (problem) {
    reg.MarkDamaged(0, *problem);
  } else {
    reg = Parse(text);
  }
  reg.existed_ = true;
  return reg;
}

void RegistryFile::Save(const fs::path& path) const {
  // A settings file kept as a link (to a dotfiles folder, say) stays a link:
  // the file it points to is the one replaced.
  fs::path target = path;
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) target = resolved;
  }
  const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  auto fail = [&](const std::string& what, int err) -> void {
    throw SettingsFileError(target.string() + ": " + what + ": " + ErrnoText(err));
  };

  fs::create_directories(dir, ec);
  if (ec) throw SettingsFileError(dir.string() + ": cannot create the folder: " + ec.message());

  std::string tmpName = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkostemp(tmpName.data(), O_CLOEXEC);
  if (fd < 0) fail("cannot create a temporary file", errno);

  auto failAfterCreate = [&](const std::string& what, int err, bool open) -> void {
    if (open) ::close(fd);
    ::unlink(tmpName.c_str());
    fail(what, err);
  };

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd, old.st_mode & 07777);  // best effort: the mkostemp 0600 is safe
  }
  const std::string text = Format();
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) failAfterCreate("cannot write", errno, true);
    if (put == 0) failAfterCreate("cannot write", EIO, true);
    done += static_cast<size_t>(put);
  }
  if (::fsync(fd) != 0) failAfterCreate("cannot flush to disk", errno, true);
  if (::close(fd) != 0) failAfterCreate("cannot write", errno, false);
  if (::rename(tmpName.c_str(), target.c_str()) != 0)
    failAfterCreate("cannot replace", errno, false);
  // Make the rename itself durable; a folder that cannot be synced has
  // nothing left to lose, so that is not an error.
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

fs::path DefaultSettingsPath() {
  std::string why;
  const fs::path base = UserFolder("XDG_CONFIG_HOME", ".config", why);
  if (base.empty()) throw SettingsFileError(why);
  return base / "quendrix" / "settings.reg";
}

}  // namespace quendrix
