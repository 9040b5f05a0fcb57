// Binar. Treat. > Box Counting > Treatment: the fractal dimension of an item of panel 2, or of
// the pixels of panel 1 between two thresholds, by counting the filled boxes of each side.
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/DiagBoxCountingForms.h"
#include "binary/kernels/BoxCount.h"
#include "binary/kernels/Dividers.h"
#include "diagrams/DiagBoxCounting.h"
#include "ui/Cursors.h"

namespace {

const char* const kPossibilityLines[] = {
    "\n\t\tcutting the image in a testing border range",
    "\n\t\tapproximation using all the boxes from the size 1 until the maximum size",
    "\n\t\ttaking into account these dividers (if more than two)",
    "\n\t\tcutting the image in order to obtain more dividers"};

// The border range typed in dialog 2, asked again while it is not usable.
int AskBorderRange(int lines, int columns) {
  DiagBoxCountingForm2->NdlEdit->setText(QString::number(ListDividers(lines).size()));
  DiagBoxCountingForm2->NdcEdit->setText(QString::number(ListDividers(columns).size()));
  for (;;) {
    ui::ShowModal(*DiagBoxCountingForm2);
    // A range below 2 leaves no smaller size to propose.
    if (DiagBoxCountingForm2->BorderRange >= 2) return DiagBoxCountingForm2->BorderRange;
    ui::MessageBox("Testing Border Size not defined", "ERROR");
  }
}

// Dialog 4 until it is accepted; false on Cancel.
bool AskCountingParameters() {
  TDiagBoxCountingForm4& form = *DiagBoxCountingForm4;
  form.ItemValue = -1;
  form.MinThreshold = -1;
  form.MaxThreshold = 1000;
  form.ImageIn = -1;
  for (;;) {
    ui::ShowModal(form);
    if (MainForm->DialogCancelBytes[cbDiagBoxCounting4] == 1) return false;
    if (form.ImageIn == -1) {
      ui::MessageBox("Type of Image_in not selected", "ERROR");
    } else if (form.ImageIn == 0) {
      if (form.ItemValue != -1) return true;
      ui::MessageBox("No binary value defined", "ERROR");
    } else if (form.MinThreshold == -1 || form.MaxThreshold == 1000) {
      ui::MessageBox("Threshold incomplete", "ERROR");
    } else {
      return true;
    }
  }
}

}  // namespace

void TMainForm::BoxCountingTreatment1Click() {
  if (!RequireImage()) return;
  DiagramSavedFlags.BoxCountingSaved = 0;
  const int imageLines = ImageLines;
  const int imageColumns = ImageColumns;
  int lines = imageLines;
  int columns = imageColumns;
  int pass = 1;
  int possibility = 0;
  int range = 0;
  BorderProposal proposal;

  for (;;) {
    DividerList = ListCommonDividers(imageLines, imageColumns);
    DividerCount = static_cast<int>(DividerList.size());
    DiagBoxCountingForm1->Dividers.Show(DividerList);
    ui::ShowModal(*DiagBoxCountingForm1);
    possibility = std::clamp(DiagBoxCountingForm1->Possibility, 0, 3);
    if (possibility == 1 || possibility == 2) break;

    range = possibility == 3 ? std::min(imageLines, imageColumns) : AskBorderRange(imageLines, imageColumns);
    range = std::min(range, std::min(imageLines, imageColumns));
    proposal = ProposeBorderSize(imageLines, imageColumns, range);

    DividerList = ListCommonDividers(proposal.Lines, proposal.Columns);
    DividerCount = static_cast<int>(DividerList.size());
    DiagBoxCountingForm3->Dividers.Show(DividerList);
    DiagBoxCountingForm3->LinesEdit->setText(QString::number(proposal.Lines));
    DiagBoxCountingForm3->ColumnsEdit->setText(QString::number(proposal.Columns));
    ui::ShowModal(*DiagBoxCountingForm3);
    const int choice = DiagBoxCountingForm3->SizeChoice;
    if (choice == 0) {
      ++pass;
      continue;
    }
    if (choice == 2 && proposal.Found) {
      lines = proposal.Lines;
      columns = proposal.Columns;
      BoxSizeCount = DividerList.back();
      DiagBoxCountingForm4->SizeMode = 0;
    } else {
      // The image keeps its size: the report and the diagram name its own divisors.
      DividerList = ListCommonDividers(imageLines, imageColumns);
      DividerCount = static_cast<int>(DividerList.size());
      DiagBoxCountingForm4->SizeMode = 1;
    }
    break;
  }
  if (possibility == 2) {
    BoxSizeCount = std::min(lines, columns);
    DiagBoxCountingForm4->SizeMode = 0;
  } else if (possibility == 1) {
    DiagBoxCountingForm4->SizeMode = 1;
  }
  DiagBoxCountingForm4->ShowSizeMode(BoxSizeCount);

  const bool accepted = AskCountingParameters();
  if (accepted) {
    // A greatest box typed in "Size ?" reached BoxSizeCount as it was typed; untouched, it keeps
    // the value of the last treatment.
    TDiagBoxCountingForm4& form = *DiagBoxCountingForm4;
    ui::SetScreenCursor(ui::crHourGlass);

    BoxCountParams params;
    params.Lines = lines;
    params.Columns = columns;
    params.GreatestBox = BoxSizeCount;
    params.EverySize = possibility == 1;
    params.TotalFitting = form.Fitting == 1;
    const bool binary = form.ImageIn == 0;
    const ItemSelector items = binary ? ItemSelector::Value(form.ItemValue)
                                      : ItemSelector::Range(form.MinThreshold, form.MaxThreshold);
    const BoxCountResult result =
        BoxCounting(binary ? BinaryImage : OriginalImage, items, params, form.UntilEquality == 1);

    const BoxCountPoints& points = result.Points;
    RegressionX = points.LogSize;
    RegressionY = points.LogCount;
    BoxCountingLogSize = points.LogSize;
    BoxCountingLogCount = points.LogCount;
    BoxCountingSizes = points.Sides;
    BoxCountingPointCount = points.Count();
    LastFractalDimension = result.Dimension;
    BoxCountingDimension = result.Dimension;

    if (ReportOn()) {
      ReportPrintf("\n\n BOX COUNTING ");
      if (BinaryFlag == 1) {
        ReportPrintf("\n applied to the binary image\n");
        BinaryFlag = 0;  // named once after each binarizing
      }
      if (LabeledFlag == 1) ReportPrintf("\n applied to the labelized image\n");
      ReportPrintf("\n\tType of Treatment (Treatment %d):", pass);
      ReportPrintf("%s", kPossibilityLines[possibility]);
      if (possibility == 0) ReportPrintf("\n\tValue of the range: %d", range);
      if (possibility == 0 || possibility == 3) {
        ReportPrintf("\n\tSize of the resulting image:");
        ReportPrintf("\n\t\tlines = %d column = %d", lines, columns);
        ReportPrintf("\n\tNumber of dividers in the resulting image: %d\n\t\tdividers : ", DividerCount);
        for (int divider : DividerList) ReportPrintf(" %d ", divider);
      }
      ReportPrintf("\n\tCode of the studied item = %d", form.ItemValue);
      if (result.Defined)
        ReportPrintf("\n\tFractal Dimension = %lf", LastFractalDimension);
      else
        ReportPrintf("\n\tFractal Dimension = undefined (fewer than two points)");
    }

    NewDiagramResult(DiagramSavedFlags.BoxCountingSaved, DiagramSavedFlags.BoxCountingPending);
    ui::SetScreenCursor(ui::crArrow);
    ui::ShowModal(*DiagBoxCountingForm);
    LogDiagramFile(DiagramSavedFlags.BoxCountingPending, kBoxCountingReportText,
                   DiagBoxCountingForm->FileName);
    Enable({"Diagram1", "DiagFractal1"});
  }

  DialogCancelBytes[cbDiagBoxCounting4] = 0;
  DiagBoxCountingForm4->ClearInputs();
  ui::SetScreenCursor(ui::crArrow);
}
