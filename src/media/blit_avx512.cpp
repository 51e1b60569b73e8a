// AVX-512 (BW) row kernels; this file alone is compiled for AVX-512 and is
// only called after the processor has been asked whether it has AVX-512BW.
#include <cstdint>

#include "media/blit_impl.h"

#if QUENDRIX_BLIT_X86
#include <immintrin.h>

#define QV __m512i
#define QLANES 32
#define QLOAD(p) _mm512_loadu_si512(p)
// 16 pixels zero-extended to 32 bits, each copied into its upper half.
#define QLOAD_DOUBLED(p) QuendrixDoubled(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)))
namespace {
inline __m512i QuendrixDoubled(__m256i v) {
  const __m512i w = _mm512_cvtepu16_epi32(v);
  return _mm512_or_si512(w, _mm512_slli_epi32(w, 16));
}
}  // namespace
#define QSTORE(p, v) _mm512_storeu_si512(p, v)
#define QSET1(x) _mm512_set1_epi16(static_cast<short>(x))
#define QADD _mm512_add_epi16
#define QSUB _mm512_sub_epi16
#define QMULLO _mm512_mullo_epi16
#define QMULHI _mm512_mulhi_epu16
#define QSRLI _mm512_srli_epi16
#define QSRAI _mm512_srai_epi16
#define QSLLI _mm512_slli_epi16
#define QAND _mm512_and_si512
#define QOR _mm512_or_si512
#define QCMPEQ _mm512_cmpeq_epi16_mask
#define QMIN _mm512_min_epi16
#define QSUBS _mm512_subs_epu16
#define QSELECT(m, a, b) _mm512_mask_blend_epi16(m, b, a)  // m ? a : b
#define QENTRY_BLEND quendrix::blit::detail::BlendRowAvx512
#define QENTRY_BLEND_DOUBLED quendrix::blit::detail::BlendRowDoubledAvx512
#define QENTRY_COPY_KEYED quendrix::blit::detail::CopyKeyedAvx512

#include "media/blit_kernels.inc"
#endif
