#pragma once
// Printing and panel transfer state, held by the main window.
#include <string>

#include "panels/kernels/PageGeometry.h"

struct PrintState {
  // The last accepted page set-up in millimetres: "Print" fits the panel it prints into it again, so
  // that a picture of other proportions is never printed distorted.
  PageGeometry PrintGeometry;
  bool PrintCentred = true;
  bool PrintWholePage = false;

  // Panel 1's own name, which a complementary open leaves alone; the panel transfer carries it.
  std::string Panel1Name;
};
