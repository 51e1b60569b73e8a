// A small made-up set of the nineteen holes ("training1", "course1hole1" ...
// "course2hole9"), chained like the real ones, for bots, replays and tests
// that must not change when the real holes are redrawn. Flat 800 x 600
// greens with border walls, and on some holes sand, water, a slope or an
// inner wall; course pictures drawn plainly from the same geometry.
#pragma once

#include <filesystem>
#include <string>

namespace quendrix {

// The hole file text of practice hole `name`; empty for an unknown name.
std::string PracticeHoleText(const std::string& name);

// Writes every practice hole (.hole, .dxg, .dxw) into `dir`, and copies
// gui.dxg, menu.dxg and sound.dxw from `interfaceDir` beside them.
void WritePracticeData(const std::filesystem::path& dir, const std::filesystem::path& interfaceDir);

}  // namespace quendrix
