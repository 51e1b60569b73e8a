#include "media/blit.h"

#include <algorithm>
#include <cstring>

#include "media/blit_impl.h"

namespace quendrix::blit {

namespace {

// Channels are widened to 8 bits by a plain shift and narrowed by the same
// shift; the vector kernels rely on this to work on the channels directly.
inline uint32_t Widen5(uint32_t v) {
  return v << 3;
}
inline uint32_t Widen6(uint32_t v) {
  return v << 2;
}

inline uint32_t Combine(BlendOp op, uint32_t c1, uint32_t c2, int32_t alpha) {
  const bool full = alpha >= 255;
  const uint32_t a = static_cast<uint32_t>(alpha);
  switch (op) {
    case BlendOp::kAdd:
      return std::min((full ? c1 : (c1 * a) >> 8) + c2, 255u);
    case BlendOp::kAlpha:
      return full ? c1 : (c1 * a + c2 * (255 - a)) >> 8;
    case BlendOp::kSub: {
      const uint32_t t = full ? c1 : (c1 * a) >> 8;
      return c2 > t ? c2 - t : 0;
    }
  }
  return c2;
}

inline uint16_t BlendPixel(BlendOp op, uint16_t s, uint16_t d, int32_t alpha) {
  const uint32_t r = Combine(op, Widen5(s >> 11), Widen5(d >> 11), alpha);
  const uint32_t g = Combine(op, Widen6((s >> 5) & 63), Widen6((d >> 5) & 63), alpha);
  const uint32_t b = Combine(op, Widen5(s & 31), Widen5(d & 31), alpha);
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));  // narrowed
}

enum class Kernels { kScalar, kSse2, kAvx2, kAvx512 };

// The best kernels this processor runs.
Kernels Detect() {
#if QUENDRIX_BLIT_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512bw")) return Kernels::kAvx512;
  if (__builtin_cpu_supports("avx2")) return Kernels::kAvx2;
  return Kernels::kSse2;
#else
  return Kernels::kScalar;
#endif
}

constexpr const char* kKernelNames[] = {"scalar", "sse2", "avx2", "avx512"};

Kernels& Selected() {
  static Kernels kernels = Detect();
  return kernels;
}

Kernels Current() {
  return Selected();
}

}  // namespace

void BlendRowScalar(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                    bool keyed, uint16_t key) {
  if (op == BlendOp::kAlpha && alpha >= 255) {
    for (int32_t i = 0; i < n; ++i)
      if (!keyed || src[i] != key) dst[i] = src[i];
    return;
  }
  for (int32_t i = 0; i < n; ++i)
    if (!keyed || src[i] != key) dst[i] = BlendPixel(op, src[i], dst[i], alpha);
}

void BlendRow(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha, bool keyed,
              uint16_t key) {
  if (op == BlendOp::kAlpha && alpha >= 255) {
    CopyRow(dst, src, n, keyed, key);
    return;
  }
  int32_t done = 0;
#if QUENDRIX_BLIT_X86
  const Kernels kernels = Current();
  const int opIndex = static_cast<int>(op);
  if (kernels == Kernels::kAvx512)
    done = detail::BlendRowAvx512(opIndex, dst, src, n, alpha, keyed, key);
  if (kernels >= Kernels::kAvx2)
    done += detail::BlendRowAvx2(opIndex, dst + done, src + done, n - done, alpha, keyed, key);
  if (kernels != Kernels::kScalar)
    done += detail::BlendRowSse2(opIndex, dst + done, src + done, n - done, alpha, keyed, key);
#endif
  BlendRowScalar(op, dst + done, src + done, n - done, alpha, keyed, key);
}

void BlendRowDoubled(BlendOp op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                     bool keyed, uint16_t key) {
  int32_t done = 0;
#if QUENDRIX_BLIT_X86
  const Kernels kernels = Current();
  const int opIndex = static_cast<int>(op);
  if (kernels == Kernels::kAvx512)
    done = detail::BlendRowDoubledAvx512(opIndex, dst, src, n, alpha, keyed, key);
  if (kernels >= Kernels::kAvx2)
    done += detail::BlendRowDoubledAvx2(opIndex, dst + done, src + done / 2, n - done, alpha, keyed,
                                        key);
  if (kernels != Kernels::kScalar)
    done += detail::BlendRowDoubledSse2(opIndex, dst + done, src + done / 2, n - done, alpha, keyed,
                                        key);
#endif
  for (; done < n; ++done) BlendRowScalar(op, dst + done, src + done / 2, 1, alpha, keyed, key);
}

void CopyRow(uint16_t* dst, const uint16_t* src, int32_t n, bool keyed, uint16_t key) {
  if (n <= 0) return;
  if (!keyed) {
    std::memmove(dst, src, static_cast<size_t>(n) * sizeof(uint16_t));
    return;
  }
  int32_t done = 0;
#if QUENDRIX_BLIT_X86
  const Kernels kernels = Current();
  if (kernels == Kernels::kAvx512) done = detail::CopyKeyedAvx512(dst, src, n, key);
  if (kernels >= Kernels::kAvx2)
    done += detail::CopyKeyedAvx2(dst + done, src + done, n - done, key);
  if (kernels != Kernels::kScalar)
    done += detail::CopyKeyedSse2(dst + done, src + done, n - done, key);
#endif
  for (int32_t i = done; i < n; ++i)
    if (src[i] != key) dst[i] = src[i];
}

// dst[i] = src[(x0 + i * step) >> 16] for i < n.
void GatherRow(uint16_t* dst, const uint16_t* src, int32_t n, int64_t x0, int64_t step) {
  int32_t i = 0;
  if (step == 32768) {
    // Twice the size: every source pixel twice. Start on a pair boundary,
    // then write pairs as one 32-bit value.
    if ((x0 & 0xFFFF) != 0 && n > 0) dst[i++] = src[x0 >> 16];
    const uint16_t* from = src + ((x0 + i * step) >> 16);
    const int32_t pairs = (n - i) / 2;
    for (int32_t k = 0; k < pairs; ++k) {
      const uint32_t v = from[k] * 0x10001u;
      std::memcpy(dst + i + 2 * k, &v, sizeof v);
    }
    i += 2 * pairs;
  }
  int64_t pos = x0 + i * step;
  for (; i < n; ++i, pos += step) dst[i] = src[pos >> 16];
}

const char* KernelName() {
  return kKernelNames[static_cast<int>(Current())];
}

bool SelectKernels(const char* name) {
  for (int k = 0; k <= static_cast<int>(Detect()); ++k) {
    if (std::strcmp(name, kKernelNames[k]) == 0) {
      Selected() = static_cast<Kernels>(k);
      return true;
    }
  }
  return false;
}

}  // namespace quendrix::blit
