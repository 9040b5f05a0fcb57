#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <memory>

#include "imaging/Image.h"
#include "panels/Splash.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

TMainForm* MainForm = nullptr;

namespace {

// Every IMAGE made anywhere sets the program's image size to its own.
void KeepImageSize(int columns, int lines) {
  if (!MainForm) return;
  MainForm->ImageColumns = columns;
  MainForm->ImageLines = lines;
}

}  // namespace

TMainForm::TMainForm(QWidget* owner) : QMainWindow(owner) {
  MainForm = this;
  setWindowTitle(QStringLiteral(" VORN Version 2"));
  QApplication::setWindowIcon(CarpetIcon());
  mdiArea_ = new QMdiArea(this);
  setCentralWidget(mdiArea_);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  resize(1024, 768);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  SetImageSizeHook(&KeepImageSize);
  ui::LoadCustomCursors();
  ComplementaryRequested = 0;
  ShowSplash();
  ResetState();
  ClearPanel2RegisteredFlags();
  ClearDialogCancelBytes();
  KeepZoom = 0;
  PrintRect.Left = -1;  // unset until the page set-up
  for (int v = 0; v < 256; ++v) PaletteRed[v] = PaletteGreen[v] = PaletteBlue[v] = v;
  ui::SetScreenCursor(ui::crArrow);
}

TMainForm::~TMainForm() {
  SetImageSizeHook(nullptr);
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::ShowSplash() {
  // Three presentation windows, each shown and painted at once, then destroyed in order.
  auto first = std::make_unique<TPresentationForm1>(this);
  ShowPresentation(*first, 0.5f);
  auto second = std::make_unique<TPresentationForm2>(this);
  ShowPresentation(*second, 0.5f);
  auto third = std::make_unique<TPresentationForm3>(this);
  ShowPresentation(*third, 2.0f);
  first.reset();
  second.reset();
  third.reset();
}

void TMainForm::ResetState() {
  Panel3Pending.fill(0);
  Panel2Pending[p2Binary] = 0;
  Panel2Pending[p2Labeled] = 0;
  DiagramSavedFlags.LinealLineSaved = 0;
  DiagramSavedFlags.LinealColumnSaved = 0;
  DiagramSavedFlags.CircleSaved = 0;
  DiagramSavedFlags.LacunaritySaved = 0;
  DiagramSavedFlags.OrientationSaved = 0;
  DiagramSavedFlags.RoughnessSaved = 0;
  PatternTableRequested = 0;
  UrbanXlsFlags.fill(0);
  GtsReady = 0;
  WaveletGtsReady = 0;
  PixelStackReady = 0;
  FillMaskReady = 0;
}

void TMainForm::ClearResultRegisteredFlags() {
  for (int result : {p3FractStar, p3FractPrism, p3LocalFractal, p3LocalRoughness, p3CubicDensity, p3Morlet,
                     p3FractalExploration, p3Homogeneity})
    Panel3Pending[result] = 0;
}

void TMainForm::ClearBinaryRegisteredFlags() {
  // The opening image too: a stale flag would name the next panel-2 save "Opening Image".
  Panel2Pending.fill(0);
}

void TMainForm::ClearPanel2RegisteredFlags() {
  Panel2Pending[p2Binary] = 0;
  Panel2Pending[p2Labeled] = 0;
}

void TMainForm::ClearDialogCancelBytes() {
  PerimeterExtracted = 0;
  DialogCancelBytes.fill(0);
}

QAction* TMainForm::Item(const std::string& name) const {
  const auto found = items_.find(name);
  return found == items_.end() ? nullptr : found->second;
}

void TMainForm::Enable(std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names)
    if (QAction* action = Item(name)) action->setEnabled(enabled);
}

bool TMainForm::IsEnabled(const std::string& name) const {
  const QAction* action = Item(name);
  return action && action->isEnabled();
}

bool TMainForm::IsDown(const std::string& name) const {
  const QAction* action = Item(name);
  return action && action->isChecked();
}

bool TMainForm::RequireImage() {
  if (!OriginalImage.Empty()) return true;
  ui::MessageBox("No image is open\nPlease open a gray tone image first", "CAUTION");
  return false;
}

void TMainForm::BuildStatusBar() {
  for (QLabel*& panel : statusPanels_) {
    panel = new QLabel(this);
    panel->setMinimumWidth(200);
    statusBar()->addWidget(panel);
  }
}

void TMainForm::SetStatusText(int panel, const std::string& text) {
  if (panel >= 0 && panel < 3) statusPanels_[panel]->setText(QString::fromStdString(text));
}

std::string TMainForm::StatusText(int panel) const {
  return panel >= 0 && panel < 3 ? statusPanels_[panel]->text().toStdString() : std::string();
}

void TMainForm::Exit1Click() {
  close();
}
void TMainForm::ExitSpeedButton1Click() {
  close();
}
