#include "imaging/ItemFill.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#ifdef _OPENMP
#include <omp.h>
#endif

namespace {

// Runs are numbered line by line; each band owns a range of numbers wide enough for its lines, so the
// numbering follows the raster order across bands without the bands counting each other's runs. Only
// the runs' trees are stored: the runs themselves are read again from the plane when painting, which
// costs less than moving them through memory twice.
using RunIndex = std::int32_t;
constexpr RunIndex kNoStart = INT32_MAX;
constexpr int kNotWalked = -1;  // code of a region no start reaches: its pixels stay as they were

// Columns [start, end) of one line, all of value 1.
struct Run {
  std::int32_t start;
  std::int32_t end;
};

// A region's first run holding a pixel that can start an item, as its band sees it.
struct Start {
  RunIndex run;
  RunIndex root;  // the region's root in the band; after the joining, the item's root or -1
};

// An array whose memory is kept from walk to walk and never cleared: every cell read is written first.
template <class T>
class Buffer {
 public:
  T* Reserve(std::size_t count) {
    if (count > capacity_) {
      cells_.reset();
      cells_.reset(new T[count]);
      capacity_ = count;
    }
    return cells_.get();
  }
  T* Data() const { return cells_.get(); }

 private:
  std::unique_ptr<T[]> cells_;
  std::size_t capacity_ = 0;
};

struct Band {
  int top = 0;  // lines [top, bottom)
  int bottom = 0;
  RunIndex base = 0;            // number of the band's first run
  std::vector<RunIndex> roots;  // runs that began a region in the band
  std::vector<Start> starts;    // in raster order of their run
  int kept = 0;
  std::int64_t keptPixels = 0;
};

}  // namespace

struct ItemWorkspace {
  // Per run. Sizes, first starts and codes are meaningful at roots only.
  Buffer<RunIndex> parent;
  Buffer<std::int64_t> pixels;
  Buffer<RunIndex> firstStart;
  Buffer<std::int32_t> code;
  std::vector<RunIndex> lineBegin;  // number of the first run of each line
  std::vector<Band> bands;
  int lines = 0;
  int columns = 0;
  int runLineEnd = 0;    // runs lie on lines 1 .. runLineEnd - 1
  int runColumnEnd = 0;  // and columns 1 .. runColumnEnd - 1
  ItemCountResult result;

  int RunsPerLine() const { return std::max(0, runColumnEnd) / 2; }
  void Free() { *this = ItemWorkspace(); }
};

namespace {

// Bit b set when p[b] == 1, for 64 bytes.
inline std::uint64_t OnesMask(const std::uint8_t* p) {
#if defined(__SSE2__)
  const __m128i one = _mm_set1_epi8(1);
  std::uint64_t mask = 0;
  for (int b = 0; b < 4; ++b) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * b));
    const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, one)));
    mask |= static_cast<std::uint64_t>(bits) << (16 * b);
  }
  return mask;
#else
  std::uint64_t mask = 0;
  for (int b = 0; b < 64; ++b) mask |= static_cast<std::uint64_t>(p[b] == 1) << b;
  return mask;
#endif
}

// Writes the runs of value 1 of row[1, end) into `out` and returns their number. The row is read 64
// columns at a time as a bit mask, whose rising and falling edges are the runs' starts and ends.
int ExtractRuns(const std::uint8_t* row, int end, Run* out) {
  int started = 0, ended = 0;
  std::uint64_t carry = 0;  // the column before the block was 1
  for (int c = 1; c < end; c += 64) {
    std::uint64_t mask;
    if (end - c >= 64) {
      mask = OnesMask(row + c);
    } else {
      // The tail goes through a padded copy: reading past the row could leave the plane.
      alignas(16) std::uint8_t tail[64] = {};
      std::memcpy(tail, row + c, static_cast<std::size_t>(end - c));
      mask = OnesMask(tail);
    }
    const std::uint64_t before = (mask << 1) | carry;
    // A falling edge in the bit just past a short tail is the run closed by the end of the row.
    for (std::uint64_t starts = mask & ~before; starts; starts &= starts - 1)
      out[started++].start = c + std::countr_zero(starts);
    for (std::uint64_t ends = ~mask & before; ends; ends &= ends - 1)
      out[ended++].end = c + std::countr_zero(ends);
    carry = mask >> 63;
  }
  if (ended < started) out[ended].end = end;
  return started;
}

// Path halving, with no store when the parent is already the root (the common case here).
RunIndex FindRoot(RunIndex* parent, RunIndex x) {
  for (;;) {
    const RunIndex p = parent[x];
    if (p == x) return x;
    const RunIndex g = parent[p];
    if (g == p) return p;
    parent[x] = g;
    x = g;
  }
}

// Once the trees are complete they are only read, by every band at once.
RunIndex FindRootReadOnly(const RunIndex* parent, RunIndex x) {
  while (parent[x] != x) x = parent[x];
  return x;
}

// Joins two regions given by their roots; the larger (then the earlier) stays root, which keeps the
// trees shallow for the read-only searches. Returns the root of the whole.
RunIndex JoinRoots(ItemWorkspace& w, RunIndex a, RunIndex b) {
  std::int64_t* pixels = w.pixels.Data();
  RunIndex* firstStart = w.firstStart.Data();
  if (pixels[b] > pixels[a] || (pixels[b] == pixels[a] && b < a)) std::swap(a, b);
  w.parent.Data()[b] = a;
  pixels[a] += pixels[b];
  firstStart[a] = std::min(firstStart[a], firstStart[b]);
  return a;
}

// Calls join(a, b) for every run a of upper[0, upperCount) and b of lower[0, lowerCount) (lower on
// the next line) that are 8-connected: their column ranges overlap once widened by one.
template <class Join>
void ForEachTouchingPair(const Run* upper, int upperCount, const Run* lower, int lowerCount, Join&& join) {
  int a0 = 0;
  for (int b = 0; b < lowerCount && a0 < upperCount; ++b) {
    while (a0 < upperCount && upper[a0].end < lower[b].start) ++a0;
    for (int a = a0; a < upperCount && upper[a].start <= lower[b].end; ++a) join(a, b);
  }
}

// Finds the band's runs and joins them into regions within the band, each region's size and first
// start kept at its root; then lists the regions' first starts.
void ScanBand(ItemWorkspace& w, const BytePlane& source, Band& band) {
  RunIndex* parent = w.parent.Data();
  std::int64_t* pixels = w.pixels.Data();
  RunIndex* firstStart = w.firstStart.Data();
  std::int32_t* code = w.code.Data();
  std::vector<Run> upper(static_cast<std::size_t>(w.RunsPerLine()));
  std::vector<Run> lower(upper.size());
  // The root each run of the line above had when it was joined: a shorter way to its root now.
  std::vector<RunIndex> upperRoot(upper.size()), lowerRoot(upper.size());
  int upperCount = 0;
  const int first = std::max(band.top, 1);
  const int last = std::min(band.bottom, w.runLineEnd);
  RunIndex next = band.base;
  band.roots.clear();
  for (int i = first; i < last; ++i) {
    const int count = ExtractRuns(source[i], w.runColumnEnd, lower.data());
    w.lineBegin[static_cast<std::size_t>(i)] = next;
    const bool startLine = i <= w.lines - 2;
    // A run joining the region of a run above takes that region's root at once; a run joining none
    // begins a region.
    int a0 = 0;
    for (int b = 0; b < count; ++b) {
      const RunIndex k = next + b;
      const Run run = lower[static_cast<std::size_t>(b)];
      const bool starts = startLine && run.start <= w.columns - 2;
      RunIndex root = -1;
      while (a0 < upperCount && upper[static_cast<std::size_t>(a0)].end < run.start) ++a0;
      for (int a = a0; a < upperCount && upper[static_cast<std::size_t>(a)].start <= run.end; ++a) {
        const RunIndex r = FindRoot(parent, upperRoot[static_cast<std::size_t>(a)]);
        if (root < 0) {
          root = r;
          parent[k] = r;
          pixels[r] += run.end - run.start;
          if (starts && firstStart[r] == kNoStart) firstStart[r] = k;
        } else if (r != root) {
          root = JoinRoots(w, root, r);
        }
      }
      if (root < 0) {
        root = k;
        parent[k] = k;
        pixels[k] = run.end - run.start;
        firstStart[k] = starts ? k : kNoStart;
        code[k] = kNotWalked;
        band.roots.push_back(k);
      }
      lowerRoot[static_cast<std::size_t>(b)] = root;
    }
    std::swap(upper, lower);
    std::swap(upperRoot, lowerRoot);
    upperCount = count;
    next += count;
  }

  band.starts.clear();
  for (RunIndex r : band.roots) {
    if (parent[r] == r && firstStart[r] != kNoStart) band.starts.push_back({firstStart[r], r});
  }
  // Regions begin in raster order and nearly always start where they begin.
  const auto byRun = [](const Start& a, const Start& b) { return a.run < b.run; };
  if (!std::is_sorted(band.starts.begin(), band.starts.end(), byRun))
    std::sort(band.starts.begin(), band.starts.end(), byRun);
}

// Joins the regions that meet across the band edges.
void JoinBands(ItemWorkspace& w, const BytePlane& source) {
  RunIndex* parent = w.parent.Data();
  std::vector<Run> upper(static_cast<std::size_t>(w.RunsPerLine()));
  std::vector<Run> lower(upper.size());
  for (std::size_t t = 1; t < w.bands.size(); ++t) {
    const int line = w.bands[t].top;
    if (line - 1 < 1 || line >= w.runLineEnd) continue;
    const int upperCount = ExtractRuns(source[line - 1], w.runColumnEnd, upper.data());
    const int lowerCount = ExtractRuns(source[line], w.runColumnEnd, lower.data());
    const RunIndex upperBase = w.lineBegin[static_cast<std::size_t>(line) - 1];
    const RunIndex lowerBase = w.lineBegin[static_cast<std::size_t>(line)];
    ForEachTouchingPair(upper.data(), upperCount, lower.data(), lowerCount, [&](int a, int b) {
      const RunIndex ra = FindRoot(parent, upperBase + a), rb = FindRoot(parent, lowerBase + b);
      if (ra != rb) JoinRoots(w, ra, rb);
    });
  }
}

// The kept item of rank n (1, 2, ...) takes the n-th code of NextItemCode's sequence.
int CodeOfRank(int rank) {
  return rank < 10 ? rank : rank + 1;
}

// One band per core on planes large enough to repay the joining; one band otherwise.
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

// Finds the items of `source` made of runs on lines 1 .. runLineEnd - 1 and columns 1 ..
// runColumnEnd - 1, and gives the kept ones their codes in the raster order of their first start.
template <class KeepItem>
ItemCountResult FindItems(ItemWorkspace& w, const BytePlane& source, int runLineEnd, int runColumnEnd,
                          int bandCount, KeepItem keep) {
  w.result = ItemCountResult();
  w.lines = source.Lines();
  w.columns = source.Columns();
  w.runLineEnd = runLineEnd;
  w.runColumnEnd = runColumnEnd;
  w.bands.resize(static_cast<std::size_t>(std::max(1, std::min(bandCount, w.lines))));
  const int bands = static_cast<int>(w.bands.size());
  const std::int64_t runsPerLine = w.RunsPerLine();
  const std::int64_t capacity = static_cast<std::int64_t>(w.lines) * runsPerLine;
  if (capacity >= kNoStart) throw std::length_error("plane too large for the item walk");
  const auto size = static_cast<std::size_t>(capacity);
  w.parent.Reserve(size);
  w.pixels.Reserve(size);
  w.firstStart.Reserve(size);
  w.code.Reserve(size);
  w.lineBegin.assign(static_cast<std::size_t>(w.lines), 0);
  for (int t = 0; t < bands; ++t) {
    Band& band = w.bands[static_cast<std::size_t>(t)];
    band.top = static_cast<int>(static_cast<std::int64_t>(w.lines) * t / bands);
    band.bottom = static_cast<int>(static_cast<std::int64_t>(w.lines) * (t + 1) / bands);
    band.base = static_cast<RunIndex>(band.top * runsPerLine);
  }

#pragma omp parallel for schedule(static, 1) if (bands > 1)
  for (int t = 0; t < bands; ++t) ScanBand(w, source, w.bands[static_cast<std::size_t>(t)]);

  JoinBands(w, source);

  // A region's first start is listed by every band it crosses; the item keeps the earliest one.
  const RunIndex* parent = w.parent.Data();
  const RunIndex* firstStart = w.firstStart.Data();
  const std::int64_t* pixels = w.pixels.Data();
#pragma omp parallel for schedule(static, 1) if (bands > 1)
  for (int t = 0; t < bands; ++t) {
    Band& band = w.bands[static_cast<std::size_t>(t)];
    band.kept = 0;
    band.keptPixels = 0;
    for (Start& start : band.starts) {
      const RunIndex root = FindRootReadOnly(parent, start.root);
      start.root = firstStart[root] == start.run ? root : -1;
      if (start.root >= 0 && keep(pixels[root])) {
        ++band.kept;
        band.keptPixels += pixels[root];
      }
    }
  }

  std::vector<int> keptBefore(static_cast<std::size_t>(bands), 0);
  for (int t = 0; t < bands; ++t) {
    const Band& band = w.bands[static_cast<std::size_t>(t)];
    keptBefore[static_cast<std::size_t>(t)] = w.result.KeptItems;
    w.result.KeptItems += band.kept;
    w.result.LabeledPixels += band.keptPixels;
  }
  w.result.ItemCount = CodeOfRank(w.result.KeptItems);

  std::int32_t* code = w.code.Data();
#pragma omp parallel for schedule(static, 1) if (bands > 1)
  for (int t = 0; t < bands; ++t) {
    int rank = keptBefore[static_cast<std::size_t>(t)];
    for (const Start& start : w.bands[static_cast<std::size_t>(t)].starts) {
      if (start.root < 0) continue;
      code[start.root] = keep(pixels[start.root]) ? CodeOfRank(++rank) : 0;
    }
  }
  return w.result;
}

// Calls paint(line, runs, codes, count) for every line of runs of the last walk, band by band: the
// runs read again from `source` (unchanged since the walk) and the code of each one's item
// (kNotWalked, 0 when walked but not kept, else its code).
template <class PaintLine>
void ForEachPaintedLine(const ItemWorkspace& w, const BytePlane& source, PaintLine paint) {
  const int bands = static_cast<int>(w.bands.size());
#pragma omp parallel for schedule(static, 1) if (bands > 1)
  for (int t = 0; t < bands; ++t) {
    const Band& band = w.bands[static_cast<std::size_t>(t)];
    std::vector<Run> runs(static_cast<std::size_t>(w.RunsPerLine()));
    std::vector<std::int32_t> codes(runs.size());
    for (int i = band.top; i < band.bottom; ++i) {
      int count = 0;
      if (i >= 1 && i < w.runLineEnd) {
        count = ExtractRuns(source[i], w.runColumnEnd, runs.data());
        const RunIndex base = w.lineBegin[static_cast<std::size_t>(i)];
        for (int k = 0; k < count; ++k) {
          codes[static_cast<std::size_t>(k)] = w.code.Data()[FindRootReadOnly(w.parent.Data(), base + k)];
        }
      }
      paint(i, runs.data(), codes.data(), count);
    }
  }
}

// The walk's effect on its planes: walked pixels consumed, kept ones labeled.
void ConsumeAndLabel(const ItemWorkspace& w, BytePlane& source, IntPlane& labels) {
  ForEachPaintedLine(w, source, [&](int line, const Run* runs, const std::int32_t* codes, int count) {
    std::uint8_t* cells = source[line];
    std::int32_t* rowLabels = labels[line];
    for (int k = 0; k < count; ++k) {
      if (codes[k] == kNotWalked) continue;
      for (int j = runs[k].start; j < runs[k].end; ++j) cells[j] = 0;
      if (codes[k] > 0) std::fill(rowLabels + runs[k].start, rowLabels + runs[k].end, codes[k]);
    }
  });
}

auto SizeBounds(int minSize, int maxSize) {
  return [minSize, maxSize](std::int64_t pixels) {
    const std::int64_t size = ItemSize(pixels);
    return minSize <= size && size <= maxSize;
  };
}

bool KeepAll(std::int64_t) {
  return true;
}

template <class KeepItem>
ItemCountResult WalkItems(BytePlane& source, IntPlane& labels, int bands, PixelStack& stack, KeepItem keep) {
  ItemWorkspace& w = stack.Work();
  w.result = ItemCountResult();
  if (source.Empty() || labels.Lines() != source.Lines() || labels.Columns() != source.Columns()) {
    w.bands.clear();
    return w.result;
  }
  const ItemCountResult result = FindItems(w, source, source.Lines(), source.Columns(), bands, keep);
  ConsumeAndLabel(w, source, labels);
  return result;
}

}  // namespace

PixelStack::PixelStack() : work_(std::make_unique<ItemWorkspace>()) {}
PixelStack::~PixelStack() = default;
PixelStack::PixelStack(PixelStack&& other) noexcept : work_(std::make_unique<ItemWorkspace>()) {
  std::swap(work_, other.work_);
}
PixelStack& PixelStack::operator=(PixelStack&& other) noexcept {
  std::swap(work_, other.work_);
  return *this;
}

void PixelStack::Clear() {
  work_->Free();
}

ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, PixelStack& stack) {
  return WalkItems(binary, labels, DefaultBands(binary), stack, SizeBounds(minSize, maxSize));
}

ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize) {
  PixelStack stack;
  return CountItems(binary, labels, minSize, maxSize, stack);
}

ItemCountResult CountItemsInBands(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands) {
  PixelStack stack;
  return WalkItems(binary, labels, bands, stack, SizeBounds(minSize, maxSize));
}

ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels, PixelStack& stack) {
  return WalkItems(mask, labels, DefaultBands(mask), stack, KeepAll);
}

ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels) {
  PixelStack stack;
  return WalkItemsForDilation(mask, labels, stack);
}

ItemCountResult CountItemsInFrame(const BytePlane& binary, int minSize, int maxSize, PixelStack& stack,
                                  int bands) {
  ItemWorkspace& w = stack.Work();
  w.result = ItemCountResult();
  if (binary.Empty()) {
    w.Free();
    return w.result;
  }
  // The frame set to 0 leaves runs on lines 1 .. lines - 2 and columns 1 .. columns - 2.
  return FindItems(w, binary, binary.Lines() - 1, binary.Columns() - 1,
                   bands > 0 ? bands : DefaultBands(binary), SizeBounds(minSize, maxSize));
}

std::vector<std::int64_t> ItemPixelsPerCode(const PixelStack& stack) {
  const ItemWorkspace& w = stack.Work();
  std::vector<std::int64_t> perCode(static_cast<std::size_t>(w.result.ItemCount) + 1, 0);
  for (const Band& band : w.bands) {
    for (const Start& start : band.starts) {
      if (start.root < 0) continue;
      const std::int32_t code = w.code.Data()[start.root];
      if (code > 0) perCode[static_cast<std::size_t>(code)] = w.pixels.Data()[start.root];
    }
  }
  return perCode;
}

void PaintItemCodes(const PixelStack& stack, const BytePlane& binary, BytePlane& codes,
                    std::uint8_t background) {
  const ItemWorkspace& w = stack.Work();
  if (codes.Empty() || codes.Lines() != w.lines || codes.Columns() != w.columns ||
      binary.Lines() != w.lines || binary.Columns() != w.columns)
    return;
  ForEachPaintedLine(w, binary, [&](int line, const Run* runs, const std::int32_t* itemCodes, int count) {
    std::uint8_t* row = codes[line];
    std::memset(row, background, static_cast<std::size_t>(w.columns));
    for (int k = 0; k < count; ++k) {
      if (itemCodes[k] > 0)
        std::memset(row + runs[k].start, itemCodes[k], static_cast<std::size_t>(runs[k].end - runs[k].start));
    }
  });
}
