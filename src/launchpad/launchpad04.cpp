#include "launchpad/launchpad04.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <system_error>
#include <tuple>

#include "core/cp1251.h"
#include "media/list_file.h"
#include "media/media_error.h"
#include "widgets/hot_image_menu.h"

namespace quendrix {

using widgets::Button;
using widgets::CheckBox;
using widgets::Control;
using widgets::DropDown;
using widgets::Edit;
using widgets::Label;
using widgets::Panel;
using widgets::Picture;
using widgets::RadioButton;
using widgets::TabBox;

namespace {

// Captions are written here in UTF-8 for reading and kept in cp1251, as the
// game keeps every text. Trailing blanks are part of the stored captions.
// They are the catalogue's keys: the view shows their translation.
std::string Cp(const char* utf8) {
  return Utf8ToCp1251(utf8);
}

// The names a new player starts with, in the run's language (a stored name
// is the player's own and never translated).
constexpr const char* kDefaultNames[4] = {TrNoop("Игрок  1"), TrNoop("Игрок  2"),
                                          TrNoop("Игрок  3"), TrNoop("Игрок  4")};
// The skin list's entry 0 as the catalogue knows it: shown translated,
// stored as it stands.
[[maybe_unused]] constexpr const char* kDefaultSkinWords = TrNoop("[обычный интерфейс]");

// The captions of the computer players' choice on each player's tab, in the
// catalogues before the control that shows them (they are wrapped in Cp
// there and this list goes).
[[maybe_unused]] constexpr const char* kComputerPlayerWords[] = {
    TrNoop("Игрок"), TrNoop("Человек"), TrNoop("Новичок"), TrNoop("Любитель"), TrNoop("Мастер")};

std::vector<std::string> ComputerItems() {
  std::vector<std::string> out;
  for (const char* text : kComputerItems) out.push_back(Cp(text));
  return out;
}

constexpr const char* kLoopAnimation = "interface_loop.flc";
constexpr const char* kTransitionAnimation = "interface.flc";
constexpr const char* kMenuSounds = "menu.dxw";
constexpr const char* kGuiList = "gui.dxg";
constexpr const char* kTexturesFolder = "textures";

// An error's text for the error box (cp1251). Registry messages are cp1251
// already, with the file and the system's reason apart; the rest are ASCII
// with UTF-8 file names.
std::string ErrorText(const std::exception& e) {
  if (const auto* registry = dynamic_cast<const RegistryError*>(&e))
    return WithReason(e.what(), registry->detail());
  return Utf8ToCp1251(e.what());
}

bool EndsWithBmp(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bmp";
}

// "textures\*.bmp" in byte order of the names, as the platform's search
// returns them.
std::vector<std::string> ListTextures(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (EndsWithBmp(name)) names.push_back(Utf8ToCp1251(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> Rgb24(const Bitmap& bitmap) {
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height()) * 3);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const TColor* row = bitmap.Row(y);
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      rgb.push_back(static_cast<uint8_t>(row[x] & 0xFF));
      rgb.push_back(static_cast<uint8_t>((row[x] >> 8) & 0xFF));
      rgb.push_back(static_cast<uint8_t>((row[x] >> 16) & 0xFF));
    }
  }
  return rgb;
}

// The values of the setup panel's controls but the skin box.
auto SetupControls(LaunchSettings& s) {
  return std::tie(s.screen640, s.screen800, s.screen1024, s.fastwrite, s.soundoff, s.soundon,
                  s.bgsounds, s.frameskip, s.skipintro, s.noflip, s.forceinterface);
}

}  // namespace

std::string WithReason(std::string text, const std::string& reason) {
  if (!reason.empty()) text += "\n" + Utf8ToCp1251(reason);
  return text;
}

std::string DisplayErrorText(const std::string& reason) {
  return WithReason(kDisplayErrorText, reason);
}

PanelPlace PanelPlacement(int32_t screenWidth, int32_t screenHeight) {
  // C++ division truncates towards zero, as the placement rule asks.
  return {(screenWidth - Tlaunchpad::kDesignWidth) / 2 + 150,
          (screenHeight - Tlaunchpad::kDesignHeight) / 2 + 177};
}

bool ApplyRulePreset(int32_t gametype, LaunchSettings& s) {
  struct Preset {
    int32_t startplayer, nextplayer, whencollide, scoring;
    bool plus1, minus1;
  };
  // Stroke play, match play, croquet. The stroke limit is no part of any.
  static constexpr Preset kPresets[3] = {
      {0, 0, 0, 0, false, true}, {0, 1, 0, 1, false, true}, {1, 0, 1, 1, true, false}};
  if (gametype < 0 || gametype > 2) return false;
  const Preset& p = kPresets[gametype];
  s.startplayer = p.startplayer;
  s.nextplayer = p.nextplayer;
  s.whencollide = p.whencollide;
  s.scoring = p.scoring;
  s.plus1 = p.plus1;
  s.minus1 = p.minus1;
  return true;
}

Tlaunchpad::Tlaunchpad(LaunchpadServices services)
    : AMReg(services.settingsFile),
      DXSound(services.sound),
      DXSong(&DXSound),
      HotImage1(kMenuControlWidth, kMenuControlHeight, kMenuPictureWidth, kMenuPictureHeight,
                MenuHotSpots()),
      services_(std::move(services)) {
  BuildPanels();
  HotImage1.OnSelectSpot = [this] { HotImage1SelectSpot(); };
  HotImage1.OnClick = [this] { HotImage1Click(); };
}

Tlaunchpad::~Tlaunchpad() {
  DXSound.Finalize();
}

// ---- Panels --------------------------------------------------------------------

void Tlaunchpad::BuildPanels() {
  BuildMenu();
  BuildStart();
  BuildRules();
  BuildSetup();
  BuildQuit();
  BuildWindow();
  // The click of every control that has one, on pressing it.
  for (const char* name :
       {"screen512",     "screen640", "screen800",   "screen1024", "fastwrite", "soundon",
        "soundoff",      "bgsounds",  "skipintro",   "OkButton1",  "lowcolor",  "quitbutton",
        "cancelButton1", "launch",    "FlatButton1", "pullputt",   "pushputt",  "easytarget",
        "showrules",     "rulesok",   "FlatButton4"}) {
    Find(name)->onMouseDown = [this](Control&) { skinMouseDown(); };
  }
}

void Tlaunchpad::BuildMenu() {
  // The menu picture (HotImage1) is drawn by the view at (5, 8); the panel
  // itself holds no control.
}

void Tlaunchpad::BuildStart() {
  Panel& p = start;
  LaunchSettings& s = settings;
  p.AddLabel("Label5", Cp("Игроки "), {6, 4, 60, 14});
  p.AddDropDown("players", {6, 18, 96, 19}, s.players,
                {Cp("1 Игрок "), Cp("2 Игрока"), Cp("3 Игрока"), Cp("4 Игрока")}, 4);
  p.AddLabel("Label6", Cp("Игра"), {108, 4, 60, 14});
  p.AddDropDown("gametype", {108, 18, 122, 19}, s.gametype,
                {Cp("По ударам"), Cp("По лункам"), Cp("Как в крокете")}, 3)
      .onChange = [this](Control&) { gametypeChange(); };
  p.AddLabel("courselabel", Cp("Корт  "), {236, 4, 60, 14});
  p.AddDropDown("course", {236, 18, 139, 19}, s.course, {Cp("Земной Корт "), Cp("Космо Корт  ")},
                2);

  TabBox& tab =
      p.AddTabBox("playerinfo", {4, 44, 266, 93}, playerTab_, {Cp("Игрок  1"), "2", "3", "4"});
  tab.onChange = [this](Control&) { playerinfoTabChanged(); };
  tab.AddLabel("Label8", Cp("Имя"), {8, 29, 30, 14});
  tab.AddEdit("name", {38, 26, 132, 20}, name_, widgets::kPlayerNameLength).onChange =
      [this](Control&) { nameChange(); };
  // The mirrors follow these three on the mouse release. A press from the
  // keys or a pad (Space, the arrows on the radios, pad A) fires the same
  // release, so a choice made without a mouse reaches them too.
  auto keep = [this](Control&) { easytargetMouseUp(); };
  tab.AddRadioButton("pullputt", Cp("Пул     "), {8, 52, 70, 16}, 0, s.pullputt).onMouseUp = keep;
  tab.AddRadioButton("pushputt", Cp("Пуш     "), {84, 52, 70, 16}, 0, s.pushputt).onMouseUp = keep;
  tab.AddCheckBox("easytarget", Cp("Прицеливание  "), {8, 71, 112, 16}, easytarget_).onMouseUp =
      keep;
  // Who plays this player: a person or the computer at one of three
  // strengths. Its mirror follows every change, from the mouse or the keys.
  tab.AddLabel("computerlabel", Cp(kComputerCaption), {122, 71, 38, 14});
  tab.AddDropDown("computer", {160, 68, 100, 19}, computer_, ComputerItems(), 4).onChange =
      [this](Control&) { computerChange(); };
  tab.AddPicture("balltexture", {178, 25, 32, 32}, true);
  tab.AddButton("tex_inc", Cp("Цвет"), {214, 30, 46, 22}).onClick = [this](Control&) {
    tex_incClick();
  };

  p.AddButton("showrules", Cp("Настроить игру"), {278, 44, 97, 24}).onClick = [this](Control&) {
    showrulesClick();
  };
  p.AddButton("launch", Cp("Играть    "), {278, 83, 97, 24}).onClick = [this](Control&) {
    launchClick();
  };
  p.AddButton("FlatButton1", Cp("Отмена"), {278, 111, 97, 24}).onClick = [this](Control&) {
    cancelButton1Click();
  };
}

void Tlaunchpad::BuildRules() {
  Panel& p = rules;
  LaunchSettings& s = settings;
  p.AddLabel("Label9", Cp("Кто начинает лунку"), {6, 4, 170, 14});
  p.AddDropDown("startplayer", {6, 18, 178, 19}, s.startplayer,
                {Cp("Последний в лунке         "), Cp("Первый в лунке         "), Cp("Жребий")}, 3);
  p.AddLabel("Label10", Cp("Следующий бьет"), {192, 4, 170, 14});
  p.AddDropDown("nextplayer", {192, 18, 183, 19}, s.nextplayer,
                {Cp("По очереди"), Cp("Дальнейший от лунки")}, 2);
  p.AddLabel("Label11", Cp("Удар в мяч"), {6, 43, 110, 14});
  p.AddDropDown("whencollide", {6, 57, 118, 19}, s.whencollide, {Cp("Нет"), Cp("При касании")}, 2);
  // The caption's leading blanks put it over its box.
  p.AddLabel("Label12", Cp("      Подсчет"), {124, 43, 120, 14});
  p.AddDropDown("scoring", {132, 57, 130, 19}, s.scoring, {Cp("Меньший счет"), Cp("Больше лунок")},
                2);
  p.AddLabel("Label13", Cp("Макс ударов"), {270, 43, 100, 14});
  p.AddDropDown("strokelimit", {270, 57, 105, 19}, s.strokelimit, {"9", "8", "7", "6"}, 4);
  p.AddCheckBox("plus1", Cp("Доп. удар за столкновение (всего1)"), {6, 86, 250, 16}, s.plus1);
  p.AddCheckBox("minus1", Cp("Пенальти за водоем"), {6, 105, 200, 16}, s.minus1);
  p.AddButton("FlatButton4", Cp("Обычные "), {210, 111, 80, 24}).onClick = [this](Control&) {
    gametypeChange();
  };
  p.AddButton("rulesok", Cp("Ок"), {295, 111, 80, 24}).onClick = [this](Control&) {
    rulesokClick();
  };
}

void Tlaunchpad::BuildSetup() {
  Panel& p = setup;
  LaunchSettings& s = settings;
  TabBox& res = p.AddTabBox("resbox", {4, 4, 122, 86}, {Cp("Разрешение")});
  res.AddRadioButton("screen640", "640x480x16", {8, 22, 108, 15}, 0, s.screen640);
  res.AddRadioButton("screen800", "800x600x16", {8, 37, 108, 15}, 0, s.screen800);
  res.AddRadioButton("screen1024", "1024x768x16", {8, 52, 108, 15}, 0, s.screen1024);
  res.AddCheckBox("fastwrite", Cp("Быстрая запись   "), {8, 67, 112, 15}, s.fastwrite);
  TabBox& sound = p.AddTabBox("soundbox", {130, 4, 110, 86}, {Cp("Звук ")});
  sound.AddRadioButton("soundoff", Cp("Вык"), {8, 22, 80, 15}, 0, s.soundoff);
  sound.AddRadioButton("soundon", Cp("Вк"), {8, 37, 80, 15}, 0, s.soundon);
  sound.AddCheckBox("bgsounds", Cp("Фоновый звук    "), {8, 67, 100, 15}, s.bgsounds).onClick =
      [this](Control&) { bgsoundsClick(); };

  p.AddLabel("Label2", Cp("Фреймы"), {246, 3, 60, 14});
  p.AddDropDown("frameskip", {246, 17, 129, 19}, s.frameskip,
                {Cp("60ф/с"), Cp("30ф/с"), Cp("15ф/с"), Cp("нет ")}, 4);
  p.AddLabel("Label3", Cp("Интерфейс"), {246, 39, 80, 14});
  p.AddDropDown("skin", {246, 53, 129, 19}, skinIndex_, {std::string(kDefaultSkinEntry)}, 6)
      .onChange = [this](Control& c) {
    const auto& box = static_cast<DropDown&>(c);
    settings.skin = std::string(box.Text());
  };
  p.AddCheckBox("skipintro", Cp("Пропуск интро    "), {246, 75, 129, 15}, s.skipintro);
  p.AddCheckBox("noflip", Cp("Не вращать интерфейс"), {6, 92, 190, 15}, s.noflip);
  p.AddCheckBox("forceinterface", Cp("Полноэкранный интерфейс   *"), {6, 107, 200, 15},
                s.forceinterface);
  p.AddLabel("Label14", Cp("*Старые видеокарты могут не работать"), {8, 124, 240, 14});
  p.AddButton("OkButton1", Cp("Ок"), {295, 111, 80, 24}).onClick = [this](Control&) {
    OkButton1Click();
  };
}

void Tlaunchpad::BuildQuit() {
  Panel& p = quit;
  p.AddLabel("Label1", Cp("Вы уверены?  "), {0, 40, 379, 14}).align = widgets::TextAlign::kCenter;
  p.AddButton("quitbutton", Cp("Уйти"), {92, 80, 90, 26}).onClick = [this](Control&) {
    quitbuttonClick();
  };
  p.AddButton("cancelButton1", Cp("Отмена"), {197, 80, 90, 26}).onClick = [this](Control&) {
    cancelButton1Click();
  };
}

void Tlaunchpad::BuildWindow() {
  widgets::Container& w = window;
  LaunchSettings& s = settings;
  auto hide = [](Control& c, bool disable = false) {
    c.visible = false;
    if (disable) c.enabled = false;
  };
  // On the window, not in the resolution box: of the same group number, yet
  // it never unchecks the three there.
  hide(w.AddRadioButton("screen512", "512x384x16", {0, 0, 90, 16}, 0, s.screen512), true);
  hide(w.AddCheckBox("lowcolor", "8-bit tester", {0, 0, 90, 16}, lowcolor_), true);
  hide(w.AddCheckBox("lmcollide", "lmcollide", {0, 0, 90, 16}, lmcollide_), true);
  hide(w.AddCheckBox("easypipes", "easypipes", {0, 0, 90, 16}, easypipes_), true);
  hide(w.AddCheckBox("training", "training", {0, 0, 90, 16}, s.training));
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<size_t>(n - 1);
    const std::string k = std::to_string(n);
    hide(w.AddEdit("player" + k, {0, 0, 90, 20}, s.player[i], widgets::kPlayerNameLength));
    hide(w.AddCheckBox("pull" + k, "pull" + k, {0, 0, 90, 16}, s.pull[i]));
    hide(w.AddCheckBox("easy" + k, "easy" + k, {0, 0, 90, 16}, s.easy[i]));
    hide(w.AddPicture("Image" + k, {20 * (n - 1), 0, 16, 16}, false));
  }
  hide(w.AddLabel("Label4", "1.        2.        3.        4.", {0, 0, 90, 14}));
  copywrite = &w.AddLabel("copywrite", "Quendrix v1.0jc Demo  \xA9 Tarn Works", {0, 0, 0, 14});
  copywrite->align = widgets::TextAlign::kRight;
  // After every older control, as their values are stored after the older ones.
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<size_t>(n - 1);
    hide(w.AddDropDown("computer" + std::to_string(n), {0, 0, 90, 19}, s.computer[i],
                       ComputerItems(), 4));
  }
}

Control* Tlaunchpad::Find(std::string_view name) const {
  for (const widgets::Container* c : std::initializer_list<const widgets::Container*>{
           &mainmenu, &start, &rules, &setup, &quit, &window}) {
    if (Control* found = c->Find(name)) return found;
  }
  return nullptr;
}

void Tlaunchpad::NoSuchControl(std::string_view name, bool ofAnotherKind) {
  throw std::logic_error(
      "launch pad: " + std::string(ofAnotherKind ? "the control '" : "no control '") +
      std::string(name) + (ofAnotherKind ? "' is of another kind" : "'"));
}

Panel* Tlaunchpad::OpenPanel() {
  for (Panel* p : Panels())
    if (p->Visible()) return p;
  return nullptr;
}

// ---- Sounds and reports ----------------------------------------------------------

TWaveCollectionItem* Tlaunchpad::Song(int32_t index) {
  if (index < 0 || index >= DXSong.Items.Count()) return nullptr;
  return &DXSong.Items[index];
}

void Tlaunchpad::PlaySong(int32_t index) {
  if (TWaveCollectionItem* item = Song(index)) item->PlaySound();
}

void Tlaunchpad::Report(const std::string& title, const std::string& text) {
  if (services_.messageBox) {
    services_.messageBox(title, text);
  } else {
    std::fprintf(stderr, "%s: %s\n", Cp1251ToUtf8(title).c_str(), Cp1251ToUtf8(text).c_str());
  }
}

void Tlaunchpad::ReportError(const std::string& text) {
  Report("Quendrix", text);
}

// ---- Life cycle ------------------------------------------------------------------

void Tlaunchpad::PlaceWindow() {
  width_ = services_.display->ScreenWidth();
  height_ = services_.display->ScreenHeight();
  copywrite->bounds = {0, height_ - copywrite->bounds.height, width_, copywrite->bounds.height};
}

void Tlaunchpad::PlacePanel(Panel& panel) const {
  const PanelPlace at = PanelPlacement(width_, height_);
  panel.left = at.left;
  panel.top = at.top;
}

void Tlaunchpad::FormCreate() {
  PlaceWindow();
  // A missing or damaged sound list costs the launch pad its sounds, never
  // the stored settings: the reading below must run, or the next setup OK
  // or launch would write the defaults over them.
  try {
    DXSong.LoadListFile((services_.dataDir / kMenuSounds).string());
    for (int32_t i : {kClick, kTick})
      if (TWaveCollectionItem* item = Song(i)) item->SetSoundVolume(kClickVolume);
  } catch (const std::exception& e) {
    DXSong.Clear();
    ReportError(ErrorText(e));
  }

  ReportStorage();

  SettingsReadResult read;
  try {
    LaunchSettingsLoad load = LoadLaunchSettings(AMReg, services_.dataDir, settings);
    read = std::move(load.read);
    read.error = WithReason(read.error, read.detail);
    skins_ = std::move(load.skins);
  } catch (const std::exception& e) {
    AMReg.SetActive(false);
    skins_ = BuildSkinList(services_.dataDir / "skins", "");
    read.error = ErrorText(e);
  }
  // A new player's name in the run's language; nothing stored is renamed.
  if (read.firstRun && CurrentLanguage() != Language::kRussian) {
    const LaunchSettings defaults;
    for (size_t i = 0; i < settings.player.size(); ++i)
      if (settings.player[i] == defaults.player[i])
        settings.player[i] = Utf8ToCp1251(Tr(kDefaultNames[i]));
  }
  DropDown& skin = Get<DropDown>("skin");
  skin.items = skins_.items;
  skinIndex_ = skins_.selected;
  settings.skin = std::string(skin.Text());
  if (!read.error.empty()) ReportError(read.error);
  StartTextureSearch();
}

void Tlaunchpad::ReportStorage() {
  // Told once, at start: the game plays on, keeping nothing.
  std::string text;
  if (!services_.noSettingsFolder.empty())
    text =
        WithReason(TrNoop("Settings cannot be kept after this run:"), services_.noSettingsFolder);
  if (!services_.noDataFolder.empty())
    text += (text.empty() ? "" : "\n") +
            WithReason(TrNoop("Replays and screenshots cannot be saved:"), services_.noDataFolder);
  if (!text.empty()) ReportError(text);
}

void Tlaunchpad::HideSetupQuitStart() {
  setup.Hide();
  quit.Hide();
  start.Hide();
}

void Tlaunchpad::FormShow() {
  PlaceWindow();
  services_.display->ShowCursor();
  if (settings.forceinterface) {
    std::string reason;
    if (!services_.display->OpenInterface(reason)) {
      Report(kDisplayErrorTitle, DisplayErrorText(reason));
      terminated_ = true;
      exitStatus_ = 1;
      return;
    }
    interfaceOpen_ = true;
    // The window follows the screen into its new mode.
    PlaceWindow();
  }
  visible_ = true;
  services_.display->SetVisible(true);
  HideSetupQuitStart();
  if (AnimationPlayer* a = services_.animation) {
    a->Repaint();
    a->SetFileName(services_.dataDir / kLoopAnimation);
    a->Play();
  }
  if (!introShown) {
    if (!settings.skipintro && services_.videos != nullptr) services_.videos->ShowIntro();
    introShown = true;
  }
  if (!soundOpen_ && services_.sound != nullptr) {
    try {
      DXSound.Initialize();
      soundOpen_ = true;
    } catch (const std::exception& e) {
      // No audio device: the launch pad goes on without its sounds.
      std::fprintf(stderr, "quendrix: launch pad without sound (%s)\n", e.what());
    }
  }
  ShowMainMenu();
  HideSetupQuitStart();
  if (TWaveCollectionItem* music = Song(kMusic)) {
    music->SetLooped(true);
    if (settings.soundon && settings.bgsounds) music->PlaySound();
  }
}

void Tlaunchpad::ShowMainMenu() {
  PlacePanel(mainmenu);
  mainmenu.Show();
  // The selection starts from the spot under the pointer, none elsewhere.
  HotImage1.PointerLeave();
  if (pointerKnown_)
    HotImage1.PointerMove(
        {pointerX_ - mainmenu.left - kHotImageLeft, pointerY_ - mainmenu.top - kHotImageTop});
}

// ---- Handlers --------------------------------------------------------------------

void Tlaunchpad::ChangePanel(std::initializer_list<Panel*> leave,
                             const std::function<void()>& enter) {
  for (Panel* p : leave) p->Hide();
  PlayInterfaceTransition();
  if (enter) enter();
}

void Tlaunchpad::PlayInterfaceTransition() {
  if (settings.noflip) return;
  if (settings.soundon) PlaySong(kTransitionSound);
  AnimationPlayer* a = services_.animation;
  if (a == nullptr) return;
  a->Repaint();
  a->Stop();
  a->SetFileName(services_.dataDir / kTransitionAnimation);
  a->Play();
  for (int32_t n = 1; n <= kTransitionFrames; ++n) a->ShowFrame(n);
  a->Stop();
  a->ShowStoppedFrame(1);
  a->SetFileName(services_.dataDir / kLoopAnimation);
  a->Play();
}

void Tlaunchpad::HotImage1SelectSpot() {
  if (HotImage1.Spot() >= 0 && settings.soundon) PlaySong(kClick);
}

void Tlaunchpad::skinMouseDown() {
  if (settings.soundon) PlaySong(kClick);
}

void Tlaunchpad::HotImage1Click() {
  if (HotImage1.Spot() < 0) return;
  OpenMenuChoice(HotImage1.Spot());
}

void Tlaunchpad::OpenMenuChoice(int32_t spot) {
  mainmenu.Hide();
  PlayInterfaceTransition();
  Label& courselabel = Get<Label>("courselabel");
  DropDown& course = Get<DropDown>("course");
  Button& launch = Get<Button>("launch");
  switch (spot) {
    case kSpotPlay:
      PlacePanel(start);
      start.Show();
      playerinfoTabChanged();
      settings.training = false;
      launch.caption = Cp("Играть    ");
      courselabel.visible = true;
      course.visible = true;
      break;
    case kSpotTraining:
      PlacePanel(start);
      playerinfoTabChanged();
      start.Show();
      settings.training = true;
      courselabel.visible = false;
      course.visible = false;
      launch.caption = Cp("Тренировка    ");
      break;
    case kSpotSetup:
      PlacePanel(setup);
      setup.Show();
      setupOpened_ = settings;
      setupSkinOpened_ = skinIndex_;
      break;
    case kSpotQuit:
      PlacePanel(quit);
      quit.Show();
      break;
    default:
      break;
  }
}

void Tlaunchpad::bgsoundsClick() {
  TWaveCollectionItem* music = Song(kMusic);
  if (music == nullptr) return;
  if (!settings.bgsounds) {
    music->StopSound();
  } else if (settings.soundon) {
    music->PlaySound();
  }
}

void Tlaunchpad::cancelButton1Click() {
  ChangePanel({&setup, &quit, &start}, [this] { ShowMainMenu(); });
}

void Tlaunchpad::OkButton1Click() {
  try {
    WriteAllSettings(AMReg, settings);
  } catch (const std::exception& e) {
    // Nothing was saved: the panel stays, so the player can try again.
    AMReg.SetActive(false);
    ReportError(ErrorText(e));
    return;
  }
  ChangePanel({&setup, &quit, &start}, [this] { ShowMainMenu(); });
}

void Tlaunchpad::showrulesClick() {
  ChangePanel({&start}, [this] {
    PlacePanel(rules);
    rules.Show();
  });
}

void Tlaunchpad::rulesokClick() {
  ChangePanel({&rules}, [this] { start.Show(); });
}

void Tlaunchpad::quitbuttonClick() {
  DXSound.Finalize();
  soundOpen_ = false;
  if (!settings.skipintro && services_.videos != nullptr) services_.videos->ShowCredits();
  terminated_ = true;
}

void Tlaunchpad::launchClick() {
  if (settings.soundon) PlaySong(kClick);
  try {
    WriteAllSettings(AMReg, settings);
  } catch (const std::exception& e) {
    // The game still runs on the settings as they stand; only keeping them
    // for the next start failed.
    AMReg.SetActive(false);
    ReportError(ErrorText(e));
  }
  HideSetupQuitStart();
  DXSound.Finalize();
  soundOpen_ = false;
  if (interfaceOpen_) {
    services_.display->CloseInterface();
    interfaceOpen_ = false;
  }
  if (services_.animation != nullptr) services_.animation->Stop();
  visible_ = false;
  services_.display->SetVisible(false);
  if (services_.game != nullptr) {
    try {
      services_.game->RunGame(settings);
    } catch (const std::exception& e) {
      // A game that cannot start comes back to a usable launch pad.
      ReportError(ErrorText(e));
    }
  }
  FormShow();
}

void Tlaunchpad::RestoreSetup() {
  const bool musicWas = settings.bgsounds;
  SetupControls(settings) = SetupControls(setupOpened_);
  skinIndex_ = setupSkinOpened_;
  settings.skin = std::string(Get<DropDown>("skin").Text());
  // The music follows its box back, as a click on it would have.
  if (settings.bgsounds != musicWas) bgsoundsClick();
}

void Tlaunchpad::gametypeChange() {
  ApplyRulePreset(settings.gametype, settings);
}

// ---- Players ---------------------------------------------------------------------

void Tlaunchpad::playerinfoTabChanged() {
  const auto t = static_cast<size_t>(ShownPlayer() - 1);
  Get<Edit>("name").SetText(settings.player[t]);
  Get<RadioButton>("pullputt").SetChecked(settings.pull[t]);
  Get<RadioButton>("pushputt").SetChecked(!settings.pull[t]);
  easytarget_ = settings.easy[t];
  computer_ = settings.computer[t];
  LoadBuiltInTextures();
  ShowPicture(Get<Picture>("balltexture"), playerTextures_[t]);
}

void Tlaunchpad::nameChange() {
  settings.player[static_cast<size_t>(ShownPlayer() - 1)] = name_;
}

void Tlaunchpad::easytargetMouseUp() {
  const auto t = static_cast<size_t>(ShownPlayer() - 1);
  if (settings.pushputt) settings.pull[t] = false;
  if (settings.pullputt) settings.pull[t] = true;
  settings.easy[t] = easytarget_;
}

void Tlaunchpad::computerChange() {
  settings.computer[static_cast<size_t>(ShownPlayer() - 1)] = computer_;
}

void Tlaunchpad::StartTextureSearch() {
  textureFiles_ = services_.findTextures ? services_.findTextures()
                                         : ListTextures(services_.dataDir / kTexturesFolder);
  textureAt_ = textureFiles_.empty() ? -1 : 0;
}

bool Tlaunchpad::NextTexture() {
  if (textureAt_ >= 0 && textureAt_ + 1 < static_cast<int32_t>(textureFiles_.size())) {
    ++textureAt_;
    return true;
  }
  StartTextureSearch();
  return textureAt_ >= 0;
}

void Tlaunchpad::tex_incClick() {
  if (settings.soundon) PlaySong(kClick);
  const std::filesystem::path folder = services_.dataDir / kTexturesFolder;
  if (!NextTexture()) {
    ReportError(
        Utf8ToCp1251(std::string(TrNoop("No ball textures (*.bmp) in")) + " " + folder.string()));
    return;
  }
  const std::string name = textureFiles_[static_cast<size_t>(textureAt_)];
  Bitmap picture;
  try {
    picture = LoadBmpFile((folder / Cp1251ToUtf8(name)).string());
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
    return;
  }
  const auto t = static_cast<size_t>(ShownPlayer() - 1);
  LoadBuiltInTextures();
  playerTextures_[t] = picture;
  settings.texture[t] = name;
  ShowPicture(Get<Picture>("balltexture"), picture);
  ShowPicture(Get<Picture>("Image" + std::to_string(t + 1)), picture);
}

void Tlaunchpad::ShowPicture(Picture& picture, const Bitmap& bitmap) {
  const std::vector<uint8_t> rgb = Rgb24(bitmap);
  picture.SetImage(bitmap.Width(), bitmap.Height(), rgb);
}

void Tlaunchpad::LoadBuiltInTextures() {
  // The four pictures the play screen's gui.dxg starts the players with;
  // read when first shown, so that start-up does not wait for them.
  if (builtInLoaded_) return;
  builtInLoaded_ = true;
  std::vector<PictureItemData> items;
  try {
    LoadImageListFile((services_.dataDir / kGuiList).string(), items);
  } catch (const std::exception&) {
    // No list: the players show no texture here, and the play screen
    // reports the missing list when a game starts.
  }
  for (int32_t i = 0; i < 4; ++i) {
    const auto index = static_cast<size_t>(BallTextureImage(i + 1));
    if (index < items.size() && settings.texture[static_cast<size_t>(i)].empty())
      playerTextures_[static_cast<size_t>(i)] = items[index].picture;
    ShowPicture(Get<Picture>("Image" + std::to_string(i + 1)),
                playerTextures_[static_cast<size_t>(i)]);
  }
}

const Bitmap& Tlaunchpad::PlayerTexture(int32_t player) const {
  return playerTextures_.at(static_cast<size_t>(player - 1));
}

// ---- Input -----------------------------------------------------------------------

void Tlaunchpad::PointerMove(int32_t x, int32_t y) {
  pointerKnown_ = true;
  pointerX_ = x;
  pointerY_ = y;
  if (mainmenu.Visible())
    HotImage1.PointerMove({x - mainmenu.left - kHotImageLeft, y - mainmenu.top - kHotImageTop});
}

void Tlaunchpad::PointerDown(int32_t x, int32_t y) {
  PointerMove(x, y);
  if (mainmenu.Visible())
    HotImage1.PointerDown({x - mainmenu.left - kHotImageLeft, y - mainmenu.top - kHotImageTop});
}

void Tlaunchpad::PointerUp(int32_t x, int32_t y) {
  PointerMove(x, y);
  if (mainmenu.Visible())
    HotImage1.PointerUp({x - mainmenu.left - kHotImageLeft, y - mainmenu.top - kHotImageTop});
}

Panel* Tlaunchpad::KeyPanel() {
  Panel* open = OpenPanel();
  return open == &mainmenu ? nullptr : open;
}

bool Tlaunchpad::EnterPressesMainButton() {
  Panel* p = KeyPanel();
  if (p == nullptr || p->Typing() != nullptr || p->OpenList() != nullptr) return false;
  const Control* focus = p->Focus();
  return focus == nullptr || focus->Kind() != widgets::ControlKind::kButton;
}

void Tlaunchpad::PressMainButton() {
  Panel* p = KeyPanel();
  const char* name = p == &start   ? "launch"
                     : p == &setup ? "OkButton1"
                     : p == &rules ? "rulesok"
                     : p == &quit  ? "quitbutton"
                                   : nullptr;
  if (name != nullptr) p->Press(*Find(name));
}

void Tlaunchpad::MenuAction(widgets::MenuAction action) {
  using widgets::MenuAction;
  if (mainmenu.Visible()) {
    switch (action) {
      case MenuAction::kDown:
        HotImage1.SelectNext();
        break;
      case MenuAction::kUp:
        HotImage1.SelectPrevious();
        break;
      case MenuAction::kSelect:
        HotImage1.Choose();
        break;
      case MenuAction::kBack:
        OpenMenuChoice(kSpotQuit);
        break;
      default:
        break;
    }
    return;
  }
  Panel* p = KeyPanel();
  if (p == nullptr) return;
  // Select comes back unused only from Space or a pad's Start with nothing
  // focused: Space presses the focused control and nothing else, so it
  // never launches or quits by itself. Enter (and pad A) reach the main
  // button through PressMainButton.
  if (action == MenuAction::kBack) {
    if (p == &setup) {
      // Back to the menu as Cancel would go, keeping nothing: the controls
      // are the settings, so they go back to how the panel found them.
      RestoreSetup();
      cancelButton1Click();
    } else {
      const char* name = p == &start ? "FlatButton1" : p == &quit ? "cancelButton1" : "rulesok";
      p->Press(*Find(name));
    }
  }
}

}  // namespace quendrix
