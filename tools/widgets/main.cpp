// quendrix-widgets: every kind of launch-pad control on panels like the
// launch pad's, with its Russian captions, bound to one LaunchSettings as
// the launch pad binds them. Mouse, keys and game pads work as they will
// there. A developer tool for looking at the flat style.
//
//   quendrix-widgets [--canvas WxH] [--window WxH] [--page N] [--frames N] [--logical]
//
// The canvas is a render target scaled into the window; with --logical it is
// the renderer's logical size instead (SDL letterboxes and maps the pointer).
//
// PgUp / PgDn (pad X) change the page; Esc or pad B with nothing left to
// close hands the keys to the next panel on the page (so does a click on a
// panel); F10 or closing the window quits.
#include <SDL.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "game/launch_settings.h"
#include "widgets/controls.h"
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
  Gallery() {
    BuildSetup();
    BuildStart();
    BuildRules();
    BuildQuit();
    BuildMenuPlace();
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
  Panel& Status() { return status_; }

  // Places the page's panels on the canvas, centred as the launch pad
  // centres its panels on a screen larger than 640 x 480.
  void Place(int page, int32_t canvasW, int32_t canvasH) {
    const int32_t left = (canvasW - 640) / 2, top = (canvasH - 480) / 2;
    int32_t y = top + 40;
    for (Panel* p : Page(page)) {
      p->left = left + (640 - p->width) / 2;
      p->top = y;
      y += p->height + 36;
    }
    status_.left = left + 10;
    status_.top = top + 480 - status_.height - 10;
  }

  void Note(const std::string& cp1251) { statusLine_ = cp1251; }
  // The status bar: which panel has the keys, and the last event.
  void Update(Panel* keys) {
    std::string line = Cp("Клавиатура: ") + (keys != nullptr ? keys->Name() : "-");
    if (!statusLine_.empty()) line += "   " + statusLine_;
    event_->caption = line;
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

  // The main menu's place: the hot-spot menu picture (HotImage1, 367 x 122
  // at (5, 8)) goes on this panel once it exists.
  void BuildMenuPlace() {
    Label& place = mainmenu_.AddLabel("HotImage1",
                                      Cp("Здесь будет меню: играть, тренировка, настройка, выход"),
                                      {5, 60, 367, 14});
    place.align = TextAlign::kCenter;
    place.enabled = false;
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
};

bool ParseSize(const char* text, int32_t& w, int32_t& h) {
  return std::sscanf(text, "%dx%d", &w, &h) == 2 && w >= 320 && h >= 240 && w <= 8192 && h <= 8192;
}

// Where the canvas lands in the window: scale = min(W / w, H / h), centred.
struct Fit {
  float scale = 1, x = 0, y = 0;
};

Fit FitCanvas(SDL_Renderer* renderer, int32_t w, int32_t h) {
  int ow = w, oh = h;
  SDL_GetRendererOutputSize(renderer, &ow, &oh);
  Fit f;
  f.scale = std::min(static_cast<float>(ow) / static_cast<float>(w),
                     static_cast<float>(oh) / static_cast<float>(h));
  f.x = std::floor((static_cast<float>(ow) - static_cast<float>(w) * f.scale) * 0.5f);
  f.y = std::floor((static_cast<float>(oh) - static_cast<float>(h) * f.scale) * 0.5f);
  return f;
}

// Window pixels -> canvas pixels (the output may be larger than the window
// on high-density screens).
void MapPointer(SDL_Window* window, SDL_Renderer* renderer, const Fit& f, int32_t& x, int32_t& y) {
  int ww = 1, wh = 1, ow = 1, oh = 1;
  SDL_GetWindowSize(window, &ww, &wh);
  SDL_GetRendererOutputSize(renderer, &ow, &oh);
  const float px = static_cast<float>(x) * static_cast<float>(ow) / static_cast<float>(ww);
  const float py = static_cast<float>(y) * static_cast<float>(oh) / static_cast<float>(wh);
  x = static_cast<int32_t>(std::floor((px - f.x) / f.scale));
  y = static_cast<int32_t>(std::floor((py - f.y) / f.scale));
}

// The launch pad's background animation will play here; until then a
// quiet dusk gradient stands in for it.
void DrawBackdrop(SDL_Renderer* renderer, int32_t w, int32_t h) {
  const auto fw = static_cast<float>(w), fh = static_cast<float>(h);
  const SDL_Color top{18, 40, 52, 255}, bottom{8, 16, 22, 255};
  const SDL_Vertex v[4] = {{{0, 0}, top, {0, 0}},
                           {{fw, 0}, top, {0, 0}},
                           {{fw, fh}, bottom, {0, 0}},
                           {{0, fh}, bottom, {0, 0}}};
  const int index[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(renderer, nullptr, v, 4, index, 6);
}

void Outline(SDL_Renderer* renderer, const Panel& p) {
  SDL_SetRenderDrawColor(renderer, 222, 128, 34, 255);
  const SDL_Rect r{p.left - 3, p.top - 3, p.width + 6, p.height + 6};
  SDL_RenderDrawRect(renderer, &r);
}

int Run(int argc, char** argv) {
  int32_t canvasW = 640, canvasH = 480, windowW = 0, windowH = 0;
  int page = 0;
  long frames = -1;
  bool logical = false;
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
    } else if (std::strcmp(argv[i], "--logical") == 0) {
      logical = true;
    } else {
      std::fprintf(stderr,
                   "usage: quendrix-widgets [--canvas WxH] [--window WxH] [--page N] [--frames N] "
                   "[--logical]\n");
      return 2;
    }
  }
  if (windowW == 0) {
    windowW = canvasW;
    windowH = canvasH;
  }

  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "quendrix-widgets: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window =
      SDL_CreateWindow("Quendrix widgets", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, windowW,
                       windowH, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  SDL_Renderer* renderer =
      window != nullptr ? SDL_CreateRenderer(window, -1,
                                             SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC |
                                                 SDL_RENDERER_TARGETTEXTURE)
                        : nullptr;
  if (renderer == nullptr && window != nullptr)
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  SDL_Texture* canvas = renderer != nullptr && !logical
                            ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                SDL_TEXTUREACCESS_TARGET, canvasW, canvasH)
                            : nullptr;
  if (logical && renderer != nullptr) SDL_RenderSetLogicalSize(renderer, canvasW, canvasH);
  if (renderer == nullptr || (canvas == nullptr && !logical)) {
    std::fprintf(stderr, "quendrix-widgets: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }

  {
    Gallery gallery;
    WidgetView view(renderer, canvasW, canvasH);
    if (!view.HasFlatFont()) std::fprintf(stderr, "quendrix-widgets: DejaVu Sans not found\n");
    size_t active = 0;
    auto showPage = [&](int p) {
      page = p;
      active = 0;
      for (Panel* panel : gallery.Page(page)) panel->Show();
      gallery.Place(page, canvasW, canvasH);
    };
    showPage(page);

    bool running = true;
    for (long frame = 0; running && frame != frames; ++frame) {
      std::vector<Panel*> panels = gallery.Page(page);
      Panel* keys = panels[active % panels.size()];
      const Fit fit = FitCanvas(renderer, canvasW, canvasH);
      SDL_Event e;
      // Wait for input up to a frame's time; then take whatever else came.
      bool got = SDL_WaitEventTimeout(&e, 16) != 0;
      while (got) {
        if (e.type == SDL_QUIT) running = false;
        if (e.type == SDL_KEYDOWN && e.key.repeat == 0) {
          const SDL_Keycode k = e.key.keysym.sym;
          if (k == SDLK_F10) running = false;
          if (k == SDLK_PAGEDOWN) showPage((page + 1) % Gallery::kPages);
          if (k == SDLK_PAGEUP) showPage((page + Gallery::kPages - 1) % Gallery::kPages);
        }
        if (e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.button == SDL_CONTROLLER_BUTTON_X)
          showPage((page + 1) % Gallery::kPages);
        if (e.type == SDL_MOUSEMOTION && !logical)
          MapPointer(window, renderer, fit, e.motion.x, e.motion.y);
        if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
          if (!logical) MapPointer(window, renderer, fit, e.button.x, e.button.y);
          // A press on a panel gives it the keys.
          if (e.type == SDL_MOUSEBUTTONDOWN)
            for (size_t i = 0; i < panels.size(); ++i)
              if (Bounds{panels[i]->left, panels[i]->top, panels[i]->width, panels[i]->height}
                      .Contains(e.button.x, e.button.y))
                active = i;
        }
        panels = gallery.Page(page);
        keys = panels[active % panels.size()];
        if (view.HandleEvent(e, keys) == MenuAction::kBack) active = (active + 1) % panels.size();
        got = SDL_PollEvent(&e) != 0;
      }
      if (view.Tick(keys) == MenuAction::kBack) active = (active + 1) % panels.size();
      keys = panels[active % panels.size()];
      gallery.Update(keys);

      if (logical) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
      }
      SDL_SetRenderTarget(renderer, canvas);
      DrawBackdrop(renderer, canvasW, canvasH);
      Outline(renderer, *keys);
      panels.push_back(&gallery.Status());
      view.Frame(panels);
      if (logical) {
        SDL_RenderPresent(renderer);
        continue;
      }

      SDL_SetRenderTarget(renderer, nullptr);
      SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
      SDL_RenderClear(renderer);
      // Sharp at whole-number scales, smooth between them.
      const bool whole = std::fabs(fit.scale - std::round(fit.scale)) < 1e-3f;
      SDL_SetTextureScaleMode(canvas, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
      const SDL_FRect dest{fit.x, fit.y, static_cast<float>(canvasW) * fit.scale,
                           static_cast<float>(canvasH) * fit.scale};
      SDL_RenderCopyF(renderer, canvas, nullptr, &dest);
      SDL_RenderPresent(renderer);
    }
  }
  if (canvas != nullptr) SDL_DestroyTexture(canvas);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

}  // namespace
}  // namespace quendrix::widgets

int main(int argc, char** argv) {
  return quendrix::widgets::Run(argc, argv);
}
