// The loops into 16-bit pages compiled for AVX-512 (F, BW and VBMI, whose
// byte permutes look up 128 table entries at once), used only where the
// processor has them; every other loop is the AVX2 one. As for AVX2, the
// attribute is set per function.
#include "edit/blit_kernels.h"

#if defined(__x86_64__) || defined(__i386__)

#define ZENTIL_ROWS_TARGET __attribute__((target("avx2,avx512f,avx512bw,avx512vbmi")))
#define ZENTIL_ROWS_AVX512
#include "edit/blit_rows.h"

namespace zentil {

const BlitKernels& avx512BlitKernels() {
    static const BlitKernels kernels = [] {
        BlitKernels k = avx2BlitKernels();
        fillModes<kMode8, kMode16>(k);
        fillModes<kMode24, kMode16>(k);
        return k;
    }();
    return kernels;
}

}  // namespace zentil

#else

namespace zentil {

const BlitKernels& avx512BlitKernels() {
    return baselineBlitKernels();
}

}  // namespace zentil

#endif
