#include "launchpad/settings.h"

#include <algorithm>
#include <initializer_list>

#include "core/language.h"

namespace quendrix {

namespace {

std::string Quoted(const char* pattern, std::string_view name) {
  // The messages have one "%s": the value name.
  std::string text = pattern;
  const size_t at = text.find("%s");
  return text.replace(at, 2, std::string(name));
}

[[noreturn]] void NotOpened() {
  throw RegistryError(TrNoop("Registry not opened"));
}

const char* const kCourseValue = "\xCA\xEE\xF0\xF2  ";  // "Корт" and two spaces

// Stored item indexes of the drop-down lists and the length of each list.
constexpr int kFrameSkipItems = 4;
constexpr int kPlayersItems = 4;
constexpr int kGameTypeItems = 3;
constexpr int kCourseItems = 2;
constexpr int kStartPlayerItems = 3;
constexpr int kNextPlayerItems = 2;
constexpr int kCollideItems = 2;
constexpr int kScoringItems = 2;
constexpr int kStrokeLimitItems = 4;
constexpr int kComputerItems = 4;  // a person, beginner, club player, master

std::string Numbered(const char* prefix, int n) {
  return prefix + std::to_string(n);
}

// Checking a radio button unchecks the others of its group in the same
// container; unchecking one leaves them alone.
void SetRadio(bool& button, bool checked, std::initializer_list<bool*> others) {
  button = checked;
  if (!checked) return;
  for (bool* other : others) *other = false;
}

// A value that could not be read: its name and the message that says why.
struct Failure {
  std::string name, message;
  // The message without the quoted name: "Failed to get data for ".
  std::string Pattern() const { return message.substr(0, message.size() - name.size() - 2); }
};

// Reads values one by one and notes where each came from. A value that
// cannot be read is noted with its message and comes back empty, so the
// control keeps its design default and the reading goes on.
class ValueReader {
 public:
  ValueReader(TAMReg& reg, SettingsReadResult& result) : reg_(reg), result_(result) {}

  std::optional<bool> Bool(const std::string& name) {
    return Try(name, [&] { return reg_.ReadBool(name); });
  }
  // An index outside the list reads as item 0, the design default.
  std::optional<int32_t> Item(const std::string& name, int count) {
    const std::optional<int32_t> v = Try(name, [&] { return reg_.ReadInt(name); });
    if (!v) return v;
    return *v >= 0 && *v < count ? *v : 0;
  }
  std::optional<std::string> String(const std::string& name) {
    return Try(name, [&] { return reg_.ReadString(name); });
  }
  const std::vector<Failure>& failures() const { return failures_; }

 private:
  template <typename Read>
  auto Try(const std::string& name, Read read) -> std::optional<decltype(read())> {
    try {
      auto v = read();
      Note(name, reg_.KeyExists(name) ? ValueSource::kStored : ValueSource::kMissing);
      return v;
    } catch (const RegistryError& e) {
      Note(name, ValueSource::kFailed);
      failures_.push_back({name, e.what()});
      return std::nullopt;
    }
  }
  void Note(const std::string& name, ValueSource source) {
    const auto& values = SettingValues();
    for (size_t i = 0; i < values.size(); ++i) {
      if (SameRegistryName(values[i].name, name)) {
        result_.sources[i] = source;
        return;
      }
    }
  }

  TAMReg& reg_;
  SettingsReadResult& result_;
  std::vector<Failure> failures_;
};

// Sets `field` to the value read, if there is one.
template <typename T>
void Take(T& field, const std::optional<T>& v) {
  if (v) field = *v;
}

void ReadValues(ValueReader& in, LaunchSettings& s, SettingsReadResult& result) {
  Take(s.skipintro, in.Bool("Skip Intro"));
  if (const auto v = in.Bool("Push Putt")) SetRadio(s.pushputt, *v, {&s.pullputt});
  if (const auto v = in.Bool("Pull Putt")) SetRadio(s.pullputt, *v, {&s.pushputt});
  // screen512 sits on the window, outside the group box of the other three.
  Take(s.screen512, in.Bool("Screen 512"));
  if (const auto v = in.Bool("Screen 640"))
    SetRadio(s.screen640, *v, {&s.screen800, &s.screen1024});
  if (const auto v = in.Bool("Screen 800"))
    SetRadio(s.screen800, *v, {&s.screen640, &s.screen1024});
  if (const auto v = in.Bool("Screen 1024"))
    SetRadio(s.screen1024, *v, {&s.screen640, &s.screen800});
  Take(s.bgsounds, in.Bool("Background Sounds"));
  // One value for both buttons: soundon first, then soundoff as its negation.
  if (const auto v = in.Bool("Sound")) {
    SetRadio(s.soundon, *v, {&s.soundoff});
    SetRadio(s.soundoff, !*v, {&s.soundon});
  }
  Take(s.fastwrite, in.Bool("Fast Writes"));
  Take(s.noflip, in.Bool("No Flip Interface"));
  Take(s.forceinterface, in.Bool("Full Screen Interface"));
  Take(s.frameskip, in.Item("Frame Skip", kFrameSkipItems));
  Take(s.players, in.Item("Players", kPlayersItems));
  Take(s.gametype, in.Item("Game Type", kGameTypeItems));
  Take(s.course, in.Item(kCourseValue, kCourseItems));
  Take(s.startplayer, in.Item("Start Player", kStartPlayerItems));
  Take(s.nextplayer, in.Item("Next Player", kNextPlayerItems));
  Take(s.whencollide, in.Item("Collide", kCollideItems));
  Take(s.scoring, in.Item("Scoring", kScoringItems));
  Take(s.strokelimit, in.Item("Stroke Limit", kStrokeLimitItems));
  Take(s.plus1, in.Bool("Plus 1"));
  Take(s.minus1, in.Bool("Minus 1"));
  Take(result.rememberedSkin, in.String("Skin"));
  for (int n = 1; n <= 4; ++n) Take(s.player[n - 1], in.String(Numbered("Player ", n)));
  for (int n = 1; n <= 4; ++n) Take(s.pull[n - 1], in.Bool(Numbered("Pull ", n)));
  for (int n = 1; n <= 4; ++n) Take(s.easy[n - 1], in.Bool(Numbered("Easy ", n)));
  // Stored after every older value, so a file written before them has none:
  // their keys are missing and read as 0, a person.
  for (int n = 1; n <= 4; ++n)
    Take(s.computer[n - 1], in.Item(Numbered("Computer ", n), kComputerItems));
}

// Whether the registry holds a key of any stored value but "RunOnce".
bool AnyValueKey(const TAMReg& reg) {
  const auto& values = SettingValues();
  for (size_t i = 1; i < values.size(); ++i)
    if (reg.KeyExists(values[i].name)) return true;
  return false;
}

// One line per message ("Failed to get data for 'Player 2', 'Pull 4'"), a
// long list of names going on over more lines.
std::string FailureText(const std::vector<Failure>& failures) {
  constexpr size_t kLineWidth = 64;
  std::vector<std::string> patterns;
  for (const Failure& f : failures)
    if (std::find(patterns.begin(), patterns.end(), f.Pattern()) == patterns.end())
      patterns.push_back(f.Pattern());
  std::string text;
  for (const std::string& pattern : patterns) {
    if (!text.empty()) text += '\n';
    std::string line = pattern;
    bool first = true;
    for (const Failure& f : failures) {
      if (f.Pattern() != pattern) continue;
      const std::string quoted = "'" + f.name + "'";
      if (!first && line.size() + quoted.size() + 2 > kLineWidth) {
        text += line + ",\n";
        line.clear();
      } else if (!first) {
        line += ", ";
      }
      line += quoted;
      first = false;
    }
    text += line;
  }
  return text;
}

}  // namespace

// --- TAMReg ---------------------------------------------------------------

TAMReg::TAMReg(std::filesystem::path file) : file_(std::move(file)) {}

TAMReg::~TAMReg() {
  if (!Active() || !dirty_ || file_.empty()) return;
  try {
    registry_->Save(file_);
  } catch (...) {
    // Nowhere to report from a destructor; the old file is still whole.
  }
}

std::string TAMReg::BasePath() const {
  std::string path = "\\" + group + "\\" + company + "\\" + application + "\\";
  if (!userName.empty()) path += userName + "\\";
  return path;
}

void TAMReg::SetActive(bool active) {
  if (active == Active()) return;
  if (active) {
    registry_ = file_.empty() ? RegistryFile() : RegistryFile::Load(file_);
    dirty_ = false;
    firstUnsaved_.clear();
    return;
  }
  if (dirty_) {
    Save();
  }
  registry_.reset();
}

void TAMReg::Save() {
  const std::string name = firstUnsaved_;
  dirty_ = false;
  firstUnsaved_.clear();
  if (file_.empty()) return;  // no folder for the file: the run keeps them in memory
  try {
    registry_->Save(file_);
  } catch (const SettingsFileError& e) {
    registry_.reset();
    throw RegistryError(Quoted(TrNoop("Failed to set data for '%s'"), name), e.what());
  }
}

bool TAMReg::KeyExists(std::string_view name) const {
  return registry_ && registry_->FindKey(rootKey + BasePath() + std::string(name)) != nullptr;
}

const RegistryValue* TAMReg::OpenValue(std::string_view name, RegistryType type) {
  if (!registry_) NotOpened();
  const RegistryKey* key = registry_->FindKey(rootKey + BasePath() + std::string(name));
  if (!key) {
    if (registry_->damage())
      throw RegistryError(Quoted(TrNoop("Failed to get data for '%s'"), name));
    return nullptr;
  }
  const RegistryValue* value = key->FindValue(name);
  if (!value) throw RegistryError(Quoted(TrNoop("Failed to get data for '%s'"), name));
  if (value->type != type) throw RegistryError(Quoted(TrNoop("Invalid data type for '%s'"), name));
  return value;
}

RegistryValue& TAMReg::CreateValue(std::string_view name) {
  if (!registry_) NotOpened();
  RegistryKey& key = registry_->CreateKey(rootKey + BasePath() + std::string(name));
  RegistryValue* value = key.FindValue(name);
  if (!value) {
    key.values.push_back(RegistryValue{std::string(name), RegistryType::kOther, 0, {}, {}});
    value = &key.values.back();
  }
  value->line.clear();
  value->text.clear();
  value->number = 0;
  if (!dirty_) firstUnsaved_ = std::string(name);
  dirty_ = true;
  return *value;
}

bool TAMReg::ReadBool(std::string_view name) {
  const RegistryValue* v = OpenValue(name, RegistryType::kDword);
  return v && v->number != 0;
}

int32_t TAMReg::ReadInt(std::string_view name) {
  const RegistryValue* v = OpenValue(name, RegistryType::kDword);
  return v ? static_cast<int32_t>(v->number) : 0;
}

std::string TAMReg::ReadString(std::string_view name) {
  std::string result;
  if (const RegistryValue* v = OpenValue(name, RegistryType::kString)) result = v->text;
  return result;
}

void TAMReg::WriteBool(std::string_view name, bool value) {
  WriteInt(name, value ? 1 : 0);
}

void TAMReg::WriteInt(std::string_view name, int32_t value) {
  RegistryValue& v = CreateValue(name);
  v.type = RegistryType::kDword;
  v.number = static_cast<uint32_t>(value);
}

void TAMReg::WriteString(std::string_view name, std::string_view value) {
  RegistryValue& v = CreateValue(name);
  v.type = RegistryType::kString;
  v.text = std::string(value);
}

// --- all settings ---------------------------------------------------------

const std::vector<SettingValueInfo>& SettingValues() {
  using enum SettingType;
  static const std::vector<SettingValueInfo> values = {
      {"RunOnce", kBool},
      {"Skip Intro", kBool},
      {"Push Putt", kBool},
      {"Pull Putt", kBool},
      {"Screen 512", kBool},
      {"Screen 640", kBool},
      {"Screen 800", kBool},
      {"Screen 1024", kBool},
      {"Background Sounds", kBool},
      {"Sound", kBool},
      {"Fast Writes", kBool},
      {"No Flip Interface", kBool},
      {"Full Screen Interface", kBool},
      {"Frame Skip", kInt},
      {"Players", kInt},
      {"Game Type", kInt},
      {kCourseValue, kInt},
      {"Start Player", kInt},
      {"Next Player", kInt},
      {"Collide", kInt},
      {"Scoring", kInt},
      {"Stroke Limit", kInt},
      {"Plus 1", kBool},
      {"Minus 1", kBool},
      {"Skin", kString},
      {"Player 1", kString},
      {"Player 2", kString},
      {"Player 3", kString},
      {"Player 4", kString},
      {"Pull 1", kBool},
      {"Pull 2", kBool},
      {"Pull 3", kBool},
      {"Pull 4", kBool},
      {"Easy 1", kBool},
      {"Easy 2", kBool},
      {"Easy 3", kBool},
      {"Easy 4", kBool},
      {"Computer 1", kInt},
      {"Computer 2", kInt},
      {"Computer 3", kInt},
      {"Computer 4", kInt},
  };
  return values;
}

SettingsReadResult ReadAllSettings(TAMReg& reg, LaunchSettings& settings) {
  SettingsReadResult result;
  result.sources.assign(SettingValues().size(), ValueSource::kDefault);
  ValueReader in(reg, result);

  // Deactivating saves writes a caller may have left pending; should that
  // fail, it is reported with the rest and the reading goes on.
  std::string saveError;
  auto release = [&] {
    try {
      reg.SetActive(false);
    } catch (const RegistryError& e) {
      if (saveError.empty()) saveError = e.what();
    }
  };
  reg.SetActive(true);
  result.fileFound = reg.registry()->existed();
  result.damage = reg.registry()->damage();
  const std::optional<bool> runOnce = in.Bool("RunOnce");
  // The marker is written with every value, so a file that lost it but
  // holds values of ours has been written before: those values are read.
  const bool stored = runOnce ? *runOnce : AnyValueKey(reg);
  release();
  if (stored) {
    result.firstRun = false;
    reg.SetActive(true);
    ReadValues(in, settings, result);
    release();
  }
  result.error = FailureText(in.failures());
  if (!saveError.empty()) result.error += (result.error.empty() ? "" : "\n") + saveError;
  if (!result.error.empty()) {
    result.detail = reg.file().string();
    if (result.damage) {
      if (result.damage->line > 0) result.detail += ": line " + std::to_string(result.damage->line);
      result.detail += ": " + result.damage->reason;
    }
  }
  return result;
}

LaunchSettingsLoad LoadLaunchSettings(TAMReg& reg, const std::filesystem::path& dataDir,
                                      LaunchSettings& settings) {
  LaunchSettingsLoad load;
  load.read = ReadAllSettings(reg, settings);
  load.skins = BuildSkinList(dataDir / "skins", load.read.rememberedSkin);
  settings.skin = load.skins.SelectedText();
  return load;
}

void WriteAllSettings(TAMReg& reg, const LaunchSettings& s) {
  reg.SetActive(true);
  reg.WriteBool("RunOnce", true);
  reg.WriteBool("Skip Intro", s.skipintro);
  reg.WriteBool("Pull Putt", s.pullputt);
  reg.WriteBool("Push Putt", s.pushputt);
  reg.WriteBool("Screen 512", s.screen512);
  reg.WriteBool("Screen 640", s.screen640);
  reg.WriteBool("Screen 800", s.screen800);
  reg.WriteBool("Screen 1024", s.screen1024);
  reg.WriteBool("Background Sounds", s.bgsounds);
  reg.WriteBool("Sound", s.soundon);
  reg.WriteBool("Fast Writes", s.fastwrite);
  reg.WriteBool("Full Screen Interface", s.forceinterface);
  reg.WriteBool("No Flip Interface", s.noflip);
  reg.WriteInt("Frame Skip", s.frameskip);
  reg.WriteInt("Players", s.players);
  reg.WriteInt("Game Type", s.gametype);
  reg.WriteInt(kCourseValue, s.course);
  reg.WriteInt("Start Player", s.startplayer);
  reg.WriteInt("Next Player", s.nextplayer);
  reg.WriteInt("Collide", s.whencollide);
  reg.WriteInt("Scoring", s.scoring);
  reg.WriteInt("Stroke Limit", s.strokelimit);
  reg.WriteBool("Plus 1", s.plus1);
  reg.WriteBool("Minus 1", s.minus1);
  // The skin box always shows an entry; before the list is built that is
  // entry 0.
  reg.WriteString("skin", s.skin.empty() ? std::string(kDefaultSkinEntry) : s.skin);
  for (int n = 1; n <= 4; ++n) reg.WriteString(Numbered("Player ", n), s.player[n - 1]);
  for (int n = 1; n <= 4; ++n) reg.WriteBool(Numbered("Easy ", n), s.easy[n - 1]);
  for (int n = 1; n <= 4; ++n) reg.WriteBool(Numbered("Pull ", n), s.pull[n - 1]);
  // Last, after every value the game has always written, which keep their order.
  for (int n = 1; n <= 4; ++n) reg.WriteInt(Numbered("Computer ", n), s.computer[n - 1]);
  reg.SetActive(false);
}

}  // namespace quendrix
