#include "Program.h"
#include "binary/LinFract.h"
#include "diagrams/DiagLinFract.h"
#include "fixtures/Blocks.h"

namespace {

constexpr int kLines = 1, kColumns = 2;

auto Asked(int code, int orientation) {
  return [=](TLinFractForm& f) {
    std::tie(f.Code, f.Orientation) = std::tuple(code, orientation);
    return ui::mrOk;
  };
}

// The report of one item: the scanning and the image, then the code, the traces and both estimates.
std::string Report(const char* scanning, const char* image, int code, int traces, const char* slope,
                   const char* dimension) {
  const std::string estimates = std::string("\n\t\tMean slope = ") + slope +
                                " \n\t\tFractal dimension = " + dimension + " \n\t\tGlobal slope = " + slope +
                                " \n\t\tFractal dimension = " + dimension + " ";
  return std::string("\n\n LINEAL FRACTAL DIMENSION \n\t") + scanning + " scanning \n\tapplied to the " +
         image + " image\n\tCode of the item: " + std::to_string(code) +
         " \n\n\tNumber of traces: " + std::to_string(traces) + " " + estimates;
}

}  // namespace

class LinealTreatmentTest : public ProgramTest {};

TEST_F(LinealTreatmentTest, FullLinesRefusalsCancelOnePixelAColumnAndAnAbsentCode) {
  TMainForm& m = *MainForm;
  // Each line of 36 counts 36, 18, 12, 9, 6 and 3 segments: slope -1 for every trace and overall.
  LoadBinary(UniformPlane(36, 4, 1), 1);
  m.WorkDirectory = Dir().string();
  m.DiagramSavedFlags.LinealLineSaved = 1;  // the last result's diagram, already saved
  const std::string lines = ReportInto(Path("lines.txt"));
  ui.dialog<TLinFractForm>(Asked(1, kLines))
      .press<TDiagLinFractLineForm>(&TDiagLinFractLineForm::BitBtnSaveClick)
      .save(Path("lines"));
  m.LinfracTreatment1Click();
  EXPECT_EQ(ReadFile(Path("lines.xls")),
            "0.0000\t4.969813\n0.6931\t4.276666\n1.0986\t3.871201\n"
            "1.3863\t3.583519\n1.7918\t3.178054\n2.4849\t2.484907\n");
  EXPECT_EQ(ReadFile(lines), Report("Horizontal", "binary", 1, 4, "-1.000000", "2.000000") +
                                 "\n\n\tHorizontal Segment Counting Diagram registered\n\tin the file " +
                                 Path("lines.xls") + " ");
  EXPECT_EQ(std::tuple(m.DiagramSavedFlags.LinealLineSaved, m.DiagramSavedFlags.LinealLinePending,
                       EnabledOf("Diagram1 DiagLinFract1 DiagLinFract2")),
            std::tuple(1, 0, "Diagram1 DiagLinFract1"));
  EXPECT_NEAR(m.LinealLineSlope, -1.0, 1e-12);
  // Refusals, Cancel; one pixel a column: slope 0 without a minus; an absent code: undefined, no diagram.
  BytePlane labels = UniformPlane(30, 20);
  for (int j = 0; j < 30; ++j) labels[(j * 7) % 20][j] = 5;
  LoadLabeledItems(std::move(labels), 5);
  m.DiagramSavedFlags.LinealLinePending = m.DiagramSavedFlags.LinealColumnPending = 1;
  m.LinealLineDimension = 42;
  const std::string report = ReportInto(Path("report.txt"));
  ui.dialog<TLinFractForm>([](TLinFractForm& f) {
      EXPECT_EQ(std::tuple(f.Code, f.Orientation), std::tuple(-1, 0));
      return ui::mrOk;
    })
      .message("ERROR", "Code not defined")
      .dialog<TLinFractForm>(Asked(1, 0))
      .message("ERROR", "Orientation not defined")
      .dialog<TLinFractForm>([](TLinFractForm& f) {
        f.CodeEdit->setText(QStringLiteral("7b"));
        f.RadioButton4->click();
        EXPECT_EQ(std::tuple(f.Code, f.Orientation), std::tuple(7, kColumns));
        return ui::mrCancel;
      });
  m.LinfracTreatment1Click();
  EXPECT_EQ(std::tuple(ReadFile(report), m.DiagramSavedFlags.LinealLinePending, m.LinealLineDimension,
                       m.DialogCancelBytes[cbLinFract], EditText(LinFractForm->CodeEdit),
                       LinFractForm->RadioButton4->isChecked()),
            std::tuple("", 1, 42.0, 0, "", false));
  ui.dialog<TLinFractForm>(Asked(5, kColumns)).ok<TDiagLinFractColForm>();
  m.LinfracTreatment1Click();
  const std::string column = Report("Vertical", "labeled", 5, 30, "0.000000", "1.000000");
  EXPECT_EQ(std::tuple(ReadFile(report), m.DiagramSavedFlags.LinealColumnPending, EnabledOf("DiagLinFract2")),
            std::tuple(column, 0, "DiagLinFract2"));
  ui.dialog<TLinFractForm>(Asked(9, kLines));  // no window follows
  m.LinfracTreatment1Click();
  EXPECT_EQ(ReadFile(report), column + Report("Horizontal", "labeled", 9, 0, "undefined", "undefined"));
  EXPECT_EQ(EnabledOf("Diagram1 DiagLinFract1 DiagLinFract2"), "Diagram1 DiagLinFract2");
  EXPECT_TRUE(std::isnan(m.LinealLineDimension));
}
