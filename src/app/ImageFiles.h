#pragma once
// Choosing and reading an image file for an open: the open dialog, the size of a raw image (its
// size file, or the size window), and every refusal with its message. Nothing of the program's
// state changes here; the caller takes the image only when it is loaded.
#include <string>

#include "imaging/Plane.h"

struct LoadedImage {
  std::string fileName;
  BytePlane plane;
  int lines = 0;
  int columns = 0;
  bool raw = false;          // a raw image (else BMP)
  std::string sizeFileName;  // raw: the ".txt" beside it
};

enum class LoadOutcome { Loaded, Cancelled, Refused };

// Shows the open dialog (again after a refused colour BMP) and reads the chosen file.
LoadOutcome ChooseAndLoadImage(LoadedImage& image);

// The size window until both sides are given or it is closed; the main window's size is left as
// it was. False when the person closes it.
bool AskImageSize(int& lines, int& columns);

// The folder the open dialog starts in: ~/images when it exists, else the home folder.
std::string ImagesFolder();
