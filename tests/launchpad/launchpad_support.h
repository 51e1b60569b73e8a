// A launch pad with every service faked: a screen of a chosen size, a silent
// sound device, an animation player and video windows that record what they
// were asked, a play screen that records the settings it started on, and a
// message box that keeps its texts. Data and settings live in a scratch
// folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "launchpad/launchpad04.h"
#include "media/list_file.h"
#include "media/sound_device.h"
#include "temp_dir.h"

namespace quendrix::testing {

struct FakeDisplay : LaunchpadDisplay {
  int32_t desktopW = 1024, desktopH = 768;
  bool interface = false;
  bool failInterface = false;
  bool visible = false;
  int cursorShown = 0;
  int32_t ScreenWidth() const override { return interface ? 640 : desktopW; }
  int32_t ScreenHeight() const override { return interface ? 480 : desktopH; }
  bool OpenInterface(std::string& reason) override {
    if (failInterface) {
      reason = "no 640x480 mode";
      return false;
    }
    interface = true;
    return true;
  }
  void CloseInterface() override { interface = false; }
  void ShowCursor() override { ++cursorShown; }
  void SetVisible(bool v) override { visible = v; }
};

struct FakeAnimation : AnimationPlayer {
  std::vector<std::string> calls;
  void SetFileName(const std::filesystem::path& path) override {
    calls.push_back("file " + path.filename().string());
  }
  void Play() override { calls.push_back("play"); }
  void Stop() override { calls.push_back("stop"); }
  void ShowFrame(int32_t n) override { calls.push_back("frame " + std::to_string(n)); }
  void ShowStoppedFrame(int32_t n) override { calls.push_back("stopped " + std::to_string(n)); }
  void Repaint() override { calls.push_back("repaint"); }
};

struct FakeVideos : VideoWindows {
  int intros = 0, credits = 0;
  void ShowIntro() override { ++intros; }
  void ShowCredits() override { ++credits; }
};

struct FakeGame : GameRunner {
  std::vector<LaunchSettings> games;
  // What was open while the game ran.
  bool soundWasOpen = false, interfaceWasOpen = false, launchpadWasVisible = false;
  std::string fail;  // when set, the game cannot start
  const SilentSoundDevice* sound = nullptr;
  const FakeDisplay* display = nullptr;
  void RunGame(const LaunchSettings& settings) override {
    soundWasOpen = sound->IsOpen();
    interfaceWasOpen = display->interface;
    launchpadWasVisible = display->visible;
    if (!fail.empty()) throw std::runtime_error(fail);
    games.push_back(settings);
  }
};

// Writes a menu sound list of four short items.
inline void WriteMenuSounds(const std::filesystem::path& file) {
  std::vector<WaveItemData> items(4);
  for (size_t i = 0; i < items.size(); ++i) {
    std::vector<int16_t> samples(220, static_cast<int16_t>(1000 * (i + 1)));
    items[i].name = "item" + std::to_string(i);
    items[i].wave = Wave::FromPcm16(22050, 1, samples);
  }
  WriteSoundListFile(file.string(), items);
}

class LaunchpadRig {
 public:
  explicit LaunchpadRig(bool withMenuSounds = true) {
    if (withMenuSounds) WriteMenuSounds(dir / "menu.dxw");
    game.sound = &sound;
    game.display = &display;
  }

  // Makes the launch pad and runs its create step; FormShow as asked.
  Tlaunchpad& Create(bool show = true) {
    LaunchpadServices s;
    s.display = &display;
    s.sound = &sound;
    s.animation = &animation;
    s.videos = &videos;
    s.game = &game;
    s.dataDir = dir.path();
    s.settingsFile = settingsFile;
    s.noSettingsFolder = noSettingsFolder;
    s.noDataFolder = noDataFolder;
    s.messageBox = [this](const std::string& title, const std::string& text) {
      boxes.push_back(Cp1251ToUtf8(title) + ": " + Cp1251ToUtf8(text));
    };
    lp = std::make_unique<Tlaunchpad>(std::move(s));
    lp->FormCreate();
    if (show) lp->FormShow();
    return *lp;
  }

  std::filesystem::path SettingsFile() const { return dir / "config/settings.reg"; }

  // Menu items played since the last ClearSounds (while the device is open).
  std::vector<int> Played() {
    // Copied first: looking up an item's buffer may make it, which is logged.
    const std::vector<SilentSoundDevice::Event> events = sound.Events();
    std::vector<int> out;
    for (const auto& e : events) {
      if (e.kind != SilentSoundDevice::Event::kPlay) continue;
      for (int32_t i = 0; i < lp->DXSong.Items.Count(); ++i)
        if (lp->DXSong.Items[i].Buffer() == sound.Origin(e.id)) out.push_back(i);
    }
    return out;
  }
  bool Stopped(int item) {
    const SoundBufferId own = lp->DXSong.Items[item].Buffer();
    for (const auto& e : sound.Events())
      if (e.kind == SilentSoundDevice::Event::kStop && e.id == own) return true;
    return false;
  }
  void ClearSounds() { sound.ClearEvents(); }

  // A whole pointer press on a control of the open panel.
  void Click(const std::string& name, int32_t part = -1) {
    widgets::Control* c = lp->Find(name);
    widgets::Panel* p = lp->OpenPanel();
    p->PointerDown(*c, part);
    p->PointerUp(*c, true, part);
  }
  // A click on the menu picture at a picture point.
  void ClickPicture(int32_t px, int32_t py) {
    const HotPoint off = lp->HotImage1.PictureOffset();
    const int32_t x = lp->mainmenu.left + Tlaunchpad::kHotImageLeft + off.x + px;
    const int32_t y = lp->mainmenu.top + Tlaunchpad::kHotImageTop + off.y + py;
    lp->PointerMove(x, y);
    lp->PointerDown(x, y);
    lp->PointerUp(x, y);
  }

  TempDir dir;
  // What the launch pad is given: the settings file, or none and why.
  std::filesystem::path settingsFile = SettingsFile();
  std::string noSettingsFolder, noDataFolder;
  FakeDisplay display;
  SilentSoundDevice sound;
  FakeAnimation animation;
  FakeVideos videos;
  FakeGame game;
  std::vector<std::string> boxes;
  std::unique_ptr<Tlaunchpad> lp;
};

}  // namespace quendrix::testing
