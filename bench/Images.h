#pragma once
// The benchmarks' pictures, each made once per size and kept for the whole run, so that every case
// over a picture reads the same bytes as its yardstick (Yardsticks.cpp):
//   the carpet (BM_Binarize), the noise (BM_Binarize_Noise), the surface (BM_Binarize_Surface).
// The item pictures below them are binary or labeled pictures a kernel needs; binarizing costs the
// same whatever the bytes (one branch-free pass), so their cases are read against BM_Binarize.
#include <cstdint>
#include <vector>

#include "binary/kernels/Binarize.h"
#include "imaging/Plane.h"

namespace bench {

// The yardsticks' thresholds: the carpet's items (40) and a tenth of the noise, mid heights of the
// surface.
constexpr BinarizeParams kCarpetThresholds{30, 50, 0, false};
constexpr BinarizeParams kNoiseThresholds{30, 50, 0, false};
constexpr BinarizeParams kSurfaceThresholds{100, 150, 0, false};

constexpr std::uint8_t kCarpetGrayItem = 40;
constexpr std::uint8_t kCarpetGrayHole = 180;

// A Sierpinski carpet cut to size x size: items 40, holes 180.
const BytePlane& CarpetGray(int size);
// The same carpet binarized: items 1, holes 255.
const BytePlane& CarpetBinary(int size);

// Uniform random grays.
const BytePlane& Noise(int size);
// The noise binarized at 0 .. 63: a quarter of the pixels items 1 scattered at random on background
// 255, the centre pixel background (a fill seeded there runs through a ragged background).
const BytePlane& NoiseBinary(int size);
// The noise's first 10^7 pixels (of the 4096 picture) read as a sequence of values.
const std::vector<int>& NoiseSequence();
constexpr int kSequenceLength = 10'000'000;

// A fractional Brownian surface, Hurst exponent 0.7, heights over 0 .. 255.
const BytePlane& Surface(int size);

// One item of one-pixel teeth: the most runs an image can have.
const BytePlane& Comb(int size);
// One item of one-pixel runs on lines that never repeat the line above (1 and 255 alternating).
const BytePlane& Checkerboard(int size);
// size^2 / 400 discs of radius up to 12 at random, items 1.
const BytePlane& ScatteredDiscs(int size);
// One disc every 4000 pixels on average, radius up to 6: pieces tens of pixels apart.
const BytePlane& SparseDiscs(int size);

// 250 items coded 1 .. 251 (10 left out) on a 16 x 16 grid, background 255:
// each a Sierpinski carpet filling most of its cell,
const BytePlane& CarpetItems250(int size);
// each a disc, every other one with a square hole,
const BytePlane& HoledDiscs250(int size);
// each a disc whose radius waves seven times around it (long contours turning every way).
const BytePlane& WavyItems250(int size);
// One disc of diameter 1000, code 1, in the middle of the picture.
const BytePlane& Disc1000(int size);

}  // namespace bench
