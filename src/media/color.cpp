#include "media/color.h"

#include <array>
#include <cctype>

namespace quendrix {

namespace {

struct NamedColor {
  const char* name;
  TColor value;
};

constexpr std::array<NamedColor, 16> kPlain = {{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
}};

// Index order is stored in files as 0x80000000 + index: do not reorder.
constexpr std::array<const char*, 25> kSystemNames = {
    "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
    "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
    "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
    "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
    "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
    "clInfoBk",
};

// The classic grey desktop scheme, 0x00BBGGRR, same order as the names.
constexpr std::array<TColor, 25> kSystemValues = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080,
    0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF,
};

bool SameText(std::string_view a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

std::optional<TColor> ColorFromName(std::string_view name) {
  for (const auto& c : kPlain)
    if (SameText(name, c.name)) return c.value;
  for (size_t i = 0; i < kSystemNames.size(); ++i)
    if (SameText(name, kSystemNames[i])) return kSystemColorBase + static_cast<TColor>(i);
  if (SameText(name, "clNone")) return clNone;
  return std::nullopt;
}

std::optional<std::string> NameOfColor(TColor color) {
  for (const auto& c : kPlain)
    if (c.value == color) return std::string(c.name);
  if (color >= kSystemColorBase && color - kSystemColorBase < kSystemNames.size())
    return std::string(kSystemNames[color - kSystemColorBase]);
  if (color == clNone) return std::string("clNone");
  return std::nullopt;
}

TColor ColorToRgb(TColor color) {
  if (color >= kSystemColorBase) {
    const TColor index = color - kSystemColorBase;
    return index < kSystemValues.size() ? kSystemValues[index] : clBlack;
  }
  return color & 0xFFFFFF;
}

}  // namespace quendrix
