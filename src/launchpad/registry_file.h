// The settings file: a registry branch kept as registry-export text.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Tarn Works\Quendrix v1.0jc\Skip Intro]
//   "Skip Intro"=dword:00000001
//
// UTF-8 on disk, one line per key header and per value, "\n" line ends
// ("\r\n" is read too). A value is "name"=dword:XXXXXXXX (exactly eight hex
// digits) or "name"="text"; inside quotes \\ and \" stand for \ and ", and
// \xHH for a byte that has no plain UTF-8 form in cp1251 (control bytes and
// the unassigned 0x98), so any cp1251 string survives the round trip. Any
// other data ("hex:...", "-", broken quotes) is kept as a value of another
// type. Key paths and value names compare without case, as the registry
// does; in memory they are cp1251, like every game string.
//
// A line that cannot be understood (not UTF-8, control bytes, no closing
// bracket, a value line outside any key, the last line cut off without its
// line end, no header line) marks the file damaged; the rest of the file is
// still read. The file ends with the line "; end of settings", so a file cut
// short at a line end is found too; one without it counts as damaged. A
// damaged file may have lost any value, so the reader treats a missing value
// of a damaged file as unreadable rather than absent.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix {

// A file operation that failed; what() names the file and the system's
// reason (UTF-8).
class SettingsFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class RegistryType { kDword, kString, kOther };

struct RegistryValue {
  std::string name;  // cp1251; "" is the key's default value ("@")
  RegistryType type = RegistryType::kOther;
  uint32_t number = 0;  // kDword
  std::string text;     // kString, cp1251
  // The line as read, written back unchanged until the value is set again;
  // keeps entries of other programs and other types byte for byte.
  std::string line;
};

struct RegistryKey {
  std::string path;    // cp1251, root included, no trailing backslash
  std::string header;  // the "[...]" line as read; empty for a new key
  std::vector<RegistryValue> values;

  RegistryValue* FindValue(std::string_view name);
  const RegistryValue* FindValue(std::string_view name) const;
};

// The first line of the file that could not be understood.
struct RegistryDamage {
  int line = 0;  // 1-based; 0 for the file as a whole
  std::string reason;
};

class RegistryFile {
 public:
  static constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
  // The last line of a whole file (a comment to any other reader).
  static constexpr const char* kEndLine = "; end of settings";
  // A larger file is not read at all (it cannot be ours).
  static constexpr size_t kMaxFileSize = 1 << 20;

  // Reads the text of a file; keys in file order, later duplicates merged
  // into the first (a later value of the same name replaces the earlier).
  static RegistryFile Parse(std::string_view text);
  // The whole file text: header, each key after a blank line, end line.
  std::string Format() const;

  // Loads the file at `path`. A missing file gives an empty registry; a file
  // that cannot be read, or is too large, gives an empty damaged one.
  static RegistryFile Load(const std::filesystem::path& path);
  // Writes the file atomically: a temporary file in the same folder, written
  // in full and flushed to disk, then renamed over the old one, so the old
  // file stays whole whatever fails. Creates the folder when missing; keeps
  // the old file's permissions (0600 for a new one). Throws SettingsFileError.
  void Save(const std::filesystem::path& path) const;

  RegistryKey* FindKey(std::string_view path);
  const RegistryKey* FindKey(std::string_view path) const;
  RegistryKey& CreateKey(std::string_view path);

  const std::vector<RegistryKey>& keys() const { return keys_; }
  bool existed() const { return existed_; }  // Load found a file
  const std::optional<RegistryDamage>& damage() const { return damage_; }

 private:
  void MarkDamaged(int line, std::string reason);
  // One "[key]" line: the key it opens (made when new), or nullptr when
  // the line is damaged.
  void ParseKeyLine(std::string_view line, int lineNo, RegistryKey*& current);
  // One value line of `key`, and the continuation lines of binary data
  // after it (`n` moves past them; lines from `lastWhole` on are cut off).
  void ParseValueLine(const std::vector<std::string_view>& lines, size_t lastWhole, size_t& n,
                      std::string_view line, RegistryKey& key);

  std::vector<RegistryKey> keys_;
  bool existed_ = false;
  std::optional<RegistryDamage> damage_;
};

// Registry names match without case: Latin and Cyrillic letters of cp1251.
bool SameRegistryName(std::string_view a, std::string_view b);

// $XDG_CONFIG_HOME/quendrix/settings.reg; $HOME/.config when the variable is
// unset, empty or not an absolute path, the password entry's home folder
// when HOME is too. Throws SettingsFileError, saying why, when none gives a
// folder.
std::filesystem::path DefaultSettingsPath();

}  // namespace quendrix
