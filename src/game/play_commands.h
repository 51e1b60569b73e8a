// The play screen's commands in one table: the key and the gamepad buttons
// that give each, what it does, and what a player reads about it. The key
// and pad handling look them up here; the putting help's picture, README
// and the manual page must list every command (a test checks them), so
// none of them can drift.
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
  kPutt,       // the left mouse button: the putting gestures
};

struct PlayCommand {
  PlayAction action;
  uint16_t key;  // virtual-key code; 0 for the mouse's commands
  // The gamepad buttons that give it (kNone: none); a pad's button stands
  // for the key, or for the mouse button of the mouse's commands.
  PadButton pad;
  PadButton pad2;
  // How README and the manual page name the key, and how the putting help
  // names it (UTF-8) with its caption; a command with an empty help key is
  // not on the help's picture.
  std::string_view docKey;
  std::string_view helpKey;
  std::string_view helpCaption;
};

// In the putting help's order; the four arrows share one line there.
inline constexpr PlayCommand kPlayCommands[] = {
    {PlayAction::kPuttHelp, vk::kF1, PadButton::kBack, PadButton::kNone, "F1", "F1",
     "эта подсказка"},
    {PlayAction::kPuttStyle, kKeyF8, PadButton::kNone, PadButton::kNone, "F8", "F8", "пул / пуш"},
    {PlayAction::kSound, kKeyF4, PadButton::kNone, PadButton::kNone, "F4", "F4", "звук"},
    {PlayAction::kAmbientSound, kKeyF3, PadButton::kNone, PadButton::kNone, "F3", "F3",
     "фоновый звук"},
    {PlayAction::kFrameRate, kKeyF5, PadButton::kNone, PadButton::kNone, "F5", "F5",
     "частота кадров"},
    {PlayAction::kCompactPanel, vk::kSpace, PadButton::kNone, PadButton::kNone, "Space", "Пробел",
     "малая панель"},
    {PlayAction::kRecentre, vk::kHome, PadButton::kLeftShoulder, PadButton::kRightShoulder, "Home",
     "Home", "к мячу"},
    {PlayAction::kScoreCard, vk::kEnd, PadButton::kY, PadButton::kNone, "End", "End", "счёт"},
    {PlayAction::kScrollUp, vk::kUp, PadButton::kDpadUp, PadButton::kRightStickUp, "arrow keys",
     "Стрелки", "обзор поля"},
    {PlayAction::kScrollDown, vk::kDown, PadButton::kDpadDown, PadButton::kRightStickDown,
     "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kScrollLeft, vk::kLeft, PadButton::kDpadLeft, PadButton::kRightStickLeft,
     "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kScrollRight, vk::kRight, PadButton::kDpadRight, PadButton::kRightStickRight,
     "arrow keys", "Стрелки", "обзор поля"},
    {PlayAction::kShowNames, vk::kReturn, PadButton::kX, PadButton::kNone, "holding Enter", "Enter",
     "имена игроков"},
    {PlayAction::kCancelAim, 0, PadButton::kB, PadButton::kNone, "right mouse button",
     "Правая кнопка", "отмена удара"},
    {PlayAction::kQuit, vk::kEscape, PadButton::kStart, PadButton::kNone, "Esc", "Esc", "выход"},
    {PlayAction::kTitleCard, vk::kPrior, PadButton::kNone, PadButton::kNone, "Page Up", "Page Up",
     "карточка лунки"},
    // The putting gestures: the help's picture shows them in its steps.
    {PlayAction::kPutt, 0, PadButton::kA, PadButton::kNone, "left mouse button", "", ""},
};

// How README and the manual page name a pad's button ("pad A", "d-pad").
constexpr std::string_view PadDocName(PadButton b) {
  switch (b) {
    case PadButton::kA:
      return "pad A";
    case PadButton::kB:
      return "pad B";
    case PadButton::kX:
      return "pad X";
    case PadButton::kY:
      return "pad Y";
    case PadButton::kBack:
      return "pad Back";
    case PadButton::kStart:
      return "pad Start";
    case PadButton::kLeftShoulder:
      return "pad LB";
    case PadButton::kRightShoulder:
      return "pad RB";
    case PadButton::kDpadUp:
    case PadButton::kDpadDown:
    case PadButton::kDpadLeft:
    case PadButton::kDpadRight:
      return "d-pad";
    case PadButton::kRightStickUp:
    case PadButton::kRightStickDown:
    case PadButton::kRightStickLeft:
    case PadButton::kRightStickRight:
      return "right stick";
    case PadButton::kNone:
      break;
  }
  return {};
}

// The command a pad's button gives; nullptr for any other button.
constexpr const PlayCommand* FindPadCommand(PadButton button) {
  if (button == PadButton::kNone) return nullptr;
  for (const PlayCommand& c : kPlayCommands)
    if (c.pad == button || c.pad2 == button) return &c;
  return nullptr;
}

// The command a key gives; nullptr for any other key (and for 0).
constexpr const PlayCommand* FindPlayCommand(uint16_t key) {
  if (key == 0) return nullptr;
  for (const PlayCommand& c : kPlayCommands)
    if (c.key == key) return &c;
  return nullptr;
}

}  // namespace quendrix
