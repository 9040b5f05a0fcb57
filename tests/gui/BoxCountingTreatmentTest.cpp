#include <QLineEdit>
#include <cmath>
#include <string>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/DiagBoxCountingForms.h"
#include "diagrams/DiagBoxCounting.h"
#include "fixtures/Fractals.h"

namespace {

auto BinaryItem(int value, int untilEquality = 1, int fitting = 0) {
  return [=](TDiagBoxCountingForm4& f) {
    f.ImageIn = 0;
    f.ItemValue = value;
    f.UntilEquality = untilEquality;
    f.Fitting = fitting;
    return ui::mrOk;
  };
}

template <class T>
auto Set(int T::*member, int value) {
  return [=](T& f) {
    f.*member = value;
    return ui::mrOk;
  };
}

}  // namespace

class BoxCountingTest : public ProgramTest {};

TEST_F(BoxCountingTest, TheSameCarpetThroughPanelOneThresholds) {
  LoadOriginal(fixtures::SierpinskiCarpet(6, 100, 0));
  ui.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 2))
      .dialog<TDiagBoxCountingForm4>([](TDiagBoxCountingForm4& f) {
        f.ImageIn = 1;
        f.MinThreshold = 50;
        f.MaxThreshold = 150;
        return ui::mrOk;
      })
      .ok<TDiagBoxCountingForm>();
  MainForm->BoxCountingTreatment1Click();
  EXPECT_NEAR(MainForm->LastFractalDimension, std::log(8.0) / std::log(3.0), 1e-6);
}

TEST_F(BoxCountingTest, MissingParametersBringTheDialogBackAndCancelAbandons) {
  LoadBinary(fixtures::SierpinskiCarpet(3), 1);
  MainForm->LastFractalDimension = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 0))
      .dialog<TDiagBoxCountingForm2>(Set(&TDiagBoxCountingForm2::BorderRange, 0))
      .message("ERROR", "Testing Border Size not defined")
      .dialog<TDiagBoxCountingForm2>(
          Set(&TDiagBoxCountingForm2::BorderRange, 1))  // nothing smaller to propose
      .message("ERROR", "Testing Border Size not defined")
      .dialog<TDiagBoxCountingForm2>(Set(&TDiagBoxCountingForm2::BorderRange, 5))
      .dialog<TDiagBoxCountingForm3>(Set(&TDiagBoxCountingForm3::SizeChoice, 2))
      .ok<TDiagBoxCountingForm4>()
      .message("ERROR", "Type of Image_in not selected")
      .dialog<TDiagBoxCountingForm4>(Set(&TDiagBoxCountingForm4::ImageIn, 0))
      .message("ERROR", "No binary value defined")
      .dialog<TDiagBoxCountingForm4>([](TDiagBoxCountingForm4& f) {
        f.ImageIn = 1;
        f.MinThreshold = 3;
        return ui::mrOk;
      })
      .message("ERROR", "Threshold incomplete")
      .dialog<TDiagBoxCountingForm4>([](TDiagBoxCountingForm4&) { return ui::mrCancel; });
  MainForm->BoxCountingTreatment1Click();
  EXPECT_EQ(MainForm->LastFractalDimension, 42);
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(MainForm->DialogCancelBytes[cbDiagBoxCounting4], 0);
  EXPECT_FALSE(MainForm->IsEnabled("DiagFractal1"));
  EXPECT_EQ(DiagBoxCountingForm4->BinItemValueEdit->text().toStdString(), "");
}

TEST_F(BoxCountingTest, BorderSearchProposesTheSizeWithMostCommonDividers) {
  LoadBinary(fixtures::FilledSquare(47, 47, 0, 0, 47), 1);
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 0))
      .dialog<TDiagBoxCountingForm2>(Set(&TDiagBoxCountingForm2::BorderRange, 10))
      .dialog<TDiagBoxCountingForm3>([](TDiagBoxCountingForm3& f) {
        EXPECT_EQ(f.LinesEdit->text().toStdString(), "40");
        EXPECT_EQ(f.ColumnsEdit->text().toStdString(), "40");
        EXPECT_EQ(f.Dividers.NumDivEdit->text().toStdString(), "8");
        EXPECT_EQ(f.Dividers.DividersEdit[0]->text().toStdString(), " 1 - 2 - 4 - 5 - 8 - 10 ");
        EXPECT_EQ(f.Dividers.DividersEdit[1]->text().toStdString(), " 20 - 40 ");
        f.SizeChoice = 2;
        return ui::mrOk;
      })
      .dialog<TDiagBoxCountingForm4>(BinaryItem(1, 0))
      .ok<TDiagBoxCountingForm>();
  MainForm->BoxCountingTreatment1Click();
  EXPECT_NEAR(MainForm->LastFractalDimension, 2.0, 1e-9);  // a filled square, counted "until this size"
  EXPECT_EQ(MainForm->BoxSizeCount, 40);
  const std::string text = ReadFile(report);
  EXPECT_NE(
      text.find(
          "\n\t\tcutting the image in a testing border range\n\tValue of the range: 10"
          "\n\tSize of the resulting image:\n\t\tlines = 40 column = 40"
          "\n\tNumber of dividers in the resulting image: 8\n\t\tdividers :  1  2  4  5  8  10  20  40 "),
      std::string::npos)
      << text;
}

TEST_F(BoxCountingTest, FewerThanTwoPointsReportTheDimensionAsUndefined) {
  LoadBinary(fixtures::SierpinskiCarpet(2), 1);  // 9 x 9: the item value 7 is absent
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 2))
      .dialog<TDiagBoxCountingForm4>(BinaryItem(7))
      .ok<TDiagBoxCountingForm>();
  MainForm->BoxCountingTreatment1Click();
  EXPECT_EQ(MainForm->BoxCountingPointCount, 0);
  EXPECT_TRUE(std::isnan(MainForm->LastFractalDimension));
  EXPECT_NE(ReadFile(report).find("\n\tFractal Dimension = undefined"), std::string::npos);
}

TEST(DividerLines, SixALineAtMostFourLines) {
  EXPECT_EQ(DividerLines({1, 2}), (std::vector<std::string>{" 1 - 2 "}));
  std::vector<int> many;
  for (int k = 1; k <= 30; ++k) many.push_back(k);
  const auto lines = DividerLines(many);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], " 1 - 2 - 3 - 4 - 5 - 6 ");
  EXPECT_EQ(lines[3], " 19 - 20 - 21 - 22 - 23 - 24 ");
  EXPECT_TRUE(DividerLines({}).empty());
}
