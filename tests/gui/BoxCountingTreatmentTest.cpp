#include <QLineEdit>
#include <cmath>
#include <functional>
#include <string>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/DiagBoxCountingForms.h"
#include "diagrams/DiagBoxCounting.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Fractals.h"
#include "imaging/LeastSquares.h"

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

// A filled square of this side counted at every box side up to `greatest`: only whole boxes are
// laid from the corner, floor(side / s)^2 of them, all filled.
double WholeBoxesDimension(int side, int greatest) {
  std::vector<double> x, y;
  for (int s = 1; s <= greatest; ++s) {
    x.push_back(std::log(s));
    y.push_back(2 * std::log(side / s));
  }
  return -LeastSquaresSlope(x.data(), y.data(), greatest);
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

// The report of each possibility, byte for byte, on a filled 47 x 47 square (47 is prime: the
// common divisors are 1 and 47).
TEST_F(BoxCountingTest, EachPossibilityReportsTheSizeItCountedAndItsDimension) {
  const std::string head =
      "\n\n BOX COUNTING \n applied to the binary image\n\n\tType of Treatment (Treatment 1):";
  struct Case {
    const char* name;
    std::function<void(Script&)> dialogs;
    std::string expected;
    int boxSizeCount;
  };
  const Case cases[] = {
      {"every side up to a typed 4",
       [](Script& s) {
         s.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 1))
             .dialog<TDiagBoxCountingForm4>([](TDiagBoxCountingForm4& f) {
               f.SizeDefEdit->setText("4");  // what the person types reaches the greatest box at once
               return BinaryItem(1, 0)(f);
             });
       },
       head + "\n\t\tapproximation using all the boxes from the size 1 until the maximum size" +
           "\n\tCode of the studied item = 1" +
           Format("\n\tFractal Dimension = %lf", WholeBoxesDimension(47, 4)),
       4},
      {"these dividers, total fitting",
       [](Script& s) {
         s.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 2))
             .dialog<TDiagBoxCountingForm4>(BinaryItem(1, 0, 1));
       },
       // Sides 1 and 47, both filled: ln 2209 boxes at ln 1, one box at ln(47 x 47).
       head + "\n\t\ttaking into account these dividers (if more than two)" +
           "\n\tCode of the studied item = 1\n\tFractal Dimension = 1.000000",
       47},
      {"cutting the image, original size kept",
       [](Script& s) {
         s.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 3))
             .dialog<TDiagBoxCountingForm3>(Set(&TDiagBoxCountingForm3::SizeChoice, 1))
             .dialog<TDiagBoxCountingForm4>([](TDiagBoxCountingForm4& f) {
               EXPECT_TRUE(f.SizeDefEdit->isVisibleTo(&f));  // the greatest box is asked
               f.SizeDefEdit->setText("47");
               return BinaryItem(1, 0)(f);
             });
       },
       head + "\n\t\tcutting the image in order to obtain more dividers" +
           "\n\tSize of the resulting image:\n\t\tlines = 47 column = 47" +
           "\n\tNumber of dividers in the resulting image: 2\n\t\tdividers :  1  47 " +
           "\n\tCode of the studied item = 1\n\tFractal Dimension = 2.000000",
       47},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadBinary(fixtures::FilledSquare(47, 47, 0, 0, 47), 1);
    const std::string report = ReportInto(Path(std::string(c.name) + ".txt"));
    c.dialogs(ui);
    ui.ok<TDiagBoxCountingForm>();
    MainForm->BoxCountingTreatment1Click();
    EXPECT_EQ(ReadFile(report), c.expected);
    EXPECT_EQ(MainForm->BoxSizeCount, c.boxSizeCount);
    EXPECT_TRUE(ui.Finished());
  }
}

// The greatest box is the last one typed or computed until "Size ?" is typed again.
TEST_F(BoxCountingTest, TheGreatestBoxKeepsItsValueUntilTyped) {
  LoadBinary(fixtures::FilledSquare(64, 64, 0, 0, 64), 0);
  MainForm->BoxSizeCount = 8;
  ui.dialog<TDiagBoxCountingForm1>(Set(&TDiagBoxCountingForm1::Possibility, 1))
      .dialog<TDiagBoxCountingForm4>(BinaryItem(1, 0))
      .ok<TDiagBoxCountingForm>();
  MainForm->BoxCountingTreatment1Click();
  EXPECT_EQ(MainForm->BoxSizeCount, 8);
  EXPECT_EQ(MainForm->BoxCountingPointCount, 8);
  EXPECT_DOUBLE_EQ(MainForm->LastFractalDimension, WholeBoxesDimension(64, 8));
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
