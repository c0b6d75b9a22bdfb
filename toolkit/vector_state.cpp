#include "toolkit/vector_state.h"

namespace viramont {

void settleVectorRegisters() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper");
#endif
}

} // namespace viramont
