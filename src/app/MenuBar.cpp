// The menu bar of the main window, built from one table: captions, names,
// handlers and the entries disabled at start.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <vector>

#include "app/MainWindow.h"

namespace {

using Handler = void (TMainForm::*)();

struct MenuEntry {
  int depth;            // 0: a menu of the bar; 1, 2: entries beneath
  const char* caption;  // nullptr: a separator
  const char* name;
  Handler handler;  // nullptr for a submenu or an entry without action
  bool off;         // disabled at start
};

constexpr bool kOff = true;
constexpr bool kOn = false;
#define SEPARATOR(depth) \
  { depth, nullptr, nullptr, nullptr, kOn }
#define TREATMENT_INFO(depth, treatment, info)                           \
  {depth, "Treatment", #treatment, &TMainForm::treatment##Click, kOn}, { \
    depth, "Info", #info, &TMainForm::info##Click, kOn                   \
  }

const std::vector<MenuEntry>& MenuTable() {
  static const std::vector<MenuEntry> table = {
      {0, "Files", "Files1", nullptr, kOn},
      {1, "General Info", "GeneralInfo2", &TMainForm::GeneralInfo2Click, kOn},
      {1, "Open Gray Tone  Image", "Open1", &TMainForm::Open1Click, kOn},
      {1, "Open Binary or Labeled Image", "OpenBinaryImage1", &TMainForm::OpenBinaryImage1Click, kOff},
      SEPARATOR(1),
      {1, "Exit", "Exit1", &TMainForm::Exit1Click, kOn},

      {0, "Binar. Treat.", "BinTreat1", nullptr, kOff},
      {1, "Binarizing", "Binar1", nullptr, kOn},
      TREATMENT_INFO(2, BinarTreatment1, BinarInfo1),
      {1, "Labeling", "Labelization", nullptr, kOff},
      TREATMENT_INFO(2, LabelTreatment1, LabelInfo1),
      SEPARATOR(1),
      {1, "Lin. Fractal", "LinFrac1", nullptr, kOff},
      TREATMENT_INFO(2, LinfracTreatment1, LinFracInfo1),
      {1, "Box Counting", "BoxCounting1", nullptr, kOff},
      {2, "Treatment", "BCTreatment1", &TMainForm::BoxCountingTreatment1Click, kOn},
      {2, "Info", "BCInfo1", &TMainForm::BCInfo1Click, kOn},
      {1, "Brownian Movement", "Bromov1", nullptr, kOff},
      TREATMENT_INFO(2, BromovTreatment1, BromovInfo1),
      {1, "Progres. Box Counting", "ProgresBoxCounting1", nullptr, kOff},
      TREATMENT_INFO(2, ProgBCTreatment1, ProgBCInfo1),
      SEPARATOR(1),
      {1, "Urban Field", "UrbanField", nullptr, kOff},
      {2, "About Urban Field Treatments", "AboutUrbanFieldTreatments1",
       &TMainForm::AboutUrbanFieldTreatments1Click, kOn},
      {2, "Radial Expansion", "RadialExpansion", nullptr, kOn},
      TREATMENT_INFO(3, RE_Treatment, REInfo),
      {2, "Crown Expansion", "CrownExpansion", nullptr, kOn},
      TREATMENT_INFO(3, CrownTreatment, CrownInfo),
      {2, "Perim. Dist.", "PerimDist", nullptr, kOn},
      TREATMENT_INFO(3, PerimDistTreatment, PerimDistInfo),
      {2, "Fractal Exploration", "FractalExploration", nullptr, kOn},
      TREATMENT_INFO(3, P_Treatment, InfoFractExplor),
      {2, "Majority Smoothing", "MajSmooth", nullptr, kOn},
      TREATMENT_INFO(3, MajSmoothTreatment, MajSmoothInfo),
      {2, "Morpho. Math.", "MorphoMath", nullptr, kOn},
      TREATMENT_INFO(3, MorphoMathTreatment, MorphoMathInfo),
      {2, "Hole Extraction", "HoleExtraction", nullptr, kOn},
      TREATMENT_INFO(3, HoleTreatment, HoleInfo),
      {2, "Perimeter Extraction", "PerimeterExtraction", nullptr, kOn},
      TREATMENT_INFO(3, PerimExtractTreatment, PerimExtractInfo),
      {2, "Homogeneity", "Homogeneity", nullptr, kOn},
      TREATMENT_INFO(3, HomoTreatment, HomoInfo),
      {2, "Density", "Density", nullptr, kOn},
      TREATMENT_INFO(3, DensityTreatment, DensityInfo),
      SEPARATOR(1),
      {1, "Resizing Box Counting", "ResizeBoxCounting1", nullptr, kOff},
      TREATMENT_INFO(2, ResizeBCTreatment1, ResizeBCInfo1),
      {1, "Perimeter", "Perimeter1", nullptr, kOff},
      TREATMENT_INFO(2, PerimTreatment1, PerimInfo1),
      {1, "Perimeter Orientation", "PerimeterOrientation1", nullptr, kOff},
      TREATMENT_INFO(2, PerimOrientationTreatment1, PerimOrientationInfo1),
      {1, "Moving Circle", "MovingCircle", nullptr, kOff},
      TREATMENT_INFO(2, MovingCircleTreatment1, MovingCircleInfo1),
      {1, "Pattern Recognition", "Pattern1", nullptr, kOff},
      TREATMENT_INFO(2, PatRecTreatment1, PatRecInfo1),
      {1, "Majority Smootthing", "Smoothing1", &TMainForm::Smoothing1Click, kOff},
      {1, "Closing Treatment", "Closing1", &TMainForm::Closing1Click, kOff},
      SEPARATOR(1),

      {0, "Gray Tones Treat.", "GrayTonesTreat1", nullptr, kOff},
      {1, "3D Global Fractal", "GlobalFractal1", nullptr, kOn},
      TREATMENT_INFO(2, GlobalFractalTreatment1, TriDGFracInfo1),
      {1, "Local Fractal Dimension", "LocFrac1", nullptr, kOn},
      TREATMENT_INFO(2, LocFracTreatment1, LocFracInfo1),
      {1, "Lacunarity", "Lacun1", nullptr, kOn},
      TREATMENT_INFO(2, LacunTreatment1, LacunInfo1),
      SEPARATOR(1),
      {1, "Fract Star", "FracStar81", nullptr, kOn},
      TREATMENT_INFO(2, FracStar8Treatment1, FracStar8Info1),
      {1, "Fract Prism", "FracPrism1", nullptr, kOn},
      TREATMENT_INFO(2, FracPrismTreatment1, FracPrismInfo1),
      {1, "Local Roughness", "LocRough1", nullptr, kOn},
      TREATMENT_INFO(2, LocRoughTreatment1, LocRoughInfo1),
      {1, "Cubic Density", "CubicDensity1", nullptr, kOn},
      TREATMENT_INFO(2, CubicDensityTreatment1, CubicDensityInfo1),
      {1, "Morlet", "Morlet1", nullptr, kOn},
      TREATMENT_INFO(2, MorletTreatment1, MorletInfo1),
      SEPARATOR(1),
      {1, "Gray Tones Sequence", "Firmagram1", nullptr, kOn},
      {2, "Treatment", "FirmagramTreatment1", &TMainForm::FirmagramTreatment1Click, kOn},
      {2, "Info", "FirmagramInfo1", nullptr, kOn},

      {0, "GTS Treatments", "GTSTreatments1", nullptr, kOff},
      {1, "General Info", "GeneralInfo1", &TMainForm::GeneralInfo1Click, kOn},
      SEPARATOR(1),
      {1, "Hurst Exponent", "Hurst1", nullptr, kOn},
      TREATMENT_INFO(2, HurstTreatment1, HurstInfo1),
      {1, "Wavelet", "WaveSelect1", nullptr, kOn},
      TREATMENT_INFO(2, WaveSelectTreatment1, WaveSelectInfo1),

      {0, "Diagram", "Diagram1", nullptr, kOff},
      {1, "Horizontal segments counting", "DiagLinFract1", &TMainForm::DiagLinFract1Click, kOff},
      {1, "Vertical segments counting", "DiagLinFract2", &TMainForm::DiagLinFract2Click, kOff},
      {1, "Box Counting", "DiagFractal1", &TMainForm::DiagFractal1Click, kOff},
      {1, "Progressive Box Counting", "ProgrBoxCounting1", &TMainForm::ProgrBoxCounting1Click, kOff},
      {1, "Circle Scanning", "CircleScanning1", &TMainForm::CircleScanning1Click, kOff},
      SEPARATOR(1),
      {1, "Local Fractal", "DiagLocalFractal1", &TMainForm::DiagLocalFractal1Click, kOff},
      SEPARATOR(1),
      {1, "Fractal Curve Exploration", "FractalCurve1", &TMainForm::FractalCurve1Click, kOff},
      SEPARATOR(1),
      {1, "GTE Curve", "DiagFirmagram1", &TMainForm::DiagFirmagram1Click, kOff},
      {1, "Perimeter Orientation", "DiagCircleScan", &TMainForm::DiagCircleScanClick, kOff},
      {1, "Perimeter Roughness", "PerimeterRoughness1", &TMainForm::PerimeterRoughness1Click, kOff},
      {1, "Hurst Exponent", "HurstExponent1", &TMainForm::HurstExponent1Click, kOff},
      SEPARATOR(1),
      {1, "Radial or Crown Expansion", "RadialExpansion1", &TMainForm::RadialExpansion1Click, kOff},

      {0, "Tools", "Tools1", nullptr, kOn},
      {1, "Histogram", "Histo1", &TMainForm::Histo1Click, kOn},
      {1, "Local Histogram", "LocalHistogram", &TMainForm::LocalHistogramClick, kOn},
      {1, "Gray Tones Number", "GTNumber1", &TMainForm::GTNumber1Click, kOn},
      SEPARATOR(1),
      {1, "Print", "Print1", nullptr, kOn},
      {2, "Configuration", "Configurationdelimpression1", &TMainForm::Configurationdelimpression1Click, kOn},
      {2, "Print", "Imprimer", &TMainForm::ImprimerClick, kOn},
      SEPARATOR(1),
      {1, "Transfert", "Transfert1", &TMainForm::Transfert1Click, kOn},
      {1, "Superposition", "Superposition", &TMainForm::SuperpositionClick, kOn},
      {1, "Transparent Superposition", "TransparentSuperposition", &TMainForm::TransparentSuperpositionClick,
       kOn},
      SEPARATOR(1),
      {1, "Pins", "Pins1", nullptr, kOn},
      {2, "Treatment", "PinsTreatment1", &TMainForm::PinsTreatment1Click, kOn},
      {2, "Info", "PinsInfo1", nullptr, kOn},
      {1, "Thresholding", "Thresholding1", &TMainForm::Thresholding1Click, kOn},
      {1, "Fractal Thresholding", "FractalTh1", nullptr, kOn},
      {2, "Treatment", "FractalThTreatment1", &TMainForm::FractalThTreatment1Click, kOn},
      {2, "Info", "FractalThInfo1", nullptr, kOn},
      SEPARATOR(1),

      {0, "Window", "Window1", nullptr, kOn},
      {1, "Cascade", "Cascade1", &TMainForm::Cascade1Click, kOn},
      {1, "Tile", "Tile1", &TMainForm::Tile1Click, kOn},
      {1, "Previous", "Previous1", &TMainForm::Previous1Click, kOn},
      {1, "Next", "Next1", &TMainForm::Next1Click, kOn},

      {0, "About", "About1", nullptr, kOn},
      {1, "Infos", "Infos1", &TMainForm::Infos1Click, kOn},
      {1, "Illustrations", "Illustrations1", &TMainForm::Illustrations1Click, kOn},
      {1, "Authors", "Copyrigth1", &TMainForm::Copyrigth1Click, kOn},
  };
  return table;
}

#undef SEPARATOR
#undef TREATMENT_INFO

// The captions carry no mnemonics, so the bar is reached as a whole: Alt pressed and released alone
// enters its keyboard mode (first menu highlighted; the arrows, Return and Esc move in it), whatever
// the desktop's style would otherwise allow.
class MenuKeysStyle : public QProxyStyle {
 public:
  // The application's own style underneath, so that the bar looks like every other widget.
  explicit MenuKeysStyle(const QString& base) : QProxyStyle(base) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

void TMainForm::BuildMenus() {
  // menus[d] is the menu that receives the entries of depth d + 1.
  QMenu* menus[4] = {nullptr, nullptr, nullptr, nullptr};
  const std::vector<MenuEntry>& table = MenuTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const MenuEntry& entry = table[i];
    QMenu* parent = entry.depth > 0 ? menus[entry.depth - 1] : nullptr;
    if (!entry.caption) {
      parent->addSeparator();
      continue;
    }
    const QString caption = QString::fromUtf8(entry.caption);
    QAction* action = nullptr;
    // An entry followed by deeper ones opens a submenu.
    const bool isMenu = i + 1 < table.size() && table[i + 1].depth > entry.depth;
    if (isMenu) {
      QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
      menus[entry.depth] = menu;
      action = menu->menuAction();
    } else {
      action = parent->addAction(caption);
      if (entry.handler) connect(action, &QAction::triggered, this, entry.handler);
    }
    action->setObjectName(QString::fromUtf8(entry.name));
    action->setEnabled(!entry.off);
    items_[entry.name] = action;
  }
  // Made after the bar, so destroyed after it.
  auto* keys = new MenuKeysStyle(QApplication::style()->name());
  keys->setParent(this);
  menuBar()->setStyle(keys);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_F10 || event->modifiers() != Qt::NoModifier) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  // F10 does what a lone Alt does: the bar sees Alt go down and up, and enters (or leaves) its
  // keyboard mode. A key event of a modifier key reports the modifiers as they were before it.
  QKeyEvent down(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
  QCoreApplication::sendEvent(this, &down);
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(this, &up);
}
