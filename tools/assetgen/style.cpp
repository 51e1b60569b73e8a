#include "style.h"

namespace quendrix::assetgen {

const SkinStyle& BuiltInSkin() {
  static const SkinStyle s = [] {
    SkinStyle k;
    k.folder = "";
    k.title = "built-in (lagoon)";
    k.bodyTop = {38, 86, 150};
    k.bodyBottom = {20, 48, 100};
    k.rim = {150, 210, 255};
    k.edge = {8, 20, 44};
    k.stripTop = {70, 140, 210};
    k.stripBottom = {34, 88, 158};
    k.field = {12, 30, 64};
    k.fieldEdge = {6, 14, 32};
    k.caption = {235, 245, 255};
    k.accent = {255, 214, 64};
    k.buttonTop = {120, 200, 255};
    k.buttonBottom = {30, 110, 200};
    k.buttonEdge = {8, 28, 60};
    k.icon = {255, 255, 255};
    k.pull = {40, 170, 190};
    k.push = {236, 128, 40};
    k.pointerFill = {250, 250, 252};
    k.pointerEdge = {16, 24, 48};
    k.target = {255, 226, 110};
    k.gaugeLow = {80, 220, 90};
    k.gaugeMid = {255, 220, 50};
    k.gaugeHigh = {250, 60, 40};
    k.pixelFont = true;
    k.pixel.inkTop = {255, 255, 255};
    k.pixel.inkBottom = {200, 226, 255};
    k.pixel.shadow = {4, 10, 26};
    k.digitTop = {255, 214, 64};
    k.digitBottom = {255, 170, 30};
    k.digitEdge = {40, 24, 4};
    return k;
  }();
  return s;
}

const SkinStyle& SunsetSkin() {
  static const SkinStyle s = [] {
    SkinStyle k;
    k.folder = "sunset";
    k.title = "sunset";
    k.bodyTop = {178, 70, 52};
    k.bodyBottom = {112, 34, 42};
    k.rim = {255, 200, 150};
    k.edge = {40, 10, 14};
    k.stripTop = {236, 130, 60};
    k.stripBottom = {186, 76, 46};
    k.field = {56, 16, 24};
    k.fieldEdge = {30, 6, 10};
    k.caption = {255, 236, 200};
    k.accent = {255, 236, 120};
    k.buttonTop = {255, 190, 100};
    k.buttonBottom = {210, 100, 40};
    k.buttonEdge = {60, 20, 10};
    k.icon = {255, 252, 240};
    k.pull = {60, 96, 176};
    k.push = {120, 70, 170};
    k.pointerFill = {255, 230, 160};
    k.pointerEdge = {60, 20, 10};
    k.target = {255, 170, 90};
    k.gaugeLow = {255, 240, 120};
    k.gaugeMid = {255, 150, 40};
    k.gaugeHigh = {230, 40, 80};
    // This skin letters its HUD with DejaVu Sans Mono Bold.
    k.pixelFont = false;
    k.outline.text.face = Face::kMonoBold;
    k.outline.text.size = 8.6;
    k.outline.text.colour = {255, 226, 170};
    k.outline.baseline = 7.6;
    k.outline.matte = {56, 16, 24};
    k.digitTop = {255, 244, 200};
    k.digitBottom = {255, 200, 120};
    k.digitEdge = {70, 16, 20};
    return k;
  }();
  return s;
}

const SkinStyle& MeadowSkin() {
  static const SkinStyle s = [] {
    SkinStyle k;
    k.folder = "meadow";
    k.title = "meadow";
    k.bodyTop = {236, 246, 214};
    k.bodyBottom = {196, 222, 170};
    k.rim = {255, 255, 255};
    k.edge = {36, 70, 30};
    k.stripTop = {140, 200, 90};
    k.stripBottom = {90, 160, 60};
    k.field = {252, 255, 240};
    k.fieldEdge = {90, 130, 70};
    k.caption = {255, 255, 255};
    k.accent = {230, 60, 50};
    k.buttonTop = {150, 220, 110};
    k.buttonBottom = {60, 150, 50};
    k.buttonEdge = {30, 70, 24};
    k.icon = {255, 255, 255};
    k.pull = {90, 170, 230};
    k.push = {240, 130, 60};
    k.pointerFill = {255, 255, 240};
    k.pointerEdge = {30, 70, 24};
    k.target = {200, 255, 140};
    k.gaugeLow = {60, 200, 240};
    k.gaugeMid = {120, 230, 80};
    k.gaugeHigh = {255, 70, 50};
    // Dark letters on light fields: the same pixel shapes, inked green.
    k.pixelFont = true;
    k.pixel.inkTop = {30, 90, 30};
    k.pixel.inkBottom = {14, 54, 20};
    k.pixel.shadow = {170, 210, 150};
    k.digitTop = {40, 120, 40};
    k.digitBottom = {20, 80, 20};
    k.digitEdge = {236, 250, 220};
    return k;
  }();
  return s;
}

}  // namespace quendrix::assetgen
