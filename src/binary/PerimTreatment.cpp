// Binar. Treat. > Perimeter > Treatment: for each item of the labeled image, the length of its
// contour walked with yardsticks of 1, 2, 4 and 8 points, and the slope and ratio of the log-log law.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/ItemList.h"
#include "binary/ItemSelection.h"
#include "binary/ResizeBC.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/PerimeterDimension.h"
#include "imaging/PrintedValues.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kDecimals = 6;  // "%lf"
constexpr int kMessageItems = 5;
constexpr int kCodeNeverGiven = 10;  // the labeling skips it: no line for its empty entry

// TResizeBCForm, then for a selection TItemSelectionForm once per item until its code is an item of
// panel 2; nothing on Cancel.
std::optional<ItemList> AskPerimeterItems(int itemCount, const ItemIndex& index) {
  if (!ResizeBCForm->Ask(itemCount)) return std::nullopt;
  if (ResizeBCForm->Selection != 1) return AllItemsList(itemCount, index);
  ItemList list;
  list.AllItems = false;
  for (int entry = 1; entry <= ResizeBCForm->SelectedCount; ++entry) {
    int code = ItemSelectionForm->AskCode(entry);
    while (!index[code].Present()) {
      ui::MessageBox("Code Label not defined", "ERROR");
      code = ItemSelectionForm->AskCode(entry);
    }
    list.Codes.push_back(code);
    list.Absent.push_back(false);
  }
  return list;
}

std::string Value(double value) {
  return PrintedValue("%lf", value, kDecimals);
}

void ReportHeader(const ItemList& list, int measured) {
  ReportPrintf("\n\n FRACTAL DIMENSION OF THE PERIMETER ") &&
      ReportPrintf("\n applied to the labelized image\n") &&
      (list.AllItems ? ReportPrintf("\n\tTreatment applied to all the %d items\n", measured)
                     : ReportPrintf("\n\tTreatment applied to %d items\n", list.Entries()));
}

void ReportItem(const PerimeterMeasure& item) {
  if (!item.Measurable) {
    ReportPrintf("\n\tItem %d\tnot measurable: contour of %d points", item.Code, item.ContourPoints);
    return;
  }
  ReportPrintf("\n\tItem %d\tSlope ", item.Code) && ReportText(Value(item.Slope)) && ReportText("\tRatio ") &&
      ReportText(Value(item.Ratio));
}

// The first five entries measured, "item k" being the rank among them; one line ends with a blank,
// more than four come under a title line.
std::string ResultsMessage(const TMainForm& m, const std::vector<int>& entries) {
  const std::size_t shown = std::min<std::size_t>(entries.size(), kMessageItems);
  std::string text = entries.size() > 4 ? "Results concerning the 5 first items\n" : "";
  for (std::size_t k = 0; k < shown; ++k) {
    if (k > 0) text += '\n';
    text += "item " + std::to_string(k + 1) + " slope " + Value(m.ItemValues2[entries[k]]) + " Ratio " +
            Value(m.ItemValues[entries[k]]);
  }
  return entries.size() == 1 ? text + " " : text;
}

// The regression arrays keep the four points of the last item measured.
void KeepRegression(TMainForm& m, const PerimeterMeasure& item) {
  for (auto* table : {&m.RegressionX, &m.RegressionY})
    if (table->size() < kYardstickCount) table->resize(kYardstickCount, 0.0);
  std::copy(item.LogYardstick.begin(), item.LogYardstick.end(), m.RegressionX.begin());
  std::copy(item.LogLength.begin(), item.LogLength.end(), m.RegressionY.begin());
}

}  // namespace

void TMainForm::PerimTreatment1Click() {
  const ItemIndex index = IndexItems(BinaryImage);
  const std::optional<ItemList> asked = AskPerimeterItems(ItemCount, index);
  if (asked) {
    const ItemList& list = *asked;
    ui::SetScreenCursor(ui::crHourGlass);
    PrepareItemTables(*this, list);
    const std::vector<int> entries = list.MeasuredEntries();
    const std::vector<int> codes = list.MeasuredCodes();
    const std::vector<PerimeterMeasure> measures = PerimeterDimensions(BinaryImage, index, codes);

    if (ReportOn()) ReportHeader(list, static_cast<int>(entries.size()));
    std::size_t next = 0;
    for (int entry = 1; entry <= list.Entries(); ++entry) {
      if (list.PassedOver(entry)) {
        // A code of the list that the image no longer bears (edited away, or absent from a file).
        if (list.CodeOf(entry) != kCodeNeverGiven && ReportOn())
          ReportPrintf("\n\tItem %d\tnot present in the labelized image", list.CodeOf(entry));
        continue;
      }
      const PerimeterMeasure& item = measures[next++];
      ItemValues2[entry] = item.Slope;
      ItemValues[entry] = item.Ratio;
      KeepRegression(*this, item);
      if (ReportOn()) ReportItem(item);
    }

    ui::SetScreenCursor(ui::crArrow);
    if (!entries.empty()) ui::MessageBox(ResultsMessage(*this, entries), "PERIMETER LENGTH");
  }
  DialogCancelBytes[cbResizeBC] = 0;
}
