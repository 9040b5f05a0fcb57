// Tools > Transfert: two panels exchange planes, names and captions; nothing else changes.
#include <QAction>
#include <QRadioButton>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "fixtures/Patterns.h"
#include "imaging/Image.h"
#include "panels/DiagTransfert.h"
#include "panels/ImageWindow.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "panels/SelectImageForm.h"
#include "panels/TempImage.h"

namespace {

int Choose(TTransForm& f, int choice) {
  f.RadioButtonClick(choice);
  return ui::mrOk;
}

auto Captions() {
  return std::tuple(ImageForm->CaptionText(), TempImageForm->CaptionText(), ResultImageForm->CaptionText());
}
auto Names() {
  return std::tuple(MainForm->Panel1Name, MainForm->BinaryImageName, MainForm->PanelCaption);
}
auto Planes() {
  return std::tuple(Bytes(MainForm->OriginalImage), Bytes(MainForm->BinaryImage),
                    Bytes(MainForm->ResultImage));
}
// What each panel shows, as the gray bytes of its bitmap.
std::string Shown(const TPanelForm& panel) {
  const QImage& bitmap = panel.Bitmap();
  std::string bytes;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x) bytes += static_cast<char>(qGray(bitmap.pixel(x, y)));
  return bytes;
}

}  // namespace

class TransferTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    LoadOriginal(MakeRandomGray(6, 4, 1));
    MainForm->BinaryImage = MakeRandomGray(6, 4, 2);
    MainForm->ResultImage = MakeRandomGray(6, 4, 3);
    MainForm->ImageTitle = " 1.- /images/dem.raw";
    MainForm->Panel1Name = "/images/dem.raw";
    MainForm->BinaryImageName = " BINARY IMAGE ";
    MainForm->PanelCaption = " LOCAL ROUGHNESS ";
    ImageForm->SetCaptionText(" 1.- /images/dem.raw");
    TempImageForm->SetCaptionText(" 2.-  BINARY IMAGE ");
    ResultImageForm->SetCaptionText(" 3.-  LOCAL ROUGHNESS ");
    MainForm->HasBinaryImage = 1;
    MainForm->Panel2Pending[p2Binary] = 1;
    MainForm->Panel3Pending[p3LocalRoughness] = 1;
    for (auto [panel, plane] : {std::pair<TPanelForm*, BytePlane*>{ImageForm, &MainForm->OriginalImage},
                                {TempImageForm, &MainForm->BinaryImage},
                                {ResultImageForm, &MainForm->ResultImage}}) {
      IMAGE picture(6, 4, IMAGE::kGray);
      picture.SetFromPlane(*plane);
      if (panel == ImageForm) ImageForm->ShowImage(picture);
      if (panel == TempImageForm) TempImageForm->ShowBitmap(picture);
      if (panel == ResultImageForm) ResultImageForm->ShowImage(picture);
    }
  }
};

TEST_F(TransferTest, EachPairExchangesPlanesNamesAndCaptionsAndTwiceRestoresEverything) {
  const auto planes = Planes();
  const auto [p1, p2, p3] = planes;
  const auto captions = Captions();
  const auto names = Names();
  struct Case {
    int choice;
    std::tuple<std::string, std::string, std::string> planes, captions, names;
  };
  const Case cases[] = {
      {1,
       {p2, p1, p3},
       {" 1.-  BINARY IMAGE ", " 2.- /images/dem.raw", " 3.-  LOCAL ROUGHNESS "},
       {" BINARY IMAGE ", "/images/dem.raw", " LOCAL ROUGHNESS "}},
      {2,
       {p3, p2, p1},
       {" 1.-  LOCAL ROUGHNESS ", " 2.-  BINARY IMAGE ", " 3.- /images/dem.raw"},
       {" LOCAL ROUGHNESS ", " BINARY IMAGE ", "/images/dem.raw"}},
      {3,
       {p1, p3, p2},
       {" 1.- /images/dem.raw", " 2.-  LOCAL ROUGHNESS ", " 3.-  BINARY IMAGE "},
       {"/images/dem.raw", " LOCAL ROUGHNESS ", " BINARY IMAGE "}},
  };
  for (const Case& c : cases) {
    ui.dialog<TTransForm>([&](TTransForm& f) { return Choose(f, c.choice); });
    MainForm->Transfert1Click();
    EXPECT_EQ(Planes(), c.planes) << c.choice;
    EXPECT_EQ(Captions(), c.captions) << c.choice;
    EXPECT_EQ(Names(), c.names) << c.choice;
    EXPECT_EQ(std::tuple(Shown(*ImageForm), Shown(*TempImageForm), Shown(*ResultImageForm)), c.planes);
    // The zoom title of panel 1, the flags and the pending results stay.
    EXPECT_EQ(MainForm->ImageTitle, " 1.- /images/dem.raw");
    EXPECT_EQ(std::tuple(MainForm->HasBinaryImage, MainForm->Panel2Pending[p2Binary],
                         MainForm->Panel3Pending[p3LocalRoughness]),
              std::tuple(1, 1, 1));
    // OK without a click repeats the exchange, which undoes it.
    ui.ok<TTransForm>();
    MainForm->Transfert1Click();
    EXPECT_EQ(Planes(), planes) << c.choice;
    EXPECT_EQ(Captions(), captions) << c.choice;
    EXPECT_EQ(Names(), names) << c.choice;
    EXPECT_EQ(TransForm->Choice, c.choice);
    EXPECT_FALSE(TransForm->RadioButton1->isChecked() || TransForm->RadioButton2->isChecked() ||
                 TransForm->RadioButton3->isChecked());
  }
}

TEST_F(TransferTest, NothingHappensWithoutAChoiceOrWithoutOk) {
  const auto planes = Planes();
  const auto captions = Captions();
  ui.ok<TTransForm>();
  MainForm->Transfert1Click();
  EXPECT_EQ(std::tuple(Planes(), Captions()), std::tuple(planes, captions));

  // A click, then the window closed: no exchange, and the click is forgotten.
  ui.dialog<TTransForm>([](TTransForm& f) {
    f.RadioButtonClick(2);
    return ui::mrCancel;
  });
  MainForm->Transfert1Click();
  EXPECT_EQ(std::tuple(Planes(), Captions(), TransForm->Choice), std::tuple(planes, captions, 0));
}

TEST_F(TransferTest, PanelOneKeepsTheOriginalNameAfterAComplementaryOpenAndNeedsAnImage) {
  MainForm->ImagePath = "/images/complementary.raw";  // as a complementary open leaves it
  ui.dialog<TTransForm>([](TTransForm& f) { return Choose(f, 2); });
  MainForm->Transfert1Click();
  EXPECT_EQ(ResultImageForm->CaptionText(), " 3.- /images/dem.raw");

  MainForm->OriginalImage.Reset();
  ui.message("CAUTION", "No image is open\nPlease open a gray tone image first");
  MainForm->Transfert1Click();
}

class TransferAfterOpensTest : public ProgramTest {};

TEST_F(TransferAfterOpensTest, EachPanelCarriesItsOwnNameAfterAnOriginalAndAComplementaryOpen) {
  WriteFile(Path("dem.raw"), Bytes(MakeRandomGray(4, 3, 5)));
  WriteFile(Path("dem.txt"), "3 4");
  ui.open(Path("dem.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
  WriteFile(Path("items.raw"), std::string(12, '\x01'));
  WriteFile(Path("items.txt"), "3 4");
  ui.dialog<TSelectImageForm>([](TSelectImageForm& f) {
      f.LabeledImage = 0;
      return ui::mrOk;
    }).open(Path("items.raw"), 1);
  MainForm->OpenBinaryImage1Click();

  ui.dialog<TTransForm>([](TTransForm& f) { return Choose(f, 1); });
  MainForm->Transfert1Click();
  EXPECT_EQ(ImageForm->CaptionText(), " 1.- Complementary Binary Image");
  EXPECT_EQ(TempImageForm->CaptionText(), " 2.- " + Path("dem.raw"));
  EXPECT_EQ(MainForm->ImageTitle, " 1.- " + Path("dem.raw"));
}
