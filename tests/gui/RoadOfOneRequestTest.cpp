// One request end to end: open a carpet with a report, binarize, count boxes, save diagram and image.
#include <cmath>

#include "Program.h"
#include "binary/Binar.h"
#include "binary/DiagBoxCountingForms.h"
#include "diagrams/DiagBoxCounting.h"
#include "fixtures/Fractals.h"
using RoadOfOneRequestTest = ProgramTest;
TEST_F(RoadOfOneRequestTest, OpenBinarizeCountBoxesAndSave) {
  // A 729 x 729 carpet in gray tones: items 40 on a background 200.
  const BytePlane carpet = fixtures::SierpinskiCarpet(6, 40, 200);
  WriteFile(Path("carpet.raw"), Bytes(carpet));
  WriteFile(Path("carpet.txt"), "729\n729\n");
  ui.open(Path("carpet.raw"), 1).dialog<TReportForm>(YesReport).save(Path("report"), 1);
  MainForm->Open1Click();
  ui.dialog<TBinarForm>(Set(&TBinarForm::MinValue, 0, &TBinarForm::MaxValue, 100, &TBinarForm::DataIn, 0,
                            &TBinarForm::KeepIsolated, 0));
  MainForm->BinarTreatment1Click();
  using Form4 = TDiagBoxCountingForm4;
  ui.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 2))
      .dialog<Form4>(
          Set(&Form4::ImageIn, 0, &Form4::ItemValue, 1, &Form4::UntilEquality, 1, &Form4::Fitting, 0))
      .press<TDiagBoxCountingForm>(&TDiagBoxCountingForm::BitBtnSaveClick)
      .save(Path("diagram"), 1);
  MainForm->BoxCountingTreatment1Click();
  ui.save(Path("binary"), 1);
  MainForm->SaveBinarSpeedButton1Click();
  // ln(side) and ln(filled boxes): sides 1, 3, ..., 729 fill 8^6, 8^5, ..., 1 boxes.
  std::string rows;
  for (int k = 0; k <= 6; ++k) rows += Format("%2.6lf\t%lf\n", k * std::log(3.0), (6 - k) * std::log(8.0));
  EXPECT_EQ(ReadFile(Path("diagram.xls")), rows);
  const std::string report = ReadFile(Path("report.txt"));
  EXPECT_EQ(
      report.substr(report.find("\n " + Path("carpet.raw") + "\n\n Image Size")),
      "\n " + Path("carpet.raw") +
          "\n\n Image Size:\n lines 729 columns 729 \n"
          "\n\n BINARIZATION \n applied to the original image\n\n\tMin = 0  Max = 100 \n\tItem Value = 1"
          "\n\tBackground = 255\n\tIsolated pixels eliminated"
          "\n\tItem:       pixels number = 262144\tpercentage = 49.33 "
          "\n\tBackground: pixels number = 269297\tpercentage = 50.67 "
          "\n\n BOX COUNTING \n applied to the binary image\n\n\tType of Treatment (Treatment 1):"
          "\n\t\ttaking into account these dividers (if more than two)"
          "\n\tCode of the studied item = 1\n\tFractal Dimension = 1.892789"
          "\n\n\tBox Counting Diagram registered\n\tin the file " +
          Path("diagram.xls") + " \n\n\tBinary Image registered as: " + Path("binary.raw"));
  EXPECT_EQ(EnabledOf("Diagram1 DiagFractal1 SaveBinarSpeedButton1"), "Diagram1 DiagFractal1");
  EXPECT_EQ(MainForm->BinaryFlag, 0);  // the binary image is named once in the report
}
