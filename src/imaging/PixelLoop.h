#pragma once
// Pixel loops with no sum across pixels give the same values on every instruction set (no fused
// multiply-add is ever formed): they are also built for AVX2, taken where the processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VORN_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define VORN_PIXEL_LOOP
#endif
