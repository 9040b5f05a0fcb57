// The panels' save buttons: raw, size and BMP files, colour, pending results, failed writes.
#include "Program.h"
#include "app/Report.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "panels/ResultPublishing.h"
namespace {
const auto ReadBmp = [](const std::string& name) {
  int c = 0, l = 0;
  return Bytes(ReadBMPFile(name, c, l));
};
const auto CannotWrite = [](const std::string& name) { return "The file\n" + name + "\ncannot be written"; };
const std::string kBinaryLine = "\n\n\tBinary Image registered as: ";
// A 4 x 3 image in each panel, the binary image waiting to be registered.
class SavePanelsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    m = MainForm;
    LoadOriginal(MakeRandomGray(4, 3, 11));
    m->WorkDirectory = Dir().string();
    m->BinaryImage = MakeRandomGray(4, 3, 12);
    m->ResultImage = MakeRandomGray(4, 3, 13);
    m->Panel2Pending[p2Binary] = 1;
    m->Enable({"SaveBinarSpeedButton1"});
    ReportInto(Path("report.txt"));
  }
  std::string Report() const { return ReadFile(Path("report.txt")); }
  // Binary and labeled pending flags, and panel 2's save button.
  std::string Waiting() const {
    return std::to_string(m->Panel2Pending[p2Binary]) + std::to_string(m->Panel2Pending[p2Labeled]) +
           (m->IsEnabled("SaveBinarSpeedButton1") ? " on" : " off");
  }
  TMainForm* m = nullptr;
};
TEST_F(SavePanelsTest, RawWithItsSizeFileAndBmpWithTheGrayRamp) {
  const std::string original = Bytes(m->OriginalImage);
  // A name typed with its extension keeps it once: "typed.raw" and "typed.txt".
  for (const auto& [name, stem] : {std::pair("out", "out"), std::pair("typed.raw", "typed")}) {
    ui.save(Path(name), 1);
    m->SaveOriginalSpeedButton1Click();
    EXPECT_EQ(ReadFile(Path(stem + std::string(".raw"))) + "|" + ReadFile(Path(stem + std::string(".txt"))),
              original + "|3\n4\n1\n0\n255\n");
    EXPECT_EQ(m->RegisteredName + "|" + m->ImageFileName,
              Path(stem + std::string(".raw")) + "|" + Path(name));
  }
  EXPECT_EQ(Report(), "");  // panel 1 saves record nothing
  const ui::FileDialogSpec& dialog = ui.FileDialogs()[0];
  EXPECT_EQ(dialog.filter + "|" + dialog.initialDir,
            "Image [*.raw]|*.raw|Bitmap [*.bmp]|*.bmp|" + Dir().string());
  // A BMP of panel 2 is 8-bit with the gray ramp; a long name is kept whole.
  m->PaletteRed[7] = 200;  // colours on screen do not reach the file
  const std::string name = Path(std::string(200, 'n'));
  ui.save(name, 2);
  m->SaveBinarSpeedButton1Click();
  const std::string file = ReadFile(name + ".bmp");
  ASSERT_EQ(file.size(), 1078u + 3 * 4);
  std::string ramp;
  for (int v = 0; v < 256; ++v) ramp += {char(v), char(v), char(v), '\0'};
  EXPECT_EQ(std::tuple(file[28], file.substr(54, 1024)), std::tuple(8, ramp));
  EXPECT_EQ(ReadBmp(name + ".bmp"), Bytes(m->BinaryImage));
  EXPECT_EQ(m->RegisteredName + "|" + Report(), name + ".bmp|" + kBinaryLine + name + ".bmp");
}
TEST_F(SavePanelsTest, PendingResultsOfPanelsTwoAndThreeInOrderTheEditorsSaveAndColour) {
  m->Panel2Pending[p2Labeled] = 1;
  ui.cancelSave();
  m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Waiting() + Report(), "11 on");
  // The first saved, the second cancelled: one line, the second still waiting.
  ui.save(Path("first"), 1).cancelSave();
  m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Waiting() + Report(), "01 on" + kBinaryLine + Path("first.raw"));
  // Both: two files and two lines in order, and the button is done.
  m->Panel2Pending[p2Binary] = 1;
  ui.save(Path("binary"), 1).save(Path("labeled"), 2);
  m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Waiting() + Report(), "00 off" + kBinaryLine + Path("first.raw") + kBinaryLine +
                                      Path("binary.raw") +
                                      "\n\n\tLabeled Image registered as: " + Path("labeled.bmp"));
  EXPECT_EQ(ReadFile(Path("binary.raw")) + ReadBmp(Path("labeled.bmp")),
            Bytes(m->BinaryImage) + Bytes(m->BinaryImage));
  // Nothing pending: the button only disables itself.
  m->Enable({"SaveBinarSpeedButton1"});
  m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(std::tuple(Waiting(), ui.FileDialogs().size()), std::tuple("00 off", 5u));
  const std::string panelTwo = Report();
  m->Panel3Pending[p3Morlet] = m->Panel3Pending[p3FractStar] = 1;
  ui.save(Path("star"), 1).save(Path("morlet"), 1);
  m->SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("morlet.raw")), Bytes(m->ResultImage));
  // The screen editor's save is recorded too; cancelled, nothing.
  ui.save(Path("editor"), 2).cancelSave();
  m->SaveScreenSpeedButtonClick();
  m->SaveScreenSpeedButtonClick();
  const std::string report = panelTwo + "\n\n\tFract Star registered as: " + Path("star.raw") +
                             "\n\n\tMorlet wavelet registered as: " + Path("morlet.raw") +
                             "\n\n\tScreen Editor treatment registered as: " + Path("editor.bmp");
  EXPECT_EQ(Report(), report);
  // A colour result is a 24-bit BMP of the colour image, by panel 1 too while the mode stands.
  m->ColourImage = MakeRandomBgr(4, 3, 14);
  m->ColourMode = 3;
  m->Panel3Pending[p3ColouredParameter] = 1;
  m->Enable({"SaveParamSpeedButton1"});
  ui.save(Path("colour"), 1).save(Path("first"), 1);
  m->SaveParamSpeedButton1Click();
  m->SaveOriginalSpeedButton1Click();
  const ui::FileDialogSpec& dialog = ui.FileDialogs().back();
  EXPECT_EQ(dialog.title + "|" + dialog.filter, "Saving Colored BMP File|Bitmap (*.bmp)|*.bmp");
  EXPECT_EQ(ReadBmp(Path("colour.bmp")) + ReadBmp(Path("first.bmp")),
            Bytes(m->ColourImage) + Bytes(m->ColourImage));
  EXPECT_EQ(Report(), report + "\n\n\tColored Thresholding applied to the Parameter Image registered as: " +
                          Path("colour.bmp"));
  EXPECT_EQ(std::tuple(m->ColourMode, m->IsEnabled("SaveParamSpeedButton1")), std::tuple(3, false));
}
TEST_F(SavePanelsTest, FailedWritesAndAFullReportAreSaidNotRecordedAndKeepTheEarlierFiles) {
  const std::string missing = Path("no/such/folder/x");
  ui.save(missing, 2).message("ERROR", CannotWrite(missing + ".bmp"));
  ui.save(missing, 1).message("ERROR", CannotWrite(missing + ".txt"));
  // A raw file that cannot be made (a folder stands in its place) takes its size file with it.
  std::filesystem::create_directory(Path("taken.raw"));
  ui.save(Path("taken"), 1).message("ERROR", CannotWrite(Path("taken.raw")));
  for (int save = 0; save < 3; ++save) m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(Waiting() + Report() + m->RegisteredName, "10 on");  // no taken.txt: see the folder below
  m->ColourMode = 3;
  ui.save(Path("c"), 1).message("ERROR", "The panel holds no image of 3 lines x 4 columns to save");
  m->SaveOriginalSpeedButton1Click();
  // A full disk: the earlier files stay, nothing registered, the result still pending.
  ui.save(Path("x"), 1);
  m->SaveBinarSpeedButton1Click();
  ASSERT_EQ(ReadFile(Path("x.raw")).size(), 12u);
  const std::string before = ReadFile(Path("x.raw")) + ReadFile(Path("x.txt")) + Report();
  LoadBinary(MakeRandomGray(64, 64, 5));
  m->Panel2Pending[p2Binary] = 1;
  m->Enable({"SaveBinarSpeedButton1"});
  for (const int filter : {1, 2}) {
    ui.save(Path("x"), filter);
    if (filter == 1) ui.message("CAUTION", ReplaceQuestion({Path("x.raw"), Path("x.txt")}), ui::IDYES);
    ui.message("ERROR", CannotWrite(Path(filter == 1 ? "x.raw" : "x.bmp")));
    FileSizeLimit full(1024);
    m->SaveBinarSpeedButton1Click();
  }
  EXPECT_EQ(ReadFile(Path("x.raw")) + ReadFile(Path("x.txt")) + Report() + Waiting(), before + "10 on");
  EXPECT_EQ(FolderEntries(Dir().string()),
            (std::vector<std::string>{"report.txt", "taken.raw", "x.raw", "x.txt"}));
  // A full report says so once, turns off and leaves the saved result pending.
  LoadBinary(MakeRandomGray(4, 3, 12));
  m->ReportPath = Path("report.txt");
  ReportText(std::string(200, '.'));
  const std::size_t room = Report().size() + 10;  // too little for a registration
  m->Panel2Pending[p2Labeled] = 1;
  ui.save(Path("b"), 1)
      .message("ERROR", "The report file\n" + Path("report.txt") + "\ncannot be written\nThe report is off");
  {
    FileSizeLimit full(room);
    m->SaveBinarSpeedButton1Click();
  }
  EXPECT_EQ(std::tuple(std::filesystem::exists(Path("b.raw")), Waiting(), ReportForm->ReportOff,
                       Report().size() <= room),
            std::tuple(true, "11 on", 1, true));
}
// The files a save would replace are asked about, by their names with the extension, before anything is
// written.
TEST_F(SavePanelsTest, ExistingFilesAreAskedAboutAndNoKeepsThemAndRegistersNothing) {
  WriteFile(Path("x.bmp"), "earlier");
  ui.save(Path("x"), 2).message("CAUTION", ReplaceQuestion({Path("x.bmp")}), ui::IDNO);
  m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(ReadFile(Path("x.bmp")) + Report() + Waiting(), "earlier10 on");
  // Typed with its extension: the same file, not "x.bmp.bmp".
  ui.save(Path("x.bmp"), 2).message("CAUTION", ReplaceQuestion({Path("x.bmp")}), ui::IDYES);
  m->SaveBinarSpeedButton1Click();
  EXPECT_EQ(ReadBmp(Path("x.bmp")) + Report() + Waiting(),
            Bytes(m->BinaryImage) + kBinaryLine + Path("x.bmp") + "00 off");
  // A raw save writes the size file too: an existing one alone is asked about.
  WriteFile(Path("z.txt"), "5\n6\n");
  ui.save(Path("z"), 1).message("CAUTION", ReplaceQuestion({Path("z.txt")}), ui::IDNO);
  m->SaveOriginalSpeedButton1Click();
  EXPECT_EQ(FolderEntries(Dir().string()), (std::vector<std::string>{"report.txt", "x.bmp", "z.txt"}));
  EXPECT_EQ(ReadFile(Path("z.txt")), "5\n6\n");
}
// Publishing a gray result ends the colour results, but not the editor's picture of panel 2.
TEST_F(SavePanelsTest, PublishingAGrayResultEndsTheColourResultsButNotTheEditorsPicture) {
  for (const int editorPicture : {0, 1}) {
    SCOPED_TRACE(editorPicture);
    LoadOriginal(BytePlane(6, 4));
    m->ColourMode = kColourModeRgb;
    m->EditorColourImage = editorPicture;
    m->Panel3Pending.fill(0);
    m->Panel3Pending[p3SingleSuperposition] = m->Panel3Pending[p3ColouredParameter] = 1;
    m->Enable({"SaveParamSpeedButton1"}, false);
    m->ResultImage.Fill(7);
    PublishResultImage({p3FractStar, "Fract Star", 2});
    EXPECT_EQ(m->ColourMode, editorPicture ? kColourModeRgb : 0);
    EXPECT_EQ(std::tuple(m->Panel3Pending[p3SingleSuperposition], m->Panel3Pending[p3ColouredParameter],
                         m->Panel3Pending[p3FractStar], m->ResultBorder, m->PanelCaption,
                         ResultImageForm->CaptionText(), m->IsEnabled("SaveParamSpeedButton1"),
                         qGray(ResultImageForm->Bitmap().pixel(5, 3))),
              std::tuple(0, 0, 1, 2, "Fract Star", " 3.- Fract Star", true, 7));
  }
}
}  // namespace
