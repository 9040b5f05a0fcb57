#pragma once
// State of the binary and labeled image treatments, held by the main window.
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/ItemFill.h"

struct BinaryState {
  // Pixels of value 1 in panel 2 when the labeling starts: the proposed maximum item size.
  std::int64_t BinaryPixelCount = 0;
  // Set by the hole extraction when it leaves its holes in panel 2; the labeling then labels them.
  int HoleLabelingMode = 0;
  int HolesLabeled = 0;
  // Greatest box side of the box counting; kept between treatments.
  int BoxSizeCount = 0;
  // The progressive box counting dialog's two values (-1 and 0 while not typed), and the occupied
  // cells of its last reduction.
  int FirstBoxOrder = -1;
  double ProgressiveStep = 0.0;
  std::int64_t OccupiedCells = 0;
  // Tool state of the screen editor: 1 while the last line drawn can be deleted; reset by each new
  // labeled image.
  int EditorState = 0;
  // Seed of the Brownian movement's walks; none: taken from the clock at each treatment.
  std::optional<std::uint32_t> BromovSeed;
  // Positions of the item walks, kept so that its memory is reused.
  ::PixelStack PixelStack;
};
