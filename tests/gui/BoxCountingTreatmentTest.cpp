// Binar. Treat. > Box Counting: the four dialogs, their refusals, and the report of each possibility.
#include <numeric>

#include "Program.h"
#include "binary/DiagBoxCountingForms.h"
#include "diagrams/DiagBoxCounting.h"
#include "fixtures/Fractals.h"

namespace {

using Form1 = TDiagBoxCountingForm1;
using Form2 = TDiagBoxCountingForm2;
using Form3 = TDiagBoxCountingForm3;
using Form4 = TDiagBoxCountingForm4;

auto BinaryItem(int value, int untilEquality = 1, int fitting = 0) {
  return Set(&Form4::ImageIn, 0, &Form4::ItemValue, value, &Form4::UntilEquality, untilEquality,
             &Form4::Fitting, fitting);
}

// Form 4 with the greatest box typed in its edit, shown, and the binary item 1.
auto TypedGreatest(const char* size) {
  return [=](Form4& f) {
    EXPECT_TRUE(f.SizeDefEdit->isVisibleTo(&f));
    f.SizeDefEdit->setText(size);  // what the person types reaches the greatest box at once
    return BinaryItem(1, 0)(f);
  };
}

}  // namespace

using BoxCountingTest = ProgramTest;

TEST_F(BoxCountingTest, RefusalsPanelOneThresholdsAndTheReportOfEachPossibility) {
  TMainForm& m = *MainForm;
  LoadBinary(fixtures::SierpinskiCarpet(3), 1);
  m.LastFractalDimension = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<Form1>(Set(&Form1::Possibility, 0))
      .dialog<Form2>(Set(&Form2::BorderRange, 0))
      .message("ERROR", "Testing Border Size not defined")
      .dialog<Form2>(Set(&Form2::BorderRange, 1))  // nothing smaller to propose
      .message("ERROR", "Testing Border Size not defined")
      .dialog<Form2>(Set(&Form2::BorderRange, 5))
      .dialog<Form3>(Set(&Form3::SizeChoice, 2))
      .ok<Form4>()
      .message("ERROR", "Type of Image_in not selected")
      .dialog<Form4>(Set(&Form4::ImageIn, 0))
      .message("ERROR", "No binary value defined")
      .dialog<Form4>(Set(&Form4::ImageIn, 1, &Form4::MinThreshold, 3))
      .message("ERROR", "Threshold incomplete")
      .dialog<Form4>([](Form4&) { return ui::mrCancel; });
  m.BoxCountingTreatment1Click();
  // Nothing computed, reported or enabled; the cancel byte cleared, the item edit empty.
  EXPECT_EQ(std::tuple(m.LastFractalDimension, ReadFile(report), m.DialogCancelBytes[cbDiagBoxCounting4],
                       m.IsEnabled("DiagFractal1"), EditText(DiagBoxCountingForm4->BinItemValueEdit)),
            std::tuple(42.0, "", 0, false, ""));
  // The same carpet through the thresholds of panel 1.
  LoadOriginal(fixtures::SierpinskiCarpet(6, 100, 0));
  ui.dialog<Form1>(Set(&Form1::Possibility, 2))
      .dialog<Form4>(Set(&Form4::ImageIn, 1, &Form4::MinThreshold, 50, &Form4::MaxThreshold, 150))
      .ok<TDiagBoxCountingForm>();
  m.BoxCountingTreatment1Click();
  EXPECT_NEAR(m.LastFractalDimension, std::log(8.0) / std::log(3.0), 1e-6);
  // Each possibility's report on a filled 47 x 47 square (47 is prime: the common divisors are 1 and 47).
  const std::string dividers = "\n\t\ttaking into account these dividers (if more than two)";
  const std::string everySide =
      "\n\t\tapproximation using all the boxes from the size 1 until the maximum size";
  using Dialogs = std::function<void(Script&)>;
  // Dialogs, the report's kind of treatment, item and dimension; the greatest box and the points after.
  const std::tuple<const char*, Dialogs, std::string, int, std::string, int, int> cases[] = {
      {"every side up to a typed 4",
       [](Script& s) { s.dialog<Form1>(Set(&Form1::Possibility, 1)).dialog<Form4>(TypedGreatest("4")); },
       everySide, 1, "2.092374", 4, 4},  // floor(47 / s)^2 whole boxes at sides s = 1 .. 4
      // Sides 1 and 47, both filled: ln 2209 boxes at ln 1, one box at ln(47 x 47).
      {"these dividers, total fitting",
       [](Script& s) { s.dialog<Form1>(Set(&Form1::Possibility, 2)).dialog<Form4>(BinaryItem(1, 0, 1)); },
       dividers, 1, "1.000000", 47, 2},
      // An item value the image does not hold: no point to fit.
      {"these dividers, absent item",
       [](Script& s) { s.dialog<Form1>(Set(&Form1::Possibility, 2)).dialog<Form4>(BinaryItem(7)); }, dividers,
       7, "undefined (fewer than two points)", 47, 0},
      {"cutting the image, original size kept",
       [](Script& s) {
         s.dialog<Form1>(Set(&Form1::Possibility, 3))
             .dialog<Form3>(Set(&Form3::SizeChoice, 1))
             .dialog<Form4>(TypedGreatest("47"));
       },
       "\n\t\tcutting the image in order to obtain more dividers\n\tSize of the resulting image:"
       "\n\t\tlines = 47 column = 47\n\tNumber of dividers in the resulting image: 2\n\t\tdividers :  1  47 ",
       1, "2.000000", 47, 2},
      // The border search proposes the size with the most common dividers; counted "until this size".
      {"testing border range",
       [](Script& s) {
         s.dialog<Form1>(Set(&Form1::Possibility, 0))
             .dialog<Form2>(Set(&Form2::BorderRange, 10))
             .dialog<Form3>([](Form3& f) {
               const QString shown =
                   f.LinesEdit->text() + "|" + f.ColumnsEdit->text() + "|" + f.Dividers.NumDivEdit->text() +
                   "|" + f.Dividers.DividersEdit[0]->text() + "|" + f.Dividers.DividersEdit[1]->text();
               EXPECT_EQ(shown.toStdString(), "40|40|8| 1 - 2 - 4 - 5 - 8 - 10 | 20 - 40 ");
               return Set(&Form3::SizeChoice, 2)(f);
             })
             .dialog<Form4>(BinaryItem(1, 0));
       },
       "\n\t\tcutting the image in a testing border range\n\tValue of the range: 10\n\tSize of the resulting "
       "image:\n\t\tlines = 40 column = 40\n\tNumber of dividers in the resulting image: 8"
       "\n\t\tdividers :  1  2  4  5  8  10  20  40 ",
       1, "2.000000", 40, 8},
      // The greatest box is the last one typed or computed (40 just above) until "Size ?" is typed again.
      {"every side up to the greatest kept",
       [](Script& s) { s.dialog<Form1>(Set(&Form1::Possibility, 1)).dialog<Form4>(BinaryItem(1, 0)); },
       everySide, 1, "2.246685", 40, 40},
  };
  for (const auto& [name, dialogs, kind, item, dimension, greatest, points] : cases) {
    SCOPED_TRACE(name);
    LoadBinary(fixtures::FilledSquare(47, 47, 0, 0, 47), 1);
    const std::string report = ReportInto(Path(std::string(name) + ".txt"));
    dialogs(ui);
    ui.ok<TDiagBoxCountingForm>();
    m.BoxCountingTreatment1Click();
    EXPECT_EQ(ReadFile(report),
              "\n\n BOX COUNTING \n applied to the binary image\n\n\tType of Treatment (Treatment 1):" +
                  kind + "\n\tCode of the studied item = " + std::to_string(item) +
                  "\n\tFractal Dimension = " + dimension);
    EXPECT_EQ(std::tuple(m.BoxSizeCount, m.BoxCountingPointCount), std::tuple(greatest, points));
    EXPECT_EQ(std::isnan(m.LastFractalDimension), points < 2);
  }
}

// Six a line (the border search above shows two lines), at most four lines.
TEST(DividerLines, SixALineAtMostFourLines) {
  std::vector<int> many(30);
  std::iota(many.begin(), many.end(), 1);
  EXPECT_EQ(DividerLines(many),
            (std::vector<std::string>{" 1 - 2 - 3 - 4 - 5 - 6 ", " 7 - 8 - 9 - 10 - 11 - 12 ",
                                      " 13 - 14 - 15 - 16 - 17 - 18 ", " 19 - 20 - 21 - 22 - 23 - 24 "}));
  EXPECT_TRUE(DividerLines({}).empty());
}
