#include "sequence/ZoneMessages.h"

namespace {

// Texts shared by both dialogs for the faults their edits never show.
std::string CommonMessage(ZoneFault fault) {
  switch (fault) {
    case ZoneFault::NoItem:
      return "Studied Item not selected";
    case ZoneFault::LineOrder:
      return "The first line must be smaller than the last line";
    case ZoneFault::ColumnOrder:
      return "The first column must be smaller than the last column";
    case ZoneFault::SamePoints:
      return "The first and the last points of the diagonal are the same";
    default:
      return "";
  }
}

// The diagonal and rectangle boxes name their bounds in their own words.
bool FourBounds(const SequenceZone& zone) {
  return zone.StudiedItem == kDiagonalLine || zone.StudiedItem == kRectangularZone;
}

}  // namespace

std::string GtsZoneMessage(ZoneFault fault, const SequenceZone& zone) {
  switch (fault) {
    case ZoneFault::EmptyFrame:
      return "No image to take a sequence from";
    case ZoneFault::SelectedLine:
      return "Line number out of the frame";
    case ZoneFault::SelectedColumn:
      return "Selected column out of the frame";
    case ZoneFault::FirstLine:
      return "First line out of the frame";
    case ZoneFault::FirstColumn:
      return FourBounds(zone) ? "First column out of the frame" : "First column number out of the frame";
    case ZoneFault::LastLine:
      return "Last line out of the frame";
    case ZoneFault::LastColumn:
      return FourBounds(zone) ? "Last column out of the frame" : "Last column number out of the frame";
    default:
      return CommonMessage(fault);
  }
}

std::string WaveletZoneMessage(ZoneFault fault, const SequenceZone& zone, int range) {
  switch (fault) {
    case ZoneFault::EmptyFrame:
      return "The moving window is wider than the image";
    case ZoneFault::SelectedLine:
      return zone.SelectedLine < range ? "Selected Line Minimum out of the frame"
                                       : "Selected Line Maximum out of the frame";
    case ZoneFault::SelectedColumn:
      return zone.SelectedColumn < range ? "Selected Column Minimum outside of the frame"
                                         : "Selected Column Maximum outside of the frame";
    case ZoneFault::FirstLine:
      return "First Line outside of the frame";
    case ZoneFault::FirstColumn:
      return FourBounds(zone) ? "First Column outside of the frame" : "First Column out of the frame";
    case ZoneFault::LastLine:
      return "Last Line outside of the frame";
    case ZoneFault::LastColumn:
      return FourBounds(zone) ? "Last Column outside of the frame" : "Last Column out of the frame";
    default:
      return CommonMessage(fault);
  }
}
