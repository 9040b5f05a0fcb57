#pragma once
// Choosing and reading an image file for an open: the open dialog, the size of a raw image (its
// size file, or the size window), and every refusal with its message. Nothing of the program's
// state changes here until the caller takes a loaded image and remembers its file.
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

// The names the main window keeps of an opened file: the image's, and for a raw image its folder
// (where the save dialogs start) and its size file.
void RememberImageFile(const LoadedImage& image);

// The size window until both sides are given or it is closed; the main window's size is left as
// it was. False when the person closes it.
bool AskImageSize(int& lines, int& columns);

// The folder the open dialog starts in: ~/images when it exists, else the home folder.
std::string ImagesFolder();
