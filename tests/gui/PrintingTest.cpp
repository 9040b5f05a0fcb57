// Tools > Print: page set-up on an A4 PDF page with 5 mm margins (200 x 287 mm), prints read back.
#include <QCheckBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QRadioButton>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <sstream>

#include "Program.h"
#include "fixtures/ScratchFiles.h"
#include "panels/ConfigPagePrint.h"
namespace {
using Form = TConfigPagePrintForm;
constexpr int kDpi = 100;  // the rasterised page: 0.254 mm a pixel
// An A4 PDF printer into `file` with margins of `mm` millimetres.
void UsePdfPrinter(const std::string& file, double mm = 5) {
  QPrinter& printer = ConfigPagePrintForm->PagePrinter->Device();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(file));
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter));
}
// Orientation, page, picture size and margins in mm, then the edits (in brackets when disabled).
std::string Geometry(const Form& f) {
  std::ostringstream out;
  out << (f.PortraitRadioButton->isChecked() ? "portrait " : "landscape ") << f.PageWidthMM << " x "
      << f.PageHeightMM << ": " << f.ImageWidthMM << ' ' << f.ImageHeightMM << ' ' << f.LeftMarginMM << ' '
      << f.TopMarginMM << " |";
  for (QLineEdit* edit : {f.LargEdit, f.HautEdit, f.GaucheEdit, f.HauteEdit})
    out << (edit->isEnabled() ? " " : " (") << edit->text().toStdString() << (edit->isEnabled() ? "" : ")");
  return out.str();
}
void Type(QLineEdit* edit, const char* text, void (Form::*exit)()) {
  edit->setText(QString::fromUtf8(text));
  (ConfigPagePrintForm->*exit)();
}
void Check(QAbstractButton* box, bool checked, void (Form::*click)()) {
  box->setChecked(checked);
  (ConfigPagePrintForm->*click)();
}
// The PDF rasterised: one page, its dark pixels' box (left, top, right, bottom) within 1 mm of `mm`.
void ExpectOnePageWithDarkBox(const std::string& pdf, const std::string& stem, std::array<double, 4> mm) {
  const std::string command = "pdftoppm -gray -r " + std::to_string(kDpi) + " '" + pdf + "' '" + stem + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << "pdftoppm (poppler-utils, scripts/deps) is needed";
  EXPECT_FALSE(std::filesystem::exists(stem + "-2.pgm"));
  const QImage page(QString::fromStdString(stem + "-1.pgm"));
  EXPECT_NEAR(page.width() * 25.4 / kDpi, 210, 0.5);
  std::array<int, 4> box = {page.width(), page.height(), -1, -1};
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128)
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)};
  for (int side = 0; side < 4; ++side) EXPECT_NEAR(box[side] * 25.4 / kDpi, mm[side], 1) << "side " << side;
}
}  // namespace
class PrintingTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UsePdfPrinter(pdf_ = Path("print.pdf"));
  }
  std::string pdf_;
};
TEST_F(PrintingTest, SetUpOpensAtHalfThePageWidthCentredRefusesWhatIsNoSizeAndOkKeepsTheRectangle) {
  ShowInPanel(1, BytePlane(400, 200));  // the rectangle starts unset: see the frame's start test
  ui.dialog<Form>([this](Form& f) {
    EXPECT_EQ(f.Caption(), " PAGE CONFIGURATION");
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 100 50 50 118.5 | 100 50 (50) (118.5)");
    // Texts that are no number or no size are refused, the value kept.
    const std::string noSize = "The size must be greater than 0";
    for (const std::string& text :
         {std::string("Incorrect value: 1-2"), noSize, noSize, std::string("Incorrect value: abc")})
      ui.message("ERROR", text + "\nThe previous value is kept");
    Type(f.LargEdit, "1-2", &Form::LargEditExit);
    Type(f.HautEdit, "", &Form::HautEditExit);
    Type(f.LargEdit, "-30", &Form::LargEditExit);
    Check(f.CentrerCheckBox, false, &Form::CentrerCheckBoxClick);
    Type(f.GaucheEdit, "abc", &Form::GaucheEditExit);
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 100 50 50 118.5 | 100 50 50 118.5");
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
  // 1200 printer pixels an inch: 200 mm are about 9448 pixels, 287 mm about 13559.
  ui::Printer& printer = *ConfigPagePrintForm->PagePrinter;
  ASSERT_EQ(printer.Device().resolution(), 1200);
  const int w = printer.PageWidthPixels(), h = printer.PageHeightPixels();
  const PrintRectangle& r = MainForm->PrintRect;
  EXPECT_EQ(
      std::tuple(r.Left, r.Top, r.Right, r.Bottom),
      std::tuple(w / 4, static_cast<int>(h * 118.5 / 287), w * 3 / 4, static_cast<int>(h * 168.5 / 287)));
  EXPECT_TRUE(std::abs(w - 9448) <= 5 && std::abs(h - 13559) <= 10) << w << " x " << h;
}
TEST_F(PrintingTest, WholePageTypedSizesAndMarginsStayOnThePage) {
  ShowInPanel(1, BytePlane(400, 200));
  ShowInPanel(3, BytePlane(200, 400));
  ui.dialog<Form>([](Form& f) {
    Check(f.PPageCheckBox, true, &Form::PPageCheckBoxClick);
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 200 100 0 93.5 | (200) (100) (0) (93.5)");
    Check(f.PPageCheckBox, false, &Form::PPageCheckBoxClick);
    Type(f.HautEdit, "25,5", &Form::HautEditExit);  // a comma reads as a point
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 51 25.5 74.5 130.75 | 51 25.5 (74.5) (130.8)");
    Type(f.LargEdit, "50 mm", &Form::LargEditExit);
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 50 25 75 131 | 50 25 (75) (131)");
    Check(f.CentrerCheckBox, false, &Form::CentrerCheckBoxClick);
    Type(f.GaucheEdit, "180", &Form::GaucheEditExit);
    Type(f.HauteEdit, "-4", &Form::HauteEditExit);
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 50 25 150 0 | 50 25 150 0");
    // The check box always tells the size in force: the next opening keeps the whole page.
    Check(f.PPageCheckBox, true, &Form::PPageCheckBoxClick);
    f.RadioButtonClick(2);
    return ui::mrCancel;
  });
  MainForm->Configurationdelimpression1Click();
  EXPECT_EQ(MainForm->PrintRect.Left, -1);  // cancelled: still unset
  ui.dialog<Form>([](Form& f) {
    EXPECT_TRUE(f.RadioButton3->isChecked());
    // The 200 x 400 picture of panel 3, on the whole page.
    EXPECT_EQ(Geometry(f), "portrait 200 x 287: 143.5 287 28.25 0 | (143.5) (287) 28.3 0");
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
  EXPECT_EQ(MainForm->PrintRect.Top, 0);
}
TEST_F(PrintingTest, PrintPutsThePictureWhereTheSetUpPlacedItRefusesWhatItCannotAndCancelUndoesThePrinter) {
  ui.message("CAUTION", "No picture to print\nPlease open an image first");
  MainForm->ImprimerClick();
  ShowInPanel(1, BytePlane(400, 200));
  ui.dialog<Form>([](Form&) { return ui::mrCancel; });
  MainForm->ImprimerClick();
  EXPECT_EQ(std::tuple(std::filesystem::exists(pdf_), MainForm->PrintRect.Left), std::tuple(false, -1));
  ui.ok<Form>();  // "Print" before any set-up opens it first
  MainForm->ImprimerClick();
  // 100 x 50 mm at 50 and 118.5 mm inside the 5 mm page margins.
  ExpectOnePageWithDarkBox(pdf_, Path("page"), {55, 123.5, 155, 173.5});
  ShowInPanel(1, BytePlane(200, 200));  // a new, square image: no set-up again, 100 x 100 mm centred
  ui.message("CAUTION", ReplaceQuestion({pdf_}), ui::IDYES);
  MainForm->ImprimerClick();
  ExpectOnePageWithDarkBox(pdf_, Path("square"), {55, 5 + 93.5, 155, 5 + 193.5});
  // Panel 2 shows nothing: it cannot be chosen, and a chosen panel emptied since cannot be printed.
  ui.dialog<Form>([this](Form& f) {
    ui.message("CAUTION", "No picture in panel 2");
    f.RadioButtonClick(1);
    EXPECT_EQ(std::tuple(f.PanelChoice, f.RadioButton1->isChecked(), f.RadioButton2->isChecked()),
              std::tuple(0, true, false));
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
  ImageForm->FormClose();
  std::filesystem::remove(pdf_);
  ui.message("CAUTION", "No picture in panel 1\nPlease choose another panel in the print configuration");
  MainForm->ImprimerClick();
  EXPECT_FALSE(std::filesystem::exists(pdf_));
  // Orientation and printer changes are undone by Cancel; a printer without a page is refused.
  ShowInPanel(1, BytePlane(400, 200));
  ui.dialog<Form>([this](Form& f) {
    Check(f.PaysageRadioButton, true, &Form::PaysageRadioButtonClick);
    EXPECT_EQ(Geometry(f), "landscape 287 x 200: 100 50 93.5 75 | 100 50 (93.5) (75)");
    ui.printerSetup([](ui::Printer& printer) {
      printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                                 QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
      return true;
    });
    f.ConfigPrintButtonClick();
    EXPECT_EQ(Geometry(f), "portrait 148 x 210: 100 50 24 80 | 100 50 (24) (80)");
    // A printer set-up cancelled changes nothing.
    ui.printerSetup([](ui::Printer& printer) {
      printer.SetLandscape(true);
      return false;
    });
    f.ConfigPrintButtonClick();
    EXPECT_EQ(Geometry(f), "portrait 148 x 210: 100 50 24 80 | 100 50 (24) (80)");
    return ui::mrCancel;
  });
  MainForm->Configurationdelimpression1Click();
  ui::Printer& printer = *ConfigPagePrintForm->PagePrinter;
  EXPECT_EQ(std::tuple(printer.Landscape(), printer.PageWidthMM(), printer.PageHeightMM(),
                       printer.Device().outputFileName().toStdString()),
            std::tuple(false, 200.0, 287.0, pdf_));
  UsePdfPrinter(pdf_, 105);  // margins that leave no printable area
  ASSERT_FALSE(printer.PageWidthMM() > 0);
  ui.message("CAUTION", "The printer gives a page of no size\nPlease choose another printer or paper");
  MainForm->Configurationdelimpression1Click();
}
// A print into a file that cannot be written says so; an earlier file of that name stays as it was.
TEST_F(PrintingTest, AFailedPrintIntoAFileIsSaidAndKeepsTheEarlierFile) {
  const std::string failed =
      "The picture could not be printed\nPlease check the printer in the print configuration";
  ShowInPanel(1, MakeRandomGray(400, 200, 3));  // random: the page holds more than the limit below
  UsePdfPrinter("/dev/full");
  ui.ok<Form>().message("ERROR", failed);
  MainForm->ImprimerClick();
  WriteFile(pdf_, "earlier");
  UsePdfPrinter(pdf_);
  ui.message("CAUTION", ReplaceQuestion({pdf_}), ui::IDNO);
  MainForm->ImprimerClick();
  ui.message("CAUTION", ReplaceQuestion({pdf_}), ui::IDYES).message("ERROR", failed);
  {
    FileSizeLimit full(1024);
    MainForm->ImprimerClick();
  }
  EXPECT_EQ(ReadFile(pdf_), "earlier");
  EXPECT_EQ(FolderEntries(Dir().string()), std::vector<std::string>{"print.pdf"});
}
