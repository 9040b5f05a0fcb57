// Binar. Treat. > Resizing Box Counting > Treatment: one dimension per item of the labeled image,
// from boxes of 1, 2, 4 and 8 pixels laid in a frame of the item's own.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/ItemList.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/ResizingBoxCount.h"
#include "imaging/PrintedValues.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kReportDecimals = 4;   // "%6.4lf"
constexpr int kMessageDecimals = 6;  // "%lf"
constexpr int kMessageItems = 5;

void ReportHeader(const ItemList& list, int measured) {
  ReportPrintf("\n\n RESIZING BOX COUNTING ") && ReportPrintf("\n applied to the labeled image\n") &&
      (list.AllItems   ? ReportPrintf("\n\tTreatment applied to all the %d items\n\n", measured)
       : measured == 1 ? ReportPrintf("\n\tTreatment applied to one item\n\n")
                       : ReportPrintf("\n\tTreatment applied to %d items\n\n", measured));
}

void ReportItem(const ResizingCounts& counts) {
  if (!counts.Present) {
    ReportPrintf("\tItem number %d\tNumber of pixels 0\tFractal Dimension = undefined\n", counts.Code);
    return;
  }
  ReportPrintf("\tItem number %d\tNumber of pixels %lld\tFractal Dimension = ", counts.Code,
               static_cast<long long>(counts.Boxes[0])) &&
      ReportText(PrintedValue("%6.4lf", counts.Dimension, kReportDecimals) + "\n");
}

// The rank among the lines shown, then the entry's code, pixels and dimension.
std::string MessageLine(const TMainForm& m, std::size_t rank, int entry) {
  return "item " + std::to_string(rank) + " Code Number " + std::to_string(m.ItemCodes[entry]) +
         " Number of pixels " + std::to_string(m.ItemPixels[entry]) + " Ratio " +
         PrintedValue("%lf", m.ItemValues[entry], kMessageDecimals);
}

// The first five entries measured: one line each, a single one with a trailing blank, more than
// four under a title line.
std::string ResultsMessage(const TMainForm& m, const std::vector<int>& entries) {
  const std::size_t shown = std::min<std::size_t>(entries.size(), kMessageItems);
  if (entries.size() == 1) return MessageLine(m, 1, entries[0]) + " ";
  std::string text = entries.size() > 4 ? "Results concerning the 5 first items\n" : "";
  for (std::size_t k = 0; k < shown; ++k) {
    if (k > 0) text += '\n';
    text += MessageLine(m, k + 1, entries[k]);
  }
  return text;
}

}  // namespace

void TMainForm::ResizeBCTreatment1Click() {
  const ItemIndex index = IndexItems(BinaryImage);
  const std::optional<ItemList> asked = AskItemList(ItemCount, index);
  if (!asked) {
    DialogCancelBytes[cbResizeBC] = 0;
    return;
  }
  const ItemList& list = *asked;
  ui::SetScreenCursor(ui::crHourGlass);
  PrepareItemTables(*this, list);

  const std::vector<int> entries = list.MeasuredEntries();
  const std::vector<int> codes = list.MeasuredCodes();
  const std::vector<ResizingCounts> counts = ResizingBoxCounts(BinaryImage, index, codes);

  if (ReportOn()) ReportHeader(list, static_cast<int>(entries.size()));
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const ResizingCounts& item = counts[k];
    ItemPixels[entries[k]] =
        static_cast<int>(std::min<std::int64_t>(item.Boxes[0], std::numeric_limits<int>::max()));
    ItemValues[entries[k]] = item.Dimension;
    if (item.Present) LastFractalDimension = item.Dimension;
    if (ReportOn()) ReportItem(item);
  }

  ui::SetScreenCursor(ui::crArrow);
  // With no item at all there is nothing to show.
  if (!entries.empty()) ui::MessageBox(ResultsMessage(*this, entries), "RESIZING BOX COUNTING");
  DialogCancelBytes[cbResizeBC] = 0;
}
