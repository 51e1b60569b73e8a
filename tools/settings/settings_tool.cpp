#include "settings_tool.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <ostream>

#include "core/cp1251.h"
#include "game/launch_settings.h"
#include "launchpad/settings.h"

namespace quendrix {

namespace {

constexpr const char* kUsage =
    "usage: quendrix-settings show          every setting as the game would read it\n"
    "       quendrix-settings path          where the settings file is\n"
    "       quendrix-settings reset [--yes] remove the stored settings (asks first)\n";

std::string OnOff(bool v) {
  return v ? "on" : "off";
}

std::string Shown(std::string_view cp1251) {
  return "\"" + Cp1251ToUtf8(cp1251) + "\"";
}

// Value of a stored setting as the launch pad holds it after reading.
std::string ValueText(std::string_view name, const LaunchSettings& s,
                      const SettingsReadResult& read) {
  auto is = [&](const char* n) { return SameRegistryName(name, n); };
  if (is("RunOnce")) return OnOff(!read.firstRun);
  if (is("Skip Intro")) return OnOff(s.skipintro);
  if (is("Push Putt")) return OnOff(s.pushputt);
  if (is("Pull Putt")) return OnOff(s.pullputt);
  if (is("Screen 512")) return OnOff(s.screen512);
  if (is("Screen 640")) return OnOff(s.screen640);
  if (is("Screen 800")) return OnOff(s.screen800);
  if (is("Screen 1024")) return OnOff(s.screen1024);
  if (is("Background Sounds")) return OnOff(s.bgsounds);
  if (is("Sound")) return OnOff(s.soundon);
  if (is("Fast Writes")) return OnOff(s.fastwrite);
  if (is("No Flip Interface")) return OnOff(s.noflip);
  if (is("Full Screen Interface")) return OnOff(s.forceinterface);
  if (is("Frame Skip")) return std::to_string(s.frameskip);
  if (is("Players")) return std::to_string(s.players);
  if (is("Game Type")) return std::to_string(s.gametype);
  if (is("\xCA\xEE\xF0\xF2  ")) return std::to_string(s.course);
  if (is("Start Player")) return std::to_string(s.startplayer);
  if (is("Next Player")) return std::to_string(s.nextplayer);
  if (is("Collide")) return std::to_string(s.whencollide);
  if (is("Scoring")) return std::to_string(s.scoring);
  if (is("Stroke Limit")) return std::to_string(s.strokelimit);
  if (is("Plus 1")) return OnOff(s.plus1);
  if (is("Minus 1")) return OnOff(s.minus1);
  if (is("Skin")) return Shown(read.rememberedSkin);
  for (int n = 0; n < 4; ++n) {
    const std::string digit = std::to_string(n + 1);
    if (is(("Player " + digit).c_str())) return Shown(s.player[n]);
    if (is(("Pull " + digit).c_str())) return OnOff(s.pull[n]);
    if (is(("Easy " + digit).c_str())) return OnOff(s.easy[n]);
  }
  return "?";
}

const char* TypeText(SettingType t) {
  switch (t) {
    case SettingType::kBool:
      return "bool";
    case SettingType::kInt:
      return "int";
    case SettingType::kString:
      return "string";
  }
  return "?";
}

const char* SourceText(ValueSource source) {
  switch (source) {
    case ValueSource::kDefault:
      return "default";
    case ValueSource::kStored:
      return "stored";
    case ValueSource::kMissing:
      return "missing (reads as off, 0 or empty)";
    case ValueSource::kFailed:
      return "unreadable (default)";
  }
  return "?";
}

// Columns line up by characters, not bytes (the course name is Cyrillic).
std::string Pad(const std::string& utf8, size_t width) {
  size_t chars = 0;
  for (char c : utf8) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return chars >= width ? utf8 + " " : utf8 + std::string(width - chars, ' ');
}

int Show(const std::filesystem::path& file, const std::filesystem::path& dataDir,
         std::ostream& out) {
  TAMReg reg(file);
  LaunchSettings settings;
  const LaunchSettingsLoad load = LoadLaunchSettings(reg, dataDir, settings);
  const SettingsReadResult& read = load.read;

  out << "file: " << file.string() << "\n";
  if (!read.fileFound) {
    out << "state: no settings file; the game starts with the design defaults\n";
  } else if (read.firstRun && read.error.empty()) {
    out << "state: no \"RunOnce\"; the game starts with the design defaults\n";
  } else {
    out << "state: stored settings\n";
  }
  if (read.damage) {
    out << "damaged: ";
    if (read.damage->line > 0) out << "line " << read.damage->line << ": ";
    out << read.damage->reason << "\n";
  }
  if (!read.error.empty()) out << "error: " << Cp1251ToUtf8(read.error) << "\n";
  out << "\n" << Pad("value name", 24) << Pad("type", 8) << Pad("value", 20) << "source\n";
  const auto& values = SettingValues();
  for (size_t i = 0; i < values.size(); ++i) {
    const bool firstRunMarker = i == 0 && read.sources[i] == ValueSource::kMissing;
    out << Pad(Shown(values[i].name), 24) << Pad(TypeText(values[i].type), 8)
        << Pad(ValueText(values[i].name, settings, read), 20)
        << (firstRunMarker ? "absent: first run" : SourceText(read.sources[i])) << "\n";
  }
  out << "\nskin entry " << load.skins.selected << " of " << load.skins.items.size() << ": "
      << Shown(load.skins.SelectedText()) << "\n";
  return 0;
}

int Reset(const std::filesystem::path& file, bool yes, std::istream& in, std::ostream& out,
          std::ostream& err) {
  struct stat st {};
  if (::lstat(file.c_str(), &st) != 0 && errno == ENOENT) {
    out << "no stored settings: " << file.string() << "\n";
    return 0;
  }
  if (!yes) {
    out << "Remove the stored settings in " << file.string()
        << "? The game will start with its defaults. [y/N] " << std::flush;
    std::string answer;
    std::getline(in, answer);
    if (answer != "y" && answer != "Y" && answer != "yes" && answer != "YES" && answer != "Yes") {
      out << "kept\n";
      return 0;
    }
  }
  if (::unlink(file.c_str()) != 0) {
    err << "quendrix-settings: cannot remove " << file.string() << ": " << std::strerror(errno)
        << "\n";
    return 1;
  }
  out << "removed " << file.string() << "\n";
  return 0;
}

}  // namespace

int RunSettingsTool(const std::vector<std::string>& args, const std::filesystem::path& file,
                    const std::filesystem::path& dataDir, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  if (args.size() == 1 && args[0] == "show") return Show(file, dataDir, out);
  if (args.size() == 1 && args[0] == "path") {
    out << file.string() << "\n";
    return 0;
  }
  if (!args.empty() && args[0] == "reset" && args.size() <= 2) {
    const bool yes = args.size() == 2 && (args[1] == "--yes" || args[1] == "-y");
    if (args.size() == 1 || yes) return Reset(file, yes, in, out, err);
  }
  err << kUsage;
  return 2;
}

}  // namespace quendrix
