// Recipes of the menu list: banner font, loading picture, putting help
// pictures, score card and the score card's font.
#pragma once

#include <string_view>
#include <vector>

#include "image.h"
#include "media/input.h"
#include "words.h"

namespace quendrix::assetgen {

// Each in the language of `tr`.
Picture BannerFont(const Words& tr = {});  // BannerCodes, cells of kBannerCellW x kBannerCellH
Picture LoadingPicture(const Words& tr = {});
Picture PullHelp(const Words& tr = {});
Picture PushHelp(const Words& tr = {});
Picture ScoreCard(const Words& tr = {});
Picture MenuFont(const Words& tr = {});  // 67 cells of kMenuFontW x kMenuFontH

// The lines of the putting help's key table, from the play screen's command
// table: a key (UTF-8), the pad's buttons for it and what it does; commands
// sharing a key name (the arrows) share a line.
struct HelpKeyLine {
  std::string_view key;
  std::string_view caption;
  PadButton pad = PadButton::kNone, pad2 = PadButton::kNone;
};
std::vector<HelpKeyLine> HelpKeyLines();

// Score card layout the game writes into (offsets from the card's corner).
inline constexpr int kCardW = 620, kCardH = 360;
inline constexpr int kCardRowY = 139, kCardRowStep = 36;  // row i at 139 + 36 i
inline constexpr int kCardNameX = 28, kCardHoleX = 128, kCardHoleStep = 39;
inline constexpr int kCardTotalX = 534, kCardWonX = 572;
inline constexpr int kCardSummaryX = 154, kCardSummaryY = 319;
// Row colours of the card, the matte of the menu font.
inline constexpr Rgb kCardRowA{252, 250, 238}, kCardRowB{232, 243, 222};

}  // namespace quendrix::assetgen
