#include "game/hole_file.h"

#include <algorithm>
#include <fstream>

#include "core/angles.h"
#include "core/cp1251.h"
#include "core/rounding.h"
#include "game/game_state.h"

namespace quendrix {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lookup key of one value: lower-case section, a newline (which can never
// occur inside a name), lower-case key.
std::string MakeKey(std::string_view section, std::string_view key) {
  std::string k;
  k.reserve(section.size() + key.size() + 1);
  for (char c : section) k.push_back(AsciiLower(c));
  k.push_back('\n');
  for (char c : key) k.push_back(AsciiLower(c));
  return k;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A placement draw is retried while it lands too near another ball. Three
// balls can never block the whole tee ring, so this bound is only a guard
// against a hang on corrupt state; the last draw is kept when it is reached.
constexpr int kMaxTeeDraws = 100000;

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  std::string section;
  bool inSection = false;
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    std::string_view line = Trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      section = std::string(
          Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
      inSection = true;
      continue;
    }
    if (!inSection || line.front() == ';') continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    std::string_view value = Trim(line.substr(eq + 1));
    if (value.size() > kMaxValueLength) value = value.substr(0, kMaxValueLength);
    ini.values_.try_emplace(MakeKey(section, key), value);
  }
  return ini;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
  const auto it = values_.find(MakeKey(section, key));
  return it == values_.end() ? nullptr : &it->second;
}

bool ParseHoleInteger(std::string_view text, int32_t& value) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  } else if (!text.empty() && text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  // Hexadecimal holds 32 bits (0xFFFFFFFF is -1); decimal must fit int32.
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  uint64_t v = 0;
  for (char c : text) {
    const int d = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) return false;
    v = v * (hex ? 16u : 10u) + static_cast<uint64_t>(d);
    if (v > limit) return false;
  }
  const uint32_t bits = static_cast<uint32_t>(v);
  value = static_cast<int32_t>(negative ? 0u - bits : bits);
  return true;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const std::string* raw = Find(section, key);
  int32_t v = def;
  if (raw == nullptr || !ParseHoleInteger(*raw, v)) return def;
  return v;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const std::string* raw = Find(section, key);
  return raw == nullptr ? std::string(def) : *raw;
}

void LoadHoleText(GameSession& session, std::string_view text) {
  const IniFile ini = IniFile::Parse(text);

  // Tee spread: each ball at 4 ... 31 px from the tee (half that up or down,
  // the ground is seen at a slant), at least 18 view units from every other
  // record, absent players and parked balls included.
  const int32_t teeX = ini.ReadInteger("ball", "x", 320);
  const int32_t teeY = ini.ReadInteger("ball", "y", 240);
  const int32_t count = session.playerCount >= 1 && session.playerCount <= kMaxPlayers
                            ? session.playerCount
                            : kMaxPlayers;
  for (int32_t i = 1; i <= count; ++i) {
    playerrec& ball = session.players[i];
    for (int draw = 0; draw < kMaxTeeDraws; ++draw) {
      const int32_t a = session.playRandom.RandomBelow(256);
      const int32_t d = 4 + session.playRandom.RandomBelow(28);
      ball.x = teeX + BinCos(a) * d;
      ball.y = teeY + BinSin(a) * d / 2;
      bool crowded = false;
      for (int32_t j = 1; j <= kMaxPlayers && !crowded; ++j) {
        if (j == i) continue;
        const playerrec& other = session.players[j];
        crowded =
            ViewDistance(Nearest(ball.x), Nearest(ball.y), Nearest(other.x), Nearest(other.y)) < 18;
      }
      if (!crowded) break;
    }
  }

  session.holePar = ini.ReadInteger("course", "par", 3);
  session.totalPar += session.holePar;

  std::string section;
  for (int32_t n = 1; n <= kMaxAreas; ++n) {
    section = "area" + std::to_string(n);
    arearec& a = session.areas[n];
    a.kind = static_cast<AreaKind>(ini.ReadInteger(section, "kind", 0));
    a.x1 = ini.ReadInteger(section, "x1", 0);
    a.y1 = ini.ReadInteger(section, "y1", 0);
    a.r = ini.ReadInteger(section, "r", 0);
    a.x2 = ini.ReadInteger(section, "x2", 0);
    a.y2 = ini.ReadInteger(section, "y2", 0);
    a.x3 = ini.ReadInteger(section, "x3", 0);
    a.y3 = ini.ReadInteger(section, "y3", 0);
    a.x4 = ini.ReadInteger(section, "x4", 0);
    a.y4 = ini.ReadInteger(section, "y4", 0);
    a.p1 = ini.ReadInteger(section, "p1", 0);
    a.p2 = ini.ReadInteger(section, "p2", 0);
    a.p3 = ini.ReadInteger(section, "p3", 0);
    a.p4 = ini.ReadInteger(section, "p4", 0);
    a.p5 = ini.ReadInteger(section, "p5", 0);
    a.p6 = ini.ReadInteger(section, "p6", 0);
    a.enabled = ini.ReadBool(section, "enabled", false);
    a.comment = ini.ReadString(section, "comment", "");
    if (a.kind == AreaKind::kCup) {
      session.cupX = a.x1;
      session.cupY = a.y1;
      session.nextHoleName = a.comment;
    }
  }
}

bool LoadHoleFile(GameSession& session, const std::filesystem::path& directory,
                  std::string_view fileName) {
  std::string bytes;
  const std::filesystem::path path = directory / std::filesystem::path(Cp1251ToUtf8(fileName));
  std::error_code error;
  const bool opened = std::filesystem::is_regular_file(path, error);
  std::ifstream in;
  if (opened) in.open(path, std::ios::binary);
  char chunk[1 << 16];
  while (in.is_open() && in && bytes.size() < kMaxHoleFileBytes) {
    in.read(chunk,
            static_cast<std::streamsize>(std::min(sizeof chunk, kMaxHoleFileBytes - bytes.size())));
    bytes.append(chunk, static_cast<size_t>(in.gcount()));
  }
  LoadHoleText(session, bytes);
  return opened;
}

}  // namespace quendrix
