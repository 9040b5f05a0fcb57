// Tools > Transfert: two panels exchange planes, names and captions; nothing else changes.
#include <QRadioButton>

#include "Program.h"
#include "panels/DiagTransfert.h"
#include "panels/SelectImageForm.h"
namespace {
using Parts = std::tuple<TPanelForm*, BytePlane*, std::string*>;
Parts Panel(int k) {
  TMainForm& m = *MainForm;
  const Parts parts[] = {{ImageForm, &m.OriginalImage, &m.Panel1Name},
                         {TempImageForm, &m.BinaryImage, &m.BinaryImageName},
                         {ResultImageForm, &m.ResultImage, &m.PanelCaption}};
  return parts[k];
}
// Per panel: its plane, name and caption, and the gray bytes its bitmap shows.
std::vector<std::array<std::string, 4>> State() {
  std::vector<std::array<std::string, 4>> panels;
  for (int k = 0; k < 3; ++k) {
    const auto [form, plane, name] = Panel(k);
    std::string shown;
    for (int y = 0; y < form->Bitmap().height(); ++y)
      for (int x = 0; x < form->Bitmap().width(); ++x)
        shown += static_cast<char>(qGray(form->Bitmap().pixel(x, y)));
    panels.push_back({Bytes(*plane), *name, form->CaptionText(), shown});
  }
  return panels;
}
auto Choose(int choice, int modalResult = ui::mrOk) {
  return [=](TTransForm& f) {
    f.RadioButtonClick(choice);
    return modalResult;
  };
}
using TransferTest = ProgramTest;
TEST_F(TransferTest, EachPairExchangesTwiceRestoresNothingWithoutAChoiceOkOrImageAndEachPanelKeepsItsName) {
  // Three planes of 6 x 4 under their names and captions, with flags that must stay.
  LoadOriginal(MakeRandomGray(6, 4, 1));
  const char* const names[] = {"/images/dem.raw", " BINARY IMAGE ", " LOCAL ROUGHNESS "};
  for (int k = 0; k < 3; ++k) {
    const auto [form, plane, name] = Panel(k);
    if (k > 0) *plane = MakeRandomGray(6, 4, k + 1);
    *name = names[k];
    form->SetCaptionText(" " + std::to_string(k + 1) + ".- " + names[k]);
    ShowInPanel(k + 1, *plane);
  }
  TMainForm& m = *MainForm;
  m.ImageTitle = " 1.- /images/dem.raw";
  m.HasBinaryImage = m.Panel2Pending[p2Binary] = m.Panel3Pending[p3LocalRoughness] = 1;
  const auto before = State();
  // Nothing happens without a choice or without OK.
  ui.ok<TTransForm>();
  m.Transfert1Click();
  EXPECT_EQ(State(), before);
  // A click, then the window closed: no exchange, and the click is forgotten.
  ui.dialog<TTransForm>(Choose(2, ui::mrCancel));
  m.Transfert1Click();
  EXPECT_EQ(std::tuple(State(), TransForm->Choice), std::tuple(before, 0));
  const std::pair<int, std::array<int, 3>> cases[] = {{1, {1, 0, 2}}, {2, {2, 1, 0}}, {3, {0, 2, 1}}};
  for (const auto& [choice, from] : cases) {
    SCOPED_TRACE(choice);
    ui.dialog<TTransForm>(Choose(choice));
    m.Transfert1Click();
    auto expected = before;
    for (int k = 0; k < 3; ++k) {
      expected[k] = before[from[k]];
      expected[k][2] = " " + std::to_string(k + 1) + ".- " + expected[k][1];
    }
    EXPECT_EQ(State(), expected);
    EXPECT_EQ(std::tuple(m.ImageTitle, m.HasBinaryImage, m.Panel2Pending[p2Binary],
                         m.Panel3Pending[p3LocalRoughness]),
              std::tuple(" 1.- /images/dem.raw", 1, 1, 1));
    // OK without a click repeats the exchange, which undoes it.
    ui.ok<TTransForm>();
    m.Transfert1Click();
    EXPECT_EQ(State(), before);
    const bool down = TransForm->RadioButton1->isChecked() || TransForm->RadioButton2->isChecked() ||
                      TransForm->RadioButton3->isChecked();
    EXPECT_EQ(std::tuple(TransForm->Choice, down), std::tuple(choice, false));
  }
  // An image is needed.
  m.OriginalImage.Reset();
  ui.message("CAUTION", "No image is open\nPlease open a gray tone image first");
  m.Transfert1Click();
  // After an original and a complementary open each panel carries its own name, panel 1 the original's.
  WriteFile(Path("dem.raw"), Bytes(MakeRandomGray(4, 3, 5)));
  WriteFile(Path("items.raw"), std::string(12, '\x01'));
  for (const char* size : {"dem.txt", "items.txt"}) WriteFile(Path(size), "3 4");
  ui.open(Path("dem.raw"), 1).dialog<TReportForm>(NoReport);
  m.Open1Click();
  ui.dialog<TSelectImageForm>(Set(&TSelectImageForm::LabeledImage, 0)).open(Path("items.raw"), 1);
  m.OpenBinaryImage1Click();
  ui.dialog<TTransForm>(Choose(1));
  m.Transfert1Click();
  EXPECT_EQ(
      std::tuple(ImageForm->CaptionText(), TempImageForm->CaptionText(), m.ImageTitle),
      std::tuple(" 1.- Complementary Binary Image", " 2.- " + Path("dem.raw"), " 1.- " + Path("dem.raw")));
}
}  // namespace
