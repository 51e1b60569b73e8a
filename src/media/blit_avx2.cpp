// AVX2 row kernels; this file alone is compiled with -mavx2 and is only
// called after the processor has been asked whether it has AVX2.
#include <cstdint>

#include "media/blit_impl.h"

#if QUENDRIX_BLIT_X86
#include <immintrin.h>

#define QV __m256i
#define QLANES 16
#define QLOAD(p) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))
// 8 pixels zero-extended to 32 bits, each copied into its upper half.
#define QLOAD_DOUBLED(p) QuendrixDoubled(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))
namespace {
inline __m256i QuendrixDoubled(__m128i v) {
  const __m256i w = _mm256_cvtepu16_epi32(v);
  return _mm256_or_si256(w, _mm256_slli_epi32(w, 16));
}
}  // namespace
#define QSTORE(p, v) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v)
#define QSET1(x) _mm256_set1_epi16(static_cast<short>(x))
#define QADD _mm256_add_epi16
#define QSUB _mm256_sub_epi16
#define QMULLO _mm256_mullo_epi16
#define QMULHI _mm256_mulhi_epu16
#define QSRLI _mm256_srli_epi16
#define QSRAI _mm256_srai_epi16
#define QSLLI _mm256_slli_epi16
#define QAND _mm256_and_si256
#define QOR _mm256_or_si256
#define QCMPEQ _mm256_cmpeq_epi16
#define QMIN _mm256_min_epi16
#define QSUBS _mm256_subs_epu16
#define QSELECT(m, a, b) _mm256_blendv_epi8(b, a, m)  // m ? a : b
#define QENTRY_BLEND quendrix::blit::detail::BlendRowAvx2
#define QENTRY_BLEND_DOUBLED quendrix::blit::detail::BlendRowDoubledAvx2
#define QENTRY_COPY_KEYED quendrix::blit::detail::CopyKeyedAvx2

#include "media/blit_kernels.inc"
#endif
