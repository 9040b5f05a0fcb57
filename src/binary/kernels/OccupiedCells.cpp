#include "binary/kernels/OccupiedCells.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "binary/kernels/Resample.h"
#include "binary/kernels/ValueBits.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kWordBits = 64;
// A window of 64 bits read from any byte, shifted by up to 7, holds 57 usable bits.
constexpr int kWindowBits = kWordBits - 7;

// The value 255 - 254 s / a of a box of area a over studied pixels covering s of it rounds below
// 255 (occupied) once s > a / 508. A studied pixel covered by at least the core weight of its line
// and of its column covers 1.01 a / 508: its box stays below 254.495 whatever else it holds, far
// from any rounding doubt.
constexpr double kOccupyingShare = 2.0 * (kOtherPixel - kStudiedPixel);  // 508
constexpr double kCoreSafety = 1.01;

double CoreWeight(double area) {
  return std::sqrt(kCoreSafety * area / kOccupyingShare);
}

bool IsOccupiedValue(std::uint8_t value) {
  return value >= 1 && value <= 254;
}

std::uint64_t LowBits(int count) {
  return count >= kWordBits ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// One box's columns within the 64 bits of a packed line read from the byte of its first column:
// those it covers at all, and those it covers by at least the core weight. A box past the last
// column, or too wide for one window, has no bits: it is resampled.
struct ColumnBox {
  std::uint64_t any = 0, core = 0;
  int byte = 0;
};

// The boxes lying wholly within one word of a packed line: boxes [begin, end). `plain` when none is
// resampled and each has a core column: a word without studied pixels then leaves them all empty,
// a word of core studied pixels occupies them all, with no look at each box.
struct WordBoxes {
  int begin = 0, end = 0;
  bool plain = false;
};

std::vector<WordBoxes> BoxesByWord(const std::vector<BoxSpan>& spans, const std::vector<ColumnBox>& boxes,
                                   int words) {
  std::vector<WordBoxes> byWord(static_cast<std::size_t>(words));
  const int count = static_cast<int>(spans.size());
  int j = 0;
  for (int w = 0; w < words; ++w) {
    const int first = w * kWordBits, last = first + kWordBits - 1;
    while (j < count && spans[j].First < first) ++j;
    WordBoxes& word = byWord[w];
    word.begin = word.end = j;
    word.plain = true;
    while (word.end < count && spans[word.end].Last <= last) {
      const ColumnBox& box = boxes[word.end];
      word.plain = word.plain && box.any != 0 && box.core != 0;
      ++word.end;
    }
    j = word.end;
  }
  return byWord;
}

std::uint64_t Window(const std::uint64_t* line, int byte) {
  std::uint64_t bits;
  std::memcpy(&bits, reinterpret_cast<const unsigned char*>(line) + byte, sizeof bits);
  return bits;
}

}  // namespace

OccupiedCellCounter::OccupiedCellCounter(const BytePlane& mask) : mask_(mask) {
  if (mask.Empty()) return;
  const int lines = mask.Lines(), columns = mask.Columns();
  // The spare word lets a window be read from any byte of a line.
  words_ = (columns + kWordBits - 1) / kWordBits + 1;
  bits_.assign(static_cast<std::size_t>(lines) * words_, 0);
  std::vector<std::int64_t> partial(
      static_cast<std::size_t>(parallel::ChunkCount(lines, parallel::RowGrain(columns))));
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    std::int64_t studied = 0;
    for (std::int64_t i = first; i < last; ++i) {
      std::uint64_t* line = bits_.data() + i * words_;
      value_bits::PackEqualBits(mask[static_cast<int>(i)], columns, kStudiedPixel, line);
      for (int w = 0; w < words_; ++w) studied += std::popcount(line[w]);
    }
    partial[static_cast<std::size_t>(parallel::ChunkIndex(first, parallel::RowGrain(columns)))] = studied;
  });
  for (const std::int64_t count : partial) studied_ += count;
}

std::int64_t OccupiedCellCounter::Count(int lines, int columns) const {
  const int sourceLines = mask_.Lines(), sourceColumns = mask_.Columns();
  if (lines <= 0 || columns <= 0 || lines > sourceLines || columns > sourceColumns) return 0;
  const double boxHeight = BoxSide(sourceLines, lines);
  const double boxWidth = BoxSide(sourceColumns, columns);
  const double area = boxHeight * boxWidth;
  const double coreWeight = CoreWeight(area);

  std::vector<BoxSpan> spans(static_cast<std::size_t>(columns));
  std::vector<ColumnBox> boxes(static_cast<std::size_t>(columns));
  for (int j = 0; j < columns; ++j) {
    const BoxSpan span = SpanOf(j * boxWidth, boxWidth);
    spans[j] = span;
    ColumnBox& box = boxes[j];
    box.byte = span.First / 8;
    const int shift = span.First % 8;
    const int covered = span.Last - span.First + 1;
    if (span.Last >= sourceColumns || covered > kWindowBits) continue;
    box.any = LowBits(covered) << shift;
    for (int v = 0; v < covered; ++v)
      if (span.Weight(v) >= coreWeight) box.core |= std::uint64_t{1} << (v + shift);
  }

  const int words = words_;
  const std::vector<WordBoxes> byWord = BoxesByWord(spans, boxes, words - 1);
  const std::int64_t grain = parallel::RowGrain(static_cast<std::int64_t>(columns) * 4);
  std::vector<std::int64_t> partial(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)), 0);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    // Over the lines of one line of boxes: a studied pixel anywhere in a column, and on a line the
    // boxes cover by at least the core weight.
    std::vector<std::uint64_t> anyLine(static_cast<std::size_t>(words)),
        coreLine(static_cast<std::size_t>(words));
    std::int64_t occupied = 0;
    for (int i = static_cast<int>(first); i < last; ++i) {
      const BoxSpan rows = SpanOf(i * boxHeight, boxHeight);
      const bool borderRow = rows.Last >= sourceLines;
      std::fill(anyLine.begin(), anyLine.end(), 0);
      std::fill(coreLine.begin(), coreLine.end(), 0);
      for (int r = rows.First; r <= std::min(rows.Last, sourceLines - 1); ++r) {
        const std::uint64_t* line = bits_.data() + static_cast<std::size_t>(r) * words;
        for (int w = 0; w < words; ++w) anyLine[w] |= line[w];
        if (rows.Weight(r - rows.First) >= coreWeight)
          for (int w = 0; w < words; ++w) coreLine[w] |= line[w];
      }
      const std::uint64_t* anyBits = anyLine.data();
      const std::uint64_t* coreBits = coreLine.data();
      auto occupiedBox = [&](int j) -> int {
        const ColumnBox& box = boxes[j];
        const bool core = (Window(coreBits, box.byte) & box.core) != 0;
        const bool any = (Window(anyBits, box.byte) & box.any) != 0;
        // Boxes over no studied pixel round to 255; boxes over a core one cannot. The others, and
        // the boxes that reach past the mask and lose part of their area, are resampled.
        if ((any & !core) | (box.any == 0) | borderRow) [[unlikely]]
          return IsOccupiedValue(BoxValue(mask_, sourceLines, sourceColumns, rows, spans[j], area));
        return core;
      };
      int j = 0;
      if (!borderRow) {
        for (int w = 0; w < words - 1; ++w) {
          const WordBoxes& word = byWord[w];
          for (; j < word.begin; ++j) occupied += occupiedBox(j);
          if (word.plain && anyBits[w] == 0) {
            // all empty
          } else if (word.plain && coreBits[w] == ~std::uint64_t{0}) {
            occupied += word.end - word.begin;
          } else {
            for (int k = word.begin; k < word.end; ++k) occupied += occupiedBox(k);
          }
          j = word.end;
        }
      }
      for (; j < columns; ++j) occupied += occupiedBox(j);
    }
    partial[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] = occupied;
  });
  std::int64_t total = 0;
  for (const std::int64_t count : partial) total += count;
  return total;
}
