// SPDX-License-Identifier: GPL-2.0-or-later
// vzeroupper where the processor knows it.
#include "sky/vector_state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define CAELORA_X86_VECTOR_STATE 1
#endif

namespace caelora {

#ifdef CAELORA_X86_VECTOR_STATE
namespace {

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

// Asked once: a processor without AVX has no upper halves to clear, and
// would not know the instruction.
bool hasAvx() {
  static const bool avx = __builtin_cpu_supports("avx");
  return avx;
}

}  // namespace

void clearUpperVectorState() {
  if (hasAvx()) zeroUpper();
}
#else
void clearUpperVectorState() {}
#endif

}  // namespace caelora
