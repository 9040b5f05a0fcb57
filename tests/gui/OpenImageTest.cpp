#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "Program.h"
#include "app/ImageFiles.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "fixtures/Patterns.h"
#include "imaging/Bmp.h"
#include "panels/ImageSizeForm.h"
#include "panels/ImageWindow.h"
#include "panels/ReportForm.h"
#include "panels/SelectImageForm.h"
#include "panels/TempImage.h"

namespace {

const char* const kCaution24 = "This program does not take into account RBV Bitmap";

std::string Header(const std::string& image, int lines, int columns) {
  return "\t\t\t\tVORN.Version 2 \n"
         "\t\t\t\tThe VORN developers\n"
         "\t\t\t\tFree software for the fractal analysis of images"
         "\n\n Global Report concerning the treatments applied to the image\n " +
         image + "\n\n Image Size:\n lines " + std::to_string(lines) + " columns " + std::to_string(columns) +
         " \n";
}

std::string Bytes(const BytePlane& plane) {
  return std::string(reinterpret_cast<const char*>(plane.Data()), plane.Size());
}

int NoReport(TReportForm& f) {
  f.ReportOff = 1;
  return ui::mrOk;
}

int YesReport(TReportForm& f) {
  f.ReportOff = 0;
  return ui::mrOk;
}

auto Typed(int lines, int columns) {
  return [=](TImageSizeForm&) {
    MainForm->ImageLines = lines;
    MainForm->ImageColumns = columns;
    return ui::mrOk;
  };
}

auto Kind(int labeled) {
  return [=](TSelectImageForm& f) {
    f.LabeledImage = labeled;
    return ui::mrOk;
  };
}

// Pixel (i, j) = 16 i + j: rows are told apart.
BytePlane Numbered(int columns, int lines) {
  BytePlane plane(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) plane[i][j] = static_cast<std::uint8_t>(16 * i + j);
  return plane;
}

void WriteRaw(const std::string& name, const BytePlane& plane) {
  WriteFile(name, Bytes(plane));
}

// What a refused open must leave as it was.
struct Snapshot {
  std::string original, binary, result, backup;
  int lines, columns;
  std::string imageFileName, workDirectory, dimensionFileName, title;
  int labeledFlag, binaryFlag, hasLabeled, hasBinary, itemCount;
  std::array<int, Panel2ResultCount> panel2;
  std::map<std::string, bool> enabled;

  static Snapshot Take() {
    const TMainForm& m = *MainForm;
    Snapshot s{Bytes(m.OriginalImage),
               Bytes(m.BinaryImage),
               Bytes(m.ResultImage),
               Bytes(m.BinaryBackup),
               m.ImageLines,
               m.ImageColumns,
               m.ImageFileName,
               m.WorkDirectory,
               m.DimensionFileName,
               ImageForm->CaptionText(),
               m.LabeledFlag,
               m.BinaryFlag,
               m.HasLabeledImage,
               m.HasBinaryImage,
               m.ItemCount,
               m.Panel2Pending,
               {}};
    for (const auto& [name, action] : m.Items()) s.enabled[name] = action->isEnabled();
    return s;
  }
  bool operator==(const Snapshot&) const = default;
};

}  // namespace

class OpenImageTest : public ProgramTest {
 protected:
  // An original raw image opened through the menu with its size file, report declined.
  void OpenOriginal(const BytePlane& plane, const std::string& name = "original.raw") {
    WriteRaw(Path(name), plane);
    WriteFile(Path(name.substr(0, name.rfind('.')) + ".txt"),
              std::to_string(plane.Lines()) + " " + std::to_string(plane.Columns()));
    ui.open(Path(name), 1).dialog<TReportForm>(NoReport);
    MainForm->Open1Click();
  }

  void OpenComplementary(int labeled, const std::string& fileName, int filter = 1) {
    ui.dialog<TSelectImageForm>(Kind(labeled)).open(fileName, filter);
    MainForm->OpenBinaryImage1Click();
  }
};

TEST_F(OpenImageTest, RawWithSizeFileReadsRowsTopFirst) {
  const BytePlane image = Numbered(4, 3);
  WriteRaw(Path("a.raw"), image);
  WriteFile(Path("a.txt"), "3\n4\n");
  ui.open(Path("a.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();

  ASSERT_TRUE(ui.Finished());
  const TMainForm& m = *MainForm;
  EXPECT_EQ(Bytes(m.OriginalImage), Bytes(image));
  EXPECT_EQ(m.OriginalImage.Lines(), 3);
  EXPECT_EQ(m.OriginalImage.Columns(), 4);
  EXPECT_EQ(m.ImageLines, 3);
  EXPECT_EQ(m.ImageColumns, 4);
  EXPECT_EQ(m.ImageFileName, Path("a.raw"));
  EXPECT_EQ(m.ImagePath, Path("a.raw"));
  EXPECT_EQ(m.ImageTitle, " 1.- " + Path("a.raw"));
  EXPECT_EQ(ImageForm->CaptionText(), " 1.- " + Path("a.raw"));
  EXPECT_EQ(m.SavedPanelCaption, Path("a.raw"));
  EXPECT_EQ(m.WorkDirectory, Dir().string());
  EXPECT_EQ(m.DimensionFileName, Path("a.txt"));
  EXPECT_EQ(m.LineUndoValues.size(), 5u);
  for (const BytePlane* plane :
       {&m.ResultImage, &m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.GreenPlane, &m.BluePlane}) {
    EXPECT_EQ(plane->Lines(), 3);
    EXPECT_EQ(plane->Columns(), 4);
    EXPECT_EQ(Bytes(*plane), std::string(12, '\0'));
  }
  EXPECT_TRUE(ImageForm->HasBitmap());
  for (const char* name : {"OpenBinaryImage1", "BinTreat1", "GrayTonesTreat1", "Tools1",
                           "OpenBinarSpeedButton1", "ExitSpeedButton1", "Binar1", "ZoomSpeedButton"})
    EXPECT_TRUE(m.IsEnabled(name)) << name;
  EXPECT_EQ(ReadFile(Path("a.txt")), "3\n4\n");  // left as it was

  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  const ui::FileDialogSpec& dialog = ui.FileDialogs()[0];
  EXPECT_EQ(dialog.title, "OPEN IMAGE");
  EXPECT_EQ(dialog.filter, "Raw Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp");
  EXPECT_EQ(dialog.initialDir, ImagesFolder());
}

TEST_F(OpenImageTest, RawWithoutSizeFileAsksItAndWritesIt) {
  WriteRaw(Path("b.raw"), Numbered(4, 3));
  ui.open(Path("b.raw"), 1).dialog<TImageSizeForm>(Typed(3, 4)).dialog<TReportForm>(NoReport);
  MainForm->OpenSpeedButton1Click();

  EXPECT_EQ(ReadFile(Path("b.txt")), "3\n4\n");
  EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(Numbered(4, 3)));
  EXPECT_EQ(MainForm->ImageLines, 3);
  EXPECT_EQ(MainForm->ImageColumns, 4);
}

TEST_F(OpenImageTest, SizeWindowNamesTheMissingFieldAndComesBack) {
  WriteRaw(Path("c.raw"), Numbered(4, 3));
  ui.open(Path("c.raw"), 1)
      .dialog<TImageSizeForm>(Typed(0, 4))
      .message("ERROR", "Number of lines not defined (1 to 65535)")
      .dialog<TImageSizeForm>(Typed(3, 70000))
      .message("ERROR", "Number of columns not defined (1 to 65535)")
      .dialog<TImageSizeForm>(Typed(3, 4))
      .dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(MainForm->OriginalImage.Lines(), 3);
  EXPECT_EQ(ReadFile(Path("c.txt")), "3\n4\n");
}

TEST_F(OpenImageTest, SizeWindowClosedAbandonsTheOpen) {
  WriteRaw(Path("c.raw"), Numbered(4, 3));
  const Snapshot before = Snapshot::Take();
  ui.open(Path("c.raw"), 1).dialog<TImageSizeForm>([](TImageSizeForm&) { return ui::mrCancel; });
  MainForm->Open1Click();
  EXPECT_TRUE(Snapshot::Take() == before);
  EXPECT_FALSE(std::filesystem::exists(Path("c.txt")));
}

TEST_F(OpenImageTest, TypedSizeLongerThanTheFileIsRefusedAndNoSizeFileIsLeft) {
  WriteRaw(Path("d.raw"), Numbered(4, 3));
  const Snapshot before = Snapshot::Take();
  ui.open(Path("d.raw"), 1)
      .dialog<TImageSizeForm>(Typed(4, 4))
      .message("CAUTION", "The raw file\n" + Path("d.raw") + "\nis shorter than 4 lines x 4 columns");
  MainForm->Open1Click();
  EXPECT_TRUE(Snapshot::Take() == before);
  EXPECT_FALSE(std::filesystem::exists(Path("d.txt")));
}

TEST_F(OpenImageTest, EightBitBmpsOpenWhateverTheirSize) {
  // The smallest files are the ones a file-length test would refuse.
  for (const auto& [columns, lines] : {std::pair{4, 3}, std::pair{1, 1}, std::pair{37, 23}}) {
    const BytePlane image = MakeRandomGray(columns, lines, 7);
    const std::string name = Path("g" + std::to_string(columns) + ".bmp");
    ASSERT_EQ(WriteBMPFile(name, image, columns, lines, 0), 0);
    ui.open(name, 2).dialog<TReportForm>(NoReport);
    MainForm->Open1Click();
    EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(image)) << columns << " x " << lines;
    EXPECT_EQ(MainForm->ImageLines, lines);
    EXPECT_EQ(MainForm->ImageColumns, columns);
    EXPECT_EQ(MainForm->BinaryImage.Lines(), lines);
  }
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(OpenImageTest, ColourBmpIsRefusedAndTheDialogComesBack) {
  ASSERT_EQ(WriteBMPFile(Path("c24.bmp"), MakeRandomBgr(4, 3, 1), 4, 3, 2), 0);
  const Snapshot before = Snapshot::Take();
  ui.open(Path("c24.bmp"), 2).message("CAUTION", kCaution24).cancelOpen();
  MainForm->Open1Click();
  EXPECT_TRUE(Snapshot::Take() == before);
  EXPECT_TRUE(MainForm->OriginalImage.Empty());
  EXPECT_FALSE(MainForm->IsEnabled("OpenBinaryImage1"));
  ASSERT_EQ(ui.FileDialogs().size(), 2u);
  EXPECT_EQ(ui.FileDialogs()[1].filterIndex, 2);

  // ... and a good file chosen the second time opens.
  ASSERT_EQ(WriteBMPFile(Path("g.bmp"), Numbered(4, 3), 4, 3, 0), 0);
  ui.open(Path("c24.bmp"), 2)
      .message("CAUTION", kCaution24)
      .open(Path("g.bmp"), 2)
      .dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(Numbered(4, 3)));
}

TEST_F(OpenImageTest, ReportHeaderByteForByte) {
  WriteRaw(Path("h.raw"), Numbered(4, 3));
  WriteFile(Path("h.txt"), "3 4");
  ui.open(Path("h.raw"), 1).dialog<TReportForm>(YesReport).save(Path("report.txt"), 1);
  MainForm->Open1Click();

  // The name typed gets ".txt" appended, even when it ends so already.
  EXPECT_EQ(MainForm->ReportFileName, Path("report.txt"));
  EXPECT_EQ(MainForm->ReportPath, Path("report.txt.txt"));
  EXPECT_EQ(ReadFile(Path("report.txt.txt")), Header(Path("h.raw"), 3, 4));
  ASSERT_EQ(ui.FileDialogs().size(), 2u);
  EXPECT_EQ(ui.FileDialogs()[1].title, " OPEN REPORT");
  EXPECT_EQ(ui.FileDialogs()[1].filter, "Name Report [*.txt]|*.txt");
}

TEST_F(OpenImageTest, ANewReportClosesTheOldOne) {
  OpenOriginal(Numbered(4, 3), "one.raw");
  WriteRaw(Path("two.raw"), Numbered(5, 2));
  WriteFile(Path("two.txt"), "2 5");
  ui.open(Path("one.raw"), 1).dialog<TReportForm>(YesReport).save(Path("r1"), 1);
  MainForm->Open1Click();
  ui.open(Path("two.raw"), 1).dialog<TReportForm>(YesReport).save(Path("r2"), 1);
  MainForm->Open1Click();
  ReportPrintf("\n\n LINE");
  EXPECT_EQ(ReadFile(Path("r1.txt")), Header(Path("one.raw"), 3, 4));
  EXPECT_EQ(ReadFile(Path("r2.txt")), Header(Path("two.raw"), 2, 5) + "\n\n LINE");
}

TEST_F(OpenImageTest, NoToTheReportThenNothingIsWritten) {
  OpenOriginal(Numbered(4, 3), "one.raw");
  ui.open(Path("one.raw"), 1).dialog<TReportForm>(YesReport).save(Path("r"), 1);
  MainForm->Open1Click();
  const std::string written = ReadFile(Path("r.txt"));

  ui.open(Path("one.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  BytePlane labels(4, 3);
  labels.Fill(255);
  labels[1][1] = 1;
  WriteRaw(Path("lab.raw"), labels);
  WriteFile(Path("lab.txt"), "3 4");
  OpenComplementary(1, Path("lab.raw"));
  ReportPrintf("\n\n ANYTHING");
  EXPECT_EQ(ReadFile(Path("r.txt")), written);
  EXPECT_EQ(MainForm->ItemCount, 1);
}

TEST_F(OpenImageTest, CancelledReportDialogWithNoReportOpenTurnsItOff) {
  WriteRaw(Path("a.raw"), Numbered(4, 3));
  WriteFile(Path("a.txt"), "3 4");
  ui.open(Path("a.raw"), 1).dialog<TReportForm>(YesReport).cancelSave();
  MainForm->Open1Click();
  EXPECT_EQ(ReportForm->ReportOff, 1);
  EXPECT_FALSE(ReportOn());
}

TEST_F(OpenImageTest, ReportThatCannotBeCreatedIsSaidAndLeftOff) {
  WriteRaw(Path("a.raw"), Numbered(4, 3));
  WriteFile(Path("a.txt"), "3 4");
  const std::string report = Path("no/such/folder/r");
  ui.open(Path("a.raw"), 1)
      .dialog<TReportForm>(YesReport)
      .save(report, 1)
      .message("ERROR", "The report file\n" + report + ".txt\ncannot be created\nThe report is off");
  MainForm->Open1Click();
  EXPECT_EQ(ReportForm->ReportOff, 1);
  EXPECT_FALSE(ReportOn());
  EXPECT_EQ(MainForm->OriginalImage.Lines(), 3);  // the image itself is open
}

TEST_F(OpenImageTest, LabeledComplementaryCountsItsItems) {
  struct Case {
    std::vector<std::uint8_t> codes;
    std::string words;
    int itemCount;
    std::size_t tableSize;
  };
  const Case cases[] = {
      {{1, 2, 5}, " that contains 3 items", 3, 6u},
      {{7}, " that contains only one item", 1, 8u},
  };
  for (const Case& c : cases) {
    OpenOriginal(Numbered(4, 3));
    const std::string report = ReportInto(Path("lab-report.txt"));
    BytePlane labels(4, 3);
    labels.Fill(255);
    for (std::size_t k = 0; k < c.codes.size(); ++k) labels[1][k] = c.codes[k];
    WriteRaw(Path("lab.raw"), labels);
    WriteFile(Path("lab.txt"), "3 4");
    OpenComplementary(1, Path("lab.raw"));

    const TMainForm& m = *MainForm;
    EXPECT_EQ(ReadFile(report), "\n\n The complementary image : " + Path("lab.raw") +
                                    "\n corresponds to a labeled image" + c.words);
    EXPECT_EQ(m.ItemCount, c.itemCount);
    EXPECT_EQ(m.ItemCodes.size(), c.tableSize);
    EXPECT_EQ(m.ItemPixels.size(), c.tableSize);
    EXPECT_EQ(m.ItemValues.size(), c.tableSize);
    EXPECT_EQ(m.ItemValues2.size(), c.tableSize);
    EXPECT_EQ(Bytes(m.BinaryImage), Bytes(labels));
    EXPECT_EQ(Bytes(m.BinaryBackup), Bytes(labels));
    EXPECT_EQ(Bytes(m.RedPlane), Bytes(labels));
    EXPECT_EQ(Bytes(m.BluePlane), Bytes(labels));
    EXPECT_EQ(m.LabeledFlag, 1);
    EXPECT_EQ(m.BinaryFlag, 0);
    EXPECT_EQ(m.HasLabeledImage, 1);
    EXPECT_EQ(m.HasBinaryImage, 0);
    EXPECT_EQ(m.Panel2Pending[p2Labeled], 1);
    EXPECT_EQ(m.ComplementaryRequested, 1);
    EXPECT_EQ(TempImageForm->CaptionText(), " 2.- Complementary Labeled Image");
    EXPECT_EQ(ImageForm->CaptionText(), " 1.- " + Path("original.raw"));
    EXPECT_EQ(m.SavedPanelCaption, Path("lab.raw"));
    for (const char* name : {"Binar1",
                             "Labelization",
                             "LinFrac1",
                             "BoxCounting1",
                             "Bromov1",
                             "ProgresBoxCounting1",
                             "UrbanField",
                             "ResizeBoxCounting1",
                             "Perimeter1",
                             "PerimeterOrientation1",
                             "MovingCircle",
                             "Pattern1",
                             "Smoothing1",
                             "Closing1",
                             "PerimeterExtraction",
                             "HoleExtraction",
                             "SaveBinarSpeedButton1",
                             "PipetteSpeedButton1",
                             "ColorSpeedButton",
                             "ExitSpeedButton1"})
      EXPECT_TRUE(m.IsEnabled(name)) << name;
    CloseReportFile();
    // The request stands: the next open would be complementary again until the window is closed.
    MainForm->ComplementaryRequested = 0;
  }
}

TEST_F(OpenImageTest, BinaryComplementaryFromBmp) {
  OpenOriginal(Numbered(4, 3));
  const std::string report = ReportInto(Path("r.txt"));
  BytePlane binary(4, 3);
  binary.Fill(255);
  binary[0][0] = binary[2][3] = 1;
  ASSERT_EQ(WriteBMPFile(Path("bin.bmp"), binary, 4, 3, 0), 0);
  ui.dialog<TSelectImageForm>(Kind(0)).open(Path("bin.bmp"), 2);
  MainForm->OpenBinarSpeedButton1Click();

  EXPECT_EQ(ReadFile(report),
            "\n\n The complementary image : " + Path("bin.bmp") + "\n corresponds to a binary image");
  EXPECT_EQ(Bytes(MainForm->BinaryImage), Bytes(binary));
  EXPECT_EQ(MainForm->BinaryFlag, 1);
  EXPECT_EQ(MainForm->HasBinaryImage, 1);
  EXPECT_EQ(MainForm->Panel2Pending[p2Labeled], 0);
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- Complementary Binary Image");
  EXPECT_TRUE(MainForm->IsEnabled("Labelization"));
  EXPECT_FALSE(MainForm->IsEnabled("Perimeter1"));
}

TEST_F(OpenImageTest, SelectionClosedWithoutOkOpensAnOriginalImage) {
  OpenOriginal(Numbered(4, 3));
  WriteRaw(Path("next.raw"), Numbered(2, 2));
  WriteFile(Path("next.txt"), "2 2");
  ui.dialog<TSelectImageForm>([](TSelectImageForm&) { return ui::mrCancel; })
      .open(Path("next.raw"), 1)
      .dialog<TReportForm>(NoReport);
  MainForm->OpenBinaryImage1Click();
  EXPECT_EQ(MainForm->ComplementaryRequested, 0);
  EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(Numbered(2, 2)));
}

TEST_F(OpenImageTest, ANewOriginalReleasesWhatTheOldOneSized) {
  OpenOriginal(Numbered(8, 8), "big.raw");
  TMainForm& m = *MainForm;
  m.FillMask = BytePlane(8, 8);
  m.FillMaskReady = 1;
  m.ColourImage = BytePlane(24, 8);
  m.ColourMode = 3;
  m.UndoImage = BytePlane(8, 8);
  m.PixelStackReady = 1;
  m.LineStart = 7;
  m.LineUndoCount = 3;
  m.ItemCount = 4;
  m.ItemCodes.assign(5, 1);
  m.ItemValues.assign(5, 1.0);
  m.HasLabeledImage = 1;
  m.HoleLabelingMode = 1;
  m.HolesLabeled = 1;

  OpenOriginal(Numbered(3, 2), "small.raw");
  EXPECT_EQ(m.OriginalImage.Lines(), 2);
  EXPECT_EQ(m.BinaryImage.Columns(), 3);
  EXPECT_EQ(m.LineUndoValues.size(), 4u);
  EXPECT_TRUE(m.FillMask.Empty());
  EXPECT_EQ(m.FillMaskReady, 0);
  EXPECT_TRUE(m.ColourImage.Empty());
  EXPECT_EQ(m.ColourMode, 0);
  EXPECT_TRUE(m.UndoImage.Empty());
  EXPECT_EQ(m.PixelStackReady, 0);
  EXPECT_EQ(m.LineStart, 0);
  EXPECT_EQ(m.LineUndoCount, 0);
  EXPECT_EQ(m.ItemCount, 0);
  EXPECT_TRUE(m.ItemCodes.empty());
  EXPECT_TRUE(m.ItemValues.empty());
  EXPECT_EQ(m.HasLabeledImage, 0);
  EXPECT_EQ(m.HoleLabelingMode, 0);
  EXPECT_EQ(m.HolesLabeled, 0);
}

// Every refusal: a message under "CAUTION" and nothing of the state changed.
TEST_F(OpenImageTest, MalformedFilesAreRefusedWithoutChange) {
  OpenOriginal(Numbered(4, 3));
  ReportInto(Path("r.txt"));
  std::filesystem::create_directory(Path("folder.raw"));
  WriteFile(Path("folder.txt"), "3 4");
  std::filesystem::create_directory(Path("dirsize.txt"));
  WriteRaw(Path("dirsize.raw"), Numbered(4, 3));
  WriteFile(Path("empty.raw"), "");
  WriteFile(Path("empty.txt"), "3 4");
  WriteRaw(Path("short.raw"), Numbered(4, 2));
  WriteFile(Path("short.txt"), "3 4");
  for (const char* name : {"text", "nosize", "zero", "negative", "huge"})
    WriteRaw(Path(std::string(name) + ".raw"), Numbered(4, 3));
  WriteFile(Path("text.txt"), "three four");
  WriteFile(Path("nosize.txt"), "");
  WriteFile(Path("zero.txt"), "0 4");
  WriteFile(Path("negative.txt"), "3 -4");
  WriteFile(Path("huge.txt"), "70000 4");
  WriteFile(Path("junk.bmp"), "BM this is not a picture");
  WriteFile(Path("wrong.raw"), std::string(20, 'x'));
  WriteFile(Path("wrong.txt"), "4 5");  // not the original's size
  ASSERT_EQ(WriteBMPFile(Path("c24.bmp"), MakeRandomBgr(4, 3, 1), 4, 3, 2), 0);
  ASSERT_EQ(WriteBMPFile(Path("g25.bmp"), Numbered(5, 2), 5, 2, 0), 0);

  const std::string sizeRange = "\nholds a size out of range (1 to 65535 a side)";
  const std::string noNumbers = "\ndoes not hold the number of lines and the number of columns";
  const std::string sizeDiffers =
      "The complementary image must have the size of the original image\n(3 lines x 4 columns; ";
  struct Case {
    bool complementary;
    std::string file;
    int filter;
    std::string message;
    bool chooseAgain;
  };
  const Case cases[] = {
      {false, "folder.raw", 1, "The raw file\n" + Path("folder.raw") + "\ncannot be read", false},
      {false, "dirsize.raw", 1, "The size file\n" + Path("dirsize.txt") + "\ncannot be read", false},
      {false, "empty.raw", 1, "The raw file\n" + Path("empty.raw") + "\nis shorter than 3 lines x 4 columns",
       false},
      {true, "short.raw", 1, "The raw file\n" + Path("short.raw") + "\nis shorter than 3 lines x 4 columns",
       false},
      {false, "text.raw", 1, "The size file\n" + Path("text.txt") + noNumbers, false},
      {false, "nosize.raw", 1, "The size file\n" + Path("nosize.txt") + noNumbers, false},
      {false, "zero.raw", 1, "The size file\n" + Path("zero.txt") + sizeRange, false},
      {false, "negative.raw", 1, "The size file\n" + Path("negative.txt") + sizeRange, false},
      {true, "huge.raw", 1, "The size file\n" + Path("huge.txt") + sizeRange, false},
      {false, "junk.bmp", 2,
       "The file\n" + Path("junk.bmp") + "\nis not an 8-bit BMP image this program can read", false},
      {false, "missing.bmp", 2,
       "The file\n" + Path("missing.bmp") + "\nis not an 8-bit BMP image this program can read", false},
      {true, "wrong.raw", 1, sizeDiffers + "this one has 4 lines x 5 columns)", false},
      {true, "g25.bmp", 2, sizeDiffers + "this one has 2 lines x 5 columns)", false},
      {true, "c24.bmp", 2, kCaution24, true},
  };
  for (const Case& c : cases) {
    const Snapshot before = Snapshot::Take();
    const std::string report = ReadFile(Path("r.txt"));
    if (c.complementary) ui.dialog<TSelectImageForm>(Kind(1));
    ui.open(Path(c.file), c.filter).message("CAUTION", c.message);
    if (c.chooseAgain) ui.cancelOpen();
    if (c.complementary)
      MainForm->OpenBinaryImage1Click();
    else
      MainForm->Open1Click();
    EXPECT_TRUE(ui.Finished()) << c.file;
    EXPECT_TRUE(Snapshot::Take() == before) << c.file;
    EXPECT_EQ(ReadFile(Path("r.txt")), report) << c.file;
    MainForm->ComplementaryRequested = 0;
  }
}

TEST_F(OpenImageTest, ComplementaryWithoutAnOriginalIsRefused) {
  ui.dialog<TSelectImageForm>(Kind(1)).message("CAUTION",
                                               "No image is open\nPlease open a gray tone image first");
  MainForm->OpenBinaryImage1Click();
  EXPECT_TRUE(MainForm->BinaryImage.Empty());
  EXPECT_FALSE(MainForm->IsEnabled("ExitSpeedButton1"));
}

class ImageSizeFormTest : public ProgramTest {};

TEST_F(ImageSizeFormTest, EditsStoreTheirNumbersAtOnce) {
  ImageSizeForm->NumLineEdit->setText("12a");
  ImageSizeForm->NumColEdit->setText(" 640");
  EXPECT_EQ(MainForm->ImageLines, 12);
  EXPECT_EQ(MainForm->ImageColumns, 640);
  ImageSizeForm->NumColEdit->setText("x");
  EXPECT_EQ(MainForm->ImageColumns, 0);
  EXPECT_EQ(ImageSizeForm->TypedLines(), 12);
  EXPECT_EQ(ImageSizeForm->Caption(), " Image Size");
}

TEST_F(ImageSizeFormTest, SelectionOkStandsTheRequest) {
  EXPECT_EQ(MainForm->ComplementaryRequested, 0);
  SelectImageForm->LabeledButton->click();
  EXPECT_EQ(SelectImageForm->LabeledImage, 1);
  SelectImageForm->OkClick();
  EXPECT_EQ(MainForm->ComplementaryRequested, 1);
}
