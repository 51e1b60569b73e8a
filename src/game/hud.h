// The heads-up display drawn over the course every frame: name labels over
// the balls, the panel in the top-left corner (full or compact) with par,
// strokes, every player's score against par, five buttons with hover hints
// and the current player's name, a scrolling ticker, a large fading banner,
// and last of all the game's own pointer. Screen pixels throughout; the
// panel picture stands at (4, 4) and the coordinates below assume the
// skin's layout of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "media/surface.h"

namespace quendrix {

class GameSession;
class TDXImageList;

// Hit areas, edges included (InsideRect). Buttons 1 ... 5 light up and show
// their hint over 26 x 26 squares but are pressed and clicked over the
// smaller 22 x 22 squares one pixel to the right.
TRect ButtonHoverRect(int32_t k);
TRect ButtonPressRect(int32_t k);
inline constexpr TRect kScoreCardArea{21, 28, 103, 65};
inline constexpr TRect kCloseBox{267, 7, 274, 13};
inline constexpr TRect kPuttSign{196, 49, 196 + 40, 49 + 16};
inline constexpr TRect kPanelTopStrip{4, 4, 4 + 265, 4 + 15};

// Hints as stored, trailing blanks included; the game draws them in the
// run's language (play_texts.h).
inline constexpr std::array<const char*, 5> kButtonHints = {
    "Y0BT0P C00SUEHNR   ", "N3MEHEHNE CTNVR JDAPA", "3BJK BK/BLIK (O3)", "Y0M0UL JDAPA (O1)",
    "QEHTP0BKA (H0ME) "};
inline constexpr const char* kScoreCardHint = "Y0KA3 PE3JVLTATA   ";
inline constexpr const char* kCloseHint = "  BLIX0D (ZCK)  ";
inline constexpr const char* kQuitBanner = "HAGMNTE BB0D DVR BLIX0DA   ";

// Player names shown: cells over the ball, on the compact and full panel.
inline constexpr size_t kLabelOverBall = 11;
inline constexpr size_t kLabelCompact = 13;
inline constexpr size_t kLabelFull = 17;

// "p. NAME (totalStrokes)" with the first `nameChars` characters of the name
// spelled for the font.
void BuildLabel(std::string& out, const GameSession& session, int32_t player, size_t nameChars);
// A score against par for the digits font: "-2", or "o0", "o3" (the sign
// cell before a score of zero or more).
void BuildScoreText(std::string& out, int32_t toPar);
// The hint of the last panel element under (x, y) on the full panel, or
// nullptr.
const char* HintAt(int32_t x, int32_t y);

// One HUD pass, in order: labels, live score, panel, ticker, banner. Draws
// the banner's shimmer from the visual random stream; advances the ticker
// and the banner's fade by `substeps`.
void DrawHud(GameSession& session, TDirectDrawSurface& screen, const TDXImageList& gui,
             const TDXImageList& menu);

// The game's pointer, while no shot is under way and no ball moves.
void DrawPointer(const GameSession& session, TDirectDrawSurface& screen, const TDXImageList& gui);

}  // namespace quendrix
