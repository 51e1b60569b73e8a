// quendrix-hudshot: the HUD and the score card in typical situations, drawn
// from the interface lists of a data folder over a plain striped course, one
// PNG picture per situation.
//
//   quendrix-hudshot OUTDIR [--data DIR] [--screen 640|800|1024]
//
// The data folder (gui.dxg, menu.dxg) defaults to the folder of this program.
// The texts and pictures are those of the language the locale variables
// choose, as in the game (LANGUAGE=de quendrix-hudshot out).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "core/cp1251.h"
#include "core/language.h"
#include "core/program_folder.h"
#include "game/game_state.h"
#include "game/hud.h"
#include "game/play_texts.h"
#include "game/scoring.h"
#include "media/image_list.h"
#include "media/media_error.h"
#include "media/surface.h"
#include "platform/png.h"

namespace {

using namespace quendrix;

void LoadList(TDXImageList& list, const std::filesystem::path& data, const char* name) {
  list.LoadListFile((data / name).string());
  const std::filesystem::path local = LanguageVariant(data, name);
  if (local != data / name) list.OverlayListFile(local.string());
  for (int32_t i = 0; i < list.Items.Count(); ++i) list.Items[i].BuildSurface();
}

// Grass in broad stripes, with a white dot for each ball in play.
void DrawCourse(const GameSession& s, TDirectDrawSurface& screen) {
  const uint16_t light = TDirectDrawSurface::ToRgb565(MakeColor(70, 150, 60));
  const uint16_t dark = TDirectDrawSurface::ToRgb565(MakeColor(58, 132, 52));
  for (int32_t y = 0; y < screen.Height(); ++y) {
    uint16_t* row = screen.Row(y);
    for (int32_t x = 0; x < screen.Width(); ++x) row[x] = ((x + y) / 48) % 2 ? light : dark;
  }
  const uint16_t white = TDirectDrawSurface::ToRgb565(clWhite);
  for (int32_t p = 1; p <= s.playerCount; ++p) {
    const playerrec& b = s.players[p];
    if (!b.inPlay) continue;
    for (int32_t dy = -5; dy <= 5; ++dy)
      for (int32_t dx = -5; dx <= 5; ++dx)
        if (dx * dx + dy * dy <= 25)
          screen.PutRawPixel(static_cast<int32_t>(b.x) - s.scrollX + dx,
                             static_cast<int32_t>(b.y) - s.scrollY + dy, white);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quendrix-hudshot OUTDIR [--data DIR] [--screen 640|800|1024]\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::path data = ExecutableFolder(argv[0]);
  int32_t width = 640;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--data") {
      data = argv[i + 1];
    } else if (option == "--screen") {
      width = std::atoi(argv[i + 1]);
    } else {
      std::fprintf(stderr, "quendrix-hudshot: unknown option %s\n", option.c_str());
      return 2;
    }
  }
  StartLanguage(ExecutableFolder(argv[0]));
  const int32_t height = width == 1024 ? 768 : width == 800 ? 600 : 480;
  if (width != 1024 && width != 800) width = 640;

  TDXImageList gui, menu;
  try {
    LoadList(gui, data, "gui.dxg");
    LoadList(menu, data, "menu.dxg");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrix-hudshot: %s\n", e.what());
    return 1;
  }
  std::filesystem::create_directories(out);

  LaunchSettings settings;
  settings.players = 3;
  TDirectDrawSurface screen(width, height);
  int written = 0;

  // Each situation starts from a game of four players on hole 4, par 3.
  const auto shoot = [&](const char* name, const std::function<void(GameSession&)>& setUp,
                         bool scoreCard = false) {
    GameSession s(settings, nullptr, 7);
    s.playerCount = settings.PlayerCount();
    s.holePar = 3;
    s.totalPar = 12;
    s.holeNumber = 4;
    s.tickerPos = -1;
    s.pointerX = width / 2 + 40;
    s.pointerY = height / 2 + 60;
    const char* names[4] = {"Игрок  1", "Пётр", "Anna", "Щукина Жанна"};
    for (int32_t p = 1; p <= 4; ++p) {
      playerrec& b = s.players[p];
      b.name = Utf8ToCp1251(names[p - 1]);
      b.pullPutt = p != 2;
      b.x = width / 2 - 150 + 100 * p;
      b.y = height / 2 + 20 * (p % 2);
      b.inPlay = p <= 2;
      b.totalStrokes = 10 + p;
      b.toPar = b.totalStrokes - s.totalPar;
      for (int32_t h = 1; h <= 3; ++h) b.holeScores[h] = 2 + (p + h) % 4;
    }
    s.currentPlayer = 2;
    s.players[2].strokes = 2;
    setUp(s);
    DrawCourse(s, screen);
    DrawHud(s, screen, gui, menu);
    if (scoreCard) DrawScoreCard(s, screen, menu);
    DrawPointer(s, screen, gui);
    const std::filesystem::path file = out / (std::string(name) + ".png");
    if (!SavePng(screen, file.string())) {
      std::fprintf(stderr, "quendrix-hudshot: cannot write %s\n", file.string().c_str());
      std::exit(1);
    }
    ++written;
  };

  shoot("full_panel", [](GameSession&) {});
  shoot("labels_and_banner", [](GameSession& s) {
    s.enterHeld = true;
    s.bannerText = HoleOutBanner(2, 3);
    s.bannerFade = 255;
  });
  shoot("hint_and_pressed_button", [](GameSession& s) {
    s.pointerX = 50;
    s.pointerY = 88;
    s.buttonDown[2] = true;
  });
  shoot("ticker", [](GameSession& s) {
    s.tickerText = Text(PlayText::kPullOn);
    s.tickerPos = 4 * 20;
  });
  shoot("compact_panel", [](GameSession& s) {
    s.compactHud = true;
    s.players[2].strokes = 10;
  });
  shoot("compact_ticker", [](GameSession& s) {
    s.compactHud = true;
    s.tickerText = std::string(19, ' ') + std::string(Text(PlayText::kExtraStroke));
    s.tickerPos = 4 * 16;
  });
  shoot("quit_question", [](GameSession& s) { s.quitAsked = true; });
  shoot("stroke_limit", [](GameSession& s) {
    s.bannerText = Text(PlayText::kStrokeLimit);
    s.bannerFade = 255;
  });
  shoot(
      "score_card_lowest", [](GameSession& s) { s.gameState = GameState::kScoreCard; }, true);
  settings.scoring = 1;
  shoot(
      "score_card_most_holes",
      [](GameSession& s) {
        s.players[1].holesWon = 2;
        s.players[3].holesWon = 2;
      },
      true);
  settings.players = 0;
  settings.scoring = 0;
  shoot(
      "score_card_final_one_player",
      [](GameSession& s) {
        s.gameOver = true;
        s.holeNumber = 10;
        s.currentPlayer = 1;
        for (int32_t h = 1; h <= 9; ++h) s.players[1].holeScores[h] = 1 + h % 5;
        s.players[1].totalStrokes = 29;
        s.totalPar = 27;
        s.players[1].toPar = 2;
      },
      true);
  std::printf("%d pictures in %s\n", written, out.string().c_str());
  return 0;
}
