#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

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

// What a refused open must leave as it was.
struct Snapshot {
  std::vector<std::string> texts;
  std::vector<int> numbers;
  std::map<std::string, bool> enabled;

  static Snapshot Take() {
    const TMainForm& m = *MainForm;
    Snapshot s{{Bytes(m.OriginalImage), Bytes(m.BinaryImage), Bytes(m.ResultImage), Bytes(m.BinaryBackup),
                m.ImageFileName, m.WorkDirectory, m.DimensionFileName, ImageForm->CaptionText()},
               {m.ImageLines, m.ImageColumns, m.LabeledFlag, m.BinaryFlag, m.HasLabeledImage,
                m.HasBinaryImage, m.ItemCount},
               {}};
    s.numbers.insert(s.numbers.end(), m.Panel2Pending.begin(), m.Panel2Pending.end());
    for (const auto& [name, action] : m.Items()) s.enabled[name] = action->isEnabled();
    return s;
  }
  bool operator==(const Snapshot&) const = default;
};

}  // namespace

class OpenImageTest : public ProgramTest {
 protected:
  // Writes a raw image and, unless `size` is empty, its size file.
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
  void OpenComplementary(int labeled, const std::string& fileName, int filter = 1) {
    ui.dialog<TSelectImageForm>(Kind(labeled)).open(fileName, filter);
    MainForm->OpenBinaryImage1Click();
  }
};

TEST_F(OpenImageTest, RawWithSizeFileReadsRowsTopFirst) {
  WriteRaw("a.raw", Numbered(4, 3), "3\n4\n");
  ui.open(Path("a.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();

  const TMainForm& m = *MainForm;
  EXPECT_EQ(Bytes(m.OriginalImage), Bytes(Numbered(4, 3)));
  EXPECT_EQ(std::tuple(m.OriginalImage.Lines(), m.OriginalImage.Columns(), m.ImageLines, m.ImageColumns,
                       m.LineUndoValues.size()),
            std::tuple(3, 4, 3, 4, 5u));
  const std::string title = " 1.- " + Path("a.raw");
  EXPECT_EQ((std::vector<std::string>{m.ImageFileName, m.ImagePath, m.ImageTitle, ImageForm->CaptionText(),
                                      m.SavedPanelCaption, m.WorkDirectory, m.DimensionFileName}),
            (std::vector<std::string>{Path("a.raw"), Path("a.raw"), title, title, Path("a.raw"),
                                      Dir().string(), Path("a.txt")}));
  for (const BytePlane* plane :
       {&m.ResultImage, &m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.GreenPlane, &m.BluePlane})
    EXPECT_EQ(Bytes(*plane), std::string(12, '\0')) << plane->Lines() << " x " << plane->Columns();
  EXPECT_TRUE(ImageForm->HasBitmap());
  const char* const enabled =
      "OpenBinaryImage1 BinTreat1 GrayTonesTreat1 Tools1 OpenBinarSpeedButton1 ExitSpeedButton1 Binar1 "
      "ZoomSpeedButton";
  EXPECT_EQ(EnabledOf(enabled), enabled);
  EXPECT_EQ(ReadFile(Path("a.txt")), "3\n4\n");  // left as it was
  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(ui.FileDialogs()[0].title, "OPEN IMAGE");
  EXPECT_EQ(ui.FileDialogs()[0].filter, "Raw Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp");
  EXPECT_EQ(ui.FileDialogs()[0].initialDir, ImagesFolder());
}

TEST_F(OpenImageTest, RawWithoutSizeFileAsksItAndWritesIt) {
  WriteRaw("b.raw", Numbered(4, 3));
  ui.open(Path("b.raw"), 1)
      .dialog<TImageSizeForm>(Typed(0, 4))
      .message("ERROR", "Number of lines not defined (1 to 65535)")
      .dialog<TImageSizeForm>(Typed(3, 70000))
      .message("ERROR", "Number of columns not defined (1 to 65535)")
      .dialog<TImageSizeForm>(Typed(3, 4))
      .dialog<TReportForm>(NoReport);
  MainForm->OpenSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("b.txt")), "3\n4\n");
  EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(Numbered(4, 3)));
  EXPECT_EQ(std::tuple(MainForm->ImageLines, MainForm->ImageColumns), std::tuple(3, 4));
}

TEST_F(OpenImageTest, SizeWindowClosedOrTooLargeAbandonsAndLeavesNoSizeFile) {
  WriteRaw("c.raw", Numbered(4, 3));
  const Snapshot before = Snapshot::Take();
  ui.open(Path("c.raw"), 1).dialog<TImageSizeForm>([](TImageSizeForm&) { return ui::mrCancel; });
  MainForm->Open1Click();
  ui.open(Path("c.raw"), 1)
      .dialog<TImageSizeForm>(Typed(4, 4))
      .message("CAUTION", "The raw file\n" + Path("c.raw") + "\nis shorter than 4 lines x 4 columns");
  MainForm->Open1Click();
  EXPECT_TRUE(Snapshot::Take() == before);
  EXPECT_FALSE(std::filesystem::exists(Path("c.txt")));
}

TEST_F(OpenImageTest, EightBitBmpsOpenWhateverTheirSize) {
  // The smallest files are the ones a file-length test would refuse.
  for (const auto& [columns, lines] : {std::pair{4, 3}, std::pair{1, 1}, std::pair{37, 23}}) {
    const BytePlane image = MakeRandomGray(columns, lines, 7);
    std::string file = "g";  // built in steps: GCC 12 at -O3 takes the one-line sum for an overlap
    file += std::to_string(columns);
    const std::string name = Path(file + ".bmp");
    ASSERT_EQ(WriteBMPFile(name, image, columns, lines, 0), 0);
    ui.open(name, 2).dialog<TReportForm>(NoReport);
    MainForm->Open1Click();
    EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(image)) << columns << " x " << lines;
    EXPECT_EQ(std::tuple(MainForm->ImageLines, MainForm->ImageColumns), std::tuple(lines, columns));
    EXPECT_EQ(MainForm->BinaryImage.Lines(), lines);
  }
  EXPECT_TRUE(ui.Messages().empty());
}

// Refused with the state untouched (see the table below); a good file chosen the second time opens.
TEST_F(OpenImageTest, ColourBmpIsRefusedAndTheDialogComesBack) {
  ASSERT_EQ(WriteBMPFile(Path("c24.bmp"), MakeRandomBgr(4, 3, 1), 4, 3, 2), 0);
  ASSERT_EQ(WriteBMPFile(Path("g.bmp"), Numbered(4, 3), 4, 3, 0), 0);
  ui.open(Path("c24.bmp"), 2)
      .message("CAUTION", kCaution24)
      .open(Path("g.bmp"), 2)
      .dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(Bytes(MainForm->OriginalImage), Bytes(Numbered(4, 3)));
  ASSERT_EQ(ui.FileDialogs().size(), 2u);
  EXPECT_EQ(ui.FileDialogs()[1].filterIndex, 2);
}

TEST_F(OpenImageTest, ReportHeaderByteForByteAndANewReportClosesTheOldOne) {
  WriteRaw("h.raw", Numbered(4, 3), "3 4");
  WriteRaw("two.raw", Numbered(5, 2), "2 5");
  ui.open(Path("h.raw"), 1).dialog<TReportForm>(YesReport).save(Path("report.txt"), 1);
  MainForm->Open1Click();
  // The name typed gets ".txt" appended, even when it ends so already.
  EXPECT_EQ(MainForm->ReportFileName, Path("report.txt"));
  EXPECT_EQ(MainForm->ReportPath, Path("report.txt.txt"));
  EXPECT_EQ(ReadFile(Path("report.txt.txt")), Header(Path("h.raw"), 3, 4));
  ASSERT_EQ(ui.FileDialogs().size(), 2u);
  EXPECT_EQ(ui.FileDialogs()[1].title, " OPEN REPORT");
  EXPECT_EQ(ui.FileDialogs()[1].filter, "Name Report [*.txt]|*.txt");

  ui.open(Path("two.raw"), 1).dialog<TReportForm>(YesReport).save(Path("r2"), 1);
  MainForm->Open1Click();
  ReportPrintf("\n\n LINE");
  EXPECT_EQ(ReadFile(Path("report.txt.txt")), Header(Path("h.raw"), 3, 4));
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
  WriteRaw("lab.raw", labels, "3 4");
  OpenComplementary(1, Path("lab.raw"));
  ReportPrintf("\n\n ANYTHING");
  EXPECT_EQ(ReadFile(Path("r.txt")), written);
  EXPECT_EQ(MainForm->ItemCount, 1);
}

TEST_F(OpenImageTest, ReportCancelledOrThatCannotBeCreatedIsLeftOff) {
  WriteRaw("a.raw", Numbered(4, 3), "3 4");
  ui.open(Path("a.raw"), 1).dialog<TReportForm>(YesReport).cancelSave();
  MainForm->Open1Click();
  EXPECT_EQ(ReportForm->ReportOff, 1);
  EXPECT_FALSE(ReportOn());

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
  const Case cases[] = {{{1, 2, 5}, " that contains 3 items", 3, 6u},
                        {{7}, " that contains only one item", 1, 8u}};
  for (const Case& c : cases) {
    OpenOriginal(Numbered(4, 3));
    const std::string report = ReportInto(Path("lab-report.txt"));
    BytePlane labels(4, 3);
    labels.Fill(255);
    for (std::size_t k = 0; k < c.codes.size(); ++k) labels[1][k] = c.codes[k];
    WriteRaw("lab.raw", labels, "3 4");
    OpenComplementary(1, Path("lab.raw"));

    const TMainForm& m = *MainForm;
    EXPECT_EQ(ReadFile(report), "\n\n The complementary image : " + Path("lab.raw") +
                                    "\n corresponds to a labeled image" + c.words);
    EXPECT_EQ(m.ItemCount, c.itemCount);
    for (std::size_t size :
         {m.ItemCodes.size(), m.ItemPixels.size(), m.ItemValues.size(), m.ItemValues2.size()})
      EXPECT_EQ(size, c.tableSize);
    for (const BytePlane* plane : {&m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.BluePlane})
      EXPECT_EQ(Bytes(*plane), Bytes(labels));
    EXPECT_EQ((std::vector<int>{m.LabeledFlag, m.BinaryFlag, m.HasLabeledImage, m.HasBinaryImage,
                                m.Panel2Pending[p2Labeled], m.ComplementaryRequested}),
              (std::vector<int>{1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(TempImageForm->CaptionText(), " 2.- Complementary Labeled Image");
    EXPECT_EQ(ImageForm->CaptionText(), " 1.- " + Path("original.raw"));
    EXPECT_EQ(m.SavedPanelCaption, Path("lab.raw"));
    const char* const enabled =
        "Binar1 Labelization LinFrac1 BoxCounting1 Bromov1 ProgresBoxCounting1 UrbanField ResizeBoxCounting1 "
        "Perimeter1 PerimeterOrientation1 MovingCircle Pattern1 Smoothing1 Closing1 PerimeterExtraction "
        "HoleExtraction SaveBinarSpeedButton1 PipetteSpeedButton1 ColorSpeedButton ExitSpeedButton1";
    EXPECT_EQ(EnabledOf(enabled), enabled);
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
  EXPECT_EQ(std::tuple(MainForm->BinaryFlag, MainForm->HasBinaryImage, MainForm->Panel2Pending[p2Labeled]),
            std::tuple(1, 1, 0));
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- Complementary Binary Image");
  EXPECT_EQ(EnabledOf("Labelization Perimeter1"), "Labelization");
}

TEST_F(OpenImageTest, SelectionClosedWithoutOkOpensAnOriginalImage) {
  OpenOriginal(Numbered(4, 3));
  WriteRaw("next.raw", Numbered(2, 2), "2 2");
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
  m.ColourImage = BytePlane(24, 8);
  m.UndoImage = BytePlane(8, 8);
  m.ItemCodes.assign(5, 1);
  m.ItemValues.assign(5, 1.0);
  m.FillMaskReady = m.PixelStackReady = m.HasLabeledImage = m.HoleLabelingMode = m.HolesLabeled = 1;
  m.ColourMode = m.LineStart = m.LineUndoCount = m.ItemCount = 3;

  OpenOriginal(Numbered(3, 2), "small.raw");
  EXPECT_EQ(m.OriginalImage.Lines(), 2);
  EXPECT_EQ(m.BinaryImage.Columns(), 3);
  EXPECT_EQ(m.LineUndoValues.size(), 4u);
  EXPECT_TRUE(m.FillMask.Empty() && m.ColourImage.Empty() && m.UndoImage.Empty());
  EXPECT_TRUE(m.ItemCodes.empty() && m.ItemValues.empty());
  EXPECT_EQ((std::vector<int>{m.FillMaskReady, m.ColourMode, m.PixelStackReady, m.LineStart, m.LineUndoCount,
                              m.ItemCount, m.HasLabeledImage, m.HoleLabelingMode, m.HolesLabeled}),
            std::vector<int>(9, 0));
}

// Every refusal: a message under "CAUTION" and nothing of the state changed.
TEST_F(OpenImageTest, MalformedFilesAreRefusedWithoutChange) {
  OpenOriginal(Numbered(4, 3));
  ReportInto(Path("r.txt"));
  std::filesystem::create_directory(Path("folder.raw"));
  WriteFile(Path("folder.txt"), "3 4");
  std::filesystem::create_directory(Path("dirsize.txt"));
  WriteRaw("dirsize.raw", Numbered(4, 3));
  WriteRaw("empty.raw", BytePlane(), "3 4");
  WriteRaw("short.raw", Numbered(4, 2), "3 4");
  for (const auto& [name, size] : std::map<std::string, std::string>{{"text", "three four"},
                                                                     {"nosize", ""},
                                                                     {"zero", "0 4"},
                                                                     {"negative", "3 -4"},
                                                                     {"huge", "70000 4"}}) {
    WriteRaw(name + ".raw", Numbered(4, 3));
    WriteFile(Path(name + ".txt"), size);
  }
  WriteFile(Path("junk.bmp"), "BM this is not a picture");
  WriteFile(Path("wrong.raw"), std::string(20, 'x'));
  WriteFile(Path("wrong.txt"), "4 5");  // not the original's size
  ASSERT_EQ(WriteBMPFile(Path("c24.bmp"), MakeRandomBgr(4, 3, 1), 4, 3, 2), 0);
  ASSERT_EQ(WriteBMPFile(Path("g25.bmp"), Numbered(5, 2), 5, 2, 0), 0);

  const std::string range = "\nholds a size out of range (1 to 65535 a side)";
  const std::string noNumbers = "\ndoes not hold the number of lines and the number of columns";
  const std::string shorter = "\nis shorter than 3 lines x 4 columns";
  const std::string notBmp = "\nis not an 8-bit BMP image this program can read";
  const std::string differs =
      "The complementary image must have the size of the original image\n(3 lines x 4 columns; this one has ";
  struct Case {
    bool complementary;
    std::string file;
    std::string message;
  };
  const Case cases[] = {
      {false, "folder.raw", "The raw file\n" + Path("folder.raw") + "\ncannot be read"},
      {false, "dirsize.raw", "The size file\n" + Path("dirsize.txt") + "\ncannot be read"},
      {false, "empty.raw", "The raw file\n" + Path("empty.raw") + shorter},
      {true, "short.raw", "The raw file\n" + Path("short.raw") + shorter},
      {false, "text.raw", "The size file\n" + Path("text.txt") + noNumbers},
      {false, "nosize.raw", "The size file\n" + Path("nosize.txt") + noNumbers},
      {false, "zero.raw", "The size file\n" + Path("zero.txt") + range},
      {false, "negative.raw", "The size file\n" + Path("negative.txt") + range},
      {true, "huge.raw", "The size file\n" + Path("huge.txt") + range},
      {false, "junk.bmp", "The file\n" + Path("junk.bmp") + notBmp},
      {false, "missing.bmp", "The file\n" + Path("missing.bmp") + notBmp},
      {true, "wrong.raw", differs + "4 lines x 5 columns)"},
      {true, "g25.bmp", differs + "2 lines x 5 columns)"},
      {true, "c24.bmp", kCaution24},
      {false, "c24.bmp", kCaution24},
  };
  for (const Case& c : cases) {
    const Snapshot before = Snapshot::Take();
    const std::string report = ReadFile(Path("r.txt"));
    const bool bmp = c.file.ends_with(".bmp");
    if (c.complementary) ui.dialog<TSelectImageForm>(Kind(1));
    ui.open(Path(c.file), bmp ? 2 : 1).message("CAUTION", c.message);
    if (c.message == kCaution24) ui.cancelOpen();  // this one brings the dialog back
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

TEST_F(OpenImageTest, SizeAndSelectionWindowsStoreWhatIsTyped) {
  ImageSizeForm->NumLineEdit->setText("12a");
  ImageSizeForm->NumColEdit->setText(" 640");
  EXPECT_EQ(std::tuple(MainForm->ImageLines, MainForm->ImageColumns), std::tuple(12, 640));
  ImageSizeForm->NumColEdit->setText("x");
  EXPECT_EQ(MainForm->ImageColumns, 0);
  EXPECT_EQ(ImageSizeForm->TypedLines(), 12);
  EXPECT_EQ(ImageSizeForm->Caption(), " Image Size");

  SelectImageForm->LabeledButton->click();
  EXPECT_EQ(SelectImageForm->LabeledImage, 1);
  SelectImageForm->OkClick();
  EXPECT_EQ(MainForm->ComplementaryRequested, 1);
}
