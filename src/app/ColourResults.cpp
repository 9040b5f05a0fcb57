#include "app/ColourResults.h"

#include "app/MainWindow.h"

void EndColourResults(TMainForm& m) {
  if (!m.EditorColourImage) m.ColourMode = 0;
  for (const Panel3Result colour :
       {p3SingleSuperposition, p3TransparentSuperposition, p3ColouredOriginal, p3ColouredParameter})
    m.Panel3Pending[colour] = 0;
}
