#pragma once
// The zone of the sequence dialogs: read from their fields, and what they say, under "ERROR", about a
// zone the extraction cannot read.
#include <string>

#include "sequence/kernels/SequenceExtraction.h"

// The texts of the gray-tone sequence dialog (frame: the whole image).
std::string GtsZoneMessage(ZoneFault fault, const SequenceZone& zone);
// The texts of the wavelet dialog (frame: R from every edge); `range` is R.
std::string WaveletZoneMessage(ZoneFault fault, const SequenceZone& zone, int range);

// The zone a sequence dialog's fields describe (both dialogs name them alike).
template <class Form>
SequenceZone ZoneOfForm(const Form& form) {
  SequenceZone zone;
  zone.StudiedItem = form.StudiedItem;
  zone.SelectedLine = form.SelectedLine;
  zone.SelectedColumn = form.SelectedColumn;
  zone.FirstLine = form.FirstLine;
  zone.FirstColumn = form.FirstColumn;
  zone.LastLine = form.LastLine;
  zone.LastColumn = form.LastColumn;
  zone.ZoneCode = form.ZoneCode;
  return zone;
}
