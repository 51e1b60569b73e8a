// The registry of recipes: what the generator makes, list by list.
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "clip_art.h"
#include "flic_art.h"
#include "fonts.h"
#include "gui_art.h"
#include "hole_art.h"
#include "hole_model.h"
#include "hole_sounds.h"
#include "icon_art.h"
#include "items.h"
#include "launchpad_art.h"
#include "menu_art.h"
#include "sounds.h"
#include "style.h"
#include "textures.h"

namespace quendrix::assetgen {
namespace {

ImageItem Item(std::string name, Picture picture, int pw = 0, int ph = 0) {
  ImageItem item;
  item.name = std::move(name);
  item.picture = std::move(picture);
  item.patternWidth = pw;
  item.patternHeight = ph;
  return item;
}

PixelFont HudPixels(const Sources& src) {
  return LoadPixelFont(src.assetsDir + "/fonts/hud_5x7.txt");
}

// gui.dxg: items 0 ... 18 in the order the game takes them by index.
void BuildGui(const Sources& src, DataSet& data) {
  const SkinStyle& s = BuiltInSkin();
  PixelFont pixels = HudPixels(src);
  Picture font = HudFont(s, pixels);
  ImageList list;
  list.path = "gui.dxg";
  auto& v = list.items;
  v.push_back(Item("pointer", Pointer(s)));
  v.push_back(Item("panel", Panel(s, font)));
  v.push_back(Item("panelmin", CompactPanel(s, font)));
  v.push_back(Item("buttonsdown", PressedButtons(s), kButtonSize, kButtonSize));
  v.push_back(Item("pushputt", PushSign(s, font)));
  v.push_back(Item("gauge", Gauge(s), kGaugeW, kGaugeH));
  v.push_back(Item("target", Target(s), kTargetW, kTargetH));
  v.push_back(Item("font", font, kFontCellW, kFontCellH));
  v.push_back(Item("numbers", Digits(s), kDigitCellW, kDigitCellH));
  v.push_back(Item("puttershadow", PutterShadow(), kPutterW, kPutterH));
  v.push_back(Item("putter", Putter(), kPutterW, kPutterH));
  auto textures = BuiltInTextures();
  for (int p = 0; p < 4; ++p)
    v.push_back(Item("ball" + std::to_string(p + 1), textures[p].picture, kBallSize, kBallSize));
  v.push_back(Item("shading", BallShading(), kBallSize, kBallSize));
  v.push_back(Item("highlight", HighlightRing(), kBallSize, kBallSize));
  v.push_back(Item("shadow", BallShadow(), kBallSize, kBallSize));
  v.push_back(Item("namebox", NameBox(s)));
  // Ball textures are copied pixel for pixel, never colour-keyed.
  for (int i = 11; i <= 14; ++i) v[i].transparent = false;
  data.imageLists.push_back(std::move(list));
}

// menu.dxg: 0 banner font, 1 loading picture, 2 pull help, 3 push help,
// 4 score card, 5 score card font.
void BuildMenu(const Sources&, DataSet& data) {
  ImageList list;
  list.path = "menu.dxg";
  auto& v = list.items;
  v.push_back(Item("banner", BannerFont(), kBannerCellW, kBannerCellH));
  v.push_back(Item("loading", LoadingPicture()));
  v.push_back(Item("help pull", PullHelp()));
  v.push_back(Item("help push", PushHelp()));
  v.push_back(Item("scorecard", ScoreCard()));
  v.push_back(Item("menufont", MenuFont(), kMenuFontW, kMenuFontH));
  data.imageLists.push_back(std::move(list));
}

// launchpad.dxg: 0 the menu picture, 1 its lit twin; 256 colours each,
// drawn opaque.
void BuildLaunchPad(const Sources&, DataSet& data) {
  ImageList list;
  list.path = "launchpad.dxg";
  list.items.push_back(Item("menu", MenuPicture(false)));
  list.items.push_back(Item("menu lit", MenuPicture(true)));
  for (ImageItem& item : list.items) {
    item.bitCount = 8;
    item.transparent = false;
  }
  data.imageLists.push_back(std::move(list));
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
  for (const SkinStyle* s : {&SunsetSkin(), &MeadowSkin()})
    for (BitmapFile& f : SkinBitmaps(*s, pixels)) data.bitmaps.push_back(std::move(f));
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
  for (ClipOutput (*make)(const Sources&, int) : {LogoClip, IntroClip, CreditsClip}) {
    ClipOutput c = make(src, 0);
    data.files.push_back(std::move(c.clip));
    for (DataFile& f : c.previews) data.previews.push_back(std::move(f));
    listing += c.note + "\n";
  }
  data.previews.push_back({"clips.txt", listing});
}

}  // namespace

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
