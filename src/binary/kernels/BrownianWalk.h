#pragma once
// Random walkers on the path of the Brownian movement. A walk is a chain of straight segments of
// random direction and length (at least 20 pixels) drawn pixel by pixel from a start drawn
// uniformly among the path's pixels; a walker about to leave the path steps back to its last point
// and turns; leaving the image ends the walk. Pixels visited again are crossings. A walk is kept
// once it holds more than the asked number of points.
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "binary/kernels/BrownianPath.h"

// random(n): the generator's next output mod n, so that a seed gives the same walks everywhere.
class WalkRandom {
 public:
  explicit WalkRandom(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t operator()(std::uint32_t n) { return engine_() % n; }

 private:
  std::mt19937 engine_;
};

inline constexpr int kMaxWalks = 1000;
inline constexpr int kMaxPathPixels = 500;
inline constexpr int kAttemptsPerWalk = 100;
inline constexpr int kShortestSegment = 20;

// The dialog's values as the walks use them.
inline int UsedWalkCount(int walks) {
  return walks > kMaxWalks ? kMaxWalks : walks;
}
inline int UsedPathPixels(int pixels) {
  return pixels > kMaxPathPixels ? kMaxPathPixels : pixels;
}
// No segment length can be drawn unless the image's larger side exceeds the shortest segment.
inline bool WalksFit(int lines, int columns) {
  return lines > kShortestSegment || columns > kShortestSegment;
}

struct WalkParameters {
  int WalkCount = 0;      // walks to keep
  int CrossingCount = 0;  // a walk ends on this many crossings
  int PathPixels = 0;     // a walk is kept with more points than this
  int MaxAttempts = 0;    // walks tried at most, kept or not
};

struct WalkPoint {
  int Line = 0;
  int Column = 0;
  bool New = true;  // false: a crossing
};

struct KeptWalk {
  int Points = 0;
  int Crossings = 0;
  std::int64_t Displacement = 0;  // trunc of the distance from the start to the end of the last segment
  double Slope = 0;               // the walk's own slope, NaN when its points do not give one
};

struct WalkRun {
  std::vector<KeptWalk> Walks;
  int Attempts = 0;
  // The per-walk regression points (ln windows, ln crossing windows) of the last kept walk.
  std::vector<double> LastLogWindows, LastLogCrossings;
};

// What an observer is told after each walk tried.
struct WalkTrace {
  const std::vector<PixelPoint>& Drawn;  // every point drawn, the steps back included
  const std::vector<WalkPoint>& Points;  // the points recorded
  int Crossings = 0;
  bool Kept = false;
};
using WalkObserver = std::function<void(const WalkTrace&)>;

// Walks until `WalkCount` are kept or `MaxAttempts` are tried. Kept walks mark their points in
// path.Marks (1 first visit, 2 crossing); path.Visits is left as it was found.
WalkRun RunBrownianWalks(BrownianPath& path, const WalkParameters& parameters, WalkRandom& random,
                         const WalkObserver& observer = {});
