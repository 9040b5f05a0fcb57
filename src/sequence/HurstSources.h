#pragma once
// The three sequences the Hurst exponent reads, each reached through one function that gives
// its real values counted from 0, or says why it cannot be used. A new source is one more
// function here and one more entry in HurstSource.
#include <string>
#include <vector>

class TMainForm;

struct SequenceSource {
  std::vector<int> Values;
  std::string Refusal;  // empty when the sequence can be used
  bool Usable() const { return Refusal.empty(); }
};

// A sequence with fewer values has no two window sizes to compare.
inline constexpr int kShortestSource = 3;

// The gray-tone sequence: entries 0 .. GtsLength - 1 of GtsValues.
SequenceSource GrayToneSequenceSource(const TMainForm& m);
// The perimeter orientation: entries 1 .. OrientationLength of OrientationValues.
SequenceSource OrientationSource(const TMainForm& m);
// The perimeter distances: entries 0 .. PerimDistLength - 1 of Distances.
SequenceSource DistanceSource(const TMainForm& m);

// The source of THurstForm::DataIn (0, 1, 2); any other value is refused.
SequenceSource HurstSource(int dataIn, const TMainForm& m);
