#include "Program.h"

#include <unistd.h>

#include <QLineEdit>
#include <fstream>
#include <sstream>

#include "app/Forms.h"
#include "app/MainWindow.h"
#include "app/Report.h"
#include "imaging/Image.h"
#include "panels/ImageWindow.h"
#include "panels/PanelForm.h"
#include "panels/ReportForm.h"
#include "panels/ResultImage.h"
#include "panels/TempImage.h"

void ProgramTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  // One folder a process: test runs of several checkouts may share the machine's temporary folder.
  dir_ = std::filesystem::temp_directory_path() / ("vorn-tests-" + std::to_string(getpid())) /
         (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  CreateForms();
}

void ProgramTest::TearDown() {
  CloseReportFile();
  DestroyForms();
  std::filesystem::remove_all(dir_.parent_path());
}

void ProgramTest::OpenThroughTheMenu(const BytePlane& plane) {
  WriteFile(Path("opened.raw"), Bytes(plane));
  WriteFile(Path("opened.txt"),
            std::to_string(plane.Lines()) + "\n" + std::to_string(plane.Columns()) + "\n");
  ui.open(Path("opened.raw"), 1).dialog<TReportForm>(NoReport);
  MainForm->Open1Click();
}

std::string ReplaceQuestion(const std::vector<std::string>& files) {
  if (files.size() == 1) return "The file\n" + files[0] + "\nalready exists\nReplace it?";
  std::string text = "The files\n";
  for (const std::string& file : files) text += file + "\n";
  return text + "already exist\nReplace them?";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

void LoadOriginal(BytePlane original) {
  const int columns = original.Columns();
  const int lines = original.Lines();
  MainForm->OriginalImage = std::move(original);
  for (BytePlane* plane : {&MainForm->ResultImage, &MainForm->BinaryImage, &MainForm->BinaryBackup,
                           &MainForm->RedPlane, &MainForm->GreenPlane, &MainForm->BluePlane})
    *plane = BytePlane(columns, lines);
  MainForm->ImageLines = lines;
  MainForm->ImageColumns = columns;
}

void LoadBinary(BytePlane binary, int binaryFlag) {
  LoadOriginal(BytePlane(binary.Columns(), binary.Lines()));
  MainForm->BinaryImage = std::move(binary);
  MainForm->HasBinaryImage = 1;
  MainForm->BinaryFlag = binaryFlag;
}

void ShowInPanel(int panel, const BytePlane& gray) {
  IMAGE picture(gray.Columns(), gray.Lines(), IMAGE::kGray);
  picture.SetFromPlane(gray);
  if (panel == 1) ImageForm->ShowImage(picture);
  if (panel == 2) TempImageForm->ShowBitmap(picture);
  if (panel == 3) ResultImageForm->ShowImage(picture);
}

void LoadLabeledItems(BytePlane labels, int itemCount) {
  LoadBinary(std::move(labels));
  MainForm->HasBinaryImage = 0;
  MainForm->HasLabeledImage = 1;
  MainForm->ItemCount = itemCount;
  for (auto* table : {&MainForm->ItemCodes, &MainForm->ItemPixels}) table->assign(itemCount + 1, 0);
  for (auto* table : {&MainForm->ItemValues, &MainForm->ItemValues2}) table->assign(itemCount + 1, 0.0);
}

int NoReport(TReportForm& form) {
  form.ReportOff = 1;
  return ui::mrOk;
}

int YesReport(TReportForm& form) {
  form.ReportOff = 0;
  return ui::mrOk;
}

std::string EnabledOf(const std::string& names) {
  std::istringstream in(names);
  std::string enabled, name;
  while (in >> name)
    if (MainForm->IsEnabled(name)) enabled += (enabled.empty() ? "" : " ") + name;
  return enabled;
}

std::string Bytes(const BytePlane& plane) {
  return std::string(reinterpret_cast<const char*>(plane.Data()), plane.Size());
}

std::string EditText(const QLineEdit* edit) {
  return edit->text().toStdString();
}

Rgb ShownPixel(const TPanelForm& panel, int line, int column) {
  const QRgb c = panel.Bitmap().pixel(column, line);
  return {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
          static_cast<std::uint8_t>(qRed(c))};
}

std::string ReportInto(const std::string& path) {
  ReportForm->ReportOff = 0;
  EXPECT_TRUE(OpenReportFile(path));
  return path;
}
