// The settings store: the registry branch of the game, kept in the settings
// file (registry_file.h), and the reading and writing of every launch-pad
// setting in their fixed orders.
//
// Errors are exceptions: RegistryError carries the message text the player
// sees ("Registry not opened", "Invalid data type for 'Collide'" ...), in
// cp1251 like every game string, plus a detail line for a failed write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game/launch_settings.h"
#include "launchpad/registry_file.h"
#include "launchpad/skin_list.h"

namespace quendrix {

class RegistryError : public std::runtime_error {
 public:
  // `message` is cp1251; `detail` (UTF-8) says why a write failed.
  explicit RegistryError(const std::string& message, std::string detail = {})
      : std::runtime_error(message), detail_(std::move(detail)) {}
  const std::string& detail() const { return detail_; }

 private:
  std::string detail_;
};

// The settings component (form name "AMReg"). Every setting has a key of its
// own, base path + value name, holding one value of that name.
//
// Activating loads the settings file; reads see it as it was then. Writes
// change the loaded registry and are saved, all together, when the
// component is deactivated (or destroyed while active), as the registry
// flushes its own writes lazily. A save that fails leaves the old file as it
// was and raises "Failed to set data for '<first value written>'". With no
// file (an empty path: the user has no folder for it) nothing is loaded or
// saved; the settings live in the launch pad's controls for the run.
class TAMReg {
 public:
  static constexpr const char* kFormName = "AMReg";

  explicit TAMReg(std::filesystem::path file);
  ~TAMReg();
  TAMReg(const TAMReg&) = delete;
  TAMReg& operator=(const TAMReg&) = delete;

  std::string rootKey = "HKEY_CURRENT_USER";
  std::string group = "Software";
  std::string company = "Tarn Works";
  std::string application = "Quendrix v1.0jc";
  std::string userName;  // appended with "\" to the base path when set

  // "\Software\Tarn Works\Quendrix v1.0jc\" (+ user name + "\").
  std::string BasePath() const;

  bool Active() const { return registry_.has_value(); }
  // true: load the file and select the root key; false: save pending writes
  // and release it. Nothing happens when the state does not change.
  void SetActive(bool active);

  // A missing key reads as false, 0 or empty. A key without its value raises
  // "Failed to get data for '%s'", a value of another type "Invalid data type
  // for '%s'". In a damaged file a missing key may have been lost, so it
  // raises "Failed to get data for '%s'" too. Not active: "Registry not
  // opened". Names are cp1251 and match without case.
  bool ReadBool(std::string_view name);
  int32_t ReadInt(std::string_view name);
  std::string ReadString(std::string_view name);

  // Opens base + name, creating it when missing, and sets the value.
  void WriteBool(std::string_view name, bool value);
  void WriteInt(std::string_view name, int32_t value);
  void WriteString(std::string_view name, std::string_view value);

  // Whether base + name exists (false while not active).
  bool KeyExists(std::string_view name) const;
  const std::filesystem::path& file() const { return file_; }
  // The loaded registry, while active.
  const RegistryFile* registry() const { return registry_ ? &*registry_ : nullptr; }

 private:
  const RegistryValue* OpenValue(std::string_view name, RegistryType type);
  RegistryValue& CreateValue(std::string_view name);
  void Save();

  std::filesystem::path file_;
  std::optional<RegistryFile> registry_;
  std::string firstUnsaved_;  // name of the first write since the last save
  bool dirty_ = false;
};

enum class SettingType { kBool, kInt, kString };

// One stored value as the launch pad reads it.
struct SettingValueInfo {
  const char* name;  // cp1251, as stored
  SettingType type;
};

// Every value in reading order, "RunOnce" first; "Sound" once, "Skin" as the
// reader spells it.
const std::vector<SettingValueInfo>& SettingValues();

enum class ValueSource {
  kDefault,  // not read: the design default (first run)
  kStored,   // read from the file
  kMissing,  // no key: read as false, 0 or empty and applied as such
  kFailed,   // could not be read: the design default
};

struct SettingsReadResult {
  bool fileFound = false;
  bool firstRun = true;        // nothing read: no stored values
  std::string rememberedSkin;  // "Skin" as stored, cp1251
  // The values that could not be read, cp1251, one line per message:
  // "Failed to get data for 'Player 2', 'Pull 4'". Empty when all could.
  std::string error;
  // With an error, UTF-8: the file, and where and how it is damaged.
  std::string detail;
  std::optional<RegistryDamage> damage;
  // Per value of SettingValues(), in the same order.
  std::vector<ValueSource> sources;
};

// Reads the stored settings into `settings` (which holds the design
// defaults): "RunOnce" first, then, unless this is the first run, every
// value in reading order. A value that cannot be read (of another type, or
// lost in a damaged file) keeps its default and the reading goes on, so
// every value that can be read is kept and written back by the next save;
// the names of those that could not come back in `error` instead of being
// thrown. A "RunOnce" that cannot be read counts as set when the file
// holds other values of ours. An item index outside its list reads as
// item 0. `settings.skin` is left alone; the remembered name is for the
// skin list.
SettingsReadResult ReadAllSettings(TAMReg& reg, LaunchSettings& settings);

// Writes "RunOnce" and every setting in writing order and saves the file.
// Throws RegistryError ("Failed to set data for 'RunOnce'" when the file
// cannot be saved; the old file is then left as it was).
void WriteAllSettings(TAMReg& reg, const LaunchSettings& settings);

// What the launch pad does on creation, up to the texture list: reads the
// settings, then builds the skin list from "skins" in `dataDir` whatever the
// reading gave, and puts the chosen entry's text into `settings.skin`.
struct LaunchSettingsLoad {
  SettingsReadResult read;
  SkinList skins;
};
LaunchSettingsLoad LoadLaunchSettings(TAMReg& reg, const std::filesystem::path& dataDir,
                                      LaunchSettings& settings);

}  // namespace quendrix
