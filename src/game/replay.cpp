#include "game/replay.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string_view>

#include "core/program_folder.h"
#include "core/user_folders.h"
#include "game/game_state.h"
#include "game/headless_play.h"

namespace quendrix {

namespace {

constexpr std::string_view kMagic = "quendrix-replay";

// ---- Settings as name/value lines -------------------------------------------

struct IntField {
  const char* name;
  int32_t LaunchSettings::*field;
};
struct BoolField {
  const char* name;
  bool LaunchSettings::*field;
};

constexpr IntField kIntFields[] = {
    {"frameskip", &LaunchSettings::frameskip},     {"course", &LaunchSettings::course},
    {"players", &LaunchSettings::players},         {"gametype", &LaunchSettings::gametype},
    {"startplayer", &LaunchSettings::startplayer}, {"nextplayer", &LaunchSettings::nextplayer},
    {"whencollide", &LaunchSettings::whencollide}, {"scoring", &LaunchSettings::scoring},
    {"strokelimit", &LaunchSettings::strokelimit},
};
constexpr BoolField kBoolFields[] = {
    {"screen512", &LaunchSettings::screen512},
    {"screen640", &LaunchSettings::screen640},
    {"screen800", &LaunchSettings::screen800},
    {"screen1024", &LaunchSettings::screen1024},
    {"fastwrite", &LaunchSettings::fastwrite},
    {"soundon", &LaunchSettings::soundon},
    {"soundoff", &LaunchSettings::soundoff},
    {"bgsounds", &LaunchSettings::bgsounds},
    {"skipintro", &LaunchSettings::skipintro},
    {"noflip", &LaunchSettings::noflip},
    {"forceinterface", &LaunchSettings::forceinterface},
    {"training", &LaunchSettings::training},
    {"pushputt", &LaunchSettings::pushputt},
    {"pullputt", &LaunchSettings::pullputt},
    {"plus1", &LaunchSettings::plus1},
    {"minus1", &LaunchSettings::minus1},
};

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

bool FromHex(std::string_view hex, std::string& out) {
  if (hex.size() % 2 != 0) return false;
  out.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (error != std::errc() || end != hex.data() + i + 2) return false;
    out += static_cast<char>(value);
  }
  return true;
}

// Named texts of the settings: the skin, four names, four textures.
std::string* TextField(LaunchSettings& s, std::string_view name) {
  if (name == "skin") return &s.skin;
  for (size_t i = 0; i < 4; ++i) {
    if (name == "player" + std::to_string(i + 1)) return &s.player[i];
    if (name == "texture" + std::to_string(i + 1)) return &s.texture[i];
  }
  return nullptr;
}

std::vector<std::string> SettingLines(uint64_t seed, const LaunchSettings& s, Language language) {
  std::vector<std::string> lines;
  lines.push_back(std::string(kMagic) + " " + std::to_string(kReplayVersion));
  lines.push_back("seed " + std::to_string(seed));
  for (const IntField& f : kIntFields)
    lines.push_back(std::string("set ") + f.name + " " + std::to_string(s.*f.field));
  for (const BoolField& f : kBoolFields)
    lines.push_back(std::string("set ") + f.name + " " + (s.*f.field ? "1" : "0"));
  for (size_t i = 0; i < 4; ++i) {
    const std::string n = std::to_string(i + 1);
    lines.push_back("set pull" + n + " " + (s.pull[i] ? "1" : "0"));
    lines.push_back("set easy" + n + " " + (s.easy[i] ? "1" : "0"));
  }
  lines.push_back("text skin " + Hex(s.skin));
  for (size_t i = 0; i < 4; ++i) {
    lines.push_back("text player" + std::to_string(i + 1) + " " + Hex(s.player[i]));
    lines.push_back("text texture" + std::to_string(i + 1) + " " + Hex(s.texture[i]));
  }
  // A Russian game's file stays as it always was.
  if (language != Language::kRussian)
    lines.push_back("language " + std::string(LanguageCode(language)));
  lines.push_back("settings-end");
  return lines;
}

std::string InputLine(const InputEvent& e) {
  std::string line(1, static_cast<char>(e.kind));
  switch (e.kind) {
    case InputKind::kMove:
      line += " " + std::to_string(e.a) + " " + std::to_string(e.b);
      break;
    case InputKind::kDown:
    case InputKind::kUp:
    case InputKind::kKeyDown:
    case InputKind::kKeyUp:
      line += " " + std::to_string(e.a);
      break;
    case InputKind::kClick:
    case InputKind::kDblClick:
      break;
  }
  return line;
}

std::string ChecksumLine(const Checkpoint& c) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(c.checksum));
  return "s " + std::to_string(c.frame) + " " + hex;
}

std::string ScoreLine(const PlayerScore& p) {
  std::string line = "score " + std::to_string(p.player) + " " + std::to_string(p.totalStrokes) +
                     " " + std::to_string(p.holesWon);
  for (const int32_t h : p.holeScores) line += " " + std::to_string(h);
  return line;
}

// ---- Parsing ----------------------------------------------------------------

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line without its end; false at the end. A last line without a
  // line end is not returned.
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) return false;
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int number_ = 0;
};

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

[[noreturn]] void Fail(int line, const std::string& what) {
  throw ReplayError("replay line " + std::to_string(line) + ": " + what);
}

template <typename T>
T Number(std::string_view word, int line, int base = 10) {
  T value{};
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (error != std::errc() || end != word.data() + word.size())
    Fail(line, "not a number: " + std::string(word));
  return value;
}

void ExpectWords(const std::vector<std::string_view>& w, size_t count, int line) {
  if (w.size() != count) Fail(line, "expected " + std::to_string(count) + " fields");
}

void ParseSetting(const std::vector<std::string_view>& w, LaunchSettings& s, int line) {
  ExpectWords(w, 3, line);
  if (w[0] == "text") {
    std::string* field = TextField(s, w[1]);
    if (field == nullptr) Fail(line, "unknown text " + std::string(w[1]));
    // An empty text is written as nothing after the name.
    if (!FromHex(w[2], *field)) Fail(line, "bad hex text");
    return;
  }
  const int32_t value = Number<int32_t>(w[2], line);
  for (const IntField& f : kIntFields)
    if (w[1] == f.name) {
      s.*f.field = value;
      return;
    }
  bool* flag = nullptr;
  for (const BoolField& f : kBoolFields)
    if (w[1] == f.name) flag = &(s.*f.field);
  for (size_t i = 0; i < 4; ++i) {
    if (w[1] == "pull" + std::to_string(i + 1)) flag = &s.pull[i];
    if (w[1] == "easy" + std::to_string(i + 1)) flag = &s.easy[i];
  }
  if (flag != nullptr) {
    if (value != 0 && value != 1) Fail(line, "a switch is 0 or 1");
    *flag = value != 0;
    return;
  }
  Fail(line, "unknown setting " + std::string(w[1]));
}

using WordList = std::vector<std::string_view>;

// The first line: the magic word and a version this reader knows.
void ParseFirstLine(LineReader& reader) {
  std::string_view line;
  if (!reader.Next(line)) throw ReplayError("replay: empty file");
  const auto w = Words(line);
  if (w.size() != 2 || w[0] != kMagic) Fail(1, "not a replay");
  if (Number<int32_t>(w[1], 1) != kReplayVersion)
    Fail(1, "replay version " + std::string(w[1]) + " is not supported");
}

// The seed and the settings, up to "settings-end".
void ParseSettingsBlock(LineReader& reader, Replay& replay) {
  std::string_view line;
  bool seeded = false;
  for (;;) {
    if (!reader.Next(line)) throw ReplayError("replay: the settings are cut short");
    const auto w = Words(line);
    const int n = reader.number();
    if (w.empty()) continue;
    if (w[0] == "settings-end") break;
    if (w[0] == "seed") {
      ExpectWords(w, 2, n);
      replay.seed = Number<uint64_t>(w[1], n);
      seeded = true;
    } else if (w[0] == "language") {
      ExpectWords(w, 2, n);
      if (w[1] != "ru" && w[1] != "en" && w[1] != "de")
        Fail(n, "unknown language " + std::string(w[1]));
      LanguageOfLocale(w[1], replay.language);
    } else if (w[0] == "set" || w[0] == "text") {
      // "text NAME" with nothing after it is an empty text.
      if (w[0] == "text" && w.size() == 2) {
        WordList full = w;
        full.push_back("");
        ParseSetting(full, replay.settings, n);
      } else {
        ParseSetting(w, replay.settings, n);
      }
    } else {
      Fail(n, "unexpected " + std::string(w[0]) + " among the settings");
    }
  }
  if (!seeded) throw ReplayError("replay: no seed");
}

// A one-letter record: an input (kept for the next frame), a frame's end
// or a checksum. False for a letter that is none of them.
bool ParseLetterRecord(const WordList& w, int n, Replay& replay, std::vector<InputEvent>& pending) {
  const char c = w[0][0];
  InputEvent e;
  e.kind = static_cast<InputKind>(c);
  switch (c) {
    case 'm':
      ExpectWords(w, 3, n);
      e.a = Number<int32_t>(w[1], n);
      e.b = Number<int32_t>(w[2], n);
      break;
    case 'd':
    case 'u':
    case 'k':
    case 'K':
      ExpectWords(w, 2, n);
      e.a = Number<int32_t>(w[1], n);
      if ((c == 'd' || c == 'u') && (e.a < 0 || e.a > 2)) Fail(n, "no such mouse button");
      break;
    case 'c':
    case 'b':
      ExpectWords(w, 1, n);
      break;
    case 'f': {
      ExpectWords(w, 2, n);
      ReplayFrame frame;
      frame.tickRate = Number<int32_t>(w[1], n);
      if (frame.tickRate < 0) Fail(n, "negative tick rate");
      frame.inputs = std::move(pending);
      pending.clear();
      replay.frames.push_back(std::move(frame));
      return true;
    }
    case 's': {
      ExpectWords(w, 3, n);
      Checkpoint checkpoint;
      checkpoint.frame = Number<int32_t>(w[1], n);
      checkpoint.checksum = Number<uint64_t>(w[2], n, 16);
      replay.checkpoints.push_back(checkpoint);
      return true;
    }
    default:
      return false;
  }
  pending.push_back(e);
  return true;
}

// The records after the frames: a final score, the end.
void ParseClosingRecord(const WordList& w, int n, Replay& replay) {
  if (w[0] == "score") {
    ExpectWords(w, 4 + 9, n);
    PlayerScore p;
    p.player = Number<int32_t>(w[1], n);
    p.totalStrokes = Number<int32_t>(w[2], n);
    p.holesWon = Number<int32_t>(w[3], n);
    for (size_t h = 0; h < 9; ++h) p.holeScores[h] = Number<int32_t>(w[4 + h], n);
    replay.scores.push_back(p);
  } else if (w[0] == "end") {
    ExpectWords(w, 2, n);
    replay.ended = true;
    replay.endFrames = Number<int32_t>(w[1], n);
  } else {
    Fail(n, "unknown record " + std::string(w[0]));
  }
}

}  // namespace

// ---- Reading and writing ----------------------------------------------------

Replay ParseReplay(std::string_view text) {
  Replay replay;
  LineReader reader(text);
  ParseFirstLine(reader);
  ParseSettingsBlock(reader, replay);
  std::vector<InputEvent> pending;
  std::string_view line;
  while (reader.Next(line)) {
    const auto w = Words(line);
    const int n = reader.number();
    if (w.empty()) continue;
    if (replay.ended) Fail(n, "lines after the end");
    if (w[0].size() == 1 && ParseLetterRecord(w, n, replay, pending)) continue;
    ParseClosingRecord(w, n, replay);
  }
  replay.trailingInputs = std::move(pending);
  return replay;
}

Replay ReadReplayFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ReplayError("cannot read " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return ParseReplay(text.str());
}

std::string FormatReplay(const Replay& replay) {
  std::string out;
  for (const std::string& line : SettingLines(replay.seed, replay.settings, replay.language))
    out += line + "\n";
  size_t next = 0;
  for (size_t i = 0; i < replay.frames.size(); ++i) {
    for (const InputEvent& e : replay.frames[i].inputs) out += InputLine(e) + "\n";
    out += "f " + std::to_string(replay.frames[i].tickRate) + "\n";
    while (next < replay.checkpoints.size() &&
           replay.checkpoints[next].frame == static_cast<int32_t>(i + 1))
      out += ChecksumLine(replay.checkpoints[next++]) + "\n";
  }
  for (const InputEvent& e : replay.trailingInputs) out += InputLine(e) + "\n";
  for (const PlayerScore& p : replay.scores) out += ScoreLine(p) + "\n";
  if (replay.ended) out += "end " + std::to_string(replay.endFrames) + "\n";
  return out;
}

// ---- Checksums --------------------------------------------------------------

namespace {

class Fnv {
 public:
  void Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
      hash_ ^= p[i];
      hash_ *= 0x100000001B3ull;
    }
  }
  template <typename T>
  void Value(T v) {
    Bytes(&v, sizeof v);
  }
  void Real(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Value(bits);
  }
  void Text(const std::string& s) {
    Value(static_cast<uint64_t>(s.size()));
    Bytes(s.data(), s.size());
  }
  uint64_t hash() const { return hash_; }

 private:
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

}  // namespace

uint64_t StateChecksum(const GameSession& s) {
  Fnv h;
  for (const playerrec& b : s.players) {
    for (const double v : {b.x, b.y, b.z, b.speed, b.fallSpeed, b.prevX, b.prevY, b.rollU, b.rollV})
      h.Real(v);
    for (const int32_t v : {b.direction, b.strokes, b.totalStrokes, b.toPar, b.holesWon, b.lastArea,
                            b.rideArea, b.highlight, b.stillFrames})
      h.Value(v);
    for (const bool v : {b.inCup, b.inPlay, b.moving, b.lost, b.inPipe, b.airborne, b.pullPutt})
      h.Value(v);
    h.Value(b.sinkCounter);
    h.Value(b.spriteAngle);
    for (const int32_t v : b.holeScores) h.Value(v);
  }
  h.Value(static_cast<uint8_t>(s.gameState));
  for (const int32_t v : {s.playerCount, s.currentPlayer, s.holeNumber, s.holePar, s.totalPar,
                          s.bestHoleScore, s.firstHoledPlayer, s.substeps, s.scrollX, s.scrollY,
                          s.shotPhase, s.pullSwing, s.pullSwingSpeed, s.tickerPos, s.bannerFade,
                          s.pointerX, s.pointerY, s.effectSlot, s.holeCycle})
    h.Value(v);
  for (const bool v : {s.ballsMoving, s.bonusStrokeUsed, s.bonusStrokeTaken, s.gameOver,
                       s.quitAsked, s.compactHud, s.soundOn, s.ambientOn, s.enterHeld, s.recentre})
    h.Value(v);
  h.Real(s.backswingPeak);
  h.Text(s.holeName);
  h.Text(s.bannerText);
  h.Text(s.tickerText);
  for (const courseEffect& e : s.courseEffects)
    for (const int32_t v : {e.x, e.y, e.image, e.frame}) h.Value(v);
  h.Value(s.playRandom.State());
  h.Value(s.visualRandom.State());
  return h.hash();
}

std::vector<PlayerScore> Scores(const GameSession& s) {
  std::vector<PlayerScore> scores;
  const int32_t count = s.playerCount < 1 ? 1 : s.playerCount > 4 ? 4 : s.playerCount;
  for (int32_t p = 1; p <= count; ++p) {
    PlayerScore score;
    score.player = p;
    score.totalStrokes = s.players[p].totalStrokes;
    score.holesWon = s.players[p].holesWon;
    for (int32_t h = 1; h <= kHoleCount; ++h)
      score.holeScores[static_cast<size_t>(h - 1)] = s.players[p].holeScores[h];
    scores.push_back(score);
  }
  return scores;
}

// ---- Recorder -----------------------------------------------------------------

ReplayRecorder::ReplayRecorder(const std::filesystem::path& file, uint64_t seed,
                               const LaunchSettings& settings)
    : path_(file) {
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  file_ = std::fopen(file.string().c_str(), "wb");
  if (file_ == nullptr) throw ReplayError("cannot write " + file.string());
  for (const std::string& line : SettingLines(seed, settings, CurrentLanguage())) Line(line);
  std::fflush(file_);
}

ReplayRecorder::~ReplayRecorder() {
  if (file_ != nullptr) std::fclose(file_);
}

void ReplayRecorder::Line(const std::string& line) {
  if (file_ == nullptr || finished_) return;
  std::fputs(line.c_str(), file_);
  std::fputc('\n', file_);
}

void ReplayRecorder::Input(const InputEvent& event) {
  if (finished_ || file_ == nullptr) return;
  std::fputc(static_cast<char>(event.kind), file_);
  switch (event.kind) {
    case InputKind::kMove:
      std::fprintf(file_, " %d %d", static_cast<int>(event.a), static_cast<int>(event.b));
      break;
    case InputKind::kDown:
    case InputKind::kUp:
    case InputKind::kKeyDown:
    case InputKind::kKeyUp:
      std::fprintf(file_, " %d", static_cast<int>(event.a));
      break;
    case InputKind::kClick:
    case InputKind::kDblClick:
      break;
  }
  std::fputc('\n', file_);
}

void ReplayRecorder::Frame(int32_t tickRate, const GameSession& session) {
  if (finished_ || file_ == nullptr) return;
  ++frames_;
  // Written straight to the file: a frame allocates nothing.
  std::fprintf(file_, "f %d\n", static_cast<int>(tickRate));
  if (frames_ % kChecksumEvery == 0)
    std::fprintf(file_, "s %d %016llx\n", static_cast<int>(frames_),
                 static_cast<unsigned long long>(StateChecksum(session)));
  std::fflush(file_);
}

void ReplayRecorder::Finish(const GameSession& session) {
  if (finished_) return;
  for (const PlayerScore& p : Scores(session)) Line(ScoreLine(p));
  Line("end " + std::to_string(frames_));
  finished_ = true;
  if (file_ != nullptr) std::fflush(file_);
}

std::filesystem::path DefaultReplayFolder() {
  std::string why;
  const std::filesystem::path base = UserFolder("XDG_DATA_HOME", ".local/share", why);
  if (base.empty()) throw ReplayError("no folder for replays: " + why);
  return base / "quendrix" / "replays";
}

std::filesystem::path NewReplayPath(const std::filesystem::path& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
  std::filesystem::path path = folder / (std::string(stamp) + ".replay");
  std::error_code error;
  for (int n = 2; std::filesystem::exists(path, error) && n < 1000; ++n)
    path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".replay");
  return path;
}

namespace {

// "YYYY-MM-DD_HH-MM-SS.replay" or "YYYY-MM-DD_HH-MM-SS-N.replay".
bool IsGameMadeReplayName(const std::string& name) {
  constexpr std::string_view kShape = "dddd-dd-dd_dd-dd-dd";
  constexpr std::string_view kExtension = ".replay";
  if (name.size() < kShape.size() + kExtension.size()) return false;
  if (name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
    return false;
  for (size_t i = 0; i < kShape.size(); ++i) {
    const char c = name[i];
    if (kShape[i] == 'd' ? (c < '0' || c > '9') : c != kShape[i]) return false;
  }
  const size_t rest = name.size() - kExtension.size();
  if (rest == kShape.size()) return true;
  if (name[kShape.size()] != '-' || rest == kShape.size() + 1) return false;
  for (size_t i = kShape.size() + 1; i < rest; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

// Sorts "stamp.replay" before "stamp-2.replay" before "stamp-10.replay".
bool OlderReplay(const std::string& a, const std::string& b) {
  constexpr size_t kStamp = 19;
  const int byTime = a.compare(0, kStamp, b, 0, kStamp);
  if (byTime != 0) return byTime < 0;
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace

int32_t PruneReplays(const std::filesystem::path& folder, int32_t keep) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return 0;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) return 0;
    const std::string name = it->path().filename().string();
    if (IsGameMadeReplayName(name) && it->is_regular_file(error)) names.push_back(name);
  }
  if (keep < 0) keep = 0;
  if (names.size() <= static_cast<size_t>(keep)) return 0;
  std::sort(names.begin(), names.end(), OlderReplay);
  int32_t removed = 0;
  for (size_t i = 0; i + static_cast<size_t>(keep) < names.size(); ++i)
    if (std::filesystem::remove(folder / names[i], error)) ++removed;
  return removed;
}

// ---- Playback -----------------------------------------------------------------

namespace {

void Apply(TMain& main, const InputEvent& e) {
  switch (e.kind) {
    case InputKind::kMove:
      main.DXDrawMouseMove(e.a, e.b);
      break;
    case InputKind::kDown:
      main.DXDrawMouseDown(static_cast<MouseButton>(e.a));
      break;
    case InputKind::kUp:
      main.DXDrawMouseUp(static_cast<MouseButton>(e.a));
      break;
    case InputKind::kClick:
      main.DXDrawClick();
      break;
    case InputKind::kDblClick:
      main.DXDrawDblClick();
      break;
    case InputKind::kKeyDown:
      main.FormKeyDown(static_cast<uint16_t>(e.a));
      break;
    case InputKind::kKeyUp:
      main.FormKeyUp(static_cast<uint16_t>(e.a));
      break;
  }
}

}  // namespace

PlaybackResult PlayBack(const Replay& replay, const std::filesystem::path& dataDir) {
  // The game's language for the playback, the run's own afterwards.
  struct LanguageFor {
    Language before = CurrentLanguage();
    explicit LanguageFor(Language language) {
      if (language != before) SetLanguage(language, LocaleDirFor(ExecutableFolder()));
    }
    ~LanguageFor() {
      if (CurrentLanguage() != before) SetLanguage(before, LocaleDirFor(ExecutableFolder()));
    }
  } language(replay.language);
  PlaybackResult result;
  HeadlessPlay play(replay.settings, dataDir, replay.seed);
  play.Start();
  TMain& main = play.main();
  for (const ReplayFrame& frame : replay.frames) {
    for (const InputEvent& e : frame.inputs) {
      if (main.Closed()) break;
      Apply(main, e);
    }
    if (main.Closed()) break;
    main.RunFrame(frame.tickRate);
    ++result.frames;
    if (result.frames % kChecksumEvery == 0)
      result.checkpoints.push_back({result.frames, StateChecksum(main.session)});
  }
  for (const InputEvent& e : replay.trailingInputs) {
    if (main.Closed()) break;
    Apply(main, e);
  }
  result.left = main.Closed();
  result.scores = Scores(main.session);
  result.finalChecksum = StateChecksum(main.session);
  return result;
}

}  // namespace quendrix
