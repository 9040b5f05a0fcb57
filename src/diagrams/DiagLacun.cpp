#include "diagrams/DiagLacun.h"

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TDiagLacunForm* DiagLacunForm = nullptr;

TDiagLacunForm::TDiagLacunForm(QWidget* owner) : TDiagramForm(owner, " DIAGRAM LACUNARITY") {
  AddPaintBox(475, 280, [this](Canvas& canvas) { PaintBoxPaint(canvas, 0); });
  AddPaintBox(475, 280, [this](Canvas& canvas) { PaintBoxPaint(canvas, 1); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TDiagLacunForm::PaintBoxPaint(Canvas& canvas, int box) {
  LogLogLayout layout;
  layout.width = 475;
  layout.xPixels = 300;
  layout.xAxisEnd = 400;
  // Window sizes start at 2 KMin + 1, not 0: the plot spans the sizes measured.
  layout.xFromFirst = true;
  const int n = MainForm->LacunCount;
  if (box == 0) {
    const auto& x = MainForm->LacunWindowSizes;
    layout.xLabel = [&x](int i) { return Format("%d", static_cast<int>(x[i])); };
    layout.xLabelShift = 5;
    layout.originLabel = x.empty() ? "0" : Format("%d", static_cast<int>(x[0]));
    layout.texts = {{20, 10, "Lacunarity"}, {340, 220, "Window Size"}};
    DrawLogLogPlot(canvas, x, MainForm->LacunValues, n, layout);
  } else {
    const auto& x = MainForm->LacunLogWindowSizes;
    layout.xLabel = [&x](int i) { return Format("%3.1lf", x[i]); };
    if (!x.empty() && x[0] != 0) layout.originLabel = Format("%3.1lf", x[0]);
    layout.texts = {{20, 10, "Log Lacunarity"},
                    {340, 220, "Log Window Size"},
                    {300, 20,
                     ValueText("Correlation Coefficient = %lf",
                               "Correlation Coefficient = ", MainForm->LacunCorrelation)},
                    {300, 40, ValueText("R2 = %lf", "R2 = ", MainForm->LacunR2)}};
    DrawLogLogPlot(canvas, x, MainForm->LacunLogValues, n, layout);
  }
}

void TDiagLacunForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, "File .xls|*.xls", &flags.LacunaritySaved, &flags.LacunarityPending, false,
               &MainForm->SavedFileName},
              [](FILE* file) {
                const auto& m = *MainForm;
                const std::size_t n = std::max(0, m.LacunCount);
                for (std::size_t i = 0; i < n && i < m.LacunWindowSizes.size() && i < m.LacunValues.size() &&
                                        i < m.LacunLogWindowSizes.size() && i < m.LacunLogValues.size();
                     ++i) {
                  const int w = static_cast<int>(m.LacunWindowSizes[i]);
                  const int k = static_cast<int>((w - 1) * 0.5);
                  if (std::fprintf(file, "%d\t%d\t%2.6lf\t%2.6lf\t%2.6lf\n", k, w, m.LacunValues[i],
                                   m.LacunLogWindowSizes[i], m.LacunLogValues[i]) < 0)
                    return false;
                }
                return true;
              });
}
