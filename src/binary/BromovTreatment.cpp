// Binar. Treat. > Brownian Movement > Treatment: random walkers on the pixels of panel 2 between
// two thresholds, drawn live in panel 3; their lengths, crossings and displacements give the Mean,
// Dim2 and Dim3 measures.
#include <chrono>
#include <cmath>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/Bromov.h"
#include "binary/kernels/BrownianMeasures.h"
#include "binary/kernels/BrownianPath.h"
#include "binary/kernels/BrownianWalk.h"
#include "diagrams/DiagramForm.h"
#include "imaging/Image.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "panels/ResultImage.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kTitle = "BROMOV";
constexpr Rgb kRed{0, 0, 255};
// Panel 3 is redrawn at most this often while the walks run.
constexpr std::chrono::milliseconds kRedrawPeriod{250};

// The dialog until its values can be used; false on Cancel.
bool AskWalkParameters() {
  TBromovForm& form = *BromovForm;
  for (;;) {
    ui::ShowModal(form);
    if (MainForm->DialogCancelBytes[cbBromov] == 1) return false;
    const char* missing = nullptr;
    if (form.MinThreshold <= 0 || form.MinThreshold == 255)
      missing = "Minimum Threshold not defined";
    else if (form.MaxThreshold == 0)
      missing = "Maximum Threshold not defined";
    else if (form.WalkCount <= 0)
      missing = "Number of walks undefined";
    else if (form.CrossingCount <= 0)
      missing = "Number of step undefined";
    else if (form.PathPixels <= 0)
      missing = "Number of pixel in a path not undefined";
    else if (form.CrossingTests <= 0)
      missing = "Number of crossing tests undefined";
    if (!missing) return true;
    ui::MessageBox(missing, "ERROR");
  }
}

std::uint32_t ClockSeed() {
  return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// "%lf" of a value, "undefined" when there is none; a value that prints as -0 prints as 0.
std::string Value(double value) {
  return PrintedValue("%lf", value, 6);
}

// Draws each walk in red on the panel-3 picture as it is tried; the panel and the progress bar are
// brought up to date now and then, so the windows keep painting.
class LiveDrawing {
 public:
  LiveDrawing(IMAGE& picture, int walks) : picture_(picture), walks_(walks) {}

  void operator()(const WalkTrace& walk) {
    for (const PixelPoint& point : walk.Drawn) picture_.SetPixelRGB(point.Column, point.Line, kRed);
    kept_ += walk.Kept;
    const auto now = std::chrono::steady_clock::now();
    if (now - shown_ < kRedrawPeriod) return;
    shown_ = now;
    ResultImageForm->ShowImage(picture_);
    SetProgressPosition(static_cast<float>(kept_) / static_cast<float>(walks_));
  }

 private:
  IMAGE& picture_;
  const int walks_;
  int kept_ = 0;
  std::chrono::steady_clock::time_point shown_ = std::chrono::steady_clock::now();
};

void ShowInPanel3(const IMAGE& picture) {
  ResultImageForm->SetCaptionText(" 3.- " + MainForm->PanelCaption);
  ResultImageForm->ShowImage(picture);
  ResultImageForm->ShowPanel();
}

// The path in gray (0 on it, 255 off it) with the pixels of the kept walks in red.
IMAGE WalkPicture(const BytePlane& marks) {
  IMAGE picture(marks.Columns(), marks.Lines(), IMAGE::kRgb);
  picture.SetFromPlane(marks);
  for (int i = 0; i < marks.Lines(); ++i) {
    const std::uint8_t* row = marks[i];
    std::uint8_t* pixels = picture.Row(i);
    for (int j = 0; j < marks.Columns(); ++j)
      if (row[j] == 1 || row[j] == 2) {
        pixels[3 * j] = kRed.blue;
        pixels[3 * j + 1] = kRed.green;
        pixels[3 * j + 2] = kRed.red;
      }
  }
  return picture;
}

// A path to walk on, in an image where a segment can be drawn; otherwise said, and false.
bool CanWalk(const BrownianPath& path, int lines, int columns) {
  if (!WalksFit(lines, columns)) {
    ui::MessageBox("The image is too small for the walks:\nits larger side must exceed 20 pixels", kTitle);
    return false;
  }
  if (path.Pixels() == 0) {
    ui::MessageBox("No path to walk on:\nno pixel between the thresholds\nhas a neighbour between them",
                   kTitle);
    return false;
  }
  return true;
}

// The dialog's values as the walks use them.
WalkParameters UsedParameters(const TBromovForm& form) {
  WalkParameters parameters;
  parameters.WalkCount = UsedWalkCount(form.WalkCount);
  parameters.CrossingCount = form.CrossingCount;
  parameters.PathPixels = UsedPathPixels(form.PathPixels);
  parameters.MaxAttempts = kAttemptsPerWalk * parameters.WalkCount;
  return parameters;
}

// The measures in the report and in the closing message; the walks kept when fewer than asked.
void ShowResults(const WalkRun& run, const WalkParameters& parameters, const BrownianDimensions& d) {
  const int kept = static_cast<int>(run.Walks.size());
  if (kept == 0) {
    ReportPrintf("\n\tNo walk of more than %d points in %d attempts", parameters.PathPixels, run.Attempts);
    ui::MessageBox(
        Format("No walk of more than %d points\nin %d attempts", parameters.PathPixels, run.Attempts),
        kTitle);
    return;
  }
  if (kept < parameters.WalkCount)
    ReportPrintf("\n\tWalks kept %d (attempts limited to %d)", kept, parameters.MaxAttempts);
  const std::string values = "Mean " + Value(d.Mean) + " Dim2 " + Value(d.Dim2) + " Dim3 " + Value(d.Dim3);
  if (ReportOn() && ReportText("\n " + values + " "))
    ui::MessageBox("Values reported in the general report\n\n" + values + " ", kTitle);
  else
    ui::MessageBox(values + "\n\nNota: No report", kTitle);
}

}  // namespace

void TMainForm::BromovTreatment1Click() {
  if (RequireImage() && AskWalkParameters()) {
    const TBromovForm& form = *BromovForm;
    const int lines = BinaryImage.Lines(), columns = BinaryImage.Columns();
    BrownianPath path = BuildBrownianPath(BinaryImage, form.MinThreshold, form.MaxThreshold);
    if (CanWalk(path, lines, columns)) {
      ResultCaption = " PANEL 3 = BROWNIAN MOUVEMENT ";
      PanelCaption = ResultCaption;
      ReportPrintf("\n\n BROWNIAN MOUVEMENT ");
      ReportPrintf("\n\n\tNumber of Walks %d Max. Steps %d Walk Length %d Max. Cross %d", form.WalkCount,
                   form.CrossingCount, form.PathPixels, form.CrossingTests);
      ui::SetScreenCursor(ui::crHourGlass);
      IMAGE live(columns, lines, IMAGE::kRgb);
      live.SetFromPlane(BinaryImage);
      ShowInPanel3(live);

      const WalkParameters parameters = UsedParameters(form);
      WalkRandom random(BromovSeed.value_or(ClockSeed()));
      ShowProgressWindow();
      const WalkRun run = RunBrownianWalks(path, parameters, random, LiveDrawing(live, parameters.WalkCount));
      CloseProgressWindow();

      // The regression arrays hold the last walk's points; the last dimension the last slope found.
      RegressionX = run.LastLogWindows;
      RegressionY = run.LastLogCrossings;
      for (const KeptWalk& walk : run.Walks)
        if (!std::isnan(walk.Slope)) LastFractalDimension = walk.Slope;
      const BrownianDimensions d = MeasureBrownianDimensions(run.Walks);
      if (!std::isnan(d.S3)) LastFractalDimension = d.S3;

      ShowInPanel3(WalkPicture(path.Marks));
      ui::SetScreenCursor(ui::crArrow);
      ShowResults(run, parameters, d);
    }
  }
  ui::SetScreenCursor(ui::crArrow);
  DialogCancelBytes[cbBromov] = 0;
}
