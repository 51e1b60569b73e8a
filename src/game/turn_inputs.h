// The inputs of the players who do not use the machine's mouse: the
// computer players. The play screen knows them only through this interface;
// the program around it plugs them in (src/computer), so the rules, the HUD
// and the scoring see nothing but pointer moves, buttons and keys, and a
// replay records them like anyone's.
#pragma once

#include <cstdint>

#include "media/input.h"

namespace quendrix {

class GameSession;

class TurnInputs {
 public:
  virtual ~TurnInputs() = default;

  // True when player `player` (1 ... 4) plays through this source. During
  // that player's turn the machine's pointer and mouse buttons do not reach
  // the game (the keys do, and a card still closes on a click), so they
  // cannot aim for it.
  virtual bool Plays(int32_t player) const = 0;

  // Called before every frame of the play screen with the session as the
  // last frame and the inputs since left it. The source may act through
  // `hands` as a person at the machine would (pointer moves, presses and
  // releases in screen pixels, keys); each is handled, and recorded, at
  // once.
  virtual void BeforeFrame(const GameSession& session, InputHandler& hands) = 0;
};

}  // namespace quendrix
