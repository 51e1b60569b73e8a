// Row kernels of the drawing surface: colour-keyed copies and the three
// blends on RGB565 pixels. Every draw of the game ends up here, so these run
// on plain row pointers, eight or sixteen pixels at a time where the CPU
// allows, and never allocate.
//
// Blends widen each channel to 8 bits by repeating its top bits
// (r8 = r5 << 3 | r5 >> 2, g8 = g6 << 2 | g6 >> 4), combine at 8 bits
// and narrow back by dropping the low bits. With c1 = source, c2 =
// destination, a = alpha:
//   add    a >= 255: min(c1 + c2, 255)      else min(((c1 * a) >> 8) + c2, 255)
//   alpha  a >= 255: c1                     else (c1 * a + c2 * (255 - a)) >> 8
//   sub    a >= 255: max(c2 - c1, 0)        else max(c2 - ((c1 * a) >> 8), 0)
// With `keyed`, source pixels equal to `key` leave the destination alone.
#pragma once

#include <cstdint>

namespace quendrix::blit {

enum class BlendOp { kAdd, kAlpha, kSub };

// dst[i] = src[i] for n pixels, skipping key pixels when keyed.
void CopyRow(uint16_t* dst, const uint16_t* src, int32_t n, bool keyed, uint16_t key);

// One blended row. alpha must be 1 or more (callers filter alpha <= 0);
// 255 and above mean full strength.
void BlendRow(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha, bool keyed,
              uint16_t key);

// The same results one pixel at a time, without vector instructions: the
// reference the fast kernels are checked against.
void BlendRowScalar(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                    bool keyed, uint16_t key);

// Which kernels BlendRow and CopyRow use on this machine: "avx2", "sse2" or "scalar".
const char* KernelName();

}  // namespace quendrix::blit
