#pragma once
// The fixture of the handler tests of the treatments whose result is a gray image in panel 3.
#include "Program.h"
#include "app/TreatStartForm.h"
#include "fixtures/Pixels.h"

// The report is on into `report`, in the test folder, which is the work directory too.
class Panel3Test : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    MainForm->WorkDirectory = Dir().string();
    report = ReportInto(Path("report.txt"));
  }
  static BytePlane Flat(int columns, int lines, std::uint8_t gray) {
    BytePlane image(columns, lines);
    image.Fill(gray);
    return image;
  }
  // The gray of panel 3's picture at (line, column); the panel 3 results waiting to be registered.
  static int ShownGray(int line, int column) { return qRed(ResultImageForm->Bitmap().pixel(column, line)); }
  static std::int64_t Pending() {
    return std::count(MainForm->Panel3Pending.begin(), MainForm->Panel3Pending.end(), 1);
  }
  // Opens `image` over an earlier result in panel 3, its frame and another result's pending registration, the
  // save button off.
  static void PutEarlierResult(Panel3Result result, BytePlane image) {
    LoadOriginal(std::move(image));
    MainForm->ResultImage.Fill(7);
    MainForm->ResultBorder = 3;
    MainForm->Panel3Pending = {};
    MainForm->Panel3Pending[result == p3Morlet ? p3FractStar : p3Morlet] = 1;
    MainForm->Enable({"SaveParamSpeedButton1"}, false);
  }
  // Opens `image` over an earlier `result`, answers the start window and, if given, the message `text`.
  void RunStarted(void (TMainForm::*treatment)(), Panel3Result result, const BytePlane& image, int answer,
                  const char* title = "", const std::string& text = "") {
    PutEarlierResult(result, image.Clone());
    ui.dialog<TTreatStartForm>([answer](TTreatStartForm&) { return answer; });
    if (!text.empty()) ui.message(title, text);
    (MainForm->*treatment)();
  }
  // The earlier result is untouched; with a `cancel` byte, it is 0 and the report received nothing.
  void ExpectEarlierResult(int cancel = -1) const {
    const TMainForm& m = *MainForm;
    EXPECT_EQ(std::tuple(CountOf(m.ResultImage, 7), m.ResultBorder, Pending(),
                         m.IsEnabled("SaveParamSpeedButton1")),
              std::tuple(static_cast<std::int64_t>(m.ResultImage.Size()), 3, 1, false));
    if (cancel < 0) return;
    EXPECT_EQ(std::tuple(m.DialogCancelBytes[cancel], ReadFile(report)), std::tuple(0, ""));
  }
  // Panel 3 holds the result `result` alone pending, framed by `border` and captioned `title`.
  static void ExpectPublished(Panel3Result result, const std::string& title, int border) {
    const TMainForm& m = *MainForm;
    EXPECT_EQ(
        std::tuple(m.ResultBorder, m.Panel3Pending[result], Pending(), m.IsEnabled("SaveParamSpeedButton1"),
                   m.PanelCaption, ResultImageForm->CaptionText()),
        std::tuple(border, 1, 1, true, title, " 3.- " + title));
  }
  // Saved through the button as `name`.raw (dialog scripted): the file is panel 3, registered as `what`.
  void ExpectPanel3Saved(const std::string& name, const std::string& what) const {
    const std::string before = ReadFile(report);
    MainForm->SaveParamSpeedButton1Click();
    EXPECT_EQ(std::tuple(ReadFile(name + ".raw"), ReadFile(report), Pending(),
                         MainForm->IsEnabled("SaveParamSpeedButton1")),
              std::tuple(Bytes(MainForm->ResultImage),
                         before + "\n\n\t" + what + " registered as: " + name + ".raw", 0, false));
  }
  std::string report;
};
