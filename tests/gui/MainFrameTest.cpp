#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <string>

#include "Program.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/TreatStartForm.h"
#include "panels/ProgressWindow.h"
#include "panels/SelectedGT.h"
#include "ui/Cursors.h"

namespace {

// Entries joined by " | ", a submenu in brackets after its caption, "-" a separator, "(off)" disabled.
std::string Dump(const QList<QAction*>& actions, const char* separator) {
  std::string out;
  for (QAction* action : actions) {
    if (!out.empty()) out += separator;
    out += action->isSeparator() ? "-" : action->text().toStdString();
    if (!action->isSeparator() && !action->isEnabled()) out += " (off)";
    if (action->menu()) out += " [" + Dump(action->menu()->actions(), " | ") + "]";
  }
  return out;
}

}  // namespace

class MainFrameTest : public ProgramTest {};

TEST_F(MainFrameTest, MenuTreeCaptionsOrderSeparatorsAndInitialState) {
  EXPECT_EQ(
      Dump(MainForm->menuBar()->actions(), "\n") + "\n",
      "Files [General Info | Open Gray Tone  Image | Open Binary or Labeled Image (off) | - | Exit]\n"
      "Binar. Treat. (off) [Binarizing [Treatment | Info] | Labeling (off) [Treatment | Info] | - | "
      "Lin. Fractal (off) [Treatment | Info] | Box Counting (off) [Treatment | Info] | "
      "Brownian Movement (off) [Treatment | Info] | Progres. Box Counting (off) [Treatment | Info] | - | "
      "Urban Field (off) [About Urban Field Treatments | Radial Expansion [Treatment | Info] | "
      "Crown Expansion [Treatment | Info] | Perim. Dist. [Treatment | Info] | "
      "Fractal Exploration [Treatment | Info] | Majority Smoothing [Treatment | Info] | "
      "Morpho. Math. [Treatment | Info] | Hole Extraction [Treatment | Info] | "
      "Perimeter Extraction [Treatment | Info] | Homogeneity [Treatment | Info] | Density [Treatment | "
      "Info]] | - | Resizing Box Counting (off) [Treatment | Info] | Perimeter (off) [Treatment | "
      "Info] | Perimeter Orientation (off) [Treatment | Info] | Moving Circle (off) [Treatment | Info] | "
      "Pattern Recognition (off) [Treatment | Info] | Majority Smootthing (off) | "
      "Closing Treatment (off) | -]\n"
      "Gray Tones Treat. (off) [3D Global Fractal [Treatment | Info] | "
      "Local Fractal Dimension [Treatment | Info] | Lacunarity [Treatment | Info] | - | "
      "Fract Star [Treatment | Info] | Fract Prism [Treatment | Info] | Local Roughness [Treatment | "
      "Info] | Cubic Density [Treatment | Info] | Morlet [Treatment | Info] | - | "
      "Gray Tones Sequence [Treatment | Info]]\n"
      "GTS Treatments (off) [General Info | - | Hurst Exponent [Treatment | Info] | Wavelet [Treatment | "
      "Info]]\n"
      "Diagram (off) [Horizontal segments counting (off) | Vertical segments counting (off) | "
      "Box Counting (off) | Progressive Box Counting (off) | Circle Scanning (off) | - | "
      "Local Fractal (off) | - | Fractal Curve Exploration (off) | - | GTE Curve (off) | "
      "Perimeter Orientation (off) | Perimeter Roughness (off) | Hurst Exponent (off) | - | "
      "Radial or Crown Expansion (off)]\n"
      "Tools [Histogram | Local Histogram | Gray Tones Number | - | Print [Configuration | Print] | - | "
      "Transfert | Superposition | Transparent Superposition | - | Pins [Treatment | Info] | "
      "Thresholding | Fractal Thresholding [Treatment | Info] | -]\n"
      "Window [Cascade | Tile | Previous | Next]\n"
      "About [Infos | Illustrations | Authors]\n");
  EXPECT_EQ(MainForm->windowTitle().toStdString(), " VORN Version 2");
}

TEST_F(MainFrameTest, ToolBarOrderHintsGapsAndInitialState) {
  std::string bar;
  for (QAction* action : MainForm->ToolBar1->actions()) {
    if (action->isSeparator()) {
      bar.insert(bar.size() - 1, " |");  // a gap after the button before
      continue;
    }
    bar += action->objectName().toStdString() + " \"" + action->toolTip().toStdString() + "\"" +
           (action->isEnabled() ? "" : " off") + (action->isCheckable() ? " group" : "") + "\n";
  }
  EXPECT_EQ(bar,
            "OpenSpeedButton1 \"Open Gray Tone File\"\n"
            "OpenBinarSpeedButton1 \"Open Binary Image\" off |\n"
            "SaveOriginalSpeedButton1 \"Save Original Transformed Image\" off |\n"
            "SaveBinarSpeedButton1 \"Save Binary Image\" off |\n"
            "SaveParamSpeedButton1 \"Save Resulting Image [Panel 3]\" off |\n"
            "SaveScreenSpeedButton \"Save Screen Editor\" off |\n"
            "ZoomSpeedButton \"Zoom\" off group\n"
            "UndoSpeedButton1 \"Undo\" off\n"
            "PipetteSpeedButton1 \"Pipette\" off group\n"
            "InfoSpeedButton \"Info following Speed Buttons\" off\n"
            "ColorSpeedButton \"Recoding Labelized Items\" off group\n"
            "CuvetSpeedButton \"Filling Tool\" off group\n"
            "PencilSpeedButton \"Pencil\" off group\n"
            "LineSpeedButton \"Line\" off group\n"
            "DelateLineSpeedButton \"Delate Previous Line\" off\n"
            "LocalFillingSpeedButton \"Local Filling\" off group\n"
            "DilatSpeedButton \"Adaptive Closing\" off\n"
            "AureoleSpeedButton \" Extraction of the Dilation Contour\" off\n"
            "GoBackSpeedButton \"Return\" off |\n"
            "ExitSpeedButton1 \"Exit\" off\n");
}

TEST_F(MainFrameTest, ButtonGroupsKeepAtMostOneDownAndMayAllBeUp) {
  // Pressing a drawing tool down asks for its value and colour: four times below.
  for (int press = 0; press < 4; ++press) ui.ok<TSelectedValueForm>().colour(0);
  using Group = std::vector<std::string>;
  for (const Group& group :
       {Group{"ZoomSpeedButton", "PipetteSpeedButton1", "ColorSpeedButton", "CuvetSpeedButton"},
        Group{"PencilSpeedButton", "LineSpeedButton", "LocalFillingSpeedButton"}}) {
    for (const std::string& name : group) MainForm->Item(name)->setEnabled(true);
    for (const std::string& pressed : group) {
      MainForm->Item(pressed)->trigger();
      for (const std::string& name : group) EXPECT_EQ(MainForm->IsDown(name), name == pressed) << pressed;
    }
    MainForm->Item(group.back())->trigger();  // a second click lifts it
    for (const std::string& name : group) EXPECT_FALSE(MainForm->IsDown(name));
  }
  // The groups are independent of each other.
  MainForm->Item("ZoomSpeedButton")->trigger();
  MainForm->Item("PencilSpeedButton")->trigger();
  EXPECT_TRUE(MainForm->IsDown("ZoomSpeedButton") && MainForm->IsDown("PencilSpeedButton"));
}

TEST_F(MainFrameTest, ConstructorShowsThreeSplashWindowsThenClearsTheState) {
  EXPECT_EQ(ui.Notes(),
            (std::vector<std::string>{"TPresentationForm1", "TPresentationForm2", "TPresentationForm3"}));
  EXPECT_EQ(ui.Waits(), (std::vector<double>{0.5, 0.5, 2.0}));
  EXPECT_EQ(ui.ClockSeconds(), 3.0);
  for (int v = 0; v < 256; ++v)
    ASSERT_TRUE(MainForm->PaletteRed[v] == v && MainForm->PaletteGreen[v] == v &&
                MainForm->PaletteBlue[v] == v)
        << v;
  EXPECT_EQ(MainForm->PrintRect.Left, -1);
  EXPECT_EQ(MainForm->KeepZoom, 0);
  EXPECT_TRUE(MainForm->OriginalImage.Empty());
  EXPECT_EQ(ui::ScreenCursor(), ui::crArrow);
  for (int index = ui::crLoupe; index <= ui::crSACross; ++index) EXPECT_TRUE(ui::HasCustomCursor(index));
}

namespace {

// Every flag a reset may touch: its name, how to read it and how to set it to 1.
struct FlagRef {
  const char* name;
  int (*read)();
  void (*set)();
};

#define FLAG(name, member)                                                                \
  FlagRef {                                                                               \
    name, [] { return static_cast<int>(MainForm->member); }, [] { MainForm->member = 1; } \
  }

const std::vector<FlagRef>& AllFlags() {
  static const std::vector<FlagRef> flags = {
      FLAG("SingleSuperposition", Panel3Pending[p3SingleSuperposition]),
      FLAG("TransparentSuperposition", Panel3Pending[p3TransparentSuperposition]),
      FLAG("Homogeneity", Panel3Pending[p3Homogeneity]),
      FLAG("FractalExploration", Panel3Pending[p3FractalExploration]),
      FLAG("FractStar", Panel3Pending[p3FractStar]),
      FLAG("FractPrism", Panel3Pending[p3FractPrism]),
      FLAG("LocalFractal", Panel3Pending[p3LocalFractal]),
      FLAG("LocalRoughness", Panel3Pending[p3LocalRoughness]),
      FLAG("CubicDensity", Panel3Pending[p3CubicDensity]),
      FLAG("Morlet", Panel3Pending[p3Morlet]),
      FLAG("ColouredOriginal", Panel3Pending[p3ColouredOriginal]),
      FLAG("ColouredParameter", Panel3Pending[p3ColouredParameter]),
      FLAG("Binary", Panel2Pending[p2Binary]),
      FLAG("Labeled", Panel2Pending[p2Labeled]),
      FLAG("Dilation", Panel2Pending[p2Dilation]),
      FLAG("Erosion", Panel2Pending[p2Erosion]),
      FLAG("Closing", Panel2Pending[p2Closing]),
      FLAG("Opening", Panel2Pending[p2Opening]),
      FLAG("LinealLineSaved", DiagramSavedFlags.LinealLineSaved),
      FLAG("LinealColumnSaved", DiagramSavedFlags.LinealColumnSaved),
      FLAG("CircleSaved", DiagramSavedFlags.CircleSaved),
      FLAG("LacunaritySaved", DiagramSavedFlags.LacunaritySaved),
      FLAG("OrientationSaved", DiagramSavedFlags.OrientationSaved),
      FLAG("RoughnessSaved", DiagramSavedFlags.RoughnessSaved),
      FLAG("BoxCountingSaved", DiagramSavedFlags.BoxCountingSaved),
      FLAG("PatternTableRequested", PatternTableRequested),
      FLAG("UrbanXls0", UrbanXlsFlags[0]),
      FLAG("UrbanXls3", UrbanXlsFlags[3]),
      FLAG("GtsReady", GtsReady),
      FLAG("WaveletGtsReady", WaveletGtsReady),
      FLAG("PixelStackReady", PixelStackReady),
      FLAG("FillMaskReady", FillMaskReady),
      FLAG("PerimeterExtracted", PerimeterExtracted),
      FLAG("CancelBinar", DialogCancelBytes[cbBinar]),
      FLAG("CancelTreatStart", DialogCancelBytes[cbTreatStart]),
      FLAG("CancelHurst", DialogCancelBytes[cbHurst]),
      FLAG("ColourMode", ColourMode)};
  return flags;
}
#undef FLAG

}  // namespace

TEST_F(MainFrameTest, EachResetClearsExactlyItsMembers) {
  const std::pair<void (TMainForm::*)(), const char*> cases[] = {
      {&TMainForm::ResetState,
       "SingleSuperposition TransparentSuperposition Homogeneity FractalExploration FractStar FractPrism "
       "LocalFractal LocalRoughness CubicDensity Morlet ColouredOriginal ColouredParameter Binary Labeled "
       "LinealLineSaved LinealColumnSaved CircleSaved LacunaritySaved OrientationSaved RoughnessSaved "
       "PatternTableRequested UrbanXls0 UrbanXls3 GtsReady WaveletGtsReady PixelStackReady FillMaskReady"},
      {&TMainForm::ClearResultRegisteredFlags,
       "Homogeneity FractalExploration FractStar FractPrism LocalFractal LocalRoughness CubicDensity Morlet"},
      // The opening image too: a stale flag would name the next save "Opening Image".
      {&TMainForm::ClearBinaryRegisteredFlags, "Binary Labeled Dilation Erosion Closing Opening"},
      {&TMainForm::ClearPanel2RegisteredFlags, "Binary Labeled"},
      {&TMainForm::ClearDialogCancelBytes, "PerimeterExtracted CancelBinar CancelTreatStart CancelHurst"},
  };
  for (const auto& [reset, expected] : cases) {
    for (const FlagRef& flag : AllFlags()) flag.set();
    (MainForm->*reset)();
    std::string cleared;
    for (const FlagRef& flag : AllFlags())
      if (flag.read() == 0) cleared += std::string(cleared.empty() ? "" : " ") + flag.name;
    EXPECT_EQ(cleared, expected);
  }
}

TEST_F(MainFrameTest, TreatStartNoSetsItsCancelByteAndYesLeavesIt) {
  ui.dialog<TTreatStartForm>([](TTreatStartForm&) { return ui::mrYes; });
  ui::ShowModal(*TreatStartForm);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbTreatStart], 0);
  ui.dialog<TTreatStartForm>([](TTreatStartForm&) { return ui::mrNo; });
  ui::ShowModal(*TreatStartForm);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbTreatStart], 1);
  EXPECT_EQ(TreatStartForm->Caption(), " Treatment Starting");
}

TEST_F(MainFrameTest, ProgressWindowPositionsAreTruncatedAndClamped) {
  const std::pair<float, int> cases[] = {{0.0f, 0},    {0.999f, 99}, {1.0f, 100}, {0.5f, 50},
                                         {0.123f, 12}, {-0.5f, 0},   {1.7f, 100}};
  ShowProgressWindow();
  ASSERT_NE(ProgressForm, nullptr);
  EXPECT_EQ(ProgressForm->windowTitle().toStdString(), " Process");
  for (const auto& [fraction, position] : cases) {
    SetProgressPosition(fraction);
    EXPECT_EQ(ProgressForm->Position(), position) << fraction;
  }
  CloseProgressWindow();
  EXPECT_EQ(ProgressForm, nullptr);
  SetProgressPosition(0.5f);  // no window: nothing happens
}

TEST_F(MainFrameTest, ToolsNeedAnImageAndAnExceptionIsShownWithItsText) {
  EXPECT_TRUE(MainForm->IsEnabled("Tools1"));
  const std::string noImage = "No image is open\nPlease open a gray tone image first";
  ui.message("CAUTION", noImage).message("CAUTION", noImage).message("CAUTION", noImage);
  EXPECT_FALSE(MainForm->RequireImage());
  MainForm->Histo1Click();  // the histograms ask the same
  MainForm->LocalHistogramClick();
  ui.message("VORN Version 2.01", "out of memory");
  ShowException("out of memory");
}
