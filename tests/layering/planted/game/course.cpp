// A tree of its own for the layering check's test: a game-core file that
// includes SDL, which the check must report (line 6). Never compiled.
#include "core/angles.h"
#include "game/game_state.h"

#include <SDL.h>
