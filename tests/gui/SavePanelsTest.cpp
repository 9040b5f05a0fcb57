#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "Program.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "panels/ReportForm.h"

namespace {

std::string ReadBmp(const std::string& name) {
  int columns = 0, lines = 0;
  return Bytes(ReadBMPFile(name, columns, lines));
}

const char* const kBinaryLine = "\n\n\tBinary Image registered as: ";
const char* const kLabeledLine = "\n\n\tLabeled Image registered as: ";

}  // namespace

class SavePanelsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeRandomGray(4, 3, 11));
    MainForm->WorkDirectory = Dir().string();
    MainForm->BinaryImage = MakeRandomGray(4, 3, 12);
    MainForm->ResultImage = MakeRandomGray(4, 3, 13);
    report_ = ReportInto(Path("report.txt"));
  }
  std::string Report() const { return ReadFile(report_); }

 private:
  std::string report_;
};

TEST_F(SavePanelsTest, RawSaveWritesTheSizeFileAndReopensToTheSamePlane) {
  const std::string original = Bytes(MainForm->OriginalImage);
  ui.save(Path("out"), 1);
  MainForm->SaveOriginalSpeedButton1Click();

  EXPECT_EQ(ReadFile(Path("out.raw")), original);
  EXPECT_EQ(ReadFile(Path("out.txt")), "3\n4\n1\n0\n255\n");
  EXPECT_EQ(MainForm->RegisteredName, Path("out.raw"));
  EXPECT_EQ(MainForm->ImageFileName, Path("out"));
  EXPECT_EQ(Report(), "");  // panel 1 saves record nothing
  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(ui.FileDialogs()[0].filter, "Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp");
  EXPECT_EQ(ui.FileDialogs()[0].initialDir, Dir().string());

  MainForm->OriginalImage.Fill(0);
  ui.open(Path("out.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(Bytes(MainForm->OriginalImage), original);

  // A name typed with its extension still reopens.
  ui.save(Path("typed.raw"), 1);
  MainForm->SaveOriginalSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("typed.raw.txt")), "3\n4\n1\n0\n255\n");
  MainForm->OriginalImage.Fill(0);
  ui.open(Path("typed.raw.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  EXPECT_EQ(Bytes(MainForm->OriginalImage), original);
}

TEST_F(SavePanelsTest, BmpSaveIsEightBitWithTheGrayRamp) {
  MainForm->PaletteRed[7] = 200;  // colours on screen do not reach the file
  MainForm->Panel2Pending[p2Binary] = 1;
  ui.save(Path("bin"), 2);
  MainForm->SaveBinarSpeedButton1Click();

  const std::vector<std::uint8_t> file = ReadFileBytes(Path("bin.bmp"));
  ASSERT_EQ(file.size(), 1078u + 3 * 4);
  EXPECT_EQ(file[28], 8);
  for (int v = 0; v < 256; ++v) {
    const std::uint8_t* entry = file.data() + 54 + 4 * v;
    ASSERT_TRUE(entry[0] == v && entry[1] == v && entry[2] == v && entry[3] == 0) << v;
  }
  EXPECT_EQ(ReadBmp(Path("bin.bmp")), Bytes(MainForm->BinaryImage));
  EXPECT_EQ(Report(), kBinaryLine + Path("bin.bmp"));
}

TEST_F(SavePanelsTest, ColourModeSavesTheColourImageAsTwentyFourBits) {
  MainForm->ColourImage = MakeRandomBgr(4, 3, 14);
  MainForm->ColourMode = 3;
  MainForm->Panel3Pending[p3ColouredParameter] = 1;
  MainForm->Enable({"SaveParamSpeedButton1"});
  ui.save(Path("colour"), 1);
  MainForm->SaveParamSpeedButton1Click();

  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(ui.FileDialogs()[0].title, "Saving Colored BMP File");
  EXPECT_EQ(ui.FileDialogs()[0].filter, "Bitmap (*.bmp)|*.bmp");
  const std::vector<std::uint8_t> file = ReadFileBytes(Path("colour.bmp"));
  ASSERT_GT(file.size(), 29u);
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(ReadBmp(Path("colour.bmp")), Bytes(MainForm->ColourImage));
  EXPECT_EQ(Report(),
            "\n\n\tColored Thresholding applied to the Parameter Image registered as: " + Path("colour.bmp"));
  EXPECT_EQ(MainForm->ColourMode, 3);
  EXPECT_FALSE(MainForm->IsEnabled("SaveParamSpeedButton1"));

  // Panel 1 too writes the colour image while the mode stands.
  ui.save(Path("first"), 1);
  MainForm->SaveOriginalSpeedButton1Click();
  EXPECT_EQ(ReadBmp(Path("first.bmp")), Bytes(MainForm->ColourImage));
}

TEST_F(SavePanelsTest, TwoPendingResultsGiveTwoFilesAndTwoLinesInOrder) {
  MainForm->Panel2Pending[p2Binary] = 1;
  MainForm->Panel2Pending[p2Labeled] = 1;
  MainForm->Enable({"SaveBinarSpeedButton1"});
  ui.save(Path("binary"), 1).save(Path("labeled"), 2);
  MainForm->SaveBinarSpeedButton1Click();

  EXPECT_EQ(Report(), kBinaryLine + Path("binary.raw") + kLabeledLine + Path("labeled.bmp"));
  EXPECT_EQ(ReadFile(Path("binary.raw")), Bytes(MainForm->BinaryImage));
  EXPECT_EQ(ReadBmp(Path("labeled.bmp")), Bytes(MainForm->BinaryImage));
  EXPECT_EQ(std::tuple(MainForm->Panel2Pending[p2Binary], MainForm->Panel2Pending[p2Labeled]),
            std::tuple(0, 0));
  EXPECT_FALSE(MainForm->IsEnabled("SaveBinarSpeedButton1"));

  // Nothing pending: the button only disables itself.
  MainForm->Enable({"SaveBinarSpeedButton1"});
  MainForm->SaveBinarSpeedButton1Click();
  EXPECT_FALSE(MainForm->IsEnabled("SaveBinarSpeedButton1"));
  EXPECT_EQ(ui.FileDialogs().size(), 2u);
}

TEST_F(SavePanelsTest, PanelThreeResultsFollowTheirOrder) {
  MainForm->Panel3Pending[p3Morlet] = 1;
  MainForm->Panel3Pending[p3FractStar] = 1;
  ui.save(Path("star"), 1).save(Path("morlet"), 1);
  MainForm->SaveParamSpeedButton1Click();
  EXPECT_EQ(Report(), "\n\n\tFract Star registered as: " + Path("star.raw") +
                          "\n\n\tMorlet wavelet registered as: " + Path("morlet.raw"));
  EXPECT_EQ(ReadFile(Path("morlet.raw")), Bytes(MainForm->ResultImage));

  // The screen editor's save is recorded too; cancelled, nothing.
  ui.save(Path("editor"), 2).cancelSave();
  MainForm->SaveScreenSpeedButtonClick();
  MainForm->SaveScreenSpeedButtonClick();
  EXPECT_EQ(Report(), "\n\n\tFract Star registered as: " + Path("star.raw") +
                          "\n\n\tMorlet wavelet registered as: " + Path("morlet.raw") +
                          "\n\n\tScreen Editor treatment registered as: " + Path("editor.bmp"));
}

TEST_F(SavePanelsTest, CancelWritesNothingAndKeepsTheResultsPending) {
  MainForm->Panel2Pending[p2Binary] = 1;
  MainForm->Panel2Pending[p2Labeled] = 1;
  MainForm->Enable({"SaveBinarSpeedButton1"});
  ui.cancelSave();
  MainForm->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(std::tuple(MainForm->Panel2Pending[p2Binary], MainForm->Panel2Pending[p2Labeled]),
            std::tuple(1, 1));
  EXPECT_TRUE(MainForm->IsEnabled("SaveBinarSpeedButton1"));

  // The first saved, the second cancelled: one line, the second still waiting.
  ui.save(Path("binary"), 1).cancelSave();
  MainForm->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Report(), kBinaryLine + Path("binary.raw"));
  EXPECT_EQ(MainForm->Panel2Pending[p2Labeled], 1);
  EXPECT_TRUE(MainForm->IsEnabled("SaveBinarSpeedButton1"));
}

TEST_F(SavePanelsTest, FailedWritesAndAMissingColourImageAreSaidAndNotRecorded) {
  MainForm->Panel2Pending[p2Binary] = 1;
  MainForm->Enable({"SaveBinarSpeedButton1"});
  const std::string missing = Path("no/such/folder/x");
  ui.save(missing, 2).message("ERROR", "The file\n" + missing + ".bmp\ncannot be written");
  MainForm->SaveBinarSpeedButton1Click();
  ui.save(missing, 1).message("ERROR", "The file\n" + missing + ".txt\ncannot be written");
  MainForm->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(MainForm->Panel2Pending[p2Binary], 1);
  EXPECT_TRUE(MainForm->IsEnabled("SaveBinarSpeedButton1"));
  EXPECT_TRUE(MainForm->RegisteredName.empty());

  // A raw file that cannot be made (a folder stands in its place) takes its size file with it.
  std::filesystem::create_directory(Path("taken.raw"));
  ui.save(Path("taken"), 1).message("ERROR", "The file\n" + Path("taken.raw") + "\ncannot be written");
  MainForm->SaveBinarSpeedButton1Click();
  EXPECT_FALSE(std::filesystem::exists(Path("taken.txt")));
  EXPECT_EQ(Report(), "");

  // A colour mode without a colour image.
  MainForm->ColourMode = 3;
  ui.save(Path("c"), 1).message("ERROR", "The panel holds no image of 3 lines x 4 columns to save");
  MainForm->SaveOriginalSpeedButton1Click();
  EXPECT_FALSE(std::filesystem::exists(Path("c.bmp")));
}

// On a full disk a save over earlier files fails whole: both earlier files stay, nothing is
// registered, the result stays pending.
TEST_F(SavePanelsTest, AFailedSaveOverEarlierFilesKeepsThem) {
  MainForm->Panel2Pending[p2Binary] = 1;
  ui.save(Path("x"), 1);
  MainForm->SaveBinarSpeedButton1Click();
  const std::string raw = ReadFile(Path("x.raw")), size = ReadFile(Path("x.txt")), report = Report();
  ASSERT_EQ(raw.size(), 12u);

  LoadBinary(MakeRandomGray(64, 64, 5));
  MainForm->Panel2Pending[p2Binary] = 1;
  MainForm->Enable({"SaveBinarSpeedButton1"});
  for (const int filter : {1, 2}) {
    const std::string target = Path(filter == 1 ? "x.raw" : "x.bmp");
    ui.save(Path("x"), filter).message("ERROR", "The file\n" + target + "\ncannot be written");
    FileSizeLimit full(1024);
    MainForm->SaveBinarSpeedButton1Click();
  }
  EXPECT_EQ(ReadFile(Path("x.raw")), raw);
  EXPECT_EQ(ReadFile(Path("x.txt")), size);
  EXPECT_FALSE(std::filesystem::exists(Path("x.bmp")));
  EXPECT_EQ(Report(), report);
  EXPECT_EQ(MainForm->Panel2Pending[p2Binary], 1);
  EXPECT_EQ(FolderEntries(Dir().string()), (std::vector<std::string>{"report.txt", "x.raw", "x.txt"}));
}

// A report that cannot take a line says so once, turns itself off and leaves the saved result
// pending: its registration was not written.
TEST_F(SavePanelsTest, AReportOnAFullDiskIsTurnedOffAndTheResultStaysPending) {
  MainForm->ReportPath = Path("report.txt");
  ReportText(std::string(200, '.'));
  MainForm->Panel2Pending[p2Binary] = 1;
  MainForm->Panel2Pending[p2Labeled] = 1;
  MainForm->Enable({"SaveBinarSpeedButton1"});
  ui.save(Path("b"), 1)
      .message("ERROR", "The report file\n" + Path("report.txt") + "\ncannot be written\nThe report is off");
  {
    FileSizeLimit full(210);
    MainForm->SaveBinarSpeedButton1Click();
  }
  EXPECT_TRUE(std::filesystem::exists(Path("b.raw")));
  EXPECT_EQ(std::vector<int>(MainForm->Panel2Pending.begin(), MainForm->Panel2Pending.begin() + 2),
            (std::vector<int>{1, 1}));
  EXPECT_EQ(ReportForm->ReportOff, 1);
  EXPECT_TRUE(MainForm->IsEnabled("SaveBinarSpeedButton1"));
  EXPECT_LE(Report().size(), 210u);
}

TEST_F(SavePanelsTest, LongNamesAreKeptWhole) {
  const std::string name = Path(std::string(200, 'n'));
  MainForm->Panel2Pending[p2Binary] = 1;
  ui.save(name, 1);
  MainForm->SaveBinarSpeedButton1Click();
  EXPECT_EQ(MainForm->RegisteredName, name + ".raw");
  EXPECT_EQ(Report(), kBinaryLine + name + ".raw");
}
