// The registry of recipes: what the generator makes, list by list.
#include <atomic>
#include <exception>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "clip_art.h"
#include "flic_art.h"
#include "fonts.h"
#include "gui_art.h"
#include "hole_art.h"
#include "hole_model.h"
#include "hole_sounds.h"
#include "hole_sprites.h"
#include "icon_art.h"
#include "items.h"
#include "launchpad_art.h"
#include "menu_art.h"
#include "sounds.h"
#include "style.h"
#include "textures.h"

namespace quendrix::assetgen {
namespace {

// Russian, then the other languages.
std::vector<Words> AllLanguages(const Sources& src) {
  std::vector<Words> all{Words()};
  all.insert(all.end(), src.languages.begin(), src.languages.end());
  return all;
}

PixelFont HudPixels(const Sources& src) {
  return LoadPixelFont(src.assetsDir + "/fonts/hud_5x7.txt");
}

// gui.dxg: the interface pictures, each at its catalogue number.
void BuildGui(const Sources& src, DataSet& data) {
  const SkinStyle& s = BuiltInSkin();
  PixelFont pixels = HudPixels(src);
  Picture font = HudFont(s, pixels);
  ImageList list;
  list.path = "gui.dxg";
  auto& v = list.items;
  using enum GuiImage;
  Place(v, kPointer, MakeImageItem("pointer", Pointer(s)));
  Place(v, kPanel, MakeImageItem("panel", Panel(s, font)));
  Place(v, kCompactPanel, MakeImageItem("panelmin", CompactPanel(s, font)));
  Place(v, kButtonsDown, MakeImageItem("buttonsdown", PressedButtons(s), kButtonSize, kButtonSize));
  Place(v, kPushSign, MakeImageItem("pushputt", PushSign(s, font)));
  Place(v, kGauge, MakeImageItem("gauge", Gauge(s), kGaugeW, kGaugeH));
  Place(v, kTarget, MakeImageItem("target", Target(s), kTargetW, kTargetH));
  Place(v, kFont, MakeImageItem("font", font, kFontCellW, kFontCellH));
  Place(v, kDigits, MakeImageItem("numbers", Digits(s), kDigitCellW, kDigitCellH));
  Place(v, kPutterShadow, MakeImageItem("puttershadow", PutterShadow(), kPutterW, kPutterH));
  Place(v, kPutter, MakeImageItem("putter", Putter(), kPutterW, kPutterH));
  auto textures = BuiltInTextures();
  for (int p = 1; p <= 4; ++p) {
    ImageItem ball =
        MakeImageItem("ball" + std::to_string(p), textures[static_cast<size_t>(p - 1)].picture,
                      kBallSize, kBallSize);
    ball.transparent = false;  // ball textures are copied pixel for pixel, never colour-keyed
    Place(v, BallTextureImage(p), std::move(ball));
  }
  Place(v, kShading, MakeImageItem("shading", BallShading(), kBallSize, kBallSize));
  Place(v, kHighlight, MakeImageItem("highlight", HighlightRing(), kBallSize, kBallSize));
  Place(v, kShadow, MakeImageItem("shadow", BallShadow(), kBallSize, kBallSize));
  Place(v, kNameBox, MakeImageItem("namebox", NameBox(s)));
  CheckComplete(v, kGuiImageCount, list.path);
  data.imageLists.push_back(std::move(list));
  // Each language's pictures with letters, by the shared items' names.
  for (const Words& tr : src.languages) {
    Picture letters = HudFont(s, pixels, tr.language());
    data.imageLists.push_back({tr.Folder() + "gui.dxg",
                               {MakeImageItem("panel", Panel(s, letters, tr)),
                                MakeImageItem("pushputt", PushSign(s, letters, tr)),
                                MakeImageItem("font", letters, kFontCellW, kFontCellH)}});
  }
}

// menu.dxg: fonts and full-screen pictures of the play screen; every item
// holds letters, so each language has them all.
void BuildMenu(const Sources& src, DataSet& data) {
  for (const Words& tr : AllLanguages(src)) {
    ImageList list;
    list.path = tr.Folder() + "menu.dxg";
    auto& v = list.items;
    using enum MenuImage;
    Place(v, kBannerFont, MakeImageItem("banner", BannerFont(tr), kBannerCellW, kBannerCellH));
    Place(v, kLoading, MakeImageItem("loading", LoadingPicture(tr)));
    Place(v, kPullHelp, MakeImageItem("help pull", PullHelp(tr)));
    Place(v, kPushHelp, MakeImageItem("help push", PushHelp(tr)));
    Place(v, kScoreCard, MakeImageItem("scorecard", ScoreCard(tr)));
    Place(v, kScoreFont, MakeImageItem("menufont", MenuFont(tr), kMenuFontW, kMenuFontH));
    CheckComplete(v, kMenuImageCount, list.path);
    data.imageLists.push_back(std::move(list));
  }
}

// launchpad.dxg: the menu picture and its lit twin; 256 colours each, drawn
// opaque. Their captions make a language's list the same two items.
void BuildLaunchPad(const Sources& src, DataSet& data) {
  for (const Words& tr : AllLanguages(src)) {
    ImageList list;
    list.path = tr.Folder() + "launchpad.dxg";
    Place(list.items, LaunchpadImage::kMenu, MakeImageItem("menu", MenuPicture(false, tr)));
    Place(list.items, LaunchpadImage::kMenuLit, MakeImageItem("menu lit", MenuPicture(true, tr)));
    CheckComplete(list.items, kLaunchpadImageCount, list.path);
    for (ImageItem& item : list.items) {
      item.bitCount = 8;
      item.transparent = false;
    }
    data.imageLists.push_back(std::move(list));
  }
}

// The application icon at every size the desktop asks for, and scalable.
void BuildIcons(const Sources&, DataSet& data) {
  for (int size : kIconSizes)
    data.files.push_back({"icons/" + std::to_string(size) + "/quendrix.png", IconPng(size)});
  data.files.push_back({"icons/scalable/quendrix.svg", IconSvg()});
}

void BuildSounds(const Sources&, DataSet& data) {
  data.waveLists.push_back(EffectSounds());
  data.waveLists.push_back(MenuSounds());
}

void BuildSkins(const Sources& src, DataSet& data) {
  PixelFont pixels = HudPixels(src);
  for (const Words& tr : AllLanguages(src))
    for (const SkinStyle* s : {&SunsetSkin(), &MeadowSkin()})
      for (BitmapFile& f : SkinBitmaps(*s, pixels, tr)) data.bitmaps.push_back(std::move(f));
}

// The hole files, copied as they stand: they are the source of truth.
void BuildHoleFiles(const Sources& src, DataSet& data) {
  for (const std::string& name : HoleNames(src)) {
    std::ifstream in(HolePath(src, name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof()) throw std::runtime_error("cannot read " + HolePath(src, name));
    data.files.push_back({name + ".hole", bytes.str()});
  }
}

// Each hole's pictures and sounds, drawn from its hole file.
void BuildHoleArt(const Sources& src, DataSet& data) {
  for (const std::string& name : HoleNames(src)) {
    const HoleModel hole = LoadHoleModel(src, name);
    data.imageLists.push_back(HoleImages(hole));
    // A language's list holds the title card alone, over the course's own.
    const Picture& course = data.imageLists.back().items[ItemIndex(HoleImage::kCourse)].picture;
    for (const Words& tr : src.languages)
      data.imageLists.push_back({tr.Folder() + name + ".dxg",
                                 {MakeImageItem("title card", TitleCard(hole, course, tr))}});
    data.waveLists.push_back(HoleSounds(hole));
  }
}

void BuildTextures(const Sources&, DataSet& data) {
  for (BallTexture& t : FolderTextures())
    data.bitmaps.push_back({"textures/" + t.name + ".bmp", std::move(t.picture)});
}

// The launch pad's background loop and panel change.
void BuildAnimations(const Sources&, DataSet& data) {
  for (Animation& a : LaunchPadAnimations()) data.animations.push_back(std::move(a));
}

// The three video clips, with frames of each and a listing for the previews.
void BuildClips(const Sources& src, DataSet& data) {
  std::string listing;
  std::vector<std::function<ClipOutput()>> jobs = {[&] { return LogoClip(src); },
                                                   [&] { return IntroClip(src); },
                                                   [&] { return CreditsClip(src); }};
  // The intro and the credits hold words.
  for (const Words& tr : src.languages) {
    jobs.push_back([&] { return IntroClipIn(tr, src); });
    jobs.push_back([&] { return CreditsClipIn(tr, src); });
  }
  // Each clip on its own (its canvas, its encoder): two at a time, the
  // results in the order above, the same bytes as one after another.
  std::vector<ClipOutput> clips(jobs.size());
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto work = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++) {
      try {
        clips[i] = jobs[i]();
      } catch (...) {
        std::lock_guard<std::mutex> lock(failureLock);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  std::thread helper(work);
  work();
  helper.join();
  if (failure) std::rethrow_exception(failure);
  for (ClipOutput& c : clips) {
    data.files.push_back(std::move(c.clip));
    for (DataFile& f : c.previews) data.previews.push_back(std::move(f));
    listing += c.note + "\n";
  }
  data.previews.push_back({"clips.txt", listing});
}

}  // namespace

ImageItem MakeImageItem(std::string name, Picture picture, int pw, int ph) {
  ImageItem item;
  item.name = std::move(name);
  item.picture = std::move(picture);
  item.patternWidth = pw;
  item.patternHeight = ph;
  return item;
}

const std::vector<Recipe>& Recipes() {
  static const std::vector<Recipe> recipes = {
      {"gui", BuildGui},           {"menu", BuildMenu},       {"launchpad", BuildLaunchPad},
      {"icons", BuildIcons},       {"sounds", BuildSounds},   {"skins", BuildSkins},
      {"textures", BuildTextures}, {"holes", BuildHoleFiles}, {"holeart", BuildHoleArt},
      {"flic", BuildAnimations},   {"clips", BuildClips},
  };
  return recipes;
}

int ImageItem::Columns() const {
  int w = EffectiveWidth();
  return w > 0 ? (picture.Width() + skipWidth) / (w + skipWidth) : 0;
}

int ImageItem::Rows() const {
  int h = EffectiveHeight();
  return h > 0 ? (picture.Height() + skipHeight) / (h + skipHeight) : 0;
}

Picture ImageItem::Pattern(int k) const {
  int c = Columns();
  if (k < 0 || k >= PatternCount()) return Picture();
  int col = k % c, row = k / c;
  return picture.Crop(col * (EffectiveWidth() + skipWidth), row * (EffectiveHeight() + skipHeight),
                      EffectiveWidth(), EffectiveHeight());
}

}  // namespace quendrix::assetgen
