// Hole files: INI text (cp1251 bytes) with the tee, the par and up to 99
// areas. Reading never fails: a missing file, section or key, or a value that
// is not a number, gives the default.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quendrix {

class GameSession;

// A parsed INI text. Section and key names compare without regard to ASCII
// case; values are kept without their surrounding blanks. When a key occurs
// twice (also in a repeated section) the first value wins. Any bytes are
// accepted: lines without "=" and text before the first section are skipped.
class IniFile {
 public:
  static constexpr size_t kMaxValueLength = 2047;

  static IniFile Parse(std::string_view text);

  // The raw value, or nullptr when the section or key is missing.
  const std::string* Find(std::string_view section, std::string_view key) const;

  // Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$";
  // anything else (also a value outside the 32-bit range) gives `def`.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // Read as an integer: non-zero is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // At most kMaxValueLength bytes.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;

 private:
  std::unordered_map<std::string, std::string> values_;  // "section\nkey", lower case
};

// Parses an integer as the hole file writes them; false when `text` is not one.
bool ParseHoleInteger(std::string_view text, int32_t& value);

// Largest hole file read, in bytes; the rest of a longer file is ignored.
inline constexpr size_t kMaxHoleFileBytes = 16u << 20;

// Loads hole file `fileName` (cp1251, for example "course1hole1.hole") from
// `directory`, normally the program's folder: spreads the balls of players
// 1 ... playerCount around the tee, sets holePar and adds it to totalPar,
// rewrites all 99 areas and takes cupX, cupY and nextHoleName from the last
// kind-5 area. Draws from the play stream. Returns false when the file could
// not be opened (the defaults are loaded then, as for an empty file).
bool LoadHoleFile(GameSession& session, const std::filesystem::path& directory,
                  std::string_view fileName);

// The same from the file's bytes.
void LoadHoleText(GameSession& session, std::string_view text);

}  // namespace quendrix
