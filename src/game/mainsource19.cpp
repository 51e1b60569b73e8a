#include "game/mainsource19.h"

#include <cassert>
#include <system_error>

#include "core/cp1251.h"
#include "core/language.h"
#include "game/list_items.h"
#include "media/bitmap.h"
#include "media/media_error.h"

namespace quendrix {

namespace {

// Skin bitmaps and the interface images they replace, in loading order.
struct SkinFile {
  const char* file;
  GuiImage image;
};
constexpr SkinFile kSkinFiles[] = {
    {"pointer.bmp", GuiImage::kPointer},       {"panel.bmp", GuiImage::kPanel},
    {"panelmin.bmp", GuiImage::kCompactPanel}, {"buttonsdown.bmp", GuiImage::kButtonsDown},
    {"pushputt.bmp", GuiImage::kPushSign},     {"gauge.bmp", GuiImage::kGauge},
    {"target.bmp", GuiImage::kTarget},         {"font.bmp", GuiImage::kFont},
    {"numbers.bmp", GuiImage::kDigits},        {"namebox.bmp", GuiImage::kNameBox},
};

// The surface only becomes ready once the display is ours; a display that
// never comes back must not hang the start-up, so the wait gives up and the
// frames simply do nothing until it is ready.
constexpr int kReadyPolls = 1000;

// A single folder or file name from the settings: no path of its own.
bool PlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

// A bitmap file, or nothing when it is missing or not a readable bitmap.
bool TryLoadBitmap(const std::filesystem::path& path, Bitmap& out) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  try {
    out = LoadBmpFile(path.string());
    return !out.Empty();
  } catch (const MediaError&) {
    return false;
  } catch (const FileError&) {
    return false;
  }
}

}  // namespace

int32_t SubstepsForTickRate(int32_t r) {
  if (r < 21) return 4;
  if (r <= 40) return 2;
  return 1;
}

DisplayMode ScreenModeFromSettings(const LaunchSettings& s) {
  DisplayMode mode{0, 0, 16};
  if (s.screen1024) mode = {1024, 768, 16};
  if (s.screen800) mode = {800, 600, 16};
  if (s.screen640) mode = {640, 480, 16};
  if (s.screen512) mode = {512, 384, 16};
  // A settings file that checks no mode at all still gets a screen.
  if (mode.width == 0) mode = {640, 480, 16};
  return mode;
}

std::string FirstHoleName(const LaunchSettings& s) {
  if (s.training) return "training1";
  return s.course == 1 ? "course2hole1" : "course1hole1";
}

TMain::TMain(const LaunchSettings& launchSettings, PlayScreenServices services, uint64_t seed)
    : DXDraw(services.display),
      DXSound(services.sound),
      menu(&DXDraw),
      gui(&DXDraw),
      course(&DXDraw),
      sounds(&DXSound),
      bgsounds(&DXSound),
      gengine(*services.clock),
      session(launchSettings, this, seed),
      services_(std::move(services)) {
  assert(services_.clock != nullptr);
  DXDraw.Display.SetBitCount(16);
  DXDraw.Display.fixedBitCount = true;
  DXDraw.Display.fixedRatio = true;
  DXDraw.Display.fixedSize = true;
  DXDraw.SetOptions(doFullScreen | doAllowReboot | doSystemMemory | doCenter | doHardware);
  DXDraw.OnInitialize = [this] { DXDrawInitialize(); };
  DXSound.options = soExclusive;
  DXSound.OnInitialize = [this] { DXSoundInitialize(); };
  gengine.SetEnabled(false);
  gengine.SetInterval(0);
  gengine.SetActiveOnly(false);
  gengine.OnTimer = [this](int32_t lagCount) { gengineTimer(lagCount); };
}

TMain::~TMain() {
  gengine.SetEnabled(false);
  gengine.OnTimer = nullptr;
  DXDraw.OnInitialize = nullptr;
  DXDraw.OnFinalize = nullptr;
  DXSound.OnInitialize = nullptr;
}

void TMain::FormCreate() {
  session.quitAsked = false;
  session.compactHud = false;
  const DisplayMode mode = ScreenModeFromSettings(settings());
  DXDraw.Display.SetWidth(mode.width);
  DXDraw.Display.SetHeight(mode.height);
  DXDraw.Display.SetBitCount(mode.bitCount);
  TDXDrawOptions options = DXDraw.Options();
  if (settings().fastwrite) {
    options &= ~(doFlip | doWaitVBlank);
  } else {
    options |= doFlip | doWaitVBlank;
  }
  DXDraw.SetOptions(options);
  gengine.SetInterval(settings().FrameInterval());
  gengine.SetPace(settings().FrameRateUnlimited() ? 0 : services_.ticksPerSecond);
  if (services_.showCursor) services_.showCursor(false);
  DXSound.Initialize();
}

void TMain::DXSoundInitialize() {
  if (settings().soundoff) session.soundOn = false;
  if (settings().soundon) session.soundOn = true;
  session.ambientOn = settings().bgsounds;
  DXSound.SetPrimaryFormat(22050, 16, 1);
}

void TMain::Show() {
  DXDraw.Initialize();
}

void TMain::DXDrawInitialize() {
  if (services_.showCursor) services_.showCursor(false);
  LoadImageList(menu, "menu.dxg");
  sounds.LoadListFile(DataFile("sound.dxw").string());
  for (int poll = 0; poll < kReadyPolls && !DXDraw.IsReady(); ++poll) {
  }
  session.substeps = 1;
  session.ambientOn = settings().bgsounds;
  LoadImageList(gui, "gui.dxg");
  LoadSkin();

  session.holeName = FirstHoleName(settings());
  for (playerrec& p : session.players) {
    p.strokes = 0;
    p.toPar = 0;
    p.totalStrokes = 0;
    p.holesWon = 0;
    for (int32_t& score : p.holeScores) score = 0;
  }
  // Every record takes its name and putt style, also those of absent players.
  for (int32_t i = 1; i <= kMaxPlayers; ++i) {
    playerrec& p = session.players[i];
    const size_t k = static_cast<size_t>(i - 1);
    p.name = settings().player[k];
    p.pullPutt = settings().pull[k];
    p.easyTarget = settings().easy[k];
  }
  session.totalPar = 0;
  session.playerCount = settings().PlayerCount();
  session.enterHeld = false;
  session.holeNumber = 1;
  session.currentPlayer = 1;
  session.firstHoledPlayer = 0;
  session.gameOver = false;

  HoleInit();
  LoadBallTextures();
  ResetDrifters();
}

void TMain::Shutdown() {
  if (services_.recorder != nullptr) services_.recorder->Finish(session);
  gengine.SetEnabled(false);
  DXDraw.Finalize();
  DXSound.Finalize();
  if (services_.showCursor) services_.showCursor(true);
  closed_ = true;
}

std::filesystem::path TMain::DataFile(const std::string& gamePath) const {
  if (services_.mapPath) return services_.mapPath(gamePath);
  std::string name = Cp1251ToUtf8(gamePath);
  for (char& c : name)
    if (c == '\\') c = '/';
  return services_.dataDir / std::filesystem::path(name);
}

std::filesystem::path TMain::LanguageFile(const std::string& gamePath) const {
  const std::string_view folder = LanguageFolder();
  if (!folder.empty()) {
    std::filesystem::path local = DataFile(std::string(folder) + "\\" + gamePath);
    std::error_code error;
    if (std::filesystem::is_regular_file(local, error)) return local;
  }
  return DataFile(gamePath);
}

void TMain::LoadImageList(TDXImageList& list, const std::string& gamePath) {
  list.LoadListFile(DataFile(gamePath).string());
  const std::filesystem::path local = LanguageFile(gamePath);
  if (local != DataFile(gamePath)) list.OverlayListFile(local.string());
}

void TMain::LoadSkin() {
  const std::string& skin = settings().skin;
  // The list's first entry and an empty text name no folder: gui.dxg stays.
  if (!PlainName(skin)) return;
  for (const SkinFile& f : kSkinFiles) {
    if (ItemIndex(f.image) >= gui.Items.Count()) continue;
    Bitmap picture;
    // Missing (or unreadable) bitmaps leave the image of gui.dxg.
    if (!TryLoadBitmap(LanguageFile("skins\\" + skin + "\\" + f.file), picture)) continue;
    TPictureCollectionItem& item = gui.Items[ItemIndex(f.image)];
    item.SetPicture(picture);
    if (DXDraw.Initialized()) item.BuildSurface();
  }
}

void TMain::LoadBallTextures() {
  for (int32_t i = 1; i <= kMaxPlayers; ++i) {
    const int32_t image = BallTextureImage(i);
    if (image >= gui.Items.Count()) continue;
    TPictureCollectionItem& item = gui.Items[image];
    const std::string& name = settings().texture[static_cast<size_t>(i - 1)];
    Bitmap picture;
    if (PlainName(name) && TryLoadBitmap(DataFile("textures\\" + name), picture)) {
      item.SetPicture(picture);
      if (DXDraw.Initialized()) item.BuildSurface();
    }
    ballTextures_[static_cast<size_t>(i - 1)] = MakeBallTexture(item);
  }
}

TWaveCollectionItem* TMain::Sound(int32_t index) {
  if (index < 0 || index >= sounds.Items.Count()) return nullptr;
  return &sounds.Items[index];
}

TWaveCollectionItem* TMain::BackgroundWave(int32_t index) {
  if (index < 0 || index >= bgsounds.Items.Count()) return nullptr;
  return &bgsounds.Items[index];
}

void TMain::PlaySound(int32_t index) {
  if (TWaveCollectionItem* item = Sound(index)) item->PlaySound();
}

void TMain::PlayBackgroundSound(int32_t index) {
  if (TWaveCollectionItem* item = BackgroundWave(index)) item->PlaySound();
}

void TMain::TurnEnded() {
  turnHandOver_.TurnEnded(session, *this);
}

int32_t TMain::SurfaceWidth() const {
  return DXDraw.SurfaceWidth();
}

int32_t TMain::SurfaceHeight() const {
  return DXDraw.SurfaceHeight();
}

void TMain::SetCursorPos(int32_t x, int32_t y) {
  // The pointer position changes only when the platform reports the move,
  // after the handler that re-anchored has finished: a click that closes a
  // card must not also start an aim at the screen centre.
  if (services_.setCursorPos) services_.setCursorPos(x, y);
}

void TMain::DrawCentred(const TDXImageList& list, int32_t index) {
  const TPictureCollectionItem* item = ImageItem(list, index);
  if (item == nullptr) return;
  TDirectDrawSurface& screen = DXDraw.Surface();
  item->DrawPattern(screen, (screen.Width() - item->PatternWidth()) / 2,
                    (screen.Height() - item->PatternHeight()) / 2, 0);
}

}  // namespace quendrix
