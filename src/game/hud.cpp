#include "game/hud.h"

#include <string_view>

#include "core/rounding.h"
#include "game/font_text.h"
#include "game/game_state.h"
#include "game/list_items.h"
#include "game/play_texts.h"

namespace quendrix {

namespace {

constexpr int32_t kButtonTop = 76;
constexpr int32_t kButtonHoverSize = 26;
constexpr int32_t kButtonPressSize = 22;
constexpr int32_t kButtonPitch = 22;
// Widest ticker window, characters.
constexpr size_t kTickerCompact = 21;
constexpr size_t kTickerFull = 28;
// The banner's centring assumes this glyph width, pixels.
constexpr int32_t kBannerGlyph = 23;
// Score texts of players 1 ... 4 on the full panel.
constexpr std::array<TPoint, 4> kScorePlaces = {{{19, 27}, {64, 27}, {19, 48}, {64, 48}}};
// Screen positions beyond this many pixels are not drawn at all: nothing
// there could be seen, and the sums below stay far from overflow.
constexpr int64_t kFarOff = 1 << 20;

int32_t Players(const GameSession& s) {
  return s.playerCount < 1 ? 1 : s.playerCount > kMaxPlayers ? kMaxPlayers : s.playerCount;
}

int32_t Current(const GameSession& s) {
  return s.currentPlayer < 1 || s.currentPlayer > kMaxPlayers ? 1 : s.currentPlayer;
}

void DrawImage(TDirectDrawSurface& screen, const TDXImageList& list, GuiImage image, int32_t x,
               int32_t y, int32_t pattern = 0) {
  if (const TPictureCollectionItem* item = ImageItem(list, image))
    item->DrawPattern(screen, x, y, pattern);
}

// A reusable line of text, reserved once per thread so that a frame does not
// allocate.
std::string& Scratch() {
  thread_local std::string line = [] {
    std::string text;
    text.reserve(256);
    return text;
  }();
  line.clear();
  return line;
}

void DrawNumber(TDirectDrawSurface& screen, const TDXImageList& gui, int32_t value, int32_t x,
                int32_t y) {
  std::string& text = Scratch();
  AppendNumber(text, value);
  DrawText(screen, gui, text, x, y);
}

// The name box and label over player p's ball.
void DrawBallLabel(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& gui, int32_t p) {
  const playerrec& b = s.players[p];
  const int64_t bx = int64_t{Nearest(b.x)} - s.scrollX;
  const int64_t by = int64_t{Nearest(b.y)} - s.scrollY - Nearest(b.z);
  if (bx < -kFarOff || bx > kFarOff || by < -kFarOff || by > kFarOff) return;
  DrawImage(screen, gui, GuiImage::kNameBox, static_cast<int32_t>(bx - 52),
            static_cast<int32_t>(by - 40));
  std::string& label = Scratch();
  BuildLabel(label, s, p, kLabelOverBall);
  const int64_t x = bx - 3 * static_cast<int64_t>(label.size());
  DrawText(screen, gui, label, static_cast<int32_t>(x), static_cast<int32_t>(by - 35));
}

void DrawCompactPanel(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& gui) {
  const playerrec& current = s.players[Current(s)];
  DrawNumber(screen, gui, s.holePar, 221, 9);
  DrawNumber(screen, gui, current.strokes, current.strokes >= 10 ? 201 : 206, 9);
  if (s.tickerPos == -1 && s.hoverHint.empty()) {
    std::string& label = Scratch();
    BuildLabel(label, s, Current(s), kLabelCompact);
    DrawText(screen, gui, label, 80, 9);
  }
  DrawText(screen, gui, s.hoverHint, 80, 9);
}

void DrawFullPanel(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& gui) {
  const playerrec& current = s.players[Current(s)];
  if (!current.pullPutt) DrawImage(screen, gui, GuiImage::kPushSign, 193, 49);

  const TPoint pointer{s.pointerX, s.pointerY};
  for (int32_t k = 1; k <= 5; ++k) {
    if (s.buttonDown[k] && InsideRect(pointer, ButtonHoverRect(k))) {
      DrawImage(screen, gui, GuiImage::kButtonsDown, 17 + kButtonPitch * (k - 1), kButtonTop,
                k - 1);
    } else {
      s.buttonDown[k] = false;
    }
  }

  if (s.tickerPos == -1) {
    if (const char* hint = HintAt(s.pointerX, s.pointerY)) s.hoverHint = hint;
    if (s.hoverHint.empty()) {
      std::string& label = Scratch();
      BuildLabel(label, s, Current(s), kLabelFull);
      DrawText(screen, gui, label, 116, 31);
    }
    DrawText(screen, gui, s.hoverHint, 116, 31);
  }

  DrawNumber(screen, gui, s.holePar, 161, 48);
  DrawNumber(screen, gui, current.strokes, current.strokes >= 10 ? 113 : 118, 48);

  const int32_t count = Players(s);
  for (int32_t p = 1; p <= count; ++p) {
    std::string& text = Scratch();
    BuildScoreText(text, s.players[p].toPar);
    const TPoint at = kScorePlaces[static_cast<size_t>(p - 1)];
    DrawDigits(screen, gui, text, at.x, at.y);
  }
}

void DrawTicker(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& gui) {
  if (4 * static_cast<int64_t>(s.tickerText.size()) < s.tickerPos) s.tickerPos = -1;
  if (s.tickerPos == -1) return;
  s.tickerPos += s.substeps;
  const int32_t first = s.tickerPos / 4 > 1 ? s.tickerPos / 4 : 1;  // 1-based
  const std::string_view text = s.tickerText;
  const size_t from = static_cast<size_t>(first - 1);
  if (from >= text.size()) return;
  const std::string_view window = text.substr(from, s.compactHud ? kTickerCompact : kTickerFull);
  if (s.compactHud) {
    DrawText(screen, gui, window, 80, 9);
  } else {
    DrawText(screen, gui, window, 116, 31);
  }
}

void DrawBanner(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& menu) {
  if (s.quitAsked) {
    s.bannerText = Text(PlayText::kQuitQuestion);
    s.bannerFade = 195 + s.visualRandom.RandomBelow(10);
  }
  if (s.bannerFade <= 0) return;

  const int32_t strength = s.bannerFade * 3 / 4;
  const int64_t width = kBannerGlyph * static_cast<int64_t>(s.bannerText.size());
  const int32_t left = static_cast<int32_t>((screen.Width() - width) / 2);
  const int32_t top = screen.Height() / 2 - 30;
  const int32_t x1 = left + s.visualRandom.RandomBelow(2);
  DrawBlockText(screen, menu, s.bannerText, x1, top, strength);
  const int32_t x2 = left + s.visualRandom.RandomBelow(4);
  const int32_t y2 = top + s.visualRandom.RandomBelow(2);
  DrawBlockText(screen, menu, s.bannerText, x2, y2, strength);

  // The fade speeds up as the banner weakens: 2 a substep at 255, 51 at 10.
  s.bannerFade -= (512 / s.bannerFade) * s.substeps;
  if (s.bannerFade < 0) s.bannerFade = 0;
  if (s.bannerFade == 0) s.bannerText.clear();
}

}  // namespace

TRect ButtonHoverRect(int32_t k) {
  const int32_t left = 16 + kButtonPitch * (k - 1);
  return {left, kButtonTop, left + kButtonHoverSize, kButtonTop + kButtonHoverSize};
}

TRect ButtonPressRect(int32_t k) {
  const int32_t left = 17 + kButtonPitch * (k - 1);
  return {left, kButtonTop, left + kButtonPressSize, kButtonTop + kButtonPressSize};
}

void BuildLabel(std::string& out, const GameSession& session, int32_t player, size_t nameChars) {
  const playerrec& p = session.players[player];
  AppendNumber(out, player);
  out += ". ";
  AppendFontName(out, p.name, nameChars);
  out += " (";
  AppendNumber(out, p.totalStrokes);
  out += ')';
}

void BuildScoreText(std::string& out, int32_t toPar) {
  if (toPar >= 0) out += 'o';
  AppendNumber(out, toPar);
}

const char* HintAt(int32_t x, int32_t y) {
  const TPoint at{x, y};
  const char* hint = nullptr;
  for (int32_t k = 1; k <= 5; ++k)
    if (InsideRect(at, ButtonHoverRect(k)))
      hint =
          Text(static_cast<PlayText>(static_cast<int32_t>(PlayText::kHintRepeat) + k - 1)).data();
  if (InsideRect(at, kScoreCardArea)) hint = Text(PlayText::kHintScoreCard).data();
  if (InsideRect(at, kCloseBox)) hint = Text(PlayText::kHintClose).data();
  return hint;
}

void DrawHud(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& gui,
             const TDXImageList& menu) {
  const int32_t count = Players(s);
  const int32_t current = Current(s);

  // 1. Labels over the balls: every ball in play while Enter is held, the
  // current player's whenever nothing moves and no shot is under way.
  if (s.enterHeld)
    for (int32_t p = 1; p <= count; ++p)
      if (s.players[p].inPlay) DrawBallLabel(s, screen, gui, p);
  if (!s.ballsMoving && s.shotPhase == 0) DrawBallLabel(s, screen, gui, current);

  // 2. Live score once the hole's par is reached.
  playerrec& player = s.players[current];
  if (player.strokes >= s.holePar) player.toPar = player.totalStrokes - s.totalPar;

  // 3 ... 5.
  DrawImage(screen, gui, s.compactHud ? GuiImage::kCompactPanel : GuiImage::kPanel, 4, 4);
  if (s.compactHud) {
    DrawCompactPanel(s, screen, gui);
  } else {
    DrawFullPanel(s, screen, gui);
  }

  // 6.
  s.hoverHint.clear();

  // 7, 8.
  DrawTicker(s, screen, gui);
  DrawBanner(s, screen, menu);
}

void DrawPointer(const GameSession& session, TDirectDrawSurface& screen, const TDXImageList& gui) {
  if (session.shotPhase != 0 || session.ballsMoving) return;
  DrawImage(screen, gui, GuiImage::kPointer, session.pointerX, session.pointerY);
}

}  // namespace quendrix
