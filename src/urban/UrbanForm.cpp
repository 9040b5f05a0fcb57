#include "urban/UrbanForm.h"

#include "app/MainWindow.h"

void ReleaseUrbanResults(TMainForm& m) {
  m.UrbanForm = TUrbanForm();
  m.Distances.clear();
  m.PerimDistLength = 0;
  m.DistMin = m.DistMax = 0;
  m.DistMean = m.DistRatio = 0;
  m.DiagramSavedFlags.RoughnessSaved = m.DiagramSavedFlags.RoughnessPending = 0;
  m.Expansion = ExpansionResults();
  m.ExpansionSavedFlag = 0;
  m.UrbanXlsFlags[uxExpansion] = m.UrbanXlsFlags[uxPerimeter] = 0;
  m.PerimeterExtracted = 0;
  m.Enable({"PerimeterRoughness1", "RadialExpansion1"}, false);
}
