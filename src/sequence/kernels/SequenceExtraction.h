#pragma once
// Gray-tone sequences: the gray values of one plane read in a fixed order over the whole scene,
// a line, a column, a diagonal, a rectangle, or the pixels of one code of a zone plane.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

enum StudiedItemMode : int {
  kNoItem = 0,
  kWholeScene = 1,
  kHorizontalLine = 2,
  kVerticalLine = 3,
  kDiagonalLine = 4,
  kRectangularZone = 5,
  kLabeledZones = 6,
};

// What to read, with the meanings of the dialogs' members.
struct SequenceZone {
  int StudiedItem = kWholeScene;
  int SelectedLine = 0;    // horizontal line
  int SelectedColumn = 0;  // vertical line
  int FirstLine = 0, FirstColumn = 0, LastLine = 0, LastColumn = 0;
  int ZoneCode = 0;  // labeled zones: the zone plane's value
};

// The part of the image a sequence may read: every pixel at least `Border` from the edges. The
// whole scene leaves out `SceneBorder` pixels instead (1 for the original extraction).
struct SequenceFrame {
  int Lines = 0, Columns = 0;
  int Border = 0;
  int SceneBorder = 1;
};

// The first bound of a zone that cannot be read, in the order the dialogs check them.
enum class ZoneFault {
  None,
  NoItem,          // no studied item chosen, or an unknown one
  EmptyFrame,      // the frame leaves no pixel to read
  SelectedLine,    // the line of a horizontal line
  SelectedColumn,  // the column of a vertical line
  FirstLine,
  FirstColumn,
  LastLine,
  LastColumn,
  LineOrder,    // first line not above the last (vertical line, rectangle)
  ColumnOrder,  // first column not left of the last (horizontal line, rectangle)
  SamePoints,   // a diagonal whose two ends are the same pixel
};

// Bounds inside the frame (Border .. size - Border - 1) and ordered: lines and rectangles need
// first < last; a diagonal needs two distinct ends in any direction. Whole scenes and labeled
// zones have no bounds.
ZoneFault CheckZone(const SequenceZone& zone, const SequenceFrame& frame);

// Number of values the zone gives; the zone plane is read only for labeled zones. 0 for a zone
// that CheckZone refuses.
std::int64_t CountSequenceValues(const SequenceZone& zone, const SequenceFrame& frame,
                                 const BytePlane& zones);

// The values, in reading order:
//  whole scene   lines and columns SceneBorder .. size - SceneBorder - 1, line by line;
//  line, column  the selected line (column) from first + 1 to last - 2;
//  rectangle     lines first + 1 .. last - 2, each from column first + 1 to last - 2;
//  diagonal      the digital line from the first point towards the last, the last left out;
//  labeled zones the pixels of the frame whose zone-plane value is ZoneCode, line by line.
// Empty for a zone that CheckZone refuses or planes smaller than the frame. `values` is resized to
// the count (its storage is reused) and overwritten.
void ExtractSequence(const BytePlane& source, const BytePlane& zones, const SequenceZone& zone,
                     const SequenceFrame& frame, std::vector<int>& values);

// The pixels of the digital diagonal from (firstLine, firstColumn) towards (lastLine, lastColumn):
// one a step along the longer axis, the other coordinate accumulated in doubles and rounded half
// up; the start is taken, the end is not.
struct DiagonalStep {
  int Line, Column;
};
std::vector<DiagonalStep> DiagonalPixels(int firstLine, int firstColumn, int lastLine, int lastColumn);
