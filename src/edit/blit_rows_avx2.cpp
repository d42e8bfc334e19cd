// The row loops compiled for AVX2, used only where the processor has it. The
// attribute is set per function rather than per file, so that nothing this
// file shares with others (inline functions of the standard library) is
// compiled for AVX2.
#include "edit/blit_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

#define ZENTIL_ROWS_TARGET __attribute__((target("avx2")))
#define ZENTIL_ROWS_AVX2
#include "edit/blit_rows.h"

namespace zentil {

const BlitKernels& avx2BlitKernels() {
    static const BlitKernels kernels = makeKernels();
    return kernels;
}

}  // namespace zentil

#else

namespace zentil {

const BlitKernels& avx2BlitKernels() {
    return baselineBlitKernels();
}

}  // namespace zentil

#endif
