// The moving parts of particular holes, run once per frame after the shot
// control: drifting sprites over "course1hole5", obstacles on "course2hole9"
// and "course2hole5" that appear and vanish in a cycle and switch their
// course areas with them, and the rock fall of "course2hole1". Holes are
// chosen by their exact, case-sensitive name; every other hole has no
// animation of its own.
#pragma once

#include <cstdint>
#include <string_view>

namespace quendrix {

class GameSession;
class TDirectDrawSurface;
class TDXImageList;

// One frame of the current hole's animation. Sounds (and the rumble's
// volume) go through the session's events; random draws come from the visual
// stream. `screen` and `course` serve the drifting sprites.
void UpdateHoleAnimations(GameSession& session, TDirectDrawSurface& screen,
                          const TDXImageList& course);

// Advances holeCycle by 2 x substeps; past 255 it starts again at 0. True
// when it started again. holeCycle is kept from hole to hole.
bool AdvanceHoleCycle(GameSession& session);

// Shows or hides the three obstacles of "course2hole9" (slots 35 ... 37) and
// switches areas 40 ... 42 with them, for the current holeCycle.
void ShowCyclingObstacles(GameSession& session);

// Shows or hides the obstacle of "course2hole5" (slot 40) and switches area
// 53 with it, for the current holeCycle.
void ShowTimedObstacle(GameSession& session);

// Whether the hole has obstacles that come and go in a cycle
// ("course2hole9", "course2hole5"): when a putt is played matters there.
bool HasCyclingObstacles(std::string_view holeName);

// Whether area `area` of hole `holeName` is a cycling obstacle's: it stops
// balls only part of the time.
bool IsCyclingObstacleArea(std::string_view holeName, int32_t area);

// The share of a frame's hole animation that changes play: on a hole with
// cycling obstacles, advances holeCycle and shows or hides the obstacles
// with their areas (no sound). True when the cycle started again. Tools and
// the computer players' search run it in place of UpdateHoleAnimations.
bool CycleObstacles(GameSession& session);

// Volume of a rumble at (sourceX, sourceY) heard from the current player's
// ball: -perPixel hundredths of a decibel for every pixel between them.
int32_t RumbleVolume(const GameSession& session, int32_t sourceX, int32_t sourceY,
                     int32_t perPixel);

// Starts a rock fall on "course2hole1": the rumble and eight particles
// dropped from 100 px above the foot of the cliff.
void StartRockFall(GameSession& session);

}  // namespace quendrix
