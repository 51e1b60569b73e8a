// Row kernels of the drawing surface: colour-keyed copies and the three
// blends on RGB565 pixels. Every draw of the game ends up here, so these run
// on plain row pointers, eight or sixteen pixels at a time where the CPU
// allows, and never allocate.
//
// Blends widen each channel to 8 bits by a shift (r8 = r5 << 3,
// g8 = g6 << 2), combine at 8 bits and narrow back by the same shift. With
// c1 = source, c2 = destination, a = alpha:
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

// As BlendRow with the source at twice its width: dst[i] blends src[i / 2].
// Not for full-strength alpha (a copy: use GatherRow and CopyRow).
void BlendRowDoubled(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                     bool keyed, uint16_t key);

// The same results one pixel at a time, without vector instructions: the
// reference the fast kernels are checked against.
void BlendRowScalar(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                    bool keyed, uint16_t key);

// One row of a scaled source: dst[i] = src[(x0 + i * step) >> 16] for
// i < n (16.16 fixed point, nearest sample). Twice-size rows take a fast path.
void GatherRow(uint16_t* dst, const uint16_t* src, int32_t n, int64_t x0, int64_t step);

// Which kernels BlendRow and CopyRow use: "avx512", "avx2", "sse2" or
// "scalar". The best the processor runs is chosen at start.
const char* KernelName();
// Switches to the named kernels (for comparing them in tests and
// benchmarks); false, and no change, when this processor cannot run them.
bool SelectKernels(const char* name);

}  // namespace quendrix::blit
