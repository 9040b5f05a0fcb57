// Tools > Print: the page set-up dialog on a 200 x 287 mm printable area (an A4 PDF page with 5 mm
// margins), and the print of a panel into a PDF file read back as pixels.
#include <QCheckBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/ConfigPagePrint.h"
#include "panels/ImageWindow.h"
#include "panels/ResultImage.h"
#include "panels/TempImage.h"

namespace {

constexpr double kMarginMM = 5;
constexpr int kDpi = 100;  // the rasterised page: 0.254 mm a pixel

void UsePdfPrinter(const std::string& file, double marginMM = kMarginMM) {
  QPrinter& printer = ConfigPagePrintForm->PagePrinter->Device();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(file));
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(marginMM, marginMM, marginMM, marginMM),
                                    QPageLayout::Millimeter));
}

// Shows a gray picture of columns x lines pixels, every pixel `value`, in panel 1, 2 or 3.
void ShowPicture(int panel, int columns, int lines, std::uint8_t value = 0) {
  BytePlane plane(columns, lines);
  plane.Fill(value);
  IMAGE picture(columns, lines, IMAGE::kGray);
  picture.SetFromPlane(plane);
  if (panel == 1) ImageForm->ShowImage(picture);
  if (panel == 2) TempImageForm->ShowBitmap(picture);
  if (panel == 3) ResultImageForm->ShowImage(picture);
}

auto Placed(const TConfigPagePrintForm& f) {
  return std::tuple(f.ImageWidthMM, f.ImageHeightMM, f.LeftMarginMM, f.TopMarginMM);
}
auto Shown(const TConfigPagePrintForm& f) {
  return std::tuple(f.LargEdit->text().toStdString(), f.HautEdit->text().toStdString(),
                    f.GaucheEdit->text().toStdString(), f.HauteEdit->text().toStdString());
}
void Type(QLineEdit* edit, const char* text, void (TConfigPagePrintForm::*exit)()) {
  edit->setText(QString::fromUtf8(text));
  (ConfigPagePrintForm->*exit)();
}

struct Raster {
  int width = 0, height = 0;
  std::string pixels;  // one gray byte a pixel
  int pages = 0;
};

// The PDF rasterised at kDpi in gray, page 1, with the number of pages it holds.
Raster Rasterise(const std::string& pdf, const std::string& stem) {
  Raster raster;
  const std::string command = "pdftoppm -gray -r " + std::to_string(kDpi) + " '" + pdf + "' '" + stem + "'";
  if (std::system(command.c_str()) != 0) return raster;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(stem).parent_path()))
    if (entry.path().extension() == ".pgm") ++raster.pages;
  std::string first;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(stem).parent_path()))
    if (entry.path().extension() == ".pgm" && (first.empty() || entry.path().string() < first))
      first = entry.path().string();
  std::ifstream in(first, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> raster.width >> raster.height >> maximum;
  in.get();
  raster.pixels.resize(static_cast<std::size_t>(raster.width) * raster.height);
  in.read(raster.pixels.data(), static_cast<std::streamsize>(raster.pixels.size()));
  return raster;
}

// The box of the dark pixels, in millimetres from the page's top-left corner: left, top, right, bottom.
std::tuple<double, double, double, double> DarkBox(const Raster& r) {
  int left = r.width, top = r.height, right = -1, bottom = -1;
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x)
      if (static_cast<unsigned char>(r.pixels[static_cast<std::size_t>(y) * r.width + x]) < 128) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  const double mm = 25.4 / kDpi;
  return {left * mm, top * mm, right * mm, bottom * mm};
}

bool HasPdftoppm() {
  return std::system("pdftoppm -v > /dev/null 2>&1") == 0;
}

}  // namespace

class PrintingTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    pdf_ = Path("print.pdf");
    UsePdfPrinter(pdf_);
  }
  std::string pdf_;
};

TEST_F(PrintingTest, SetUpOpensAtHalfThePageWidthCentredAndOkKeepsTheRectangleInPrinterPixels) {
  ShowPicture(1, 400, 200);
  EXPECT_EQ(MainForm->PrintRect.Left, -1);
  ui.dialog<TConfigPagePrintForm>([](TConfigPagePrintForm& f) {
    EXPECT_EQ(f.Caption(), " PAGE CONFIGURATION");
    EXPECT_EQ(std::tuple(f.PageWidthMM, f.PageHeightMM), std::tuple(200.0, 287.0));
    EXPECT_EQ(Placed(f), std::tuple(100.0, 50.0, 50.0, 118.5));
    EXPECT_EQ(Shown(f), std::tuple("100", "50", "50", "118.5"));
    EXPECT_TRUE(f.PortraitRadioButton->isChecked());
    EXPECT_FALSE(f.GaucheEdit->isEnabled());
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
  // 1200 printer pixels an inch: 200 mm are about 9448 pixels, 287 mm about 13559.
  const QPrinter& printer = ConfigPagePrintForm->PagePrinter->Device();
  ASSERT_EQ(printer.resolution(), 1200);
  const int w = ConfigPagePrintForm->PagePrinter->PageWidthPixels();
  const int h = ConfigPagePrintForm->PagePrinter->PageHeightPixels();
  const PrintRectangle& r = MainForm->PrintRect;
  EXPECT_EQ(
      std::tuple(r.Left, r.Top, r.Right, r.Bottom),
      std::tuple(w / 4, static_cast<int>(h * 118.5 / 287), w * 3 / 4, static_cast<int>(h * 168.5 / 287)));
  EXPECT_NEAR(w, 9448, 5);
  EXPECT_NEAR(h, 13559, 10);
}

TEST_F(PrintingTest, WholePageTypedSizesAndMarginsStayOnThePage) {
  ShowPicture(1, 400, 200);
  ShowPicture(3, 200, 400);
  ui.dialog<TConfigPagePrintForm>([](TConfigPagePrintForm& f) {
    f.PPageCheckBox->setChecked(true);
    f.PPageCheckBoxClick();
    EXPECT_EQ(Placed(f), std::tuple(200.0, 100.0, 0.0, 93.5));
    EXPECT_FALSE(f.LargEdit->isEnabled());
    f.PPageCheckBox->setChecked(false);
    f.PPageCheckBoxClick();
    Type(f.LargEdit, "250", &TConfigPagePrintForm::LargEditExit);
    EXPECT_EQ(Placed(f), std::tuple(200.0, 100.0, 0.0, 93.5));
    Type(f.HautEdit, "25,5", &TConfigPagePrintForm::HautEditExit);  // a comma reads as a point
    EXPECT_EQ(std::tuple(f.ImageWidthMM, f.ImageHeightMM), std::tuple(51.0, 25.5));
    Type(f.LargEdit, "50 mm", &TConfigPagePrintForm::LargEditExit);
    EXPECT_EQ(std::tuple(f.ImageWidthMM, f.ImageHeightMM), std::tuple(50.0, 25.0));
    f.CentrerCheckBox->setChecked(false);
    f.CentrerCheckBoxClick();
    EXPECT_TRUE(f.GaucheEdit->isEnabled());
    Type(f.GaucheEdit, "180", &TConfigPagePrintForm::GaucheEditExit);
    Type(f.HauteEdit, "-4", &TConfigPagePrintForm::HauteEditExit);
    EXPECT_EQ(std::tuple(f.LeftMarginMM, f.TopMarginMM), std::tuple(150.0, 0.0));
    EXPECT_EQ(Shown(f), std::tuple("50", "25", "150", "0"));
    // The check box always tells the size in force: the next opening keeps the whole page.
    f.PPageCheckBox->setChecked(true);
    f.PPageCheckBoxClick();
    f.RadioButtonClick(2);
    return ui::mrCancel;
  });
  MainForm->Configurationdelimpression1Click();
  EXPECT_EQ(MainForm->PrintRect.Left, -1);  // cancelled: still unset

  ui.dialog<TConfigPagePrintForm>([](TConfigPagePrintForm& f) {
    EXPECT_TRUE(f.RadioButton3->isChecked());
    EXPECT_EQ(Placed(f), std::tuple(143.5, 287.0, 28.25, 0.0));  // the 200 x 400 picture of panel 3
    EXPECT_EQ(Shown(f), std::tuple("143.5", "287", "28.3", "0"));
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
  EXPECT_EQ(MainForm->PrintRect.Top, 0);
}

TEST_F(PrintingTest, TextsThatAreNoNumberOrNoSizeAreRefusedAndTheValueKept) {
  ShowPicture(1, 400, 200);
  ui.dialog<TConfigPagePrintForm>([this](TConfigPagePrintForm& f) {
    ui.message("ERROR", "Incorrect value: 1-2\nThe previous value is kept")
        .message("ERROR", "The size must be greater than 0\nThe previous value is kept")
        .message("ERROR", "The size must be greater than 0\nThe previous value is kept")
        .message("ERROR", "Incorrect value: abc\nThe previous value is kept");
    Type(f.LargEdit, "1-2", &TConfigPagePrintForm::LargEditExit);
    Type(f.HautEdit, "", &TConfigPagePrintForm::HautEditExit);
    Type(f.LargEdit, "-30", &TConfigPagePrintForm::LargEditExit);
    f.CentrerCheckBox->setChecked(false);
    f.CentrerCheckBoxClick();
    Type(f.GaucheEdit, "abc", &TConfigPagePrintForm::GaucheEditExit);
    EXPECT_EQ(Placed(f), std::tuple(100.0, 50.0, 50.0, 118.5));
    EXPECT_EQ(Shown(f), std::tuple("100", "50", "50", "118.5"));
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
}

TEST_F(PrintingTest, PrintPutsThePictureWhereTheSetUpPlacedItOnOnePage) {
  if (!HasPdftoppm()) GTEST_FAIL() << "pdftoppm (poppler-utils, scripts/deps) is needed";
  ShowPicture(1, 400, 200);
  // "Print" before any set-up opens it first.
  ui.dialog<TConfigPagePrintForm>([](TConfigPagePrintForm&) { return ui::mrOk; });
  MainForm->ImprimerClick();
  ASSERT_TRUE(std::filesystem::exists(pdf_));
  const Raster page = Rasterise(pdf_, Path("page"));
  EXPECT_EQ(page.pages, 1);
  EXPECT_NEAR(page.width * 25.4 / kDpi, 210, 0.5);
  const auto [left, top, right, bottom] = DarkBox(page);
  // 100 x 50 mm at 50 and 118.5 mm inside the 5 mm page margins, within 1 mm.
  EXPECT_NEAR(left, 55, 1);
  EXPECT_NEAR(top, 123.5, 1);
  EXPECT_NEAR(right, 155, 1);
  EXPECT_NEAR(bottom, 173.5, 1);
}

TEST_F(PrintingTest, APictureOfOtherProportionsIsPrintedUndistortedAtTheSameWidth) {
  if (!HasPdftoppm()) GTEST_FAIL() << "pdftoppm (poppler-utils, scripts/deps) is needed";
  ShowPicture(1, 400, 200);
  ui.dialog<TConfigPagePrintForm>([](TConfigPagePrintForm&) { return ui::mrOk; });
  MainForm->Configurationdelimpression1Click();
  ShowPicture(1, 200, 200);   // a new, square image
  MainForm->ImprimerClick();  // no set-up again
  const auto [left, top, right, bottom] = DarkBox(Rasterise(pdf_, Path("page")));
  EXPECT_NEAR(left, 55, 1);
  EXPECT_NEAR(right, 155, 1);
  EXPECT_NEAR(top, 5 + 93.5, 1);  // 100 x 100 mm, centred
  EXPECT_NEAR(bottom, 5 + 193.5, 1);
}

TEST_F(PrintingTest, CancelledSetUpPrintsNothingAndNoPictureIsRefused) {
  ui.message("CAUTION", "No picture to print\nPlease open an image first");
  MainForm->ImprimerClick();
  EXPECT_EQ(MainForm->PrintRect.Left, -1);

  ShowPicture(1, 400, 200);
  ui.dialog<TConfigPagePrintForm>([](TConfigPagePrintForm&) { return ui::mrCancel; });
  MainForm->ImprimerClick();
  EXPECT_FALSE(std::filesystem::exists(pdf_));
  EXPECT_EQ(MainForm->PrintRect.Left, -1);

  // Panel 2 shows nothing: it cannot be chosen, and a chosen panel emptied since cannot be printed.
  ui.dialog<TConfigPagePrintForm>([this](TConfigPagePrintForm& f) {
    ui.message("CAUTION", "No picture in panel 2");
    f.RadioButtonClick(1);
    EXPECT_EQ(f.PanelChoice, 0);
    EXPECT_TRUE(f.RadioButton1->isChecked());
    EXPECT_FALSE(f.RadioButton2->isChecked());
    return ui::mrOk;
  });
  MainForm->Configurationdelimpression1Click();
  ImageForm->FormClose();
  ui.message("CAUTION", "No picture in panel 1\nPlease choose another panel in the print configuration");
  MainForm->ImprimerClick();
  EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(PrintingTest, OrientationAndPrinterChangesAreUndoneByCancelAndAPagelessPrinterIsRefused) {
  ShowPicture(1, 400, 200);
  ui.dialog<TConfigPagePrintForm>([this](TConfigPagePrintForm& f) {
    f.PaysageRadioButton->setChecked(true);
    f.PaysageRadioButtonClick();
    EXPECT_EQ(std::tuple(f.PageWidthMM, f.PageHeightMM), std::tuple(287.0, 200.0));
    EXPECT_EQ(Placed(f), std::tuple(100.0, 50.0, 93.5, 75.0));
    ui.printerSetup([](ui::Printer& printer) {
      printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                                 QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
      return true;
    });
    f.ConfigPrintButtonClick();
    EXPECT_EQ(std::tuple(f.PageWidthMM, f.PageHeightMM), std::tuple(148.0, 210.0));
    EXPECT_TRUE(f.PortraitRadioButton->isChecked());
    // A printer set-up cancelled changes nothing.
    ui.printerSetup([](ui::Printer& printer) {
      printer.SetLandscape(true);
      return false;
    });
    f.ConfigPrintButtonClick();
    EXPECT_EQ(f.PageWidthMM, 148.0);
    return ui::mrCancel;
  });
  MainForm->Configurationdelimpression1Click();
  ui::Printer& printer = *ConfigPagePrintForm->PagePrinter;
  EXPECT_FALSE(printer.Landscape());
  EXPECT_EQ(std::tuple(printer.PageWidthMM(), printer.PageHeightMM()), std::tuple(200.0, 287.0));
  EXPECT_EQ(printer.Device().outputFileName().toStdString(), pdf_);

  UsePdfPrinter(pdf_, 105);  // margins that leave no printable area
  ASSERT_FALSE(printer.PageWidthMM() > 0);
  ui.message("CAUTION", "The printer gives a page of no size\nPlease choose another printer or paper");
  MainForm->Configurationdelimpression1Click();
}
