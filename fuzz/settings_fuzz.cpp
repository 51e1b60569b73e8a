// The settings file. Its text is parsed, formatted and parsed again: the
// second reading must find the same keys and values, and formatting again
// must give the same text. Then the launch pad's own path: every setting
// is read from the file, all are written back, and reading the written
// file gives back exactly what was read.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "fuzz_support.h"
#include "launchpad/registry_file.h"
#include "launchpad/settings.h"

namespace {

using namespace quendrix;

constexpr int kDeadlineMs = 300;

bool SameValues(const RegistryFile& a, const RegistryFile& b) {
  if (a.keys().size() != b.keys().size()) return false;
  for (size_t k = 0; k < a.keys().size(); ++k) {
    const RegistryKey& x = a.keys()[k];
    const RegistryKey& y = b.keys()[k];
    if (x.path != y.path || x.values.size() != y.values.size()) return false;
    for (size_t v = 0; v < x.values.size(); ++v) {
      const RegistryValue& p = x.values[v];
      const RegistryValue& q = y.values[v];
      if (p.name != q.name || p.type != q.type || p.number != q.number || p.text != q.text)
        return false;
    }
  }
  return true;
}

bool SameSettings(const LaunchSettings& a, const LaunchSettings& b) {
  return a.screen512 == b.screen512 && a.screen640 == b.screen640 && a.screen800 == b.screen800 &&
         a.screen1024 == b.screen1024 && a.fastwrite == b.fastwrite && a.frameskip == b.frameskip &&
         a.soundon == b.soundon && a.soundoff == b.soundoff && a.bgsounds == b.bgsounds &&
         a.skipintro == b.skipintro && a.noflip == b.noflip &&
         a.forceinterface == b.forceinterface && a.course == b.course && a.players == b.players &&
         a.gametype == b.gametype && a.pushputt == b.pushputt && a.pullputt == b.pullputt &&
         a.player == b.player && a.pull == b.pull && a.easy == b.easy &&
         a.startplayer == b.startplayer && a.nextplayer == b.nextplayer &&
         a.whencollide == b.whencollide && a.scoring == b.scoring &&
         a.strokelimit == b.strokelimit && a.plus1 == b.plus1 && a.minus1 == b.minus1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputDeadline deadline(kDeadlineMs);
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const RegistryFile first = RegistryFile::Parse(text);
  const std::string formatted = first.Format();
  const RegistryFile second = RegistryFile::Parse(formatted);
  if (!SameValues(first, second)) fuzz::Finding("the settings file reads differently once written");
  if (second.damage()) fuzz::Finding("a settings file as written reads as damaged");
  if (second.Format() != formatted)
    fuzz::Finding("writing the settings file twice gives two texts");

  const std::filesystem::path file = fuzz::WriteScratchFile("settings.reg", data, size);
  LaunchSettings read;
  {
    TAMReg reg(file);
    const SettingsReadResult result = ReadAllSettings(reg, read);
    read.skin = result.rememberedSkin;
    WriteAllSettings(reg, read);
  }
  LaunchSettings again;
  TAMReg reg(file);
  const SettingsReadResult result = ReadAllSettings(reg, again);
  if (result.firstRun || !result.error.empty() || result.damage)
    fuzz::Finding("the settings as written do not read back");
  if (!SameSettings(read, again)) fuzz::Finding("the settings read back differ from those written");
  const std::string expectedSkin = read.skin.empty() ? std::string(kDefaultSkinEntry) : read.skin;
  if (result.rememberedSkin != expectedSkin)
    fuzz::Finding("the skin read back differs from the one written");
  return 0;
}
