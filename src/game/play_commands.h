// The play screen's commands in one table: the key that gives each, what it
// does, and what a player reads about it. The key handling looks keys up
// here; the putting help's picture, README and the manual page must list
// every command (a test checks them), so none of them can drift.
// Translation: the help's words written here in Russian (helpKey,
// helpCaption) are the catalogue's keys as they stand: scripts/update-pot
// takes every Cyrillic text of this table, and the asset generator draws
// each language's help through its catalogue.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "media/input.h"

namespace quendrix {

// Function keys the commands use.
inline constexpr uint16_t kKeyF3 = vk::kF1 + 2;
inline constexpr uint16_t kKeyF4 = vk::kF1 + 3;
inline constexpr uint16_t kKeyF5 = vk::kF1 + 4;
inline constexpr uint16_t kKeyF8 = vk::kF1 + 7;

enum class PlayAction : uint8_t {
  kPuttHelp,      // the putting help
  kPuttStyle,     // push or pull putting, for the current player
  kSound,         // all sound on or off
  kAmbientSound,  // the hole's ambient loop on or off
  kFrameRate,     // 60, 15, 30 frames a second in turn
  kCompactPanel,  // the small panel or the full one
  kRecentre,      // glide back to the ball
  kScoreCard,     // the score card, while no ball moves
  kScrollUp,      // held: scroll the view, while no ball moves
  kScrollDown,
  kScrollLeft,
  kScrollRight,
  kShowNames,  // held: every player's name over the balls
  kCancelAim,  // the right mouse button, pressed or released
  kQuit,       // the question "leave?", which Enter answers
  kTitleCard,  // the hole's title card
};

// A gamepad's button that gives a command; the gamepad's buttons join here.
enum class PadButton : uint8_t { kNone };

struct PlayCommand {
  PlayAction action;
  uint16_t key;  // virtual-key code; 0 for the mouse's command
  PadButton pad;
  // How README and the manual page name the key, and how the putting help
  // names it (UTF-8) with its caption; a command with an empty help key is
  // not on the help's picture.
  std::string_view docKey;
  std::string_view helpKey;
  std::string_view helpCaption;
};

// In the putting help's order; the four arrows share one line there.
inline constexpr PlayCommand kPlayCommands[] = {
    {PlayAction::kPuttHelp, vk::kF1, PadButton::kNone, "F1", "F1", "эта подсказка"},
    {PlayAction::kPuttStyle, kKeyF8, PadButton::kNone, "F8", "F8", "пул / пуш"},
    {PlayAction::kSound, kKeyF4, PadButton::kNone, "F4", "F4", "звук"},
    {PlayAction::kAmbientSound, kKeyF3, PadButton::kNone, "F3", "F3", "фоновый звук"},
    {PlayAction::kFrameRate, kKeyF5, PadButton::kNone, "F5", "F5", "частота кадров"},
    {PlayAction::kCompactPanel, vk::kSpace, PadButton::kNone, "Space", "Пробел", "малая панель"},
    {PlayAction::kRecentre, vk::kHome, PadButton::kNone, "Home", "Home", "к мячу"},
    {PlayAction::kScoreCard, vk::kEnd, PadButton::kNone, "End", "End", "счёт"},
    {PlayAction::kScrollUp, vk::kUp, PadButton::kNone, "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kScrollDown, vk::kDown, PadButton::kNone, "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kScrollLeft, vk::kLeft, PadButton::kNone, "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kScrollRight, vk::kRight, PadButton::kNone, "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kShowNames, vk::kReturn, PadButton::kNone, "holding Enter", "Enter",
     "имена игроков"},
    {PlayAction::kCancelAim, 0, PadButton::kNone, "right mouse button", "Правая кнопка",
     "отмена удара"},
    {PlayAction::kQuit, vk::kEscape, PadButton::kNone, "Esc", "Esc", "выход"},
    // Not on the help's picture yet: adding it changes the picture.
    {PlayAction::kTitleCard, vk::kPrior, PadButton::kNone, "Page Up", "", ""},
};

// The command a key gives; nullptr for any other key (and for 0).
constexpr const PlayCommand* FindPlayCommand(uint16_t key) {
  if (key == 0) return nullptr;
  for (const PlayCommand& c : kPlayCommands)
    if (c.key == key) return &c;
  return nullptr;
}

}  // namespace quendrix
