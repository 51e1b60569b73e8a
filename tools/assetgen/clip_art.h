// The three video clips of the game, drawn with cairo frame by frame and
// encoded with libavcodec: the maker's logo "tarn.avi", the title sequence
// "intro.avi" (the game's own courses, a ball, the title) and the credits
// "credits.avi" (the game, its courses, and the free software and fonts it
// is built with, with their licences). 640 x 480, 25 pictures a second.
#pragma once

#include <string>
#include <vector>

#include "items.h"
#include "words.h"

namespace quendrix::assetgen {

inline constexpr int kClipWidth = 640, kClipHeight = 480, kClipFps = 25;
// Lengths, seconds.
inline constexpr double kLogoSeconds = 3.0;
inline constexpr double kIntroSeconds = 10.0;
inline constexpr double kCreditsSeconds = 26.0;

struct ClipOutput {
  DataFile clip;
  std::vector<DataFile> previews;  // PNG frames, for people
  std::string note;                // one line: length, size, sound levels
};

// `maxFrames` > 0 stops after that many pictures (tests compare short runs).
ClipOutput LogoClip(const Sources& sources, int maxFrames = 0);
ClipOutput IntroClip(const Sources& sources, int maxFrames = 0);
ClipOutput CreditsClip(const Sources& sources, int maxFrames = 0);
// The intro and the credits hold words: these draw them in the language of
// `tr`, into its folder ("en/intro.avi").
ClipOutput IntroClipIn(const Words& tr, const Sources& sources, int maxFrames = 0);
ClipOutput CreditsClipIn(const Words& tr, const Sources& sources, int maxFrames = 0);

}  // namespace quendrix::assetgen
