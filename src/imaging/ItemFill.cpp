#include "imaging/ItemFill.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "imaging/Parallel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Regions begin as labels: a run that touches no run of the line above (in its band) takes a new
// label, any other run joins the region of the runs above it. Labels are numbered per band in the
// raster order of the runs that made them; the runs' own labels are not stored, since painting finds
// them again from the kept runs by the same rule.
using Label = std::int32_t;
// A label's parent is a label of its band (>= 0) or, once bands are joined, -(global label + 1).
using Position = std::uint32_t;  // line x columns + column: sides and sizes are checked to fit
constexpr Position kNoStart = UINT32_MAX;
constexpr int kNotWalked = -1;  // code of a region no start reaches: its pixels stay as they were
constexpr int kMaxRunColumn = 65535;

// Columns [start, end) of one line, all of value 1.
struct Run {
  std::uint16_t start;
  std::uint16_t end;
};

// A region's first pixel that can start an item, as its band sees it.
struct Start {
  Position position;
  Label local;  // the region's root in the band
  Label root;   // after the joining: the item's global root, or -1 when another band starts it first
};

// The runs of a band, line after line, in blocks that are kept from walk to walk; a line's runs are
// never split between blocks, and a block is never moved, so pointers to lines stay valid.
class RunStore {
 public:
  void Restart(std::size_t blockRuns) {
    if (blockRuns != blockRuns_) blocks_.clear();
    blockRuns_ = blockRuns;
    current_ = 0;
    used_ = 0;
  }
  // Room for `need` runs at the end; Commit says how many were written.
  Run* Room(std::size_t need) {
    if (current_ < blocks_.size() && used_ + need <= blockRuns_) return blocks_[current_].get() + used_;
    if (current_ < blocks_.size()) ++current_;
    used_ = 0;
    if (current_ == blocks_.size()) blocks_.emplace_back(new Run[blockRuns_]);
    return blocks_[current_].get();
  }
  void Commit(std::size_t count) { used_ += count; }

 private:
  std::vector<std::unique_ptr<Run[]>> blocks_;
  std::size_t blockRuns_ = 0;
  std::size_t current_ = 0;
  std::size_t used_ = 0;
};

struct Band {
  int top = 0;  // lines [top, bottom)
  int bottom = 0;
  Label base = 0;  // global number of the band's label 0
  RunStore runs;
  // Per label; sizes, first starts and codes are meaningful at roots only.
  std::vector<Label> parent;
  std::vector<std::uint32_t> pixels;  // an item holds at most lines x columns < 2^32 pixels
  std::vector<Position> firstStart;
  std::vector<std::int32_t> code;
  std::vector<Label> firstLineLabels, lastLineLabels;  // labels of the runs of its first and last line
  std::vector<Start> starts;                           // in raster order
};

}  // namespace

struct ItemWorkspace {
  std::vector<Band> bands;
  std::vector<const Run*> lineRuns;  // runs of each line, in their band's store
  std::vector<std::int32_t> lineCount;
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
      out[started++].start = static_cast<std::uint16_t>(c + std::countr_zero(starts));
    for (std::uint64_t ends = ~mask & before; ends; ends &= ends - 1)
      out[ended++].end = static_cast<std::uint16_t>(c + std::countr_zero(ends));
    carry = mask >> 63;
  }
  if (ended < started) out[ended].end = static_cast<std::uint16_t>(end);
  return started;
}

// Calls match(b, a) for every run b of lower[0, lowerCount) with the first run a of upper[0,
// upperCount) (the line above) it is 8-connected to, or a = -1 when there is none, and then
// join(a2) for each further such run a2: their column ranges overlap once widened by one.
template <class Match, class Join>
void MatchLines(const Run* upper, int upperCount, const Run* lower, int lowerCount, Match&& match,
                Join&& join) {
  int a0 = 0;
  for (int b = 0; b < lowerCount; ++b) {
    const Run run = lower[b];
    while (a0 < upperCount && upper[a0].end < run.start) ++a0;
    int a = a0;
    const bool touches = a < upperCount && upper[a].start <= run.end;
    match(b, touches ? a : -1);
    if (!touches) continue;
    for (++a; a < upperCount && upper[a].start <= run.end; ++a) join(b, a);
  }
}

// Path halving, with no store when the parent is already the root (the common case here).
Label FindLocal(Label* parent, Label x) {
  for (;;) {
    const Label p = parent[x];
    if (p == x) return x;
    const Label g = parent[p];
    if (g == p) return p;
    parent[x] = g;
    x = g;
  }
}

// Joins two roots of a band: the earlier label stays root.
Label JoinLocal(Band& band, Label a, Label b) {
  if (b < a) std::swap(a, b);
  band.parent[static_cast<std::size_t>(b)] = a;
  band.pixels[static_cast<std::size_t>(a)] += band.pixels[static_cast<std::size_t>(b)];
  band.firstStart[static_cast<std::size_t>(a)] =
      std::min(band.firstStart[static_cast<std::size_t>(a)], band.firstStart[static_cast<std::size_t>(b)]);
  return a;
}

// Finds the band's runs, keeps them, and joins them into regions within the band, each region's size
// and first start kept at its root; then lists the regions' first starts.
void ScanBand(ItemWorkspace& w, const BytePlane& source, Band& band) {
  band.parent.clear();
  band.pixels.clear();
  band.firstStart.clear();
  band.code.clear();
  band.firstLineLabels.clear();
  band.lastLineLabels.clear();
  band.starts.clear();
  const int runsPerLine = w.RunsPerLine();
  constexpr std::size_t kBlockRuns = std::size_t{1} << 16;
  band.runs.Restart(std::max(kBlockRuns, 4 * static_cast<std::size_t>(runsPerLine)));
  std::vector<Label> upperLabel(static_cast<std::size_t>(runsPerLine)), lowerLabel(upperLabel.size());
  const int first = std::max(band.top, 1);
  const int last = std::min(band.bottom, w.runLineEnd);
  for (int i = band.top; i < band.bottom; ++i) {
    w.lineRuns[static_cast<std::size_t>(i)] = nullptr;
    w.lineCount[static_cast<std::size_t>(i)] = 0;
  }
  const Run* upper = nullptr;
  int upperCount = 0;
  // Lines equal to the line above over the runs' columns repeat its runs: they are neither read
  // into runs nor stored, and their pixels are added to the regions when the repetition ends.
  int repeats = 0, firstRepeat = 0;
  const auto endRepeats = [&] {
    if (repeats == 0) return;
    const bool startLine = firstRepeat <= w.lines - 2;
    const Position lineStart = static_cast<Position>(firstRepeat) * static_cast<Position>(w.columns);
    for (int a = 0; a < upperCount; ++a) {
      const Label root = FindLocal(band.parent.data(), upperLabel[static_cast<std::size_t>(a)]);
      band.pixels[static_cast<std::size_t>(root)] +=
          static_cast<std::uint32_t>(repeats) * static_cast<std::uint32_t>(upper[a].end - upper[a].start);
      Position& firstStart = band.firstStart[static_cast<std::size_t>(root)];
      if (startLine && upper[a].start <= w.columns - 2 && firstStart == kNoStart)
        firstStart = lineStart + upper[a].start;
    }
    repeats = 0;
  };
  const std::size_t compared = static_cast<std::size_t>(std::max(0, w.runColumnEnd - 1));
  for (int i = first; i < last; ++i) {
    if (i > first && std::memcmp(source[i] + 1, source[i - 1] + 1, compared) == 0) {
      w.lineRuns[static_cast<std::size_t>(i)] = upper;
      w.lineCount[static_cast<std::size_t>(i)] = upperCount;
      if (repeats++ == 0) firstRepeat = i;
      continue;
    }
    endRepeats();
    Run* runs = band.runs.Room(static_cast<std::size_t>(runsPerLine));
    const int count = ExtractRuns(source[i], w.runColumnEnd, runs);
    band.runs.Commit(static_cast<std::size_t>(count));
    w.lineRuns[static_cast<std::size_t>(i)] = count > 0 ? runs : nullptr;
    w.lineCount[static_cast<std::size_t>(i)] = count;
    const bool startLine = i <= w.lines - 2;
    const Position lineStart = static_cast<Position>(i) * static_cast<Position>(w.columns);
    Label* parent = band.parent.data();
    Label root = -1;
    // A run joining the region of a run above takes that region's root at once; a run joining none
    // begins a region.
    MatchLines(
        upper, upperCount, runs, count,
        [&](int b, int a) {
          const Run run = runs[b];
          const bool starts = startLine && run.start <= w.columns - 2;
          if (a < 0) {
            root = static_cast<Label>(band.parent.size());
            band.parent.push_back(root);
            band.pixels.push_back(static_cast<std::uint32_t>(run.end - run.start));
            band.firstStart.push_back(starts ? lineStart + run.start : kNoStart);
            band.code.push_back(kNotWalked);
            parent = band.parent.data();
          } else {
            root = FindLocal(parent, upperLabel[static_cast<std::size_t>(a)]);
            band.pixels[static_cast<std::size_t>(root)] += static_cast<std::uint32_t>(run.end - run.start);
            Position& firstStart = band.firstStart[static_cast<std::size_t>(root)];
            if (starts && firstStart == kNoStart) firstStart = lineStart + run.start;
          }
          lowerLabel[static_cast<std::size_t>(b)] = root;
        },
        [&](int b, int a) {
          const Label r = FindLocal(parent, upperLabel[static_cast<std::size_t>(a)]);
          if (r != root) root = JoinLocal(band, root, r);
          lowerLabel[static_cast<std::size_t>(b)] = root;
        });
    if (i == first) band.firstLineLabels.assign(lowerLabel.begin(), lowerLabel.begin() + count);
    upper = runs;
    upperCount = count;
    std::swap(upperLabel, lowerLabel);
  }
  endRepeats();
  if (last > first) band.lastLineLabels.assign(upperLabel.begin(), upperLabel.begin() + upperCount);

  for (std::size_t k = 0; k < band.parent.size(); ++k) {
    if (band.parent[k] == static_cast<Label>(k) && band.firstStart[k] != kNoStart)
      band.starts.push_back({band.firstStart[k], static_cast<Label>(k), -1});
  }
  // Regions begin in raster order and nearly always start where they begin.
  const auto byPosition = [](const Start& a, const Start& b) { return a.position < b.position; };
  if (!std::is_sorted(band.starts.begin(), band.starts.end(), byPosition))
    std::sort(band.starts.begin(), band.starts.end(), byPosition);
}

// Global labels: band t's labels are numbered from its base on.
int BandOf(const ItemWorkspace& w, Label g) {
  // The last band whose base is <= g, by halving without branches.
  const Band* first = w.bands.data();
  std::size_t count = w.bands.size();
  while (count > 1) {
    const std::size_t half = count / 2;
    first = first[half].base <= g ? first + half : first;
    count -= half;
  }
  return static_cast<int>(first - w.bands.data());
}

// A label as its band and its number there.
struct LabelRef {
  int band;
  Label local;
};

LabelRef RefOf(const ItemWorkspace& w, Label g) {
  const int t = BandOf(w, g);
  return {t, g - w.bands[static_cast<std::size_t>(t)].base};
}

Label GlobalOf(const ItemWorkspace& w, LabelRef ref) {
  return w.bands[static_cast<std::size_t>(ref.band)].base + ref.local;
}

// The label a parent value of band t points at.
LabelRef Follow(const ItemWorkspace& w, int t, Label parent) {
  return parent >= 0 ? LabelRef{t, parent} : RefOf(w, -parent - 1);
}

LabelRef FindRootReadOnly(const ItemWorkspace& w, LabelRef x) {
  for (;;) {
    const Label p = w.bands[static_cast<std::size_t>(x.band)].parent[static_cast<std::size_t>(x.local)];
    if (p == x.local) return x;
    x = Follow(w, x.band, p);
  }
}

// The parent value that points from a label of band t at `root`.
Label Encode(const ItemWorkspace& w, int t, LabelRef root) {
  return root.band == t ? root.local : -GlobalOf(w, root) - 1;
}

// Finds the root and points every label on the way straight at it.
LabelRef FindRoot(ItemWorkspace& w, LabelRef x) {
  const Label p = w.bands[static_cast<std::size_t>(x.band)].parent[static_cast<std::size_t>(x.local)];
  if (p == x.local) return x;
  const LabelRef up = Follow(w, x.band, p);
  const Label q = w.bands[static_cast<std::size_t>(up.band)].parent[static_cast<std::size_t>(up.local)];
  if (q == up.local) return up;  // one step away already
  const LabelRef root = FindRootReadOnly(w, up);
  while (x.band != root.band || x.local != root.local) {
    Label& parent = w.bands[static_cast<std::size_t>(x.band)].parent[static_cast<std::size_t>(x.local)];
    const LabelRef next = Follow(w, x.band, parent);
    parent = Encode(w, x.band, root);
    x = next;
  }
  return root;
}

template <class T>
T& At(ItemWorkspace& w, std::vector<T> Band::*table, LabelRef x) {
  return (w.bands[static_cast<std::size_t>(x.band)].*table)[static_cast<std::size_t>(x.local)];
}

template <class T>
const T& At(const ItemWorkspace& w, std::vector<T> Band::*table, LabelRef x) {
  return (w.bands[static_cast<std::size_t>(x.band)].*table)[static_cast<std::size_t>(x.local)];
}

// Joins the regions that meet across the band edges, from the runs kept for both lines.
void JoinBands(ItemWorkspace& w) {
  for (std::size_t t = 1; t < w.bands.size(); ++t) {
    const int line = w.bands[t].top;
    if (line - 1 < 1 || line >= w.runLineEnd) continue;
    const auto join = [&](int b, int a) {
      LabelRef ra =
          FindRoot(w, {static_cast<int>(t) - 1, w.bands[t - 1].lastLineLabels[static_cast<std::size_t>(a)]});
      LabelRef rb =
          FindRoot(w, {static_cast<int>(t), w.bands[t].firstLineLabels[static_cast<std::size_t>(b)]});
      if (ra.band == rb.band && ra.local == rb.local) return;
      if (GlobalOf(w, rb) < GlobalOf(w, ra)) std::swap(ra, rb);  // the earlier label stays root
      At(w, &Band::parent, rb) = Encode(w, rb.band, ra);
      At(w, &Band::pixels, ra) += At(w, &Band::pixels, rb);
      Position& start = At(w, &Band::firstStart, ra);
      start = std::min(start, At(w, &Band::firstStart, rb));
    };
    MatchLines(
        w.lineRuns[static_cast<std::size_t>(line) - 1], w.lineCount[static_cast<std::size_t>(line) - 1],
        w.lineRuns[static_cast<std::size_t>(line)], w.lineCount[static_cast<std::size_t>(line)],
        [&](int b, int a) {
          if (a >= 0) join(b, a);
        },
        join);
  }
}

// The kept item of rank n (1, 2, ...) takes the n-th code of NextItemCode's sequence.
int CodeOfRank(int rank) {
  return rank < 10 ? rank : rank + 1;
}

// Bands of about equal lines, a few per thread so that a late thread leaves little behind, and no
// more than the work repays: lines that repeat the line above cost a comparison only, so the share
// of such lines in a sample of the plane is taken off the work; one band on one thread.
int DefaultBands(const BytePlane& plane) {
  constexpr int kBandsPerThread = 4;
  constexpr int kSampledLines = 32;
  constexpr std::int64_t kRepeatedLineCost = 16;  // a line compared costs a sixteenth of one scanned
  const int lines = plane.Lines(), columns = plane.Columns();
  const std::int64_t most = lines / parallel::RowGrain(columns);
  if (most < 2) return 1;
  const int threads = parallel::Threads();
  if (threads <= 1) return 1;
  int repeated = 0;
  for (int k = 0; k < kSampledLines; ++k) {
    const int i = 2 + static_cast<int>(static_cast<std::int64_t>(lines - 3) * k / kSampledLines);
    if (i < lines && std::memcmp(plane[i], plane[i - 1], static_cast<std::size_t>(columns)) == 0) ++repeated;
  }
  const std::int64_t pixels = static_cast<std::int64_t>(lines) * columns;
  const std::int64_t work = pixels * (kSampledLines - repeated) / kSampledLines + pixels / kRepeatedLineCost;
  const std::int64_t bands =
      std::min<std::int64_t>({threads * kBandsPerThread, most, work / parallel::ChunkWork()});
  return static_cast<int>(std::max<std::int64_t>(bands, 1));
}

// Finds the items of `source` made of runs on lines 1 .. runLineEnd - 1 and columns 1 ..
// runColumnEnd - 1, and gives the kept ones their codes in the raster order of their first start.
template <class KeepItem>
ItemCountResult FindItems(ItemWorkspace& w, const BytePlane& source, int runLineEnd, int runColumnEnd,
                          int bandCount, KeepItem keep) {
  w.result = ItemCountResult();
  if (runColumnEnd > kMaxRunColumn || source.Size() >= kNoStart)
    throw std::length_error("plane too large for the item walk");
  w.lines = source.Lines();
  w.columns = source.Columns();
  w.runLineEnd = runLineEnd;
  w.runColumnEnd = runColumnEnd;
  w.bands.resize(static_cast<std::size_t>(std::max(1, std::min(bandCount, w.lines))));
  const int bands = static_cast<int>(w.bands.size());
  for (int t = 0; t < bands; ++t) {
    Band& band = w.bands[static_cast<std::size_t>(t)];
    band.top = static_cast<int>(static_cast<std::int64_t>(w.lines) * t / bands);
    band.bottom = static_cast<int>(static_cast<std::int64_t>(w.lines) * (t + 1) / bands);
  }
  w.lineRuns.resize(static_cast<std::size_t>(w.lines));
  w.lineCount.resize(static_cast<std::size_t>(w.lines));

  parallel::For(bands, 1, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t t = first; t < last; ++t) ScanBand(w, source, w.bands[static_cast<std::size_t>(t)]);
  });

  Label labels = 0;  // at most one a run, and runs are fewer than 2^31 on a plane of < 2^32 pixels
  for (Band& band : w.bands) {
    band.base = labels;
    labels += static_cast<Label>(band.parent.size());
  }
  JoinBands(w);

  // A region's first start is listed by every band it crosses; the item keeps the earliest one.
  int rank = 0;
  for (int t = 0; t < bands; ++t) {
    for (Start& start : w.bands[static_cast<std::size_t>(t)].starts) {
      const LabelRef root = FindRoot(w, {t, start.local});
      start.root = At(w, &Band::firstStart, root) == start.position ? GlobalOf(w, root) : -1;
      if (start.root < 0) continue;
      const std::uint32_t pixels = At(w, &Band::pixels, root);
      const bool kept = keep(pixels);
      At(w, &Band::code, root) = kept ? CodeOfRank(++rank) : 0;
      if (kept) w.result.LabeledPixels += pixels;
    }
  }
  w.result.KeptItems = rank;
  w.result.ItemCount = CodeOfRank(rank);
  return w.result;
}

// Calls paint(line, runs, codes, count, repeated) for every line of the last walk, band by band on
// the threads: the kept runs and the code of each one's item (kNotWalked, 0 when walked but not
// kept, else its code); `repeated` when the line repeats the line above in its band, runs and codes.
// Each run's label is found again from the runs above it, as the walk gave it.
template <class PaintLine>
void ForEachPaintedLine(const ItemWorkspace& w, PaintLine paint) {
  parallel::For(
      static_cast<std::int64_t>(w.bands.size()), 1, [&](std::int64_t firstBand, std::int64_t lastBand) {
        for (std::int64_t t = firstBand; t < lastBand; ++t) {
          const Band& band = w.bands[static_cast<std::size_t>(t)];
          std::vector<std::int32_t> labelCode(band.parent.size());
          for (std::size_t k = 0; k < labelCode.size(); ++k) {
            labelCode[k] =
                At(w, &Band::code, FindRootReadOnly(w, {static_cast<int>(t), static_cast<Label>(k)}));
          }
          const std::size_t runsPerLine = static_cast<std::size_t>(w.RunsPerLine());
          std::vector<Label> upperLabel(runsPerLine), lowerLabel(runsPerLine);
          std::vector<std::int32_t> codes(runsPerLine);
          const Run* upper = nullptr;
          int upperCount = 0;
          Label next = 0;
          for (int i = band.top; i < band.bottom; ++i) {
            const Run* runs = w.lineRuns[static_cast<std::size_t>(i)];
            const int count = w.lineCount[static_cast<std::size_t>(i)];
            if (i > band.top && runs == upper && count == upperCount) {
              paint(i, runs, codes.data(), count, true);
              continue;
            }
            MatchLines(
                upper, upperCount, runs, count,
                [&](int b, int a) {
                  const Label label = a < 0 ? next++ : upperLabel[static_cast<std::size_t>(a)];
                  lowerLabel[static_cast<std::size_t>(b)] = label;
                  codes[static_cast<std::size_t>(b)] = labelCode[static_cast<std::size_t>(label)];
                },
                [](int, int) {});
            paint(i, runs, codes.data(), count, false);
            upper = runs;
            upperCount = count;
            std::swap(upperLabel, lowerLabel);
          }
        }
      });
}

// Fills short spans by hand: a library call per one-pixel run would cost more than the run.
template <class T>
inline void FillSpan(T* cells, int start, int end, T value) {
  if (end - start > 16) {
    std::fill(cells + start, cells + end, value);
    return;
  }
  for (int j = start; j < end; ++j) {
    cells[j] = value;
    asm volatile("" ::: "memory");  // keeps the compiler from making this loop a library call
  }
}

// The walk's effect on its planes: walked pixels consumed, kept ones labeled.
void ConsumeAndLabel(const ItemWorkspace& w, BytePlane& source, IntPlane& labels) {
  ForEachPaintedLine(w, [&](int line, const Run* runs, const std::int32_t* codes, int count, bool) {
    std::uint8_t* cells = source[line];
    std::int32_t* rowLabels = labels[line];
    for (int k = 0; k < count; ++k) {
      if (codes[k] == kNotWalked) continue;
      FillSpan<std::uint8_t>(cells, runs[k].start, runs[k].end, 0);
      if (codes[k] > 0) FillSpan<std::int32_t>(rowLabels, runs[k].start, runs[k].end, codes[k]);
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
    w.Free();
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
      const LabelRef root = RefOf(w, start.root);
      const std::int32_t code = At(w, &Band::code, root);
      if (code > 0) perCode[static_cast<std::size_t>(code)] = At(w, &Band::pixels, root);
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
  const int columns = w.columns;
  ForEachPaintedLine(
      w, [&](int line, const Run* runs, const std::int32_t* itemCodes, int count, bool repeated) {
        std::uint8_t* row = codes[line];
        if (repeated) {
          std::memcpy(row, codes[line - 1], static_cast<std::size_t>(columns));
          return;
        }
        std::memset(row, background, static_cast<std::size_t>(columns));
        // A short run is one 8-byte store of its code followed by background, which the runs to its
        // right, painted after it, overwrite where they lie.
        const std::uint64_t backgroundWord = 0x0101010101010101ull * background;
        for (int k = 0; k < count; ++k) {
          if (itemCodes[k] <= 0 || itemCodes[k] == background) continue;
          const int start = runs[k].start, length = runs[k].end - runs[k].start;
          const auto value = static_cast<std::uint8_t>(itemCodes[k]);
          if (std::endian::native == std::endian::little && length < 8 && start + 8 <= columns) {
            const std::uint64_t codeBytes = (std::uint64_t{1} << (8 * length)) - 1;
            const std::uint64_t word =
                (0x0101010101010101ull * value & codeBytes) | (backgroundWord & ~codeBytes);
            std::memcpy(row + start, &word, sizeof word);
          } else {
            FillSpan(row, start, runs[k].end, value);
          }
        }
      });
}
