// Mathematical morphology on packed rows, 64 pixels an operation.
#include <cstdint>

#include "urban/kernels/BitRows.h"
#include "urban/kernels/Morphology.h"

void MorphoMath(BytePlane& plane, int value, int kind, int iterations) {
  if (plane.Empty()) return;
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  BitRows bits = PackValue(plane, value);
  const std::int64_t band = 2 * static_cast<std::int64_t>(iterations);
  const bool known = kind >= kMorphoDilation && kind <= kMorphoOpening;
  // With no examined pixel no pass changes anything.
  if (known && iterations >= 1 && 2 * band < lines && 2 * band < columns) {
    ExaminedRegion region;
    region.first = static_cast<int>(band);
    region.last = static_cast<int>(lines - band - 1);
    region.columns = ColumnSpan(columns, region.first, static_cast<int>(columns - band - 1));
    // Passes change the examined lines and, eroding, the lines next to them.
    const int first = region.first - 1;
    const int last = region.last + 1;
    BitRows other = bits;
    auto steps = [&](bool dilate) {
      for (int n = 0; n < iterations; ++n) {
        RunBitPass(dilate ? BitPass::Dilate4 : BitPass::Erode4, region, bits, other, first, last);
        RunBitPass(dilate ? BitPass::Dilate8 : BitPass::Erode8, region, bits, other, first, last);
      }
    };
    const bool dilateFirst = kind == kMorphoDilation || kind == kMorphoClosing;
    steps(dilateFirst);
    if (kind == kMorphoClosing || kind == kMorphoOpening) steps(!dilateFirst);
  }
  UnpackItems(bits, plane);
}
