#pragma once
// A fresh program for one test: the scripted driver installed, every window made
// (the splash waits take no time), and all of it destroyed at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "Script.h"
#include "imaging/Image.h"
#include "imaging/Plane.h"

class QLineEdit;
class TPanelForm;
class TReportForm;

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh folder for the files of this test.
  std::filesystem::path Dir() const { return dir_; }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // Opens `plane` as a new original raw image through File > Open, the report declined.
  void OpenThroughTheMenu(const BytePlane& plane);

  Script ui;

 private:
  std::filesystem::path dir_;
};

// Puts `original` in panel 1 as an opened image would, with every plane of its size.
void LoadOriginal(BytePlane original);
// Puts `binary` in panel 2 as a binarizing would, over a blank original of its size.
void LoadBinary(BytePlane binary, int binaryFlag = 0);
// Turns the report on into a fresh file of the test folder and returns its name.
std::string ReportInto(const std::string& path);

// Answers of the report dialog: "no" and "yes".
int NoReport(TReportForm& form);
int YesReport(TReportForm& form);

// Those of the space-separated menu items and buttons that are enabled, in the same form.
std::string EnabledOf(const std::string& names);

std::string Bytes(const BytePlane& plane);
std::string EditText(const QLineEdit* edit);
// Pixel (line, column) of a panel's bitmap, as the colour image holds it.
Rgb ShownPixel(const TPanelForm& panel, int line, int column);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// A dialog answer maker: FormAnswer(&TForm::A, &TForm::B)(a, b) is an answer that sets the members
// A and B of the form to a and b and presses OK.
template <class Form, class... Members>
auto FormAnswer(Members Form::*... members) {
  return [=](auto... values) {
    return [=](Form& form) {
      std::tie(form.*members...) = std::tuple(values...);
      return ui::mrOk;
    };
  };
}
