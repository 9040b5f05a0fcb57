// Binar. Treat. > Pattern Recognition > Treatment: the shape measures of every item of the labeled
// image of panel 2, written to the report and, on request, to a ".xls" table.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/Labeliz.h"
#include "binary/PatternRecognition.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/Labeling.h"
#include "binary/kernels/PatternTable.h"
#include "binary/kernels/ShapeMeasures.h"
#include "diagrams/DiagramForm.h"
#include "imaging/PrintedValues.h"
#include "imaging/SafeFile.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"

namespace {

constexpr int kItemsPerProgressStep = 8;

void ReportHeader(bool tableWritten, const std::string& tableName) {
  ReportPrintf("\n\n PATTERN RECOGNITION ");
  ReportPrintf("\n applied to the labelized image");
  ReportPrintf("\n\n\tSize of the researched items:");
  ReportPrintf("\n\tMinimum: %d\tMaximum: %d", LabelizForm->MinSize, LabelizForm->MaxSize);
  if (tableWritten) ReportText("\n\n\tCorresponding .xls File registered\n\tin the file " + tableName + " ");
}

void ReportItemCount(int items) {
  if (items == 1)
    ReportPrintf("\n\tOnly one item");
  else if (items >= 10)
    ReportPrintf(
        "\n\tNumber of items = %d\n\tCaution : the value 10 is not affected\n\tbecause this values "
        "correspond to a system order",
        items);
  else
    ReportPrintf("\n\tNumber of items = %d", items);
}

std::string ItemReport(const ItemShape& s, double p, bool onlyItem) {
  const double area = p * p;
  std::string text =
      onlyItem ? "\n\n\tPARAMETERS OF THIS ITEM " : Format("\n\n\tPARAMETERS OF THE ITEM %d  ", s.Code);
  text += Format("\n\n\t\tInitial surface (in pixels) = %lld\t(in meters) = %lf ",
                 static_cast<long long>(s.Surface), static_cast<double>(s.Surface) * area);
  text += Format("\n\t\tGravity center i = %lld j = %lld ", static_cast<long long>(s.CentreLine),
                 static_cast<long long>(s.CentreColumn));
  if (!s.Measurable) return text + "\n\t\tNot measurable: no pixel of the item lies inside the image frame";

  const long long perimeter = s.Perimeter;
  text += Format("\n\t\tPerimeter (in pixels) = %lld\t (in meters) = %lf", perimeter,
                 static_cast<double>(perimeter) * p);
  text += Format("\n\t\tRecalculated Surface (in pixels) = %lf\t (in m2) = %lf ", s.RecalculatedSurface,
                 area * s.RecalculatedSurface);
  text += Format("\n\t\tPerimeter Length (in pixels) = %lf\t(in meters) = %lf ", s.PerimeterLength,
                 s.PerimeterLength * p);
  text += Format("\n\t\tRodondity (in pixels) = %lf ", s.Rodondity);
  text += Format("\n\t\tRatio perimeter/surface (in pixels) = %lf (euclidian) = %lf ", s.PerimeterPerSurface,
                 s.EuclidianPerSurface);
  text += Format("\n\t\tConvexity Index = %lf ", s.ConvexityIndex);
  text += Format("\n\t\tConvex Perimeter = %lld", static_cast<long long>(s.ConvexPerimeter));
  text += Format("\n\t\tPerimeter Convexity Index [RCI] = %lf ", s.PerimeterConvexity);
  const HoleCensus& holes = s.Holes;
  if (holes.Count > 0) {
    text += Format("\n\t\tNumber of Holes = %d ", holes.Count);
    text += Format("\n\t\tNumber of hole pixels = %lld ", static_cast<long long>(holes.Total));
    text += Format("\n\t\tSize of the Holes :\n\t\tmin = %lld  max = %lld  mean = %lld ",
                   static_cast<long long>(holes.Min), static_cast<long long>(holes.Max),
                   static_cast<long long>(holes.Total / holes.Count));
    text += Format("\n\t\tPorosity Rate (Percentage) = %lf ", s.PorosityRate);
    text += Format("\n\t\tConvex Porosity Rate (Percentage) = %lf ", s.ConvexPorosityRate);
  } else {
    text += "\n\t\tNo hole";
    text += "\n\t\tPorosity rate (percentage) = 0 ";
  }
  text += Format("\n\t\tExternal Convexity Index = %lf ", s.ExternalConvexity);
  text += Format("\n\t\tExternal Perimeter Convexity Index = %lf ", s.ExternalPerimeterConvexity);
  text += Format("\n\t\tPerimeter (in pixels) = %lld\n\t\tRadius of the corresponding circle = %lf ",
                 perimeter, s.CircleRadius);
  text += Format("\n\t\tPerimeter of the corresponding circle = %lf\n\t\tRATIO = %lf ", s.CirclePerimeter,
                 s.Ratio1);
  text += Format("\n\t\tExternal Perimeter (in pixels) = %lf\t(in meters) = %lf ", s.ExternalPerimeter,
                 s.ExternalPerimeter * p);
  text += Format("\n\t\tExternal RATIO = %lf ", s.Ratio2);
  return text;
}

// The items measured a few at a time, the progress bar moving between.
std::vector<ItemShape> MeasureWithProgress(const BytePlane& labels, const ItemIndex& index,
                                           const std::vector<int>& codes) {
  std::vector<ItemShape> shapes;
  shapes.reserve(codes.size());
  ShowProgressWindow();
  for (std::size_t first = 0; first < codes.size(); first += kItemsPerProgressStep) {
    const std::size_t last = std::min(codes.size(), first + kItemsPerProgressStep);
    const std::vector<int> step(codes.begin() + first, codes.begin() + last);
    for (ItemShape& shape : MeasureItems(labels, index, step)) shapes.push_back(std::move(shape));
    SetProgressPosition(static_cast<float>(last) / static_cast<float>(codes.size()));
  }
  CloseProgressWindow();
  return shapes;
}

// The whole table or nothing; a failure is said and the treatment goes on without it.
bool WriteTable(const std::string& fileName, const std::vector<ItemShape>& shapes, double p) {
  std::string table = kPatternTableHeader;
  for (const ItemShape& shape : shapes) table += PatternTableRow(shape, p);
  if (WriteTextFileSafely(fileName, table)) return true;
  ui::MessageBox("The file\n" + fileName + "\ncannot be written", "ERROR");
  return false;
}

int Saturated(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

void TMainForm::PatRecTreatment1Click() {
  if (HasLabeledImage == 0 || BinaryImage.Empty()) {
    ui::MessageBox("A former labelization is required", "ERROR");
    Enable({"Pattern1"}, false);
    return;
  }
  TPatternRecognitionForm& form = *PatternRecognitionForm;
  form.ShowRequest(PatternTableRequested);
  ui::ShowModal(form);

  // Every code present is an item: labelings skip 10, and other labeled images hold any code.
  const ItemIndex index = IndexItems(BinaryImage);
  const std::vector<int> codes = index.PresentCodes();
  const int items = static_cast<int>(codes.size());
  ItemCount = index.HighestCode();
  if (items > kMaxByteItems) {
    ReportHeader(false, form.TableFileName);
    ReportItemCount(items);
    ui::MessageBox("More than 253 items\nPlease check the labelization", "ERROR");
    return;
  }

  ui::SetScreenCursor(ui::crHourGlass);
  const std::vector<ItemShape> shapes = MeasureWithProgress(BinaryImage, index, codes);
  // The measures in pixels do not depend on the pixel size: only the size is asked again.
  while (!std::all_of(shapes.begin(), shapes.end(), [&form](const ItemShape& shape) {
    return ScaledValuesFinite(shape, form.PixelSize);
  })) {
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox(OutOfRangeRefusal("Pixel Size"), "ERROR");
    form.ShowRequest(PatternTableRequested);
    ui::ShowModal(form);
    ui::SetScreenCursor(ui::crHourGlass);
  }
  const double p = form.PixelSize;
  const bool tabled = PatternTableRequested == 1 && WriteTable(form.TableFileName, shapes, p);

  if (ReportOn()) {
    ReportHeader(tabled, form.TableFileName);
    ReportItemCount(items);
    for (const ItemShape& shape : shapes)
      if (!ReportText(ItemReport(shape, p, items == 1))) break;
  }
  if (!shapes.empty()) {
    const HoleCensus& holes = shapes.back().Holes;
    HoleCount = holes.Count;
    HoleMinSize = Saturated(holes.Min);
    HoleMaxSize = Saturated(holes.Max);
    HoleTotalSize = Saturated(holes.Total);
  }
  ui::SetScreenCursor(ui::crArrow);
  // Off from the start, or turned off by a write that failed on the way: nothing may claim the results.
  ui::MessageBox(ReportOn() ? "End of the treatment\n\nResults reported in the Report File"
                            : "End of the treatment\n\nNota: no Report",
                 "END");
}
