#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <map>
#include <sstream>

#include "Program.h"
#include "app/ImageFiles.h"
#include "app/Report.h"
#include "fixtures/Pixels.h"
#include "imaging/Bmp.h"
#include "panels/ImageSizeForm.h"
#include "panels/SelectImageForm.h"
namespace {
const char* const kCaution24 = "This program does not take into account RBV Bitmap";
std::string Header(const std::string& image, int lines, int columns) {
  return "\t\t\t\tVORN.Version 2 \n\t\t\t\tThe VORN developers\n"
         "\t\t\t\tFree software for the fractal analysis of images"
         "\n\n Global Report concerning the treatments applied to the image\n " +
         image + "\n\n Image Size:\n lines " + std::to_string(lines) + " columns " + std::to_string(columns) +
         " \n";
}
auto Typed(int lines, int columns) {
  return [=](TImageSizeForm&) {
    MainForm->ImageLines = lines;
    MainForm->ImageColumns = columns;
    return ui::mrOk;
  };
}
const auto Kind = [](int labeled) { return Set(&TSelectImageForm::LabeledImage, labeled); };
constexpr auto Closed = [](auto&) { return ui::mrCancel; };
// Pixel (i, j) = 16 i + j: rows are told apart.
const auto Numbered = [](int columns, int lines) { return MakeNumbered(columns, lines, 16); };
// What a refused open must leave as it was.
auto Snapshot() {
  const TMainForm& m = *MainForm;
  std::map<std::string, bool> enabled;
  for (const auto& [name, action] : m.Items()) enabled[name] = action->isEnabled();
  return std::tuple(
      std::vector<std::string>{Bytes(m.OriginalImage), Bytes(m.BinaryImage), Bytes(m.ResultImage),
                               Bytes(m.BinaryBackup), m.ImageFileName, m.WorkDirectory, m.DimensionFileName,
                               ImageForm->CaptionText()},
      std::vector<int>{m.ImageLines, m.ImageColumns, m.LabeledFlag, m.BinaryFlag, m.HasLabeledImage,
                       m.HasBinaryImage, m.ItemCount, m.Panel2Pending[p2Labeled]},
      enabled);
}
}  // namespace
class OpenImageTest : public ProgramTest {
 protected:
  void WriteRaw(const std::string& name, const BytePlane& plane, const std::string& size = "") {
    WriteFile(Path(name), Bytes(plane));
    if (!size.empty()) WriteFile(Path(name.substr(0, name.rfind('.')) + ".txt"), size);
  }
  // An original raw image opened through the menu with its size file, report declined.
  void OpenOriginal(const BytePlane& plane, const std::string& name = "original.raw") {
    WriteRaw(name, plane, std::to_string(plane.Lines()) + " " + std::to_string(plane.Columns()));
    ui.open(Path(name), 1).dialog<TReportForm>(NoReport);
    MainForm->Open1Click();
  }
  void OpenComplementary(int labeled, const std::string& fileName) {
    ui.dialog<TSelectImageForm>(Kind(labeled)).open(fileName, 1);
    MainForm->OpenBinaryImage1Click();
  }
};
TEST_F(OpenImageTest, RawImagesWithAndWithoutSizeFiles) {
  OpenOriginal(Numbered(4, 3), "a.raw");
  const TMainForm& m = *MainForm;
  EXPECT_EQ(Bytes(m.OriginalImage), Bytes(Numbered(4, 3)));
  EXPECT_EQ(std::tuple(m.OriginalImage.Lines(), m.ImageLines, m.ImageColumns, m.LineUndoValues.size()),
            std::tuple(3, 3, 4, 5u));
  const std::string a = Path("a.raw"), title = " 1.- " + a;
  EXPECT_EQ((std::vector<std::string>{m.ImageFileName, m.ImagePath, m.ImageTitle, ImageForm->CaptionText(),
                                      m.SavedPanelCaption, m.WorkDirectory, m.DimensionFileName}),
            (std::vector<std::string>{a, a, title, title, a, Dir().string(), Path("a.txt")}));
  for (const BytePlane* plane :
       {&m.ResultImage, &m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.GreenPlane, &m.BluePlane})
    EXPECT_EQ(Bytes(*plane), std::string(12, '\0')) << plane->Lines() << " x " << plane->Columns();
  EXPECT_TRUE(ImageForm->HasBitmap());
  const char* const enabled =
      "OpenBinaryImage1 BinTreat1 GrayTonesTreat1 Tools1 OpenBinarSpeedButton1 ExitSpeedButton1 Binar1 "
      "ZoomSpeedButton";
  EXPECT_EQ(EnabledOf(enabled), enabled);
  EXPECT_EQ(ReadFile(Path("a.txt")), "3 4");  // left as it was
  const ui::FileDialogSpec& asked = ui.FileDialogs().at(0);
  EXPECT_EQ(asked.title + "|" + asked.filter + "|" + asked.initialDir,
            "OPEN IMAGE|Raw Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp|" + ImagesFolder());
  // No size file: a closed window or a size too big abandons; 0 or > 65535 asks again; the size is saved.
  const BytePlane second = MakeRandomGray(5, 3, 5);
  WriteRaw("b.raw", second);
  const auto before = Snapshot();
  ui.open(Path("b.raw"), 1).dialog<TImageSizeForm>(Closed);
  MainForm->Open1Click();
  ui.open(Path("b.raw"), 1)
      .dialog<TImageSizeForm>(Typed(4, 4))
      .message("CAUTION", "The raw file\n" + Path("b.raw") + "\nis shorter than 4 lines x 4 columns");
  MainForm->Open1Click();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(std::filesystem::exists(Path("b.txt")));
  ui.open(Path("b.raw"), 1)
      .dialog<TImageSizeForm>(Typed(0, 4))
      .message("ERROR", "Number of lines not defined (1 to 65535)")
      .dialog<TImageSizeForm>(Typed(3, 70000))
      .message("ERROR", "Number of columns not defined (1 to 65535)")
      .dialog<TImageSizeForm>(Typed(3, 5))
      .dialog<TReportForm>(NoReport);
  MainForm->OpenSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("b.txt")), "3\n5\n");
  EXPECT_EQ(Bytes(m.OriginalImage), Bytes(second));
  EXPECT_EQ(std::tuple(m.ImageLines, m.ImageColumns), std::tuple(3, 5));
}
// A 1 x 1 file would fail a file-length test; a colour BMP is refused and the dialog comes back.
TEST_F(OpenImageTest, EightBitBmpsOpenWhateverTheirSizeColourOnesAreRefused) {
  ASSERT_EQ(WriteBMPFile(Path("c24.bmp"), MakeRandomBgr(4, 3, 1), 4, 3, 2), 0);
  ASSERT_EQ(WriteBMPFile(Path("gray.bmp"), MakeGrayRamp(1, 1), 1, 1, 0), 0);
  ui.open(Path("c24.bmp"), 2)
      .message("CAUTION", kCaution24)
      .open(Path("gray.bmp"), 2)
      .dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(std::tuple(Bytes(MainForm->OriginalImage), MainForm->ImageLines, MainForm->ImageColumns,
                       MainForm->BinaryImage.Lines(), ui.FileDialogs().back().filterIndex),
            std::tuple(Bytes(MakeGrayRamp(1, 1)), 1, 1, 1, 2));
}
TEST_F(OpenImageTest, ReportQuestion) {
  WriteRaw("h.raw", Numbered(4, 3), "3 4");
  WriteRaw("two.raw", Numbered(5, 2), "2 5");
  const auto open = [&](const char* name, std::function<int(TReportForm&)> answer) -> Script& {
    return ui.open(Path(name), 1).dialog<TReportForm>(answer);
  };
  // Yes without a file, or with one that cannot be made: the report off, the image open.
  open("two.raw", YesReport).cancelSave();
  MainForm->Open1Click();
  EXPECT_EQ(std::tuple(ReportForm->ReportOff, ReportOn()), std::tuple(1, false));
  const std::string bad = Path("no/such/folder/r");
  open("h.raw", YesReport)
      .save(bad, 1)
      .message("ERROR", "The report file\n" + bad + ".txt\ncannot be created\nThe report is off");
  MainForm->Open1Click();
  EXPECT_EQ(std::tuple(ReportForm->ReportOff, ReportOn(), MainForm->OriginalImage.Lines()),
            std::tuple(1, false, 3));
  // The name typed gets ".txt" appended, unless it ends so already.
  open("h.raw", YesReport).save(Path("report.txt"), 1);
  MainForm->Open1Click();
  EXPECT_EQ(std::tuple(MainForm->ReportFileName, MainForm->ReportPath),
            std::tuple(Path("report.txt"), Path("report.txt")));
  EXPECT_EQ(ReadFile(Path("report.txt")), Header(Path("h.raw"), 3, 4));
  EXPECT_EQ(ui.FileDialogs().at(1).title + "|" + ui.FileDialogs().at(1).filter,
            " OPEN REPORT|Name Report [*.txt]|*.txt");
  // A new report closes the old one; the question closed and no file chosen keep it open.
  open("two.raw", YesReport).save(Path("r2"), 1);
  MainForm->Open1Click();
  open("two.raw", Closed).cancelSave();
  MainForm->Open1Click();
  // Named after the image, the report would replace its size file: No is a cancelled choice.
  open("two.raw", YesReport)
      .save(Path("two"), 1)
      .message("CAUTION", ReplaceQuestion({Path("two.txt")}), ui::IDNO);
  MainForm->Open1Click();
  EXPECT_EQ(std::tuple(ReadFile(Path("two.txt")), ReportForm->ReportOff), std::tuple("2 5", 0));
  ReportPrintf("\n\n LINE");
  EXPECT_EQ(ReadFile(Path("report.txt")), Header(Path("h.raw"), 3, 4));
  const std::string kept = Header(Path("two.raw"), 2, 5) + "\n\n LINE";
  EXPECT_EQ(ReadFile(Path("r2.txt")), kept);
  // "No": nothing more is written, not even by a complementary image.
  open("two.raw", NoReport);
  MainForm->Open1Click();
  OpenComplementary(0, Path("two.raw"));
  ReportPrintf("\n\n ANYTHING");
  EXPECT_EQ(ReadFile(Path("r2.txt")), kept);
}
TEST_F(OpenImageTest, ComplementaryImages) {
  // The selection closed without OK opens an original image.
  WriteRaw("original.raw", Numbered(4, 3), "3 4");
  ui.dialog<TSelectImageForm>(Closed).open(Path("original.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->OpenBinaryImage1Click();
  const std::string report = ReportInto(Path("r.txt"));
  const TMainForm& m = *MainForm;
  BytePlane labels(4, 3);
  labels.Fill(255);
  labels[0][0] = labels[2][3] = 1;
  ASSERT_EQ(WriteBMPFile(Path("bin.bmp"), labels, 4, 3, 0), 0);
  ui.dialog<TSelectImageForm>(Kind(0)).open(Path("bin.bmp"), 2);
  MainForm->OpenBinarSpeedButton1Click();
  const std::string opened = "\n\n The complementary image : ";
  std::string lines = opened + Path("bin.bmp") + "\n corresponds to a binary image";
  EXPECT_EQ(ReadFile(report), lines);
  EXPECT_EQ(Bytes(m.BinaryImage), Bytes(labels));
  EXPECT_EQ(std::tuple(m.LabeledFlag, m.BinaryFlag, m.HasLabeledImage, m.HasBinaryImage,
                       m.Panel2Pending[p2Labeled]),
            std::tuple(0, 1, 0, 1, 0));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- Complementary Binary Image");
  EXPECT_EQ(EnabledOf("Labelization Perimeter1"), "Labelization");
  // Item codes need not be consecutive: the tables are indexed by code.
  labels[1][1] = 2;
  labels[1][2] = 5;
  WriteRaw("lab.raw", labels, "3 4");
  OpenComplementary(1, Path("lab.raw"));
  lines += opened + Path("lab.raw") + "\n corresponds to a labeled image that contains 3 items";
  EXPECT_EQ(ReadFile(report), lines);
  EXPECT_EQ(m.ItemCount, 3);
  for (std::size_t size :
       {m.ItemCodes.size(), m.ItemPixels.size(), m.ItemValues.size(), m.ItemValues2.size()})
    EXPECT_EQ(size, 6u);
  for (const BytePlane* plane : {&m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.BluePlane})
    EXPECT_EQ(Bytes(*plane), Bytes(labels));
  EXPECT_EQ((std::vector<int>{m.LabeledFlag, m.BinaryFlag, m.HasLabeledImage, m.HasBinaryImage,
                              m.Panel2Pending[p2Labeled], m.ComplementaryRequested}),
            (std::vector<int>{1, 0, 1, 0, 1, 1}));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- Complementary Labeled Image");
  EXPECT_EQ(m.SavedPanelCaption, Path("lab.raw"));
  const char* const enabled =
      "Binar1 Labelization LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 UrbanField ResizeBoxCounting1 "
      "Perimeter1 PerimeterOrientation1 MovingCircle Pattern1 Smoothing1 Closing1 PerimeterExtraction "
      "HoleExtraction SaveBinarSpeedButton1 PipetteSpeedButton1 ColorSpeedButton ExitSpeedButton1";
  EXPECT_EQ(EnabledOf(enabled), enabled);
  labels.Fill(255);
  labels[2][2] = 7;
  WriteRaw("one.raw", labels, "3 4");
  OpenComplementary(1, Path("one.raw"));
  lines += opened + Path("one.raw") + "\n corresponds to a labeled image that contains only one item";
  EXPECT_EQ(ReadFile(report), lines);
  EXPECT_EQ(std::tuple(m.ItemCount, m.ItemCodes.size()), std::tuple(1, 8u));
}
// The old image's state, results and panel entries go with it; panels 2 and 3 black; diagrams stay.
TEST_F(OpenImageTest, ANewOriginalReleasesWhatTheOldOneProduced) {
  const char* const oldPanelEntries =
      "Labelization LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 UrbanField ResizeBoxCounting1 "
      "Perimeter1 PerimeterOrientation1 MovingCircle Pattern1 Smoothing1 Closing1 SaveBinarSpeedButton1 "
      "SaveParamSpeedButton1 SaveScreenSpeedButton UndoSpeedButton1 PipetteSpeedButton1 ColorSpeedButton "
      "CuvetSpeedButton PencilSpeedButton LineSpeedButton DelateLineSpeedButton LocalFillingSpeedButton "
      "DilatSpeedButton AureoleSpeedButton GoBackSpeedButton";
  OpenOriginal(Numbered(8, 8), "first.raw");
  TMainForm& m = *MainForm;
  std::istringstream names(oldPanelEntries);
  for (std::string name; names >> name;) m.Enable({name.c_str()});
  for (const char* tool : {"PencilSpeedButton", "ColorSpeedButton"}) m.Item(tool)->setChecked(true);
  for (BytePlane* plane : {&m.FillMask, &m.UndoImage}) *plane = BytePlane(8, 8);
  m.ColourImage = BytePlane(24, 8);
  m.ItemCodes.assign(5, 1);
  m.ItemValues.assign(5, 1.0);
  m.Panel2Pending.fill(1);
  m.Panel3Pending.fill(1);
  m.DiagramSavedFlags.BoxCountingPending = 1;
  m.FillMaskReady = m.PixelStackReady = m.HasLabeledImage = m.HoleLabelingMode = m.HolesLabeled = 1;
  m.HasBinaryImage = m.EditorState = m.BinaryFlag = m.LabeledFlag = 1;
  m.ColourMode = m.LineUndoCount = m.ItemCount = m.ResultBorder = 3;
  m.LineStart = {3, 3};
  m.BinaryImageName = " BINARY IMAGE ";
  m.PanelCaption = "Fract Star";
  TempImageForm->SetCaptionText(" 2.- BINARY IMAGE ");
  ResultImageForm->SetCaptionText(" 3.- Fract Star");
  ImageForm->PaintBoxMouseMove(2, 2);  // the status bar reads the first image
  OpenOriginal(Numbered(3, 5), "second.raw");
  // It tells the new size at once, and nothing of the old image's pixels.
  EXPECT_EQ(m.StatusText(0) + "|" + m.StatusText(1) + "|" + m.StatusText(2),
            "||Image Size: 5 lines x 3 columns  ");
  EXPECT_EQ(m.LineUndoValues.size(), 6u);
  EXPECT_TRUE(m.FillMask.Empty() && m.ColourImage.Empty() && m.UndoImage.Empty() && m.ItemCodes.empty() &&
              m.ItemValues.empty());
  EXPECT_EQ((std::vector<int>{m.FillMaskReady, m.ColourMode, m.PixelStackReady, m.LineStart.Line,
                              m.LineStart.Column, m.LineUndoCount, m.ItemCount, m.HasLabeledImage,
                              m.HoleLabelingMode, m.HolesLabeled, m.HasBinaryImage, m.EditorState,
                              m.BinaryFlag, m.LabeledFlag, m.ResultBorder}),
            std::vector<int>(15, 0));
  EXPECT_EQ(m.BinaryImageName + m.PanelCaption, "");
  EXPECT_EQ(EnabledOf(oldPanelEntries), "");
  EXPECT_FALSE(m.IsDown("PencilSpeedButton") || m.IsDown("ColorSpeedButton"));
  EXPECT_EQ(m.Panel2Pending, decltype(m.Panel2Pending){});
  EXPECT_EQ(m.Panel3Pending, decltype(m.Panel3Pending){});
  EXPECT_EQ(m.DiagramSavedFlags.BoxCountingPending, 1);  // still the person's unsaved diagram
  for (TPanelForm* panel : std::initializer_list<TPanelForm*>{TempImageForm, ResultImageForm}) {
    EXPECT_EQ(panel->CaptionText(), "Image (1:1)");
    ASSERT_TRUE(panel->HasBitmap());
    EXPECT_EQ(std::tuple(panel->Bitmap().width(), panel->Bitmap().height()), std::tuple(3, 5));
    EXPECT_EQ(qGray(panel->Bitmap().pixel(2, 4)), 0);
  }
}
// Every refusal: a message under "CAUTION" and nothing of the state changed.
TEST_F(OpenImageTest, MalformedFilesAreRefusedWithoutChange) {
  // Without an original, a complementary image has nowhere to go.
  ui.dialog<TSelectImageForm>(Kind(1)).message("CAUTION",
                                               "No image is open\nPlease open a gray tone image first");
  MainForm->OpenBinaryImage1Click();
  EXPECT_TRUE(MainForm->BinaryImage.Empty());
  EXPECT_FALSE(MainForm->IsEnabled("ExitSpeedButton1"));
  MainForm->ComplementaryRequested = 0;
  OpenOriginal(Numbered(4, 3));
  ReportInto(Path("r.txt"));
  std::filesystem::create_directory(Path("folder.raw"));
  WriteFile(Path("folder.txt"), "3 4");
  std::filesystem::create_directory(Path("dirsize.txt"));
  WriteRaw("dirsize.raw", Numbered(4, 3));
  WriteRaw("empty.raw", BytePlane(), "3 4");
  WriteRaw("text.raw", Numbered(4, 3), "three four");
  WriteRaw("huge.raw", Numbered(4, 3), "70000 4");
  WriteFile(Path("junk.bmp"), "BM this is not a picture");
  ASSERT_EQ(WriteBMPFile(Path("c24.bmp"), MakeRandomBgr(4, 3, 1), 4, 3, 2), 0);
  ASSERT_EQ(WriteBMPFile(Path("g25.bmp"), Numbered(5, 2), 5, 2, 0), 0);
  // A width past the limit in a sparse file as long as claimed: refused before any pixel is read.
  ASSERT_EQ(WriteBMPFile(Path("widest.bmp"), Numbered(4, 3), 4, 3, 0), 0);
  std::string widest = ReadFile(Path("widest.bmp"));
  widest.replace(18, 4, "\xFF\xFF\xFF\x7F");
  WriteFile(Path("widest.bmp"), widest);
  std::filesystem::resize_file(Path("widest.bmp"), std::uint64_t{1} << 34);
  const std::tuple<bool, std::string, std::string> cases[] = {
      {false, "folder.raw", "The raw file\n" + Path("folder.raw") + "\ncannot be read"},
      {false, "dirsize.raw", "The size file\n" + Path("dirsize.txt") + "\ncannot be read"},
      {false, "empty.raw", "The raw file\n" + Path("empty.raw") + "\nis shorter than 3 lines x 4 columns"},
      {false, "text.raw",
       "The size file\n" + Path("text.txt") +
           "\ndoes not hold the number of lines and the number of columns"},
      {true, "huge.raw",
       "The size file\n" + Path("huge.txt") + "\nholds a size out of range (1 to 65535 a side)"},
      {false, "junk.bmp",
       "The file\n" + Path("junk.bmp") + "\nis not an 8-bit BMP image this program can read"},
      {true, "g25.bmp",
       "The complementary image must have the size of the original image\n(3 lines x 4 columns; this one has "
       "2 lines x 5 columns)"},
      {false, "c24.bmp", kCaution24},
      {true, "widest.bmp",
       "The image\n" + Path("widest.bmp") + "\nis too large (3 lines x 2147483647 columns)"},
  };
  for (const auto& [complementary, file, message] : cases) {
    SCOPED_TRACE(file);
    const auto before = Snapshot();
    const std::string report = ReadFile(Path("r.txt"));
    if (complementary) ui.dialog<TSelectImageForm>(Kind(1));
    ui.open(Path(file), file.ends_with(".bmp") ? 2 : 1).message("CAUTION", message);
    if (message == kCaution24) ui.cancelOpen();  // this one brings the dialog back
    complementary ? MainForm->OpenBinaryImage1Click() : MainForm->Open1Click();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(ReadFile(Path("r.txt")), report);
    MainForm->ComplementaryRequested = 0;
  }
}
TEST_F(OpenImageTest, SizeAndSelectionWindowsStoreWhatIsTyped) {
  ImageSizeForm->NumLineEdit->setText("12a");
  ImageSizeForm->NumColEdit->setText(" 640");
  EXPECT_EQ(std::tuple(MainForm->ImageLines, MainForm->ImageColumns), std::tuple(12, 640));
  ImageSizeForm->NumColEdit->setText("x");
  EXPECT_EQ(std::tuple(MainForm->ImageColumns, ImageSizeForm->TypedLines()), std::tuple(0, 12));
  EXPECT_EQ(ImageSizeForm->Caption(), " Image Size");
  SelectImageForm->LabeledButton->click();
  EXPECT_EQ(SelectImageForm->LabeledImage, 1);
  SelectImageForm->OkClick();
  EXPECT_EQ(MainForm->ComplementaryRequested, 1);
}
