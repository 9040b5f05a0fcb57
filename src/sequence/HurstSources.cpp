#include "sequence/HurstSources.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "sequence/Hurst.h"

namespace {

// Entries first .. first + count - 1 of `held`, never past its end; refused when absent or short.
SequenceSource Take(const std::vector<int>& held, int first, int count, bool present,
                    const std::string& absent, const std::string& name) {
  SequenceSource source;
  const int available = std::max(0, std::min(count, static_cast<int>(held.size()) - first));
  if (!present) {
    source.Refusal = absent;
    return source;
  }
  if (available < kShortestSource) {
    source.Refusal = name + " holds fewer than " + std::to_string(kShortestSource) + " values";
    return source;
  }
  source.Values.assign(held.begin() + first, held.begin() + first + available);
  return source;
}

}  // namespace

SequenceSource GrayToneSequenceSource(const TMainForm& m) {
  return Take(m.GtsValues, 0, m.GtsLength, m.GtsReady == 1, "No Gray Tone Sequence has been extracted",
              "The Gray Tone Sequence");
}

SequenceSource OrientationSource(const TMainForm& m) {
  // The orientation treatment leaves its angles at entries 1 .. M.
  return Take(m.OrientationValues, 1, m.OrientationLength, m.OrientationLength > 0,
              "No Perimeter orientation has been computed", "The Perimeter orientation");
}

SequenceSource DistanceSource(const TMainForm& m) {
  return Take(m.Distances, 0, m.PerimDistLength, m.PerimDistLength > 0,
              "No Distance Perimeter/Center has been computed", "The Distance Perimeter/Center sequence");
}

SequenceSource HurstSource(int dataIn, const TMainForm& m) {
  switch (dataIn) {
    case kGrayToneSequence:
      return GrayToneSequenceSource(m);
    case kPerimeterOrientation:
      return OrientationSource(m);
    case kPerimeterDistance:
      return DistanceSource(m);
    default:
      return {{}, "Data in not defined"};
  }
}
