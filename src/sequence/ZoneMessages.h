#pragma once
// What the sequence dialogs say, under "ERROR", about a zone the extraction cannot read.
#include <string>

#include "sequence/kernels/SequenceExtraction.h"

// The texts of the gray-tone sequence dialog (frame: the whole image).
std::string GtsZoneMessage(ZoneFault fault, const SequenceZone& zone);
// The texts of the wavelet dialog (frame: R from every edge); `range` is R.
std::string WaveletZoneMessage(ZoneFault fault, const SequenceZone& zone, int range);
