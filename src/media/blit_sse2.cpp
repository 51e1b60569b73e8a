// SSE2 row kernels (every x86-64 processor has SSE2).
#include <cstdint>

#include "media/blit_impl.h"

#if QUENDRIX_BLIT_X86
#include <emmintrin.h>

#define QV __m128i
#define QLANES 8
#define QLOAD(p) _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))
#define QLOAD_DOUBLED(p)                                                   \
  _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), \
                     _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)))
#define QSTORE(p, v) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v)
#define QSET1(x) _mm_set1_epi16(static_cast<short>(x))
#define QADD _mm_add_epi16
#define QSUB _mm_sub_epi16
#define QMULLO _mm_mullo_epi16
#define QMULHI _mm_mulhi_epu16
#define QSRLI _mm_srli_epi16
#define QSRAI _mm_srai_epi16
#define QSLLI _mm_slli_epi16
#define QAND _mm_and_si128
#define QOR _mm_or_si128
#define QCMPEQ _mm_cmpeq_epi16
#define QMIN _mm_min_epi16
#define QSUBS _mm_subs_epu16
#define QSELECT(m, a, b) _mm_or_si128(_mm_and_si128(m, a), _mm_andnot_si128(m, b))  // m ? a : b
#define QENTRY_BLEND quendrix::blit::detail::BlendRowSse2
#define QENTRY_BLEND_DOUBLED quendrix::blit::detail::BlendRowDoubledSse2
#define QENTRY_COPY_KEYED quendrix::blit::detail::CopyKeyedSse2

#include "media/blit_kernels.inc"
#endif
