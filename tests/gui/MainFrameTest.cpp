// The frame: menus, tool bar, button groups, splash, resets, progress window and shared refusals.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "Program.h"
#include "app/Application.h"
#include "app/TreatStartForm.h"
#include "panels/ProgressWindow.h"
#include "panels/SelectedGT.h"
namespace {
// " | "-joined entries, submenus in brackets ("+": "[Treatment | Info]"), "-" separator, "(off)".
std::string Dump(const QList<QAction*>& actions, const char* separator) {
  std::string out;
  for (QAction* action : actions) {
    if (!out.empty()) out += separator;
    out += action->isSeparator() ? "-" : action->text().toStdString();
    if (!action->isSeparator() && !action->isEnabled()) out += " (off)";
    const std::string sub = action->menu() ? Dump(action->menu()->actions(), " | ") : "";
    out += sub == "Treatment | Info" ? "+" : sub.empty() ? "" : " [" + sub + "]";
  }
  return out;
}
// Sets (when `set`) and reads as digit groups every flag a reset may touch.
std::string Flags(bool set = false) {
  TMainForm& m = *MainForm;
  DiagramFlags& d = m.DiagramSavedFlags;
  std::string digits;
  auto group = [&](auto&... flags) {
    if (set) ((flags = 1), ...);
    digits += digits.empty() ? "" : " ";
    ((digits += flags ? '1' : '0'), ...);
  };
  std::apply(group, m.Panel3Pending);
  std::apply(group, m.Panel2Pending);
  group(d.LinealLineSaved, d.LinealColumnSaved, d.CircleSaved, d.LacunaritySaved, d.OrientationSaved,
        d.RoughnessSaved, d.BoxCountingSaved);
  std::apply([&](auto&... urban) { group(m.PatternTableRequested, urban...); }, m.UrbanXlsFlags);
  group(m.GtsReady, m.WaveletGtsReady, m.PixelStackReady, m.FillMaskReady);
  auto& cancel = m.DialogCancelBytes;
  group(m.PerimeterExtracted, cancel[cbBinar], cancel[cbTreatStart], cancel[cbHurst]);
  group(m.ColourMode);
  return digits;
}
}  // namespace
using MainFrameTest = ProgramTest;
TEST_F(MainFrameTest, MenusToolBarSplashAndStateAtStart) {
  EXPECT_EQ(Dump(MainForm->menuBar()->actions(), "\n") + "\n",
            "Files [General Info | Open Gray Tone  Image | Open Binary or Labeled Image (off) | - | Exit]\n"
            "Binar. Treat. (off) [Binarizing+ | Labeling (off)+ | - | Lin. Fractal (off)+ | "
            "Box Counting (off)+ | Brownian Movement (off)+ | Progres. Box Counting (off)+ | - | "
            "Urban Field (off) [About Urban Field Treatments | Radial Expansion+ | Crown Expansion+ | "
            "Perim. Dist.+ | Fractal Exploration+ | Majority Smoothing+ | Morpho. Math.+ | "
            "Hole Extraction+ | Perimeter Extraction+ | Homogeneity+ | Density+] | - | "
            "Resizing Box Counting (off)+ | Perimeter (off)+ | Perimeter Orientation (off)+ | "
            "Moving Circle (off)+ | Pattern Recognition (off)+ | Majority Smootthing (off) | "
            "Closing Treatment (off) | -]\n"
            "Gray Tones Treat. (off) [3D Global Fractal+ | Local Fractal Dimension+ | Lacunarity+ | - | "
            "Fract Star+ | Fract Prism+ | Local Roughness+ | Cubic Density+ | Morlet+ | - | "
            "Gray Tones Sequence+]\n"
            "GTS Treatments (off) [General Info | - | Hurst Exponent+ | Wavelet+]\n"
            "Diagram (off) [Horizontal segments counting (off) | Vertical segments counting (off) | "
            "Box Counting (off) | Progressive Box Counting (off) | Circle Scanning (off) | - | "
            "Local Fractal (off) | - | Fractal Curve Exploration (off) | - | GTE Curve (off) | "
            "Perimeter Orientation (off) | Perimeter Roughness (off) | Hurst Exponent (off) | - | "
            "Radial or Crown Expansion (off)]\n"
            "Tools [Histogram | Local Histogram | Gray Tones Number | - | Print [Configuration | Print] | "
            "- | Transfert | Superposition | Transparent Superposition | - | Pins+ | Thresholding | "
            "Fractal Thresholding+ | -]\n"
            "Window [Cascade | Tile | Previous | Next]\n"
            "About [Infos | Illustrations | Authors]\n");
  EXPECT_EQ(MainForm->windowTitle().toStdString(), " VORN Version 2");
  // Each button: its name, hint, "off" when disabled, "group" when it stays down; "|" a gap after it.
  std::string bar;
  for (QAction* a : MainForm->ToolBar1->actions())
    bar += a->isSeparator() ? " |"
                            : Format("%s%s \"%s\"%s%s", bar.empty() ? "" : ", ", qPrintable(a->objectName()),
                                     qPrintable(a->toolTip()), a->isEnabled() ? "" : " off",
                                     a->isCheckable() ? " group" : "");
  EXPECT_EQ(
      bar,
      "OpenSpeedButton1 \"Open Gray Tone File\", OpenBinarSpeedButton1 \"Open Binary Image\" off |, "
      "SaveOriginalSpeedButton1 \"Save Original Transformed Image\" off |, "
      "SaveBinarSpeedButton1 \"Save Binary Image\" off |, "
      "SaveParamSpeedButton1 \"Save Resulting Image [Panel 3]\" off |, "
      "SaveScreenSpeedButton \"Save Screen Editor\" off |, ZoomSpeedButton \"Zoom\" off group, "
      "UndoSpeedButton1 \"Undo\" off, PipetteSpeedButton1 \"Pipette\" off group, "
      "InfoSpeedButton \"Info following Speed Buttons\" off, "
      "ColorSpeedButton \"Recoding Labelized Items\" off group, "
      "CuvetSpeedButton \"Filling Tool\" off group, PencilSpeedButton \"Pencil\" off group, "
      "LineSpeedButton \"Line\" off group, DelateLineSpeedButton \"Delate Previous Line\" off, "
      "LocalFillingSpeedButton \"Local Filling\" off group, DilatSpeedButton \"Adaptive Closing\" off, "
      "AureoleSpeedButton \" Extraction of the Dilation Contour\" off, GoBackSpeedButton \"Return\" off |, "
      "ExitSpeedButton1 \"Exit\" off");
  EXPECT_EQ(
      std::tuple(ui.Notes(), ui.Waits(), ui.ClockSeconds()),
      std::tuple(std::vector<std::string>{"TPresentationForm1", "TPresentationForm2", "TPresentationForm3"},
                 std::vector<double>{0.5, 0.5, 2.0}, 3.0));
  const TMainForm& m = *MainForm;
  for (int v = 0; v < 256; ++v)
    ASSERT_TRUE(m.PaletteRed[v] == v && m.PaletteGreen[v] == v && m.PaletteBlue[v] == v) << v;
  EXPECT_EQ(std::tuple(m.PrintRect.Left, m.KeepZoom, m.OriginalImage.Empty(), ui::ScreenCursor()),
            std::tuple(-1, 0, true, ui::crArrow));
  for (int index = ui::crLoupe; index <= ui::crSACross; ++index) EXPECT_TRUE(ui::HasCustomCursor(index));
}
TEST_F(MainFrameTest, ButtonGroupsResetsTreatStartProgressAndSharedRefusals) {
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
  MainForm->Item("ZoomSpeedButton")->trigger();
  MainForm->Item("PencilSpeedButton")->trigger();
  EXPECT_TRUE(MainForm->IsDown("ZoomSpeedButton") && MainForm->IsDown("PencilSpeedButton"));
  const std::pair<void (TMainForm::*)(), const char*> resets[] = {
      {&TMainForm::ResetState, "000000000000 001111 0000001 00000 0000 1111 1"},
      {&TMainForm::ClearResultRegisteredFlags, "110000000011 111111 1111111 11111 1111 1111 1"},
      // The opening image too: a stale flag would name the next save "Opening Image".
      {&TMainForm::ClearBinaryRegisteredFlags, "111111111111 000000 1111111 11111 1111 1111 1"},
      {&TMainForm::ClearPanel2RegisteredFlags, "111111111111 001111 1111111 11111 1111 1111 1"},
      {&TMainForm::ClearDialogCancelBytes, "111111111111 111111 1111111 11111 1111 0000 1"},
  };
  for (const auto& [reset, expected] : resets) {
    Flags(true);
    (MainForm->*reset)();
    EXPECT_EQ(Flags(), expected);
  }
  // The treatment-start dialog: No sets its cancel byte, Yes leaves it.
  EXPECT_EQ(TreatStartForm->Caption(), " Treatment Starting");
  for (const int answer : {ui::mrYes, ui::mrNo}) {
    ui.dialog<TTreatStartForm>([=](TTreatStartForm&) { return answer; });
    ui::ShowModal(*TreatStartForm);
    EXPECT_EQ(MainForm->DialogCancelBytes[cbTreatStart], answer == ui::mrNo);
  }
  // The progress window's positions are truncated and clamped.
  const std::pair<float, int> cases[] = {{0.0f, 0}, {0.999f, 99}, {1.0f, 100}, {-0.5f, 0}, {1.7f, 100}};
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
  // The tools need an image; an exception is shown with its text.
  EXPECT_TRUE(MainForm->IsEnabled("Tools1"));
  const std::string noImage = "No image is open\nPlease open a gray tone image first";
  ui.message("CAUTION", noImage).message("CAUTION", noImage).message("CAUTION", noImage);
  EXPECT_FALSE(MainForm->RequireImage());
  MainForm->Histo1Click();  // the histograms ask the same
  MainForm->LocalHistogramClick();
  ui.message("VORN Version 2.01", "out of memory");
  ShowException("out of memory");
}
// F10 or Alt alone opens the bar on its first menu, passing over disabled menus; Esc closes in two steps.
TEST_F(MainFrameTest, TheKeyboardOpensTheMenuBarAndRunsTheEntryUnderIt) {
  MainForm->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));  // the keys go to its focus widget
  const QMenuBar* bar = MainForm->menuBar();
  auto key = [](Qt::Key k) {
    QWidget* target =
        QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
    QTest::keyClick(target ? target : MainForm, k);
  };
  // The highlighted menu and the entry highlighted in the open one.
  auto at = [bar] {
    const QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const QAction* entry = open ? open->activeAction() : nullptr;
    return (bar->activeAction() ? bar->activeAction()->text().toStdString() : "") + ">" +
           (entry ? entry->text().toStdString() : (open ? "" : "closed"));
  };
  std::vector<std::string> seen;
  for (const Qt::Key k : {Qt::Key_F10, Qt::Key_Right, Qt::Key_Down}) key(k), seen.push_back(at());
  EXPECT_EQ(seen, (std::vector<std::string>{"Files>closed", "Tools>closed", "Tools>Histogram"}));
  ui.message("CAUTION", "No image is open\nPlease open a gray tone image first");
  key(Qt::Key_Return);
  EXPECT_EQ(std::tuple(ui.Finished(), ui.Messages().size(), at()), std::tuple(true, 1u, ">closed"));
  seen.clear();
  for (const Qt::Key k :
       {Qt::Key_Alt, Qt::Key_Down, Qt::Key_Escape, Qt::Key_Escape, Qt::Key_F10, Qt::Key_F10})
    key(k), seen.push_back(at());
  EXPECT_EQ(seen, (std::vector<std::string>{"Files>closed", "Files>General Info", "Files>closed", ">closed",
                                            "Files>closed", ">closed"}));
}
