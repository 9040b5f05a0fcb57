#include "graytone/kernels/MorletWavelet.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>

#include "imaging/HatFilter.h"
#include "imaging/Parallel.h"
#include "imaging/PixelLoop.h"

namespace {

constexpr int kPieceColumns = 256;

// trunc((v - min) / range x 255) of one line's responses, kept within 0 .. 255 first: beyond the
// extremes (only when they are not the responses' own) the scale stops at its ends.
VORN_PIXEL_LOOP void ScaleLine(const double* v, int count, double min, double range, std::uint8_t* out) {
  for (int j = 0; j < count; ++j)
    out[j] = static_cast<std::uint8_t>(static_cast<int>(std::clamp((v[j] - min) / range * 255, 0.0, 255.0)));
}

}  // namespace

bool MorletWindowFits(int columns, int lines, int h) {
  return h >= 1 && h <= (std::min(columns, lines) - 1) / 2;
}

bool MorletSigmaUsable(int h, double sigma) {
  const double sigma2 = sigma * sigma;
  if (!std::isfinite(sigma2) || sigma2 == 0) return false;
  // The farthest corner has the largest u: with it finite every value is a number.
  const double farthest = 2.0 * h * h / sigma2;
  return std::isfinite(farthest);
}

MorletResult MorletResponse(const BytePlane& source, int h, double sigma, DoublePlane& response,
                            const std::function<void(double)>& progress) {
  MorletResult result;
  const int lines = source.Lines(), columns = source.Columns();
  if (!MorletWindowFits(columns, lines, h) || !MorletSigmaUsable(h, sigma) || response.Lines() != lines ||
      response.Columns() != columns)
    return result;
  const HatFilter filter(h, sigma);
  const int innerLines = lines - 2 * h, innerColumns = columns - 2 * h;
  // Pieces of kTile columns by bands of lines, each band passing its first 2h lines once more: bands
  // long enough for that to stay a small part.
  const std::int64_t tiles = parallel::ChunkCount(innerColumns, kPieceColumns);
  const std::int64_t band =
      std::max<std::int64_t>(parallel::RowGrain(std::int64_t{kPieceColumns} * (2 * h + 1)), 16 * h);
  const std::int64_t pieces = parallel::ChunkCount(innerLines, band) * tiles;
  std::vector<HatExtremes> extremes(pieces);
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::int64_t> done{0};
  parallel::For(pieces, 1, [&](std::int64_t piece, std::int64_t) {  // one piece a chunk
    const std::int64_t first = piece / tiles * band, column = piece % tiles * kPieceColumns;
    HatExtremes local;  // kept here, not in `extremes`: the pieces' entries share cache lines
    filter.Filter(source, first, std::min<std::int64_t>(first + band, innerLines), static_cast<int>(column),
                  static_cast<int>(std::min<std::int64_t>(column + kPieceColumns, innerColumns)),
                  [&](std::int64_t p, int q, const double* values, int count) {
                    std::copy(values, values + count, response[static_cast<int>(p) + h] + h + q);
                    local.Add(values, count);
                  });
    extremes[piece] = local;
    const std::int64_t finished = ++done;
    if (progress && std::this_thread::get_id() == caller)
      progress(static_cast<double>(finished) / static_cast<double>(pieces));
  });
  HatExtremes all;
  for (const HatExtremes& piece : extremes) all.Add(piece);
  result.Computed = true;
  result.Min = all.min;
  result.Max = all.max;
  if (progress) progress(1.0);
  return result;
}

void MorletToGray(const DoublePlane& response, int h, double min, double max, BytePlane& gray) {
  const int lines = response.Lines(), columns = response.Columns();
  if (gray.Lines() != lines || gray.Columns() != columns) gray = BytePlane(columns, lines, kForOverwrite);
  const double range = max - min;
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = gray[i];
      if (i < h || i >= lines - h || columns <= 2 * h || !(range > 0)) {
        std::fill(out, out + columns, std::uint8_t{0});
        continue;
      }
      std::fill(out, out + h, std::uint8_t{0});
      std::fill(out + columns - h, out + columns, std::uint8_t{0});
      ScaleLine(response[i] + h, columns - 2 * h, min, range, out + h);
    }
  });
}
