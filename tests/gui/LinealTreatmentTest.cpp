#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <string>
#include <tuple>

#include "Program.h"
#include "app/MainWindow.h"
#include "binary/LinFract.h"
#include "diagrams/DiagLinFract.h"
#include "fixtures/Fractals.h"

namespace {

auto Asked(int code, int orientation) {
  return [=](TLinFractForm& f) {
    f.Code = code;
    f.Orientation = orientation;
    return ui::mrOk;
  };
}

constexpr int kLines = 1, kColumns = 2;

// The window's rows for the six sizes and these totals.
std::string DiagramRows(const std::array<double, 6>& totals) {
  const int sizes[6] = {1, 2, 3, 4, 6, 12};
  std::string rows;
  for (int k = 0; k < 6; ++k) {
    char row[64];
    std::snprintf(row, sizeof row, "%2.4lf\t%lf\n", std::log(static_cast<double>(sizes[k])),
                  std::log(totals[k]));
    rows += row;
  }
  return rows;
}

}  // namespace

class LinealTreatmentTest : public ProgramTest {};

TEST_F(LinealTreatmentTest, FullLinesOfThirtySixGiveTwoAndTheDiagramFileIsRegistered) {
  LoadBinary(fixtures::FilledSquare(4, 36, 0, 0, 36), 1);
  MainForm->WorkDirectory = Dir().string();
  MainForm->DiagramSavedFlags.LinealLineSaved = 1;  // the last result's diagram, already saved
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLinFractForm>(Asked(1, kLines))
      .press<TDiagLinFractLineForm>(&TDiagLinFractLineForm::BitBtnSaveClick)
      .save(Path("lines"));
  MainForm->LinfracTreatment1Click();

  // Each line counts 36, 18, 12, 9, 6 and 3 segments: slope -1 for every trace and overall.
  EXPECT_EQ(ReadFile(Path("lines.xls")), DiagramRows({144, 72, 48, 36, 24, 12}));
  EXPECT_EQ(ReadFile(report),
            "\n\n LINEAL FRACTAL DIMENSION "
            "\n\tHorizontal scanning "
            "\n\tapplied to the binary image"
            "\n\tCode of the item: 1 \n"
            "\n\tNumber of traces: 4 "
            "\n\t\tMean slope = -1.000000 "
            "\n\t\tFractal dimension = 2.000000 "
            "\n\t\tGlobal slope = -1.000000 "
            "\n\t\tFractal dimension = 2.000000 "
            "\n\n\tHorizontal Segment Counting Diagram registered\n\tin the file " +
                Path("lines.xls") + " ");
  EXPECT_EQ(
      std::tuple(MainForm->DiagramSavedFlags.LinealLineSaved, MainForm->DiagramSavedFlags.LinealLinePending),
      std::tuple(1, 0));
  EXPECT_NEAR(MainForm->LinealLineDimension, 2.0, 1e-12);
  EXPECT_NEAR(MainForm->LinealLineSlope, -1.0, 1e-12);
  EXPECT_EQ(EnabledOf("Diagram1 DiagLinFract1 DiagLinFract2"), "Diagram1 DiagLinFract1");
  // The dialog is emptied for the next use.
  EXPECT_EQ(LinFractForm->CodeEdit->text().toStdString(), "");
  EXPECT_FALSE(LinFractForm->RadioButton3->isChecked());
}

TEST_F(LinealTreatmentTest, OnePixelAColumnOfALabeledItemIsOneWithoutNegativeZero) {
  BytePlane labels(30, 20);
  labels.Fill(255);
  for (int j = 0; j < 30; ++j) labels[(j * 7) % 20][j] = 5;
  LoadBinary(std::move(labels));
  MainForm->HasBinaryImage = 0;
  MainForm->HasLabeledImage = 1;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLinFractForm>(Asked(5, kColumns)).ok<TDiagLinFractColForm>();
  MainForm->LinfracTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\n LINEAL FRACTAL DIMENSION "
            "\n\tVertical scanning "
            "\n\tapplied to the labeled image"
            "\n\tCode of the item: 5 \n"
            "\n\tNumber of traces: 30 "
            "\n\t\tMean slope = 0.000000 "
            "\n\t\tFractal dimension = 1.000000 "
            "\n\t\tGlobal slope = 0.000000 "
            "\n\t\tFractal dimension = 1.000000 ");
  EXPECT_EQ(MainForm->DiagramSavedFlags.LinealColumnPending, 0);
  EXPECT_EQ(EnabledOf("DiagLinFract1 DiagLinFract2"), "DiagLinFract2");
}

TEST_F(LinealTreatmentTest, MissingValuesBringTheDialogBackAndCancelChangesNothing) {
  LoadBinary(fixtures::FilledSquare(12, 12, 0, 0, 12), 1);
  MainForm->DiagramSavedFlags.LinealLinePending = 1;
  MainForm->LinealLineDimension = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLinFractForm>([](TLinFractForm& f) {
      EXPECT_EQ(std::tuple(f.Code, f.Orientation), std::tuple(-1, 0));
      return ui::mrOk;
    })
      .message("ERROR", "Code not defined")
      .dialog<TLinFractForm>(Asked(1, 0))
      .message("ERROR", "Orientation not defined")
      .dialog<TLinFractForm>([](TLinFractForm& f) {
        f.CodeEdit->setText(QStringLiteral("3"));
        f.RadioButton4->click();
        return ui::mrCancel;
      });
  MainForm->LinfracTreatment1Click();
  EXPECT_EQ(ReadFile(report), "");
  EXPECT_EQ(MainForm->DiagramSavedFlags.LinealLinePending, 1);
  EXPECT_EQ(MainForm->LinealLineDimension, 42);
  EXPECT_EQ(MainForm->DialogCancelBytes[cbLinFract], 0);
  EXPECT_EQ(LinFractForm->CodeEdit->text().toStdString(), "");
  EXPECT_FALSE(LinFractForm->RadioButton4->isChecked());
}

TEST_F(LinealTreatmentTest, AnAbsentCodeIsUndefinedAndLeavesNoDiagram) {
  LoadBinary(fixtures::FilledSquare(12, 12, 0, 0, 12), 1);
  MainForm->Enable({"Diagram1", "DiagLinFract1"});
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLinFractForm>(Asked(9, kLines));  // no window follows
  MainForm->LinfracTreatment1Click();
  EXPECT_EQ(ReadFile(report),
            "\n\n LINEAL FRACTAL DIMENSION "
            "\n\tHorizontal scanning "
            "\n\tapplied to the binary image"
            "\n\tCode of the item: 9 \n"
            "\n\tNumber of traces: 0 "
            "\n\t\tMean slope = undefined "
            "\n\t\tFractal dimension = undefined "
            "\n\t\tGlobal slope = undefined "
            "\n\t\tFractal dimension = undefined ");
  EXPECT_EQ(EnabledOf("Diagram1 DiagLinFract1"), "Diagram1");
  EXPECT_TRUE(std::isnan(MainForm->LinealLineDimension));
}

TEST_F(LinealTreatmentTest, EditsAndButtonsSetTheValues) {
  LinFractForm->CodeEdit->setText(QStringLiteral("7b"));
  LinFractForm->RadioButton3->click();
  EXPECT_EQ(std::tuple(LinFractForm->Code, LinFractForm->Orientation), std::tuple(7, 1));
  LinFractForm->RadioButton4->click();
  EXPECT_EQ(LinFractForm->Orientation, 2);
}
