// The launch pad's look: flat fills, square corners, hairline borders, the
// warm grey panel face, grey text in DejaVu Sans, one green accent for what
// is chosen and a clear amber ring round the control the keys are on.
#pragma once

#include <imgui.h>

namespace quendrix::widgets {

// Colours (ImU32, as ImGui draws them). Made from RGB once.
struct FlatPalette {
  ImU32 face;          // panel face, RGB (224, 216, 207)
  ImU32 text;          // captions: grey, dark enough to read at 11 pixels
  ImU32 textDisabled;  // captions of disabled controls
  ImU32 textOnAccent;  // text on the accent (chosen list row)
  ImU32 field;         // inside of boxes, edits and lists
  ImU32 fieldHover;
  ImU32 fieldPressed;
  ImU32 border;  // hairline round fields
  ImU32 borderHover;
  ImU32 button;  // button face, a step darker than the panel
  ImU32 buttonHover;
  ImU32 buttonPressed;
  ImU32 buttonBorder;
  ImU32 tabIdle;  // tabs not shown
  ImU32 tabBorder;
  ImU32 accent;  // check marks, radio dots, the chosen row, the typing edit's border
  ImU32 focus;   // keyboard focus ring
  ImU32 scrollTrack;
  ImU32 scrollThumb;
};

const FlatPalette& Palette();

// Text size: pixel height of the font's ascent plus descent, which puts
// the em of DejaVu Sans at about 11 pixels.
inline constexpr float kFontPixels = 12.0f;
inline constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Sets the flat style on the current ImGui context.
void ApplyFlatStyle();
// Loads DejaVu Sans with Latin, Cyrillic and the rest of cp1251 into the
// current context's atlas, hinted for crisp small text. Without the file
// ImGui's own font is used (Latin only) and false comes back.
bool LoadFlatFont();

}  // namespace quendrix::widgets
