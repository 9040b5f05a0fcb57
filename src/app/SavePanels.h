#pragma once
// Saving the image planes of the panels, as a raw file with its size file or as a BMP file, or the
// colour image as a 24-bit BMP file while a colour result is current.

enum class SaveResult {
  Saved,      // TMainForm::RegisteredName names the file written
  Cancelled,  // the person closed the dialog: nothing written
  Failed,     // a file could not be written; the person was told
};

// Panels 1 and 3 save the colour image while it is a colour result other than the screen editor's.
SaveResult SaveOriginalImage();   // panel 1, or the colour image
SaveResult SaveBinaryImage();     // panel 2
SaveResult SaveParameterImage();  // panel 3, or the colour image
// The screen editor's work: its colour picture while that is the colour result, panel 2 otherwise.
SaveResult SaveScreenEditorImage();
