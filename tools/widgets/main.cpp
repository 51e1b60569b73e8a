// quendrix-widgets: every kind of launch-pad control on panels like the
// launch pad's, with its Russian captions, bound to one LaunchSettings as
// the launch pad binds them, the hot-spot menu picture on its panel, over
// the launch pad's looping background animation, with its panel change.
// Mouse, keys and game pads work as they will there. A developer tool for
// looking at the flat style and the launch pad's artwork.
//
//   quendrix-widgets [--canvas WxH] [--window WxH] [--page N] [--frames N] [--outlines]
//
// The canvas (640 x 480 unless given) goes onto the window through the
// game's Screen, scaled as the game scales it. Pages: 0 setup and start,
// 1 rules and quit, 2 the main menu.
//
// PgUp / PgDn (pad X) change the page; Esc or pad B with nothing left to
// close hands the keys to the next panel on the page (so does a click on a
// panel). On the menu the arrows move between the spots and Enter chooses
// one: the panel change plays and the chosen panel's page follows. F5 plays
// the panel change on any page, F6 outlines the menu's spots, F11 or
// Alt+Enter switch full screen, F12 saves the canvas as a PNG in the
// current folder; F10 or closing the window quits.
#include <SDL.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "game/launch_settings.h"
#include "media/image_list.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/screen.h"
#include "widgets/controls.h"
#include "widgets/flic_player.h"
#include "widgets/flic_presenter.h"
#include "widgets/hot_image.h"
#include "widgets/hot_image_menu.h"
#include "widgets/hot_image_view.h"
#include "widgets/widget_view.h"

namespace quendrix::widgets {
namespace {

// Captions are written here in UTF-8 and kept in cp1251, as the game keeps
// every text.
std::string Cp(const char* utf8) {
  return Utf8ToCp1251(utf8);
}

std::vector<std::string> Cps(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* text : utf8) out.push_back(Cp(text));
  return out;
}

// A 16x16 ball texture: a striped ball of hue `hue` (0 ... 5).
std::vector<uint8_t> BallTexture(int hue) {
  static constexpr std::array<std::array<uint8_t, 3>, 6> kColours = {{{214, 62, 52},
                                                                      {58, 112, 196},
                                                                      {236, 186, 48},
                                                                      {64, 160, 92},
                                                                      {150, 84, 184},
                                                                      {236, 236, 228}}};
  const auto& c = kColours[static_cast<size_t>(hue % 6)];
  std::vector<uint8_t> rgb(16 * 16 * 3);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool stripe = ((x + y) / 3) % 2 == 0;
      const double shade = 0.72 + 0.28 * std::cos((x - 5) * 0.18) * std::cos((y - 5) * 0.18);
      for (int k = 0; k < 3; ++k) {
        const double base =
            stripe ? c[static_cast<size_t>(k)] : 250 - c[static_cast<size_t>(k)] / 5;
        rgb[static_cast<size_t>((y * 16 + x) * 3 + k)] = static_cast<uint8_t>(base * shade);
      }
    }
  }
  return rgb;
}

class Gallery {
 public:
  // `dataDir` holds "launchpad.dxg" (ends in "/").
  explicit Gallery(const std::string& dataDir) {
    BuildSetup();
    BuildStart();
    BuildRules();
    BuildQuit();
    BuildMenu(dataDir);
    BuildStatus();
  }

  // The panels of a page, top to bottom; the status bar is on every page.
  std::vector<Panel*> Page(int page) {
    switch (page) {
      case 1:
        return {&rules_, &quit_};
      case 2:
        return {&mainmenu_};
      default:
        return {&setup_, &start_};
    }
  }
  static constexpr int kPages = 3;
  static constexpr int kMenuPage = 2;
  Panel& Status() { return status_; }

  // Places the page's panels on the canvas. The menu sits where the launch
  // pad puts every panel, (150, 177) of the 640 x 480 in the middle; two
  // panels share a page stacked and centred in that area.
  void Place(int page, int32_t canvasW, int32_t canvasH) {
    const int32_t left = (canvasW - 640) / 2, top = (canvasH - 480) / 2;
    int32_t y = top + 40;
    for (Panel* p : Page(page)) {
      p->left = left + (640 - p->width) / 2;
      p->top = y;
      y += p->height + 36;
    }
    if (page == kMenuPage) {
      mainmenu_.left = left + 150;
      mainmenu_.top = top + 177;
    }
    status_.left = left + 10;
    status_.top = top + 480 - status_.height - 10;
  }

  void Note(const std::string& cp1251) { statusLine_ = cp1251; }
  // The status bar: which panel has the keys (or the panel change's frame),
  // and the last event.
  void Update(Panel* keys, int changeFrame) {
    std::string line = changeFrame > 0
                           ? Cp("Смена панели: кадр ") + std::to_string(changeFrame)
                           : Cp("Клавиатура: ") + (keys != nullptr ? keys->Name() : "-");
    if (!statusLine_.empty()) line += "   " + statusLine_;
    event_->caption = line;
  }

  // "Не вращать интерфейс": panels change without the animation.
  bool NoFlip() const { return s_.noflip; }

  // ---- The menu picture ------------------------------------------------
  bool MenuShown() const { return menuView_ != nullptr && mainmenu_.Visible(); }
  SDL_Point MenuAt() const {
    return {mainmenu_.left + kMenuControlLeft, mainmenu_.top + kMenuControlTop};
  }
  // Pointer events, positions in canvas pixels.
  void MenuPointer(const SDL_Event& e) {
    if (!MenuShown()) return;
    if (e.type == SDL_MOUSEMOTION) {
      menu_.PointerMove(HotImageView::ToControl({e.motion.x, e.motion.y}, MenuAt()));
    } else if ((e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) &&
               e.button.button == SDL_BUTTON_LEFT) {
      const HotPoint at = HotImageView::ToControl({e.button.x, e.button.y}, MenuAt());
      if (e.type == SDL_MOUSEBUTTONDOWN)
        menu_.PointerDown(at);
      else
        menu_.PointerUp(at);
    }
  }
  // On showing the menu: the spot under the pointer where it is now (none
  // when it is outside the window), not the one lit when the menu went.
  void MenuSync(bool inWindow, SDL_Point canvas) {
    menu_.PointerLeave();
    if (inWindow) menu_.PointerMove(HotImageView::ToControl(canvas, MenuAt()));
  }
  // The menu's keys, as the launch pad will take them: up and down (left
  // and right too) move between the spots, select chooses.
  void MenuKey(MenuAction action) {
    if (!MenuShown()) return;
    if (action == MenuAction::kUp || action == MenuAction::kLeft) menu_.SelectPrevious();
    if (action == MenuAction::kDown || action == MenuAction::kRight) menu_.SelectNext();
    if (action == MenuAction::kSelect) menu_.Choose();
  }
  // The spot chosen since the last call, or -1.
  int32_t TakeChosen() {
    const int32_t spot = chosen_;
    chosen_ = -1;
    return spot;
  }
  // What a chosen spot opens, as on the launch pad: play and training the
  // start panel (page 0, second panel), setup its panel (page 0, first),
  // quit its question (page 1, second). `keys` gets the panel's index.
  int OpenSpot(int32_t spot, size_t& keys) {
    Note(Cp("HotImage1: выбор ") + SpotName(spot));
    if (spot <= 1) {
      const bool training = spot == 1;
      s_.training = training;
      start_.Find("launch")->caption = Cp(training ? "Тренировка    " : "Играть    ");
      start_.Find("courselabel")->visible = !training;
      start_.Find("course")->visible = !training;
      keys = 1;
      return 0;
    }
    keys = spot == 2 ? 0 : 1;
    return spot == 2 ? 0 : 1;
  }
  void ToggleOutlines() { outlines_ = !outlines_; }
  void SetOutlines(bool on) { outlines_ = on; }
  // Over the panels: the picture with its lit spot, and the outlines.
  void DrawMenu(SDL_Renderer* renderer) {
    if (!MenuShown()) return;
    const SDL_Point at = MenuAt();
    menuView_->Draw(renderer, menu_, at);
    if (outlines_) DrawOutlines(renderer, at);
  }

 private:
  // Every valued control reports its events on the status bar.
  template <typename T>
  T& Watch(T& c) {
    c.onChange = [this](Control& s) { Note(s.Name() + Cp(": изменение")); };
    if (!c.onClick) c.onClick = [this](Control& s) { Note(s.Name() + Cp(": щелчок")); };
    return c;
  }

  void BuildSetup() {
    Panel& p = setup_;
    TabBox& res = p.AddTabBox("resbox", {4, 4, 122, 86}, Cps({"Разрешение"}));
    Watch(res.AddRadioButton("screen640", Cp("640x480x16"), {8, 22, 108, 15}, 0, s_.screen640));
    Watch(res.AddRadioButton("screen800", Cp("800x600x16"), {8, 37, 108, 15}, 0, s_.screen800));
    Watch(res.AddRadioButton("screen1024", Cp("1024x768x16"), {8, 52, 108, 15}, 0, s_.screen1024));
    Watch(res.AddCheckBox("fastwrite", Cp("Быстрая запись   "), {8, 67, 112, 15}, s_.fastwrite));
    // The window's own radio button of the same group: hidden, disabled,
    // and outside the three above, so it never unchecks them.
    RadioButton& r512 =
        window_.AddRadioButton("screen512", Cp("512x384x16"), {0, 0, 90, 16}, 0, s_.screen512);
    r512.visible = r512.enabled = false;
    TabBox& sound = p.AddTabBox("soundbox", {130, 4, 110, 86}, Cps({"Звук "}));
    Watch(sound.AddRadioButton("soundon", Cp("Вк"), {8, 22, 80, 15}, 0, s_.soundon));
    Watch(sound.AddRadioButton("soundoff", Cp("Вык"), {8, 37, 80, 15}, 0, s_.soundoff));
    Watch(sound.AddCheckBox("bgsounds", Cp("Фоновый звук    "), {8, 67, 100, 15}, s_.bgsounds));

    p.AddLabel("Label2", Cp("Фреймы"), {246, 3, 60, 14});
    Watch(p.AddDropDown("frameskip", {246, 17, 129, 19}, s_.frameskip,
                        Cps({"60ф/с", "30ф/с", "15ф/с", "нет "}), 4));
    p.AddLabel("Label3", Cp("Интерфейс"), {246, 39, 80, 14});
    Watch(p.AddDropDown("skin", {246, 53, 129, 19}, skinIndex_,
                        Cps({"[обычный интерфейс]", "classic", "glass", "graphite", "meadow",
                             "night", "ocean", "sunset", "вишня"}),
                        6));
    Watch(p.AddCheckBox("skipintro", Cp("Пропуск интро    "), {246, 75, 129, 15}, s_.skipintro));
    Watch(p.AddCheckBox("noflip", Cp("Не вращать интерфейс"), {6, 92, 190, 15}, s_.noflip));
    Watch(p.AddCheckBox("forceinterface", Cp("Полноэкранный интерфейс   *"), {6, 107, 200, 15},
                        s_.forceinterface));
    p.AddLabel("Label14", Cp("*Старые видеокарты могут не работать"), {8, 124, 240, 14});
    Watch(p.AddButton("OkButton1", Cp("Ок"), {295, 111, 80, 24}));
  }

  void BuildStart() {
    Panel& p = start_;
    p.AddLabel("Label5", Cp("Игроки "), {6, 4, 60, 14});
    Watch(p.AddDropDown("players", {6, 18, 96, 19}, s_.players,
                        Cps({"1 Игрок ", "2 Игрока", "3 Игрока", "4 Игрока"}), 4));
    p.AddLabel("Label6", Cp("Игра"), {108, 4, 60, 14});
    DropDown& gametype = Watch(p.AddDropDown("gametype", {108, 18, 122, 19}, s_.gametype,
                                             Cps({"По ударам", "По лункам", "Как в крокете"}), 3));
    gametype.onChange = [this](Control&) {
      ApplyPreset();
      Note(Cp("gametype: изменение, правила по умолчанию"));
    };
    p.AddLabel("courselabel", Cp("Корт  "), {236, 4, 60, 14});
    Watch(p.AddDropDown("course", {236, 18, 139, 19}, s_.course,
                        Cps({"Земной Корт ", "Космо Корт  "}), 2));

    TabBox& tab =
        p.AddTabBox("playerinfo", {4, 44, 266, 93}, tab_, Cps({"Игрок  1", "2", "3", "4"}));
    tab.onChange = [this](Control&) { ShowPlayer(); };
    tab.AddLabel("Label8", Cp("Имя"), {8, 29, 30, 14});
    Edit& name = tab.AddEdit("name", {38, 26, 132, 20}, name_, kPlayerNameLength);
    name.onChange = [this](Control&) {
      s_.player[static_cast<size_t>(tab_)] = name_;
      Note(Cp("name: изменение"));
    };
    auto keep = [this](Control&) {
      s_.pull[static_cast<size_t>(tab_)] = pullputt_;
      s_.easy[static_cast<size_t>(tab_)] = easytarget_;
    };
    Watch(tab.AddRadioButton("pullputt", Cp("Пул     "), {8, 52, 70, 16}, 0, pullputt_)).onMouseUp =
        keep;
    Watch(tab.AddRadioButton("pushputt", Cp("Пуш     "), {84, 52, 70, 16}, 0, pushputt_))
        .onMouseUp = keep;
    Watch(tab.AddCheckBox("easytarget", Cp("Прицеливание  "), {8, 71, 150, 16}, easytarget_))
        .onMouseUp = keep;
    ball_ = &tab.AddPicture("balltexture", {200, 25, 32, 32}, true);
    Button& colour = Watch(tab.AddButton("tex_inc", Cp("Цвет"), {186, 62, 60, 22}));
    colour.onClick = [this](Control&) {
      hue_[static_cast<size_t>(tab_)] = (hue_[static_cast<size_t>(tab_)] + 1) % 6;
      ShowPlayer();
      Note(Cp("tex_inc: следующий цвет"));
    };

    Watch(p.AddButton("showrules", Cp("Настроить игру"), {278, 44, 97, 24}));
    Watch(p.AddButton("launch", Cp("Играть    "), {278, 83, 97, 24}));
    Watch(p.AddButton("FlatButton1", Cp("Отмена"), {278, 111, 97, 24}));
    ShowPlayer();
  }

  void BuildRules() {
    Panel& p = rules_;
    p.AddLabel("Label9", Cp("Кто начинает лунку"), {6, 4, 170, 14});
    Watch(p.AddDropDown("startplayer", {6, 18, 178, 19}, s_.startplayer,
                        Cps({"Последний в лунке         ", "Первый в лунке         ", "Жребий"}),
                        3));
    p.AddLabel("Label10", Cp("Следующий бьет"), {192, 4, 170, 14});
    Watch(p.AddDropDown("nextplayer", {192, 18, 183, 19}, s_.nextplayer,
                        Cps({"По очереди", "Дальнейший от лунки"}), 2));
    p.AddLabel("Label11", Cp("Удар в мяч"), {6, 43, 110, 14});
    Watch(p.AddDropDown("whencollide", {6, 57, 118, 19}, s_.whencollide,
                        Cps({"Нет", "При касании"}), 2));
    p.AddLabel("Label12", Cp("      Подсчет"), {124, 43, 120, 14});
    Watch(p.AddDropDown("scoring", {132, 57, 130, 19}, s_.scoring,
                        Cps({"Меньший счет", "Больше лунок"}), 2));
    p.AddLabel("Label13", Cp("Макс ударов"), {270, 43, 100, 14});
    Watch(p.AddDropDown("strokelimit", {270, 57, 105, 19}, s_.strokelimit,
                        Cps({"9", "8", "7", "6"}), 4));
    Watch(p.AddCheckBox("plus1", Cp("Доп. удар за столкновение (всего1)"), {6, 86, 250, 16},
                        s_.plus1));
    Watch(p.AddCheckBox("minus1", Cp("Пенальти за водоем"), {6, 105, 200, 16}, s_.minus1));
    Button& preset = Watch(p.AddButton("FlatButton4", Cp("Обычные "), {210, 111, 80, 24}));
    preset.onClick = [this](Control&) {
      ApplyPreset();
      Note(Cp("FlatButton4: правила игры по умолчанию"));
    };
    Watch(p.AddButton("rulesok", Cp("Ок"), {295, 111, 80, 24}));
  }

  void BuildQuit() {
    Panel& p = quit_;
    Label& question = p.AddLabel("Label1", Cp("Вы уверены?  "), {0, 40, 379, 14});
    question.align = TextAlign::kCenter;
    Watch(p.AddButton("quitbutton", Cp("Уйти"), {92, 80, 90, 26}));
    Watch(p.AddButton("cancelButton1", Cp("Отмена"), {197, 80, 90, 26}));
  }

  // The main menu: the hot-spot picture (HotImage1, 367 x 122 at (5, 8))
  // from items 0 and 1 of "launchpad.dxg". Without them the panel says so.
  void BuildMenu(const std::string& dataDir) {
    try {
      TDXImageList list;
      list.LoadListFile(dataDir + "launchpad.dxg");
      if (list.Items.Count() < 2) throw std::runtime_error("fewer than two pictures");
      menuView_ = std::make_unique<HotImageView>(list.Items[0].Picture(), list.Items[1].Picture());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quendrix-widgets: %slaunchpad.dxg: %s\n", dataDir.c_str(), e.what());
      Label& place = mainmenu_.AddLabel("HotImage1", Cp("Нет меню: launchpad.dxg не читается"),
                                        {5, 60, 367, 14});
      place.align = TextAlign::kCenter;
      place.enabled = false;
    }
    menu_.OnSelectSpot = [this] {
      Note(menu_.Spot() < 0 ? Cp("HotImage1: вне пятен")
                            : Cp("HotImage1: пятно ") + std::to_string(menu_.Spot()) + " " +
                                  SpotName(menu_.Spot()));
    };
    menu_.OnClick = [this] {
      if (menu_.Spot() >= 0) chosen_ = menu_.Spot();
    };
    // Each spot's outline in picture pixels: the polygon closed, the
    // ellipse as chords through points of its curve.
    for (int32_t i = 0; i < menu_.SpotCount(); ++i) {
      const HotSpot& spot = menu_.SpotShape(i);
      const std::vector<HotPoint>& p = spot.Points();
      std::vector<SDL_FPoint>& line = outline_[static_cast<size_t>(i)];
      if (spot.IsEllipse()) {
        const float cx = static_cast<float>(p[0].x + p[1].x) / 2;
        const float cy = static_cast<float>(p[0].y + p[1].y) / 2;
        const float rx = static_cast<float>(p[1].x - p[0].x) / 2;
        const float ry = static_cast<float>(p[1].y - p[0].y) / 2;
        constexpr int kChords = 72;
        for (int k = 0; k <= kChords; ++k) {
          const double a = 2 * std::numbers::pi * k / kChords;
          line.push_back({cx + rx * static_cast<float>(std::cos(a)),
                          cy + ry * static_cast<float>(std::sin(a))});
        }
      } else {
        for (const HotPoint& v : p)
          line.push_back({static_cast<float>(v.x), static_cast<float>(v.y)});
        line.push_back(line.front());
      }
    }
  }

  static std::string SpotName(int32_t spot) {
    static constexpr const char* kNames[] = {"Играть", "Тренировка", "Настройки", "Выход"};
    return spot >= 0 && spot < 4 ? Cp(kNames[spot]) : std::string("?");
  }

  // The spots' outlines over the picture, cropped to the control as it is:
  // the current spot in white, the others in magenta, each over a dark
  // shadow so that it reads on light and dark artwork alike.
  void DrawOutlines(SDL_Renderer* renderer, SDL_Point at) {
    const SDL_Rect clip{at.x, at.y, menu_.Width(), menu_.Height()};
    SDL_RenderSetClipRect(renderer, &clip);
    const HotPoint o = menu_.PictureOffset();
    for (size_t i = 0; i < outline_.size(); ++i) {
      const bool current = static_cast<int32_t>(i) == menu_.Spot();
      for (int pass = 0; pass < 2; ++pass) {
        const float shift = pass == 0 ? 1.0f : 0.0f;
        scratch_.clear();
        for (const SDL_FPoint& q : outline_[i])
          scratch_.push_back({q.x + static_cast<float>(at.x + o.x) + shift,
                              q.y + static_cast<float>(at.y + o.y) + shift});
        if (pass == 0)
          SDL_SetRenderDrawColor(renderer, 24, 16, 40, 255);
        else if (current)
          SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        else
          SDL_SetRenderDrawColor(renderer, 255, 64, 200, 255);
        SDL_RenderDrawLinesF(renderer, scratch_.data(), static_cast<int>(scratch_.size()));
      }
    }
    SDL_RenderSetClipRect(renderer, nullptr);
  }

  void BuildStatus() {
    status_.AddLabel("keys",
                     Cp("Tab, стрелки, пробел, Enter, Esc · мышь · геймпад   PgUp/PgDn: страница"),
                     {8, 4, 600, 14});
    Label& line = status_.AddLabel("event", "", {8, 20, 600, 14});
    status_.Show();
    event_ = &line;
  }

  // The rule preset of the chosen game type.
  void ApplyPreset() {
    static constexpr int32_t kPresets[3][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {1, 0, 1, 1}};
    static constexpr bool kPlus[3] = {false, false, true}, kMinus[3] = {true, true, false};
    const int32_t g = s_.gametype;
    if (g < 0 || g > 2) return;
    s_.startplayer = kPresets[g][0];
    s_.nextplayer = kPresets[g][1];
    s_.whencollide = kPresets[g][2];
    s_.scoring = kPresets[g][3];
    s_.plus1 = kPlus[g];
    s_.minus1 = kMinus[g];
  }

  // The tab shows player tab_ + 1.
  void ShowPlayer() {
    const auto t = static_cast<size_t>(tab_);
    if (Control* c = start_.Find("name")) static_cast<Edit*>(c)->SetText(s_.player[t]);
    static_cast<RadioButton*>(start_.Find("pullputt"))->SetChecked(s_.pull[t]);
    static_cast<RadioButton*>(start_.Find("pushputt"))->SetChecked(!s_.pull[t]);
    easytarget_ = s_.easy[t];
    ball_->SetImage(16, 16, BallTexture(hue_[t]));
  }

  LaunchSettings s_;
  Container window_;
  Panel setup_{"setup", 379, 141};
  Panel start_{"start", 379, 141};
  Panel rules_{"rules", 379, 141};
  Panel quit_{"quit", 379, 141};
  Panel mainmenu_{"mainmenu", 378, 137};
  Panel status_{"status", 620, 38};
  int32_t skinIndex_ = 0;
  int32_t tab_ = 0;
  std::string name_;
  bool pullputt_ = true, pushputt_ = false, easytarget_ = false;
  std::array<int, 4> hue_ = {0, 1, 2, 3};
  Picture* ball_ = nullptr;
  Label* event_ = nullptr;
  std::string statusLine_;
  HotImage menu_{kMenuControlWidth, kMenuControlHeight, kMenuPictureWidth, kMenuPictureHeight,
                 MenuHotSpots()};
  std::unique_ptr<HotImageView> menuView_;  // null without the picture
  int32_t chosen_ = -1;
  bool outlines_ = false;
  std::array<std::vector<SDL_FPoint>, kMenuSpots.size()> outline_;
  std::vector<SDL_FPoint> scratch_;
};

// The launch pad's background on one FLIC player, driven as the launch pad
// drives it: "interface_loop.flc" looping; for a panel change
// "interface.flc" once through at its own speed, then the loop again from
// its first frame, the picture the change ends on.
class Backdrop {
 public:
  Backdrop(Clock& clock, std::string dataDir) : player_(clock), dir_(std::move(dataDir)) { Loop(); }

  // Starts the panel change; false (the loop goes on) when it cannot play.
  bool StartChange() {
    player_.Stop();
    player_.SetFileName(dir_ + "interface.flc");
    player_.SetLoop(false);
    changing_ = player_.Play();
    if (!changing_) Loop();
    return changing_;
  }
  bool Changing() const { return changing_; }
  // The frame of the change on the screen, 0 outside a change.
  int ChangeFrame() const { return changing_ ? player_.CurrentFrame() : 0; }

  // Once a frame: the file's frames that are due. True when a panel change
  // has just ended (also by a damaged file stopping).
  bool Tick() {
    player_.Tick();
    if (!changing_ || player_.Playing()) return false;
    changing_ = false;
    Loop();
    return true;
  }

  // Into the current target, which is width x height.
  void Draw(SDL_Renderer* renderer, int32_t width, int32_t height) {
    if (!presenter_.Draw(renderer, player_, width, height) && !reported_) {
      std::fprintf(stderr, "quendrix-widgets: animation: %s\n", SDL_GetError());
      reported_ = true;
    }
  }

 private:
  void Loop() {
    player_.SetFileName(dir_ + "interface_loop.flc");
    player_.SetLoop(true);
    player_.Play();
  }

  FlicPlayer player_;
  FlicPresenter presenter_;
  std::string dir_;
  bool changing_ = false;
  bool reported_ = false;
};

bool ParseSize(const char* text, int32_t& w, int32_t& h) {
  return std::sscanf(text, "%dx%d", &w, &h) == 2 && w >= 320 && h >= 240 && w <= 8192 && h <= 8192;
}

// A frame every 16 ms: smooth enough for both animations' speeds (60 and
// 33 ms a frame).
constexpr uint32_t kFrameMs = 16;

// The panel with the keys, outlined on the canvas.
void Outline(SDL_Renderer* renderer, const Panel& p) {
  SDL_SetRenderDrawColor(renderer, 222, 128, 34, 255);
  const SDL_Rect r{p.left - 3, p.top - 3, p.width + 6, p.height + 6};
  SDL_RenderDrawRect(renderer, &r);
}

// Window points -> canvas pixels in a pointer event.
void ToCanvas(const Screen& screen, SDL_Event& e) {
  int32_t* x = nullptr;
  int32_t* y = nullptr;
  if (e.type == SDL_MOUSEMOTION) {
    x = &e.motion.x;
    y = &e.motion.y;
  } else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
    x = &e.button.x;
    y = &e.button.y;
  } else {
    return;
  }
  const CanvasPoint c = screen.WindowToCanvas(*x, *y);
  *x = c.x;
  *y = c.y;
}

int Run(int argc, char** argv) {
  int32_t canvasW = 640, canvasH = 480, windowW = 0, windowH = 0;
  int page = 0;
  long frames = -1;
  bool outlines = false;
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (std::strcmp(argv[i], "--canvas") == 0 && more && ParseSize(argv[i + 1], canvasW, canvasH)) {
      ++i;
    } else if (std::strcmp(argv[i], "--window") == 0 && more &&
               ParseSize(argv[i + 1], windowW, windowH)) {
      ++i;
    } else if (std::strcmp(argv[i], "--page") == 0 && more) {
      page = std::abs(std::atoi(argv[++i])) % Gallery::kPages;
    } else if (std::strcmp(argv[i], "--frames") == 0 && more) {
      frames = std::atol(argv[++i]);
    } else if (std::strcmp(argv[i], "--outlines") == 0) {
      outlines = true;
    } else {
      std::fprintf(stderr,
                   "usage: quendrix-widgets [--canvas WxH] [--window WxH] [--page N] [--frames N] "
                   "[--outlines]\n");
      return 2;
    }
  }
  if (windowW == 0) {
    windowW = canvasW;
    windowH = canvasH;
  }

  if (SDL_Init(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "quendrix-widgets: %s\n", SDL_GetError());
    return 1;
  }
  FlicDecoder::QuietLibraryLog();
  int status = 0;
  {
    Screen screen(Cp("Quendrix widgets"));
    if (!screen.Open(false)) {
      std::fprintf(stderr, "quendrix-widgets: %s\n", screen.LastError().c_str());
      SDL_Quit();
      return 1;
    }
    SDL_SetWindowSize(screen.Window(), windowW, windowH);
    SDL_SetWindowPosition(screen.Window(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);

    SdlClock clock;
    const std::string data = DataDir();
    Gallery gallery(data);
    gallery.SetOutlines(outlines);
    Backdrop backdrop(clock, data);
    WidgetView view(screen.Renderer(), canvasW, canvasH);
    if (!view.HasFlatFont()) std::fprintf(stderr, "quendrix-widgets: DejaVu Sans not found\n");

    size_t active = 0;
    auto showPage = [&](int p, size_t keys) {
      for (int other = 0; other < Gallery::kPages; ++other)
        for (Panel* panel : gallery.Page(other)) panel->Hide();
      page = p;
      active = keys;
      for (Panel* panel : gallery.Page(page)) panel->Show();
      gallery.Place(page, canvasW, canvasH);
      if (page == Gallery::kMenuPage) {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        const CanvasPoint c = screen.WindowToCanvas(x, y);
        gallery.MenuSync(SDL_GetMouseFocus() == screen.Window(), {c.x, c.y});
      }
    };
    // As the launch pad changes panels: the old ones go, the change plays
    // (unless "Не вращать интерфейс" is ticked), then the new ones show.
    int nextPage = -1;
    size_t nextKeys = 0;
    auto changeTo = [&](int to, size_t keys) {
      for (Panel* panel : gallery.Page(page)) panel->Hide();
      if (!gallery.NoFlip() && backdrop.StartChange()) {
        nextPage = to;
        nextKeys = keys;
      } else {
        showPage(to, keys);
      }
    };
    showPage(page, 0);

    // Drawn inside each ImGui frame, under the panels.
    SDL_Renderer* renderer = nullptr;
    Panel* keys = nullptr;
    const std::function<void()> under = [&] {
      backdrop.Draw(renderer, canvasW, canvasH);
      if (keys != nullptr && keys->Visible()) Outline(renderer, *keys);
    };
    // A menu action the key panel did not use.
    auto unused = [&](MenuAction action) {
      std::vector<Panel*> panels = gallery.Page(page);
      if (action == MenuAction::kBack)
        active = (active + 1) % panels.size();
      else
        gallery.MenuKey(action);
    };

    bool running = true;
    uint32_t due = SDL_GetTicks();
    std::vector<Panel*> panels;
    for (long frame = 0; running && frame != frames; ++frame) {
      due += kFrameMs;
      if (static_cast<int32_t>(due - SDL_GetTicks()) < 0) due = SDL_GetTicks();
      // Input until the frame is due.
      SDL_Event e;
      for (;;) {
        const auto left = static_cast<int32_t>(due - SDL_GetTicks());
        if ((left > 0 ? SDL_WaitEventTimeout(&e, left) : SDL_PollEvent(&e)) == 0) break;
        // The panel change takes no input, as on the launch pad; the
        // pointer is still followed, and the window's own keys work.
        const bool changing = backdrop.Changing();
        panels = gallery.Page(page);
        keys = changing ? nullptr : panels[active % panels.size()];
        if (e.type == SDL_QUIT) running = false;
        std::string shot;
        const WindowKey windowKey = HandleWindowKey(e, screen, ".", &shot);
        if (windowKey == WindowKey::kScreenshot && e.key.repeat == 0)
          gallery.Note(shot.empty() ? Cp("снимок не записан") : Utf8ToCp1251(shot));
        if (windowKey != WindowKey::kNone) continue;
        if (e.type == SDL_KEYDOWN && e.key.repeat == 0) {
          const SDL_Keycode k = e.key.keysym.sym;
          if (k == SDLK_F10) running = false;
          if (changing) continue;
          if (k == SDLK_F5) changeTo(page, active);
          if (k == SDLK_F6) gallery.ToggleOutlines();
          if (k == SDLK_PAGEDOWN) showPage((page + 1) % Gallery::kPages, 0);
          if (k == SDLK_PAGEUP) showPage((page + Gallery::kPages - 1) % Gallery::kPages, 0);
        }
        if (changing && e.type != SDL_MOUSEMOTION) continue;
        if (e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.button == SDL_CONTROLLER_BUTTON_X)
          showPage((page + 1) % Gallery::kPages, 0);
        ToCanvas(screen, e);
        // A press on a panel gives it the keys.
        if (e.type == SDL_MOUSEBUTTONDOWN)
          for (size_t i = 0; i < panels.size(); ++i)
            if (Bounds{panels[i]->left, panels[i]->top, panels[i]->width, panels[i]->height}
                    .Contains(e.button.x, e.button.y))
              active = i;
        gallery.MenuPointer(e);
        panels = gallery.Page(page);
        keys = changing ? nullptr : panels[active % panels.size()];
        unused(view.HandleEvent(e, keys));
      }

      panels = gallery.Page(page);
      keys = backdrop.Changing() ? nullptr : panels[active % panels.size()];
      if (keys != nullptr) unused(view.Tick(keys));
      const int32_t chosen = gallery.TakeChosen();
      if (chosen >= 0 && !backdrop.Changing()) {
        size_t to = 0;
        const int toPage = gallery.OpenSpot(chosen, to);
        changeTo(toPage, to);
      }
      if (backdrop.Tick() && nextPage >= 0) {
        showPage(nextPage, nextKeys);
        nextPage = -1;
      }
      panels = gallery.Page(page);
      keys = backdrop.Changing() ? nullptr : panels[active % panels.size()];
      gallery.Update(keys, backdrop.ChangeFrame());

      renderer = screen.BeginFrame(canvasW, canvasH);
      if (renderer == nullptr) {
        std::fprintf(stderr, "quendrix-widgets: %s\n", screen.LastError().c_str());
        status = 1;
        break;
      }
      panels.push_back(&gallery.Status());
      view.Frame(panels, under);
      gallery.DrawMenu(renderer);
      screen.EndFrame();
    }
  }
  SDL_Quit();
  return status;
}

}  // namespace
}  // namespace quendrix::widgets

int main(int argc, char** argv) {
  try {
    return quendrix::widgets::Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrix-widgets: %s\n", e.what());
    return 1;
  }
}
