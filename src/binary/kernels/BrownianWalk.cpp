#include "binary/kernels/BrownianWalk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "binary/kernels/BrownianMeasures.h"

namespace {

constexpr int kFullTurn = 360;
constexpr std::uint8_t kCrossed = 2;
constexpr std::uint8_t kFirstVisitMark = 1;
constexpr std::uint8_t kCrossingMark = 2;
// A walk that neither ends nor grows (stuck where every turn steps back) is given up after so many
// segments per point asked; it then counts as a walk not kept.
constexpr std::int64_t kSegmentsPerPoint = 100;
constexpr std::int64_t kSegmentsAtLeast = 10000;

int Rounded(double position) {
  return static_cast<int>(std::trunc(position + 0.5));
}

class Walker {
 public:
  Walker(BrownianPath& path, const WalkParameters& parameters, WalkRandom& random, bool drawing)
      : visits_(path.Visits),
        path_(path),
        parameters_(parameters),
        random_(random),
        drawing_(drawing),
        longest_(std::max(visits_.Lines(), visits_.Columns())),
        maxSegments_(kSegmentsAtLeast +
                     kSegmentsPerPoint * (static_cast<std::int64_t>(parameters.PathPixels) + 1)) {
    points_.reserve(static_cast<std::size_t>(parameters.PathPixels) + 2);
  }

  // One walk from a start drawn on the path; true when it ended by itself (not given up).
  bool Walk() {
    points_.clear();
    drawn_.clear();
    crossings_ = 0;
    start_ = path_.PixelOfRank(random_(static_cast<std::uint32_t>(path_.Pixels())));
    end_ = start_;
    int y0 = start_.Line, x0 = start_.Column;
    for (std::int64_t segment = 0; segment < maxSegments_; ++segment)
      if (Segment(y0, x0)) return true;
    return false;
  }

  // Back to the path as the walks found it: only the cells this walk changed.
  void ClearVisits() {
    for (std::uint8_t* cell : touched_) *cell = kPathPixel;
    touched_.clear();
  }

  const std::vector<WalkPoint>& Points() const { return points_; }
  const std::vector<PixelPoint>& Drawn() const { return drawn_; }
  int Crossings() const { return crossings_; }
  // From the start to the end of the segment the walk ended on, which the walker may not have reached.
  std::int64_t Displacement() const {
    const double dy = end_.Line - start_.Line, dx = end_.Column - start_.Column;
    return static_cast<std::int64_t>(std::sqrt(dy * dy + dx * dx));
  }

 private:
  // Draws one segment from (y0, x0) and walks it; (y0, x0) becomes the next segment's start.
  // True when the walk is over.
  bool Segment(int& y0, int& x0) {
    const double angle = static_cast<double>(random_(kFullTurn)) * std::acos(-1.0) / 180.0;
    std::uint32_t length;
    do length = random_(static_cast<std::uint32_t>(longest_));
    while (length < kShortestSegment);
    const int y1 = y0 + static_cast<int>(std::trunc(std::sin(angle) * length));
    const int x1 = x0 + static_cast<int>(std::trunc(std::cos(angle) * length));
    end_ = {y1, x1};
    const int steps = std::max(std::abs(y1 - y0), std::abs(x1 - x0));
    if (steps == 0) {
      y0 = y1;
      x0 = x1;
      return false;
    }
    const double dy = static_cast<double>(y1 - y0) / steps, dx = static_cast<double>(x1 - x0) / steps;
    double fy = y0, fx = x0;
    // The segment is done only on its end pixel. An end on line or column -1 rounds to 0 and is never
    // met: the walker goes on along the segment's line and leaves the image, the longer axis moving
    // one whole pixel a step, so the loop always ends.
    for (int k = 1;; ++k) {
      const int y = Rounded(fy), x = Rounded(fx);
      if (!visits_.Contains(y, x)) return true;
      std::uint8_t& cell = visits_[y][x];
      if (cell == kOffPath) {
        StepBack(y0, x0);
        return false;
      }
      // The first point of a segment is the end of the previous one: recorded again, not visited again.
      const std::uint8_t visit = std::min<std::uint8_t>(k == 1 ? cell : cell + 1, kCrossed);
      if (cell == kPathPixel && visit != kPathPixel) touched_.push_back(&cell);
      cell = visit;
      const bool crossing = visit > 1;
      points_.push_back({y, x, !crossing});
      crossings_ += crossing;
      if (drawing_) drawn_.push_back({y, x});
      if (static_cast<int>(points_.size()) > parameters_.PathPixels ||
          crossings_ >= parameters_.CrossingCount)
        return true;
      if (y == y1 && x == x1) {
        y0 = y;
        x0 = x;
        return false;
      }
      fy += dy;
      fx += dx;
    }
  }

  // Off the path: the last point is taken back (its crossing with it) and the walk turns from it.
  void StepBack(int& y0, int& x0) {
    if (points_.empty()) return;
    const WalkPoint last = points_.back();
    points_.pop_back();
    crossings_ -= !last.New;
    y0 = last.Line;
    x0 = last.Column;
    if (drawing_) drawn_.push_back({y0, x0});
  }

  BytePlane& visits_;
  BrownianPath& path_;
  const WalkParameters& parameters_;
  WalkRandom& random_;
  const bool drawing_;
  const int longest_;
  const std::int64_t maxSegments_;
  std::vector<WalkPoint> points_;
  std::vector<PixelPoint> drawn_;
  std::vector<std::uint8_t*> touched_;
  PixelPoint start_;
  PixelPoint end_;  // of the segment in hand
  int crossings_ = 0;
};

}  // namespace

WalkRun RunBrownianWalks(BrownianPath& path, const WalkParameters& parameters, WalkRandom& random,
                         const WalkObserver& observer) {
  WalkRun run;
  if (path.Pixels() <= 0 || !WalksFit(path.Visits.Lines(), path.Visits.Columns()) ||
      parameters.WalkCount <= 0 || parameters.PathPixels <= 0 || parameters.CrossingCount <= 0)
    return run;
  Walker walker(path, parameters, random, static_cast<bool>(observer));
  while (static_cast<int>(run.Walks.size()) < parameters.WalkCount && run.Attempts < parameters.MaxAttempts) {
    ++run.Attempts;
    const bool ended = walker.Walk();
    const std::vector<WalkPoint>& points = walker.Points();
    const bool kept = ended && static_cast<int>(points.size()) > parameters.PathPixels;
    if (kept) {
      for (const WalkPoint& point : points)
        path.Marks[point.Line][point.Column] = point.New ? kFirstVisitMark : kCrossingMark;
      WalkSlope slope = MeasureWalkSlope(points);
      run.Walks.push_back(
          {static_cast<int>(points.size()), walker.Crossings(), walker.Displacement(), slope.Slope});
      run.LastLogWindows = std::move(slope.LogWindows);
      run.LastLogCrossings = std::move(slope.LogCrossings);
    }
    walker.ClearVisits();
    if (observer) observer({walker.Drawn(), points, walker.Crossings(), kept});
  }
  return run;
}
