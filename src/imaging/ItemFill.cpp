#include "imaging/ItemFill.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef _OPENMP
#include <omp.h>
#endif

namespace {

// Calls visit(r, c) for the 3 x 3 block around (line, column) within the reachable part of the plane:
// line 0 and column 0 are never reached, the last line and column are.
template <class Visit>
inline void ForEachNeighbour(int line, int column, int lines, int columns, Visit&& visit) {
  const int rFirst = line - 1 > 0 ? line - 1 : 1;
  const int rLast = line + 1 < lines ? line + 1 : lines - 1;
  const int cFirst = column - 1 > 0 ? column - 1 : 1;
  const int cLast = column + 1 < columns ? column + 1 : columns - 1;
  for (int r = rFirst; r <= rLast; ++r) {
    for (int c = cFirst; c <= cLast; ++c) visit(r, c);
  }
}

// Walks the item that starts at (line, column), consuming it in `plane`; afterwards `stack` holds its
// pixels. Returns its number of pixels.
std::int64_t CollectItem(BytePlane& plane, int line, int column, PixelStack& stack) {
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  stack.Clear();
  plane[line][column] = 0;
  stack.Push(line, column);
  for (std::size_t k = 0; k < stack.Size(); ++k) {
    const PixelStack::Position p = stack[k];
    if (p.line >= 2 && p.line <= lines - 2 && p.column >= 2 && p.column <= columns - 2) {
      // Inside: the whole 3 x 3 block is reachable, row pointers instead of bounds.
      for (int r = p.line - 1; r <= p.line + 1; ++r) {
        std::uint8_t* cells = plane[r] + (p.column - 1);
        for (int c = 0; c < 3; ++c) {
          if (cells[c] != 1) continue;
          cells[c] = 0;
          stack.Push(r, p.column - 1 + c);
        }
      }
      continue;
    }
    ForEachNeighbour(p.line, p.column, lines, columns, [&](int r, int c) {
      std::uint8_t& cell = plane[r][c];
      if (cell != 1) return;
      cell = 0;
      stack.Push(r, c);
    });
  }
  return static_cast<std::int64_t>(stack.Size());
}

template <class KeepItem>
ItemCountResult WalkItems(BytePlane& source, IntPlane& labels, PixelStack& stack, KeepItem keep) {
  ItemCountResult result;
  const int lines = source.Lines();
  const int columns = source.Columns();
  if (source.Empty() || labels.Lines() != lines || labels.Columns() != columns) return result;
  for (int i = 1; i <= lines - 2; ++i) {
    const std::uint8_t* row = source[i];
    for (int j = 1; j <= columns - 2; ++j) {
      // Most of a line is background or already walked: skip to the next 1 at memchr speed.
      const void* next = std::memchr(row + j, 1, static_cast<std::size_t>(columns - 1 - j));
      if (!next) break;
      j = static_cast<int>(static_cast<const std::uint8_t*>(next) - row);
      const std::int64_t pixels = CollectItem(source, i, j, stack);
      if (!keep(pixels)) continue;
      result.ItemCount = NextItemCode(result.ItemCount);
      for (const PixelStack::Position& p : stack) labels[p.line][p.column] = result.ItemCount;
      ++result.KeptItems;
      result.LabeledPixels += pixels;
    }
  }
  return result;
}

// The walk split into bands of lines for several cores. Each band walks its own lines (neighbours
// outside the band are not followed), the pieces meeting across band edges are joined, and the items
// then get their codes in the raster order of their first pixel that could start an item, exactly as
// one walk over the whole plane gives them.
struct BandPiece {
  std::int64_t pixels = 0;
  std::int64_t firstStart = 0;  // raster index of the first pixel that can start an item, or kNoStart
};
constexpr std::int64_t kNoStart = INT64_MAX;

void WalkBand(BytePlane& plane, std::int32_t* ids, int top, int bottom, std::vector<BandPiece>& pieces,
              PixelStack& stack) {
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  const std::size_t width = static_cast<std::size_t>(columns);
  const int first = top > 1 ? top : 1;  // line 0 is never reached
  const int last = bottom - 1;
  for (int i = first; i <= last; ++i) {
    const std::uint8_t* row = plane[i];
    for (int j = 1; j <= columns - 1; ++j) {
      const void* next = std::memchr(row + j, 1, static_cast<std::size_t>(columns - j));
      if (!next) break;
      j = static_cast<int>(static_cast<const std::uint8_t*>(next) - row);
      // The piece's mark in the label plane until its code is known: -(index + 1).
      const std::int32_t mark = -static_cast<std::int32_t>(pieces.size()) - 1;
      BandPiece piece;
      piece.firstStart = kNoStart;
      stack.Clear();
      plane[i][j] = 0;
      ids[static_cast<std::size_t>(i) * width + j] = mark;
      stack.Push(i, j);
      for (std::size_t k = 0; k < stack.Size(); ++k) {
        const PixelStack::Position p = stack[k];
        if (p.line <= lines - 2 && p.column <= columns - 2) {
          piece.firstStart =
              std::min(piece.firstStart, static_cast<std::int64_t>(p.line) * columns + p.column);
        }
        if (p.line > first && p.line < last && p.column >= 2 && p.column <= columns - 2) {
          // Inside the band: the whole 3 x 3 block is reachable.
          for (int r = p.line - 1; r <= p.line + 1; ++r) {
            std::uint8_t* cells = plane[r] + (p.column - 1);
            std::int32_t* marks = ids + static_cast<std::size_t>(r) * width + (p.column - 1);
            for (int c = 0; c < 3; ++c) {
              if (cells[c] != 1) continue;
              cells[c] = 0;
              marks[c] = mark;
              stack.Push(r, p.column - 1 + c);
            }
          }
          continue;
        }
        const int rFirst = p.line - 1 > first ? p.line - 1 : first;
        const int rLast = p.line + 1 < last ? p.line + 1 : last;
        const int cFirst = p.column - 1 > 0 ? p.column - 1 : 1;
        const int cLast = p.column + 1 < columns ? p.column + 1 : columns - 1;
        for (int r = rFirst; r <= rLast; ++r) {
          std::uint8_t* cells = plane[r];
          std::int32_t* rowIds = ids + static_cast<std::size_t>(r) * width;
          for (int c = cFirst; c <= cLast; ++c) {
            if (cells[c] != 1) continue;
            cells[c] = 0;
            rowIds[c] = mark;
            stack.Push(r, c);
          }
        }
      }
      piece.pixels = static_cast<std::int64_t>(stack.Size());
      pieces.push_back(piece);
    }
  }
}

std::int32_t FindRoot(std::vector<std::int32_t>& parent, std::int32_t x) {
  while (parent[static_cast<std::size_t>(x)] != x) {
    parent[static_cast<std::size_t>(x)] =
        parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(x)])];
    x = parent[static_cast<std::size_t>(x)];
  }
  return x;
}

template <class KeepItem>
ItemCountResult WalkItemsInBands(BytePlane& source, IntPlane& labels, int bands, KeepItem keep) {
  ItemCountResult result;
  const int lines = source.Lines();
  const int columns = source.Columns();
  if (source.Empty() || labels.Lines() != lines || labels.Columns() != columns) return result;
  bands = std::max(1, std::min(bands, lines));
  const std::size_t width = static_cast<std::size_t>(columns);
  // The label plane (0 on entry) holds each walked pixel's piece mark until the codes are known.
  std::int32_t* ids = labels.Data();
  std::vector<int> tops(static_cast<std::size_t>(bands) + 1);
  for (int t = 0; t <= bands; ++t) {
    tops[static_cast<std::size_t>(t)] = static_cast<int>(static_cast<std::int64_t>(lines) * t / bands);
  }
  std::vector<std::vector<BandPiece>> pieces(static_cast<std::size_t>(bands));

#pragma omp parallel for schedule(static, 1)
  for (int t = 0; t < bands; ++t) {
    PixelStack stack;
    WalkBand(source, ids, tops[static_cast<std::size_t>(t)], tops[static_cast<std::size_t>(t) + 1],
             pieces[static_cast<std::size_t>(t)], stack);
  }

  std::vector<std::int64_t> offsets(static_cast<std::size_t>(bands) + 1, 0);
  for (int t = 0; t < bands; ++t) {
    offsets[static_cast<std::size_t>(t) + 1] =
        offsets[static_cast<std::size_t>(t)] +
        static_cast<std::int64_t>(pieces[static_cast<std::size_t>(t)].size());
  }
  const std::int64_t total = offsets.back();
  std::vector<std::int32_t> parent(static_cast<std::size_t>(total));
  for (std::int64_t g = 0; g < total; ++g) parent[static_cast<std::size_t>(g)] = static_cast<std::int32_t>(g);

  // Join the pieces that touch across each band edge (line r - 1 above, line r below).
  for (int t = 1; t < bands; ++t) {
    const int r = tops[static_cast<std::size_t>(t)];
    if (r - 1 < 1) continue;
    const std::int32_t* above = ids + static_cast<std::size_t>(r - 1) * width;
    const std::int32_t* below = ids + static_cast<std::size_t>(r) * width;
    for (int j = 1; j <= columns - 1; ++j) {
      if (above[j] >= 0) continue;
      const std::int32_t a =
          static_cast<std::int32_t>(offsets[static_cast<std::size_t>(t) - 1] - above[j] - 1);
      for (int c = std::max(j - 1, 1); c <= std::min(j + 1, columns - 1); ++c) {
        if (below[c] >= 0) continue;
        const std::int32_t b = static_cast<std::int32_t>(offsets[static_cast<std::size_t>(t)] - below[c] - 1);
        const std::int32_t ra = FindRoot(parent, a), rb = FindRoot(parent, b);
        if (ra != rb) parent[static_cast<std::size_t>(std::max(ra, rb))] = std::min(ra, rb);
      }
    }
  }

  // Whole items: size and first start, then codes in raster order of the first start.
  std::vector<BandPiece> items(static_cast<std::size_t>(total));
  for (auto& item : items) item.firstStart = kNoStart;
  for (int t = 0; t < bands; ++t) {
    const auto& band = pieces[static_cast<std::size_t>(t)];
    for (std::size_t k = 0; k < band.size(); ++k) {
      const std::int32_t g =
          static_cast<std::int32_t>(offsets[static_cast<std::size_t>(t)] + static_cast<std::int64_t>(k));
      BandPiece& item = items[static_cast<std::size_t>(FindRoot(parent, g))];
      item.pixels += band[k].pixels;
      item.firstStart = std::min(item.firstStart, band[k].firstStart);
    }
  }
  std::vector<std::int32_t> started;
  for (std::int64_t g = 0; g < total; ++g) {
    if (parent[static_cast<std::size_t>(g)] == g &&
        items[static_cast<std::size_t>(g)].firstStart != kNoStart) {
      started.push_back(static_cast<std::int32_t>(g));
    }
  }
  std::sort(started.begin(), started.end(), [&](std::int32_t a, std::int32_t b) {
    return items[static_cast<std::size_t>(a)].firstStart < items[static_cast<std::size_t>(b)].firstStart;
  });
  // Per piece: -1 not started (left as it was), 0 walked but not kept, else its code.
  std::vector<std::int32_t> codes(static_cast<std::size_t>(total), -1);
  for (std::int32_t root : started) {
    const std::int64_t pixels = items[static_cast<std::size_t>(root)].pixels;
    if (keep(pixels)) {
      result.ItemCount = NextItemCode(result.ItemCount);
      ++result.KeptItems;
      result.LabeledPixels += pixels;
      codes[static_cast<std::size_t>(root)] = result.ItemCount;
    } else {
      codes[static_cast<std::size_t>(root)] = 0;
    }
  }
  for (std::int64_t g = 0; g < total; ++g) {
    codes[static_cast<std::size_t>(g)] =
        codes[static_cast<std::size_t>(FindRoot(parent, static_cast<std::int32_t>(g)))];
  }

#pragma omp parallel for schedule(static, 1)
  for (int t = 0; t < bands; ++t) {
    const std::int32_t* pieceCodes = codes.data() + offsets[static_cast<std::size_t>(t)];
    for (int i = tops[static_cast<std::size_t>(t)]; i < tops[static_cast<std::size_t>(t) + 1]; ++i) {
      std::uint8_t* cells = source[i];
      std::int32_t* rowLabels = labels[i];
      for (int j = 0; j < columns; ++j) {
        if (rowLabels[j] >= 0) continue;
        const std::int32_t code = pieceCodes[-rowLabels[j] - 1];
        if (code < 0) cells[j] = 1;  // never started: the walk does not consume it
        rowLabels[j] = code > 0 ? code : 0;
      }
    }
  }
  return result;
}

}  // namespace

namespace {

auto SizeBounds(int minSize, int maxSize) {
  return [minSize, maxSize](std::int64_t pixels) {
    const std::int64_t size = ItemSize(pixels);
    return minSize <= size && size <= maxSize;
  };
}

bool KeepAll(std::int64_t) {
  return true;
}

// One band per core on planes large enough to repay the joining; one walk otherwise.
int DefaultBands(const BytePlane& plane) {
#ifdef _OPENMP
  constexpr std::size_t kBandedPixels = std::size_t{1} << 18;
  constexpr int kLinesPerBand = 32;
  if (plane.Size() >= kBandedPixels)
    return std::max(1, std::min(omp_get_max_threads(), plane.Lines() / kLinesPerBand));
#endif
  (void)plane;
  return 1;
}

}  // namespace

ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, PixelStack& stack) {
  const int bands = DefaultBands(binary);
  if (bands > 1) return WalkItemsInBands(binary, labels, bands, SizeBounds(minSize, maxSize));
  return WalkItems(binary, labels, stack, SizeBounds(minSize, maxSize));
}

ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize) {
  PixelStack stack;
  return CountItems(binary, labels, minSize, maxSize, stack);
}

ItemCountResult CountItemsInBands(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands) {
  if (bands > 1) return WalkItemsInBands(binary, labels, bands, SizeBounds(minSize, maxSize));
  PixelStack stack;
  return WalkItems(binary, labels, stack, SizeBounds(minSize, maxSize));
}

ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels, PixelStack& stack) {
  const int bands = DefaultBands(mask);
  if (bands > 1) return WalkItemsInBands(mask, labels, bands, KeepAll);
  return WalkItems(mask, labels, stack, KeepAll);
}

ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels) {
  PixelStack stack;
  return WalkItemsForDilation(mask, labels, stack);
}
