#pragma once
// Checks shared by the handler tests of the treatments whose result is a gray image in panel 3.
#include <algorithm>

#include "Program.h"

inline std::int64_t CountOf(const BytePlane& plane, std::uint8_t value) {
  return std::count(plane.Data(), plane.Data() + plane.Size(), value);
}
// The gray of panel 3's picture at (line, column).
inline int ShownGray(int line, int column) {
  return qRed(ResultImageForm->Bitmap().pixel(column, line));
}
// Panel 3 results waiting to be registered.
inline std::int64_t PendingResults() {
  return std::count(MainForm->Panel3Pending.begin(), MainForm->Panel3Pending.end(), 1);
}
// An earlier result in panel 3, its frame and another result's pending registration, the save button off.
inline void PutEarlierResult(Panel3Result result) {
  MainForm->ResultImage.Fill(7);
  MainForm->ResultBorder = 3;
  MainForm->Panel3Pending[result == p3Morlet ? p3FractStar : p3Morlet] = 1;
  MainForm->Enable({"SaveParamSpeedButton1"}, false);
}
// The earlier result is untouched; with a report, nothing was written to it and the dialog's `cancel`
// byte is 0.
inline void ExpectEarlierResult(const std::string& report = "", int cancel = -1) {
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(CountOf(m.ResultImage, 7), m.ResultBorder, PendingResults(),
                       m.IsEnabled("SaveParamSpeedButton1")),
            std::tuple(static_cast<std::int64_t>(m.ResultImage.Size()), 3, 1, false));
  if (report.empty()) return;
  EXPECT_EQ(std::tuple(m.DialogCancelBytes[cancel], ReadFile(report)), std::tuple(0, ""));
}
// Panel 3 holds the result `result` alone pending, framed by `border` and captioned `title`.
inline void ExpectPublished(Panel3Result result, const std::string& title, int border) {
  const TMainForm& m = *MainForm;
  EXPECT_EQ(std::tuple(m.ResultBorder, m.Panel3Pending[result], PendingResults(),
                       m.IsEnabled("SaveParamSpeedButton1"), m.PanelCaption, ResultImageForm->CaptionText()),
            std::tuple(border, 1, 1, true, title, " 3.- " + title));
}
// Panel 3 saved through its button as `name`.raw (the save dialog scripted): the file holds panel 3,
// the report registers it as `what`, nothing is left pending.
inline void ExpectPanel3Saved(const std::string& report, const std::string& name, const std::string& what) {
  const std::string before = ReadFile(report);
  MainForm->SaveParamSpeedButton1Click();
  EXPECT_EQ(ReadFile(name + ".raw"), Bytes(MainForm->ResultImage));
  EXPECT_EQ(ReadFile(report), before + "\n\n\t" + what + " registered as: " + name + ".raw");
  EXPECT_EQ(std::tuple(PendingResults(), MainForm->IsEnabled("SaveParamSpeedButton1")), std::tuple(0, false));
}
