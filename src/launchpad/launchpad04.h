// Tlaunchpad, the launch pad: the front end the program starts in. A looping
// animation behind a hot-spot menu (play, training, setup, quit), each choice
// opening one small panel; the players, rules and setup panels hold every
// setting of the game, and the launch button hands the screen and the sound
// over to the play screen for one game and takes them back afterwards.
//
// Plain state and handlers: the controls are widgets::Panel values bound to
// the one LaunchSettings of the run; the screen, sound device, animation
// player, video windows, message box, file search and the play screen come
// through the small interfaces below, so tests drive the launch pad without a
// display (launchpad_view.h draws it and feeds it input).
//
// Texts are cp1251, as the game keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/language.h"
#include "game/data_catalogue.h"
#include "game/launch_settings.h"
#include "launchpad/settings.h"
#include "launchpad/skin_list.h"
#include "media/bitmap.h"
#include "media/sound_list.h"
#include "widgets/controls.h"
#include "widgets/hot_image.h"

namespace quendrix {

// ---- Services ----------------------------------------------------------------

// The screen the launch pad covers.
class LaunchpadDisplay {
 public:
  virtual ~LaunchpadDisplay() = default;
  // The screen as it is now, in the pixels the launch pad draws in: 640 x 480
  // while the full-screen interface is open, else the desktop's size.
  virtual int32_t ScreenWidth() const = 0;
  virtual int32_t ScreenHeight() const = 0;
  // `DXinterface`: switches the screen to 640 x 480 for the launch pad.
  // False, with the platform's reason, when that cannot be done.
  virtual bool OpenInterface(std::string& reason) = 0;
  // Back to the desktop's size.
  virtual void CloseInterface() = 0;
  // The system's pointer shows over the launch pad.
  virtual void ShowCursor() = 0;
  // The launch pad is drawn (true) or the window is lent to another screen.
  virtual void SetVisible(bool visible) = 0;
};

// `FliPlayerTimer1`, the background animation player. Paths are the data
// folder's files.
class AnimationPlayer {
 public:
  virtual ~AnimationPlayer() = default;
  // Stops a running file first.
  virtual void SetFileName(const std::filesystem::path& path) = 0;
  // Opens the file and runs its frames on the player's timer, looping.
  virtual void Play() = 0;
  virtual void Stop() = 0;
  // Decodes up to frame n and puts it on the screen now.
  virtual void ShowFrame(int32_t n) = 0;
  // Opens the (stopped) file, shows frame n, stops.
  virtual void ShowStoppedFrame(int32_t n) = 0;
  // Puts the current frame on the screen again now.
  virtual void Repaint() = 0;
};

// The intro and credits windows, each shown modally; nothing by default.
class VideoWindows {
 public:
  virtual ~VideoWindows() = default;
  virtual void ShowIntro() {}
  virtual void ShowCredits() {}
};

// The play screen for one game: creates `TMain` on the settings, shows it
// modally until it closes itself and destroys it. A game that cannot start
// throws (std::exception with a cp1251 message) after releasing what it
// opened.
class GameRunner {
 public:
  virtual ~GameRunner() = default;
  virtual void RunGame(const LaunchSettings& settings) = 0;
};

struct LaunchpadServices {
  LaunchpadDisplay* display = nullptr;  // required
  SoundDevice* sound = nullptr;         // the launch pad's sound device; none: silent
  AnimationPlayer* animation = nullptr;
  VideoWindows* videos = nullptr;
  GameRunner* game = nullptr;
  // The data folder: "menu.dxw", "gui.dxg", the animations, "skins",
  // "textures".
  std::filesystem::path dataDir;
  // The settings file (TAMReg). Empty when the user has no folder for it:
  // the settings then live in memory for the run, and `noSettingsFolder`
  // (UTF-8) says why.
  std::filesystem::path settingsFile;
  std::string noSettingsFolder;
  // Why replays and screenshots cannot be kept this run (UTF-8), or empty.
  std::string noDataFolder;
  // The error box: title and text, cp1251. Unset: standard error.
  std::function<void(const std::string& title, const std::string& text)> messageBox;
  // Names (cp1251) of the files matching "textures\*.bmp" in the data folder,
  // all attributes, in the file system's order. Unset: a plain listing of
  // the folder, in byte order of the names.
  std::function<std::vector<std::string>()> findTextures;
};

// ---- The launch pad ----------------------------------------------------------

// Who plays a player, chosen on its tab (UTF-8, as written; shown in cp1251):
// the list's label and its items in the order of their stored values
// (0 a person, 1 beginner, 2 club player, 3 master).
inline constexpr const char* kComputerCaption = "Игрок";
inline constexpr std::array<const char*, 4> kComputerItems = {"Человек", "Новичок", "Любитель",
                                                              "Мастер"};

class Tlaunchpad {
 public:
  static constexpr const char* kCaption = "Quendrix Demo LaunchPad";
  // Designed at this size; panels sit where they would on such a screen.
  static constexpr int32_t kDesignWidth = 640;
  static constexpr int32_t kDesignHeight = 480;
  // Frames of the panel-change animation shown one after another.
  static constexpr int32_t kTransitionFrames = 30;
  // Menu sound items ("menu.dxw").
  static constexpr int32_t kMusic = ItemIndex(MenuSound::kMusic);
  static constexpr int32_t kClick = ItemIndex(MenuSound::kClick);
  static constexpr int32_t kTick = ItemIndex(MenuSound::kTick);  // not played here
  static constexpr int32_t kTransitionSound = ItemIndex(MenuSound::kTransition);
  static constexpr int32_t kClickVolume = -700;  // hundredths of a decibel
  // Menu spots.
  static constexpr int32_t kSpotPlay = 0, kSpotTraining = 1, kSpotSetup = 2, kSpotQuit = 3;

  explicit Tlaunchpad(LaunchpadServices services);
  ~Tlaunchpad();
  Tlaunchpad(const Tlaunchpad&) = delete;
  Tlaunchpad& operator=(const Tlaunchpad&) = delete;

  // ---- Life cycle ----------------------------------------------------------
  void FormCreate();
  // Every show: at start and after each game.
  void FormShow();
  // The program should end (quit, or a screen that cannot be opened), with
  // this exit status.
  bool Terminated() const { return terminated_; }
  int ExitStatus() const { return exitStatus_; }
  bool Visible() const { return visible_; }

  // ---- Handlers --------------------------------------------------------------
  void PlayInterfaceTransition();
  void HotImage1SelectSpot();
  void HotImage1Click();
  void skinMouseDown();
  void bgsoundsClick();
  void cancelButton1Click();
  void OkButton1Click();
  void showrulesClick();
  void rulesokClick();
  void quitbuttonClick();
  void launchClick();
  void playerinfoTabChanged();
  void nameChange();
  void easytargetMouseUp();
  void computerChange();
  void tex_incClick();
  void gametypeChange();

  // ---- Input from the view ---------------------------------------------------
  // The pointer in screen pixels; the menu picture follows it while the main
  // menu is open.
  void PointerMove(int32_t x, int32_t y);
  void PointerDown(int32_t x, int32_t y);
  void PointerUp(int32_t x, int32_t y);
  // The panel the keys and pad go to: the open panel other than the main
  // menu, or nullptr on the main menu.
  widgets::Panel* KeyPanel();
  // Enter (or pad A) on a panel presses its main button, unless the panel
  // wants it for itself: an edit typed in, an open list, a focused button.
  bool EnterPressesMainButton();
  // Presses the open panel's main button as a click would.
  void PressMainButton();
  // A menu action the open panel did not use (or any, on the main menu):
  // main menu Down / Up select the next / previous spot, select chooses it,
  // back opens the quit panel; on a panel back takes its way back, and
  // select (Space with nothing focused) does nothing.
  void MenuAction(widgets::MenuAction action);

  // ---- State -------------------------------------------------------------------
  LaunchSettings settings;  // the one of the run
  TAMReg AMReg;
  TDXSound DXSound;
  TDXWaveList DXSong;

  widgets::Panel mainmenu{"mainmenu", 378, 137};
  widgets::Panel start{"start", 379, 141};
  widgets::Panel rules{"rules", 379, 141};
  widgets::Panel setup{"setup", 379, 141};
  widgets::Panel quit{"quit", 379, 141};
  // The window itself: the hidden mirror controls and the copyright label.
  widgets::Container window;
  HotImage HotImage1;
  // The menu picture's place in `mainmenu`.
  static constexpr int32_t kHotImageLeft = 5, kHotImageTop = 8;

  // The window's size, as placed by the last create or show.
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool introShown = false;
  // The one open panel, or nullptr (while changing, or hidden for a game).
  widgets::Panel* OpenPanel();
  // Every panel, for the view to draw.
  std::array<widgets::Panel*, 5> Panels() { return {&mainmenu, &start, &rules, &setup, &quit}; }
  // The skin list as built on create.
  const SkinList& Skins() const { return skins_; }
  widgets::Label* copywrite = nullptr;

  // A control of any panel or of the window, by name (tests, the view).
  widgets::Control* Find(std::string_view name) const;
  // The control of that name as the kind it is: a name that is not there,
  // or a control of another kind, throws std::logic_error naming it (a
  // slip of the code, found at once rather than as a bad access).
  template <typename T>
  T& Get(std::string_view name) const {
    widgets::Control* control = Find(name);
    T* typed = dynamic_cast<T*>(control);
    if (typed == nullptr) NoSuchControl(name, control != nullptr);
    return *typed;
  }

  // The four players' ball-texture pictures.
  const Bitmap& PlayerTexture(int32_t player) const;

 private:
  [[noreturn]] static void NoSuchControl(std::string_view name, bool ofAnotherKind);
  void BuildPanels();
  void BuildMenu();
  void BuildStart();
  void BuildRules();
  void BuildSetup();
  void BuildQuit();
  void BuildWindow();

  // Leaves the old panels, plays the panel change, enters the new one.
  void ChangePanel(std::initializer_list<widgets::Panel*> leave,
                   const std::function<void()>& enter);
  void PlacePanel(widgets::Panel& panel) const;
  void PlaceWindow();
  void ShowMainMenu();
  void OpenMenuChoice(int32_t spot);
  void HideSetupQuitStart();
  // Every setup control as it was when the panel opened.
  void RestoreSetup();
  // The one box for a user with no folder for settings, replays or
  // screenshots.
  void ReportStorage();

  // An item of DXSong, or nullptr (no such item: the list is missing).
  TWaveCollectionItem* Song(int32_t index);
  void PlaySong(int32_t index);
  void Report(const std::string& title, const std::string& text);
  void ReportError(const std::string& text);

  // The texture enumeration: start (first file), next, again from the start.
  void StartTextureSearch();
  bool NextTexture();
  void ShowPicture(widgets::Picture& picture, const Bitmap& bitmap);
  void LoadBuiltInTextures();
  // The player whose tab shows, 1 ... 4.
  int32_t ShownPlayer() const { return playerTab_ + 1; }

  LaunchpadServices services_;
  bool terminated_ = false;
  int exitStatus_ = 0;
  bool visible_ = false;
  bool interfaceOpen_ = false;
  bool soundOpen_ = false;
  int32_t width_ = kDesignWidth, height_ = kDesignHeight;

  // Values of controls that have no setting of their own.
  int32_t playerTab_ = 0;
  std::string name_;                                               // the tab's name edit
  bool easytarget_ = false;                                        // the tab's aid box
  int32_t computer_ = 0;                                           // the tab's player list
  int32_t skinIndex_ = 0;                                          // the skin box
  bool lowcolor_ = false, lmcollide_ = false, easypipes_ = false;  // read by nothing
  SkinList skins_;
  // The setup controls when the setup panel last opened, for its way back.
  LaunchSettings setupOpened_;
  int32_t setupSkinOpened_ = 0;

  // Pointer over the screen, for the menu picture when the menu opens.
  bool pointerKnown_ = false;
  int32_t pointerX_ = 0, pointerY_ = 0;

  std::vector<std::string> textureFiles_;
  int32_t textureAt_ = -1;  // index in textureFiles_ of the search's file, -1: none
  std::array<Bitmap, 4> playerTextures_;
  bool builtInLoaded_ = false;
};

// The box shown when the launch pad's screen cannot be opened: this title,
// this text, and the platform's reason (UTF-8) on a second line.
inline constexpr const char* kDisplayErrorTitle = TrNoop("DirectX Error");
inline constexpr const char* kDisplayErrorText = TrNoop("Requires DirectX 6.0 or later");
std::string DisplayErrorText(const std::string& reason);
// `text` (cp1251) and, when there is one, the reason (UTF-8) on a second
// line, as the error box shows a failure and its cause.
std::string WithReason(std::string text, const std::string& reason);

// Where a panel sits on a screen of that size: left = (width - 640) div 2 +
// 150, top = (height - 480) div 2 + 177, dividing towards zero.
struct PanelPlace {
  int32_t left, top;
};
PanelPlace PanelPlacement(int32_t screenWidth, int32_t screenHeight);

// The rule preset of a game type: startplayer, nextplayer, whencollide,
// scoring, plus1, minus1. False (nothing set) for an index outside 0 ... 2.
bool ApplyRulePreset(int32_t gametype, LaunchSettings& settings);

}  // namespace quendrix
