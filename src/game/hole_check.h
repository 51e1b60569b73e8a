// Checks a hole file for what a hole designer must fix: areas whose shape
// cannot act, parameters outside their limits, a missing cup, pipe exits that
// land off the picture or back inside their own area, walls thin enough for a
// fast ball to pass, and a broken chain of next holes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/course_areas.h"

namespace quendrix {

struct HoleCheckOptions {
  // Size of the course picture in pixels; 0 = unknown (no bounds checks).
  int32_t pictureWidth = 0;
  int32_t pictureHeight = 0;
  // Follow the next-hole names through the files beside this one.
  bool followChain = true;
};

struct HoleCheckResult {
  std::vector<std::string> problems;  // one line each; empty = nothing to fix
  std::vector<std::string> chain;     // hole names from this one onwards
};

// Checks the hole text `text` of hole `holeName`; `directory` is where the
// next holes are looked for.
HoleCheckResult CheckHole(std::string_view text, std::string_view holeName,
                          const std::filesystem::path& directory,
                          const HoleCheckOptions& options = {});

// The thinnest width of a quadrilateral wall, in pixels, across its
// narrowest direction.
double QuadWidth(const Quad& quad);

}  // namespace quendrix
