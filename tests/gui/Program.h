#pragma once
// A fresh program for one test: the scripted driver installed, every window made
// (the splash waits take no time), and all of it destroyed at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

// The main window, the panels, the report form, the cursors, Format and the test pictures: what the
// handler tests drive and check.
#include "Script.h"
#include "app/MainWindow.h"
#include "diagrams/DiagramForm.h"
#include "fixtures/Patterns.h"
#include "imaging/Image.h"
#include "imaging/Plane.h"
#include "panels/ImageWindow.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "panels/TempImage.h"
#include "ui/Cursors.h"

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
// Shows `gray` in panel 1, 2 or 3 as a gray picture; the planes of the program stay as they are.
void ShowInPanel(int panel, const BytePlane& gray);
// Puts `labels` in panel 2 as a labeling leaves it: itemCount items, per-item tables of
// itemCount + 1 entries set to 0.
void LoadLabeledItems(BytePlane labels, int itemCount);
// Turns the report on into a fresh file of the test folder and returns its name.
std::string ReportInto(const std::string& path);

// A dialog answer that sets these members of the form (member, value, member, value, ...) and says OK.
template <class T, class M, class V, class... More>
auto Set(M T::*member, V value, More... more) {
  return [=](T& form) {
    form.*member = value;
    if constexpr (sizeof...(More) > 0) Set(more...)(form);
    return ui::mrOk;
  };
}

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
// The question a save asks, under "CAUTION", before it replaces these existing files.
std::string ReplaceQuestion(const std::vector<std::string>& files);

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
