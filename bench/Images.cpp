#include "Images.h"

#include <cmath>
#include <cstdlib>
#include <map>

#include "fixtures/Fractals.h"
#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"

namespace bench {

namespace {

constexpr std::uint32_t kNoiseSeed = 17;
constexpr std::uint32_t kSurfaceSeed = 17;
constexpr double kSurfaceHurst = 0.7;
constexpr int kNoiseItemMax = 63;  // a quarter of 0 .. 255
constexpr int kSequencePictureSize = 4096;

constexpr std::uint8_t kBackground = kBackgroundPixel;
constexpr int kGridSide = 16;  // 256 cells, 250 of them hold an item
constexpr int kGridItems = 250;
constexpr int kSkippedCode = 10;

// The picture of `size` made by `make` the first time it is asked for.
template <class Make>
const BytePlane& Kept(std::map<int, BytePlane>& planes, int size, Make make) {
  BytePlane& plane = planes[size];
  if (plane.Empty()) plane = make(size);
  return plane;
}

bool CarpetHole(int i, int j) {
  for (int a = i, b = j; a > 0 || b > 0; a /= 3, b /= 3) {
    if (a % 3 == 1 && b % 3 == 1) return true;
  }
  return false;
}

// The code of the k-th item of a 250-item picture: 1 .. 251 with 10 left out.
int GridCode(int k) {
  return k + 1 < kSkippedCode ? k + 1 : k + 2;
}

BytePlane MakeCarpetGray(int size) {
  BytePlane plane(size, size, kForOverwrite);
  for (int i = 0; i < size; ++i) {
    std::uint8_t* row = plane[i];
    for (int j = 0; j < size; ++j) row[j] = CarpetHole(i, j) ? kCarpetGrayHole : kCarpetGrayItem;
  }
  return plane;
}

BytePlane MakeCheckerboard(int size) {
  BytePlane plane(size, size, kForOverwrite);
  for (int i = 0; i < size; ++i) {
    std::uint8_t* row = plane[i];
    for (int j = 0; j < size; ++j) row[j] = (i + j) % 2 == 0 ? kItemPixel : kBackground;
  }
  return plane;
}

BytePlane MakeCarpetItems250(int size) {
  BytePlane plane(size, size);
  plane.Fill(kBackground);
  const int cell = size / kGridSide;
  const int order = cell >= 243 + 4 ? 5 : 4;
  const BytePlane item = fixtures::SierpinskiCarpet(order);
  for (int k = 0; k < kGridItems; ++k) {
    const auto code = static_cast<std::uint8_t>(GridCode(k));
    const int top = (k / kGridSide) * cell + 2, left = (k % kGridSide) * cell + 2;
    for (int i = 0; i < item.Lines(); ++i) {
      for (int j = 0; j < item.Columns(); ++j) {
        if (item[i][j] == fixtures::kItem) plane[top + i][left + j] = code;
      }
    }
  }
  return plane;
}

BytePlane MakeHoledDiscs250(int size) {
  BytePlane plane(size, size);
  plane.Fill(kBackground);
  const int cell = size / kGridSide, radius = cell * 9 / 20, hole = cell / 16;
  for (int k = 0; k < kGridItems; ++k) {
    const auto code = static_cast<std::uint8_t>(GridCode(k));
    const int ci = (k / kGridSide) * cell + cell / 2, cj = (k % kGridSide) * cell + cell / 2;
    for (int i = ci - radius; i <= ci + radius; ++i) {
      for (int j = cj - radius; j <= cj + radius; ++j) {
        const bool inDisc = (i - ci) * (i - ci) + (j - cj) * (j - cj) <= radius * radius;
        const bool inHole = k % 2 == 1 && std::abs(i - ci) <= hole && std::abs(j - cj) <= hole;
        if (inDisc && !inHole) plane[i][j] = code;
      }
    }
  }
  return plane;
}

BytePlane MakeWavyItems250(int size) {
  BytePlane plane(size, size);
  plane.Fill(kBackground);
  const int cell = size / kGridSide;
  const double mean = 0.36 * cell, wave = 0.08 * cell;
  for (int k = 0; k < kGridItems; ++k) {
    const auto code = static_cast<std::uint8_t>(GridCode(k));
    const double ci = (k / kGridSide + 0.5) * cell, cj = (k % kGridSide + 0.5) * cell;
    for (int i = (k / kGridSide) * cell; i < (k / kGridSide + 1) * cell; ++i) {
      for (int j = (k % kGridSide) * cell; j < (k % kGridSide + 1) * cell; ++j) {
        const double dy = i - ci, dx = j - cj;
        if (std::hypot(dy, dx) <= mean + wave * std::sin(7 * std::atan2(dy, dx))) plane[i][j] = code;
      }
    }
  }
  return plane;
}

BytePlane MakeDisc1000(int size) {
  constexpr int kRadius = 500;
  BytePlane plane(size, size);
  plane.Fill(kBackground);
  const int centre = size / 2;
  for (int i = centre - kRadius; i <= centre + kRadius; ++i) {
    for (int j = centre - kRadius; j <= centre + kRadius; ++j) {
      if ((i - centre) * (i - centre) + (j - centre) * (j - centre) <= kRadius * kRadius)
        plane[i][j] = kItemPixel;
    }
  }
  return plane;
}

}  // namespace

const BytePlane& CarpetGray(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, MakeCarpetGray);
}

const BytePlane& CarpetBinary(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) { return Binarize(CarpetGray(n), {30, 50, 0, true}).Binary; });
}

const BytePlane& Noise(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) { return MakeRandomGray(n, n, kNoiseSeed); });
}

const BytePlane& NoiseBinary(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) {
    BytePlane plane = Binarize(Noise(n), {0, kNoiseItemMax, 0, true}).Binary;
    plane[n / 2][n / 2] = kBackground;
    return plane;
  });
}

const std::vector<int>& NoiseSequence() {
  static std::vector<int> values;
  if (values.empty()) {
    const BytePlane& noise = Noise(kSequencePictureSize);
    values.assign(noise.Data(), noise.Data() + kSequenceLength);
  }
  return values;
}

const BytePlane& Surface(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) { return fixtures::BrownianSurface(n, kSurfaceHurst, kSurfaceSeed); });
}

const BytePlane& Comb(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) { return fixtures::Comb(n, n); });
}

const BytePlane& Checkerboard(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, MakeCheckerboard);
}

const BytePlane& ScatteredDiscs(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) { return fixtures::RandomDiscs(n, n, n * n / 400, 12, 5); });
}

const BytePlane& SparseDiscs(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, [](int n) { return fixtures::RandomDiscs(n, n, n / 4 * n / 1000, 6, 11); });
}

const BytePlane& CarpetItems250(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, MakeCarpetItems250);
}

const BytePlane& HoledDiscs250(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, MakeHoledDiscs250);
}

const BytePlane& WavyItems250(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, MakeWavyItems250);
}

const BytePlane& Disc1000(int size) {
  static std::map<int, BytePlane> planes;
  return Kept(planes, size, MakeDisc1000);
}

}  // namespace bench
