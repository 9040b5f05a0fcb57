#pragma once
// Loops whose values do not depend on the instruction set (integer arithmetic, or reals summed in a
// fixed order per pixel with no fused multiply-add ever formed): they are also built for AVX2, taken
// where the processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VORN_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define VORN_PIXEL_LOOP
#endif
