#include "launchpad/settings.h"

#include <initializer_list>

namespace quendrix {

namespace {

std::string Quoted(const char* pattern, std::string_view name) {
  // The messages have one "%s": the value name.
  std::string text = pattern;
  const size_t at = text.find("%s");
  return text.replace(at, 2, std::string(name));
}

[[noreturn]] void NotOpened() {
  throw RegistryError("Registry not opened");
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

// Reads values one by one and notes where each came from.
class ValueReader {
 public:
  ValueReader(TAMReg& reg, SettingsReadResult& result) : reg_(reg), result_(result) {}

  bool Bool(const std::string& name) {
    Begin(name);
    const bool v = reg_.ReadBool(name);
    Done(name);
    return v;
  }
  // An index outside the list reads as item 0, the design default.
  int32_t Item(const std::string& name, int count) {
    Begin(name);
    const int32_t v = reg_.ReadInt(name);
    Done(name);
    return v >= 0 && v < count ? v : 0;
  }
  std::string String(const std::string& name) {
    Begin(name);
    std::string v = reg_.ReadString(name);
    Done(name);
    return v;
  }
  const std::string& current() const { return current_; }
  void Fail() { Note(current_, ValueSource::kFailed); }

 private:
  void Begin(const std::string& name) { current_ = name; }
  void Done(const std::string& name) {
    Note(name, reg_.KeyExists(name) ? ValueSource::kStored : ValueSource::kMissing);
  }
  void Note(const std::string& name, ValueSource source) {
    const auto& values = SettingValues();
    for (size_t i = 0; i < values.size(); ++i) {
      if (SameRegistryName(values[i].name, name)) {
        // "Sound" is read twice; its first reading tells where it came from.
        if (result_.sources[i] == ValueSource::kDefault || source == ValueSource::kFailed) {
          result_.sources[i] = source;
        }
        return;
      }
    }
  }

  TAMReg& reg_;
  SettingsReadResult& result_;
  std::string current_;
};

void ReadValues(ValueReader& in, LaunchSettings& s, SettingsReadResult& result) {
  s.skipintro = in.Bool("Skip Intro");
  SetRadio(s.pushputt, in.Bool("Push Putt"), {&s.pullputt});
  SetRadio(s.pullputt, in.Bool("Pull Putt"), {&s.pushputt});
  // screen512 sits on the window, outside the group box of the other three.
  s.screen512 = in.Bool("Screen 512");
  SetRadio(s.screen640, in.Bool("Screen 640"), {&s.screen800, &s.screen1024});
  SetRadio(s.screen800, in.Bool("Screen 800"), {&s.screen640, &s.screen1024});
  SetRadio(s.screen1024, in.Bool("Screen 1024"), {&s.screen640, &s.screen800});
  s.bgsounds = in.Bool("Background Sounds");
  SetRadio(s.soundon, in.Bool("Sound"), {&s.soundoff});
  SetRadio(s.soundoff, !in.Bool("Sound"), {&s.soundon});
  s.fastwrite = in.Bool("Fast Writes");
  s.noflip = in.Bool("No Flip Interface");
  s.forceinterface = in.Bool("Full Screen Interface");
  s.frameskip = in.Item("Frame Skip", kFrameSkipItems);
  s.players = in.Item("Players", kPlayersItems);
  s.gametype = in.Item("Game Type", kGameTypeItems);
  s.course = in.Item(kCourseValue, kCourseItems);
  s.startplayer = in.Item("Start Player", kStartPlayerItems);
  s.nextplayer = in.Item("Next Player", kNextPlayerItems);
  s.whencollide = in.Item("Collide", kCollideItems);
  s.scoring = in.Item("Scoring", kScoringItems);
  s.strokelimit = in.Item("Stroke Limit", kStrokeLimitItems);
  s.plus1 = in.Bool("Plus 1");
  s.minus1 = in.Bool("Minus 1");
  result.rememberedSkin = in.String("Skin");
  for (int n = 1; n <= 4; ++n) s.player[n - 1] = in.String(Numbered("Player ", n));
  for (int n = 1; n <= 4; ++n) s.pull[n - 1] = in.Bool(Numbered("Pull ", n));
  for (int n = 1; n <= 4; ++n) s.easy[n - 1] = in.Bool(Numbered("Easy ", n));
}

}  // namespace

// --- TAMReg ---------------------------------------------------------------

TAMReg::TAMReg(std::filesystem::path file) : file_(std::move(file)) {}

TAMReg::~TAMReg() {
  if (!Active() || !dirty_) return;
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
    registry_ = RegistryFile::Load(file_);
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
  try {
    registry_->Save(file_);
  } catch (const SettingsFileError& e) {
    registry_.reset();
    throw RegistryError(Quoted("Failed to set data for '%s'", name), e.what());
  }
}

bool TAMReg::KeyExists(std::string_view name) const {
  return registry_ && registry_->FindKey(rootKey + BasePath() + std::string(name)) != nullptr;
}

const RegistryValue* TAMReg::OpenValue(std::string_view name, RegistryType type) {
  if (!registry_) NotOpened();
  const RegistryKey* key = registry_->FindKey(rootKey + BasePath() + std::string(name));
  if (!key) {
    if (registry_->damage()) throw RegistryError(Quoted("Failed to get data for '%s'", name));
    return nullptr;
  }
  const RegistryValue* value = key->FindValue(name);
  if (!value) throw RegistryError(Quoted("Failed to get data for '%s'", name));
  if (value->type != type) throw RegistryError(Quoted("Invalid data type for '%s'", name));
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
  };
  return values;
}

SettingsReadResult ReadAllSettings(TAMReg& reg, LaunchSettings& settings) {
  SettingsReadResult result;
  result.sources.assign(SettingValues().size(), ValueSource::kDefault);
  ValueReader in(reg, result);

  // Deactivating saves writes a caller may have left pending; should that
  // fail, it is reported like any other error and the reading goes on.
  auto release = [&] {
    try {
      reg.SetActive(false);
    } catch (const RegistryError& e) {
      if (result.error.empty()) result.error = e.what();
    }
  };
  reg.SetActive(true);
  result.fileFound = reg.registry()->existed();
  result.damage = reg.registry()->damage();
  bool runOnce = false;
  try {
    runOnce = in.Bool("RunOnce");
  } catch (const RegistryError& e) {
    in.Fail();
    result.error = e.what();
  }
  release();
  if (!runOnce) return result;  // first run: every setting keeps its design default

  result.firstRun = false;
  reg.SetActive(true);
  try {
    ReadValues(in, settings, result);
  } catch (const RegistryError& e) {
    in.Fail();
    result.error = e.what();
  }
  release();
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
  reg.SetActive(false);
}

}  // namespace quendrix
