// Rounding and integer division as the game's arithmetic uses them.
#pragma once

#include <cmath>
#include <cstdint>

namespace quendrix {

// The integer nearest to v, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Values beyond the int32 range saturate; NaN gives 0, so a
// corrupt position can never become undefined behaviour.
inline int32_t Nearest(double v) {
  if (!(v > -2147483648.5)) return v < 0.0 ? INT32_MIN : 0;
  if (!(v < 2147483647.5)) return INT32_MAX;
  // lrint honours the current rounding mode, which the game never changes
  // from round-to-nearest-even.
  return static_cast<int32_t>(std::lrint(v));
}

// a div b: integer division truncating toward zero (-7 div 2 = -3). b = 0
// gives 0 rather than a trap; INT32_MIN div -1 saturates.
inline int32_t Div(int32_t a, int32_t b) {
  if (b == 0) return 0;
  if (b == -1 && a == INT32_MIN) return INT32_MAX;
  return a / b;
}

}  // namespace quendrix
