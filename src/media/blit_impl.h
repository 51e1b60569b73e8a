// Entry points of the per-instruction-set row kernels (blit_kernels.inc).
#pragma once

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define QUENDRIX_BLIT_X86 1
#else
#define QUENDRIX_BLIT_X86 0
#endif

namespace quendrix::blit::detail {

// op 0 add, 1 alpha (below 255 only), 2 sub. Return the pixels done.
int32_t BlendRowSse2(int op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                     bool keyed, uint16_t key);
int32_t BlendRowAvx2(int op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                     bool keyed, uint16_t key);
// Destination pixel i takes source pixel i / 2.
int32_t BlendRowDoubledSse2(int op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                            bool keyed, uint16_t key);
int32_t BlendRowDoubledAvx2(int op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                            bool keyed, uint16_t key);
int32_t BlendRowAvx512(int op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                       bool keyed, uint16_t key);
int32_t BlendRowDoubledAvx512(int op, uint16_t* dst, const uint16_t* src, int32_t n, int32_t alpha,
                              bool keyed, uint16_t key);
int32_t CopyKeyedAvx512(uint16_t* dst, const uint16_t* src, int32_t n, uint16_t key);
int32_t CopyKeyedSse2(uint16_t* dst, const uint16_t* src, int32_t n, uint16_t key);
int32_t CopyKeyedAvx2(uint16_t* dst, const uint16_t* src, int32_t n, uint16_t key);

}  // namespace quendrix::blit::detail
