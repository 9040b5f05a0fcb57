#pragma once
// The main window: the multiple-document frame with its menus, tool bar and status
// bar, and the program's whole shared state. Handler bodies live with their
// subsystem (binary/, graytone/, ...); this file only declares them.
#include <QMainWindow>
#include <map>
#include <string>

#include "app/MainState.h"
#include "binary/BinaryState.h"
#include "diagrams/DiagramState.h"
#include "graytone/GrayToneState.h"
#include "panels/PrintState.h"
#include "panels/ScreenEditorState.h"
#include "sequence/SequenceState.h"
#include "urban/UrbanState.h"

class QAction;
class QActionGroup;
class QKeyEvent;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

class TMainForm : public QMainWindow,
                  public MainState,
                  public DiagramState,
                  public BinaryState,
                  public GrayToneState,
                  public SequenceState,
                  public UrbanState,
                  public ScreenEditorState,
                  public PrintState {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* owner = nullptr);
  ~TMainForm() override;

  // Reset operations: each clears a fixed group of flags.
  void ResetState();
  void ClearResultRegisteredFlags();
  void ClearBinaryRegisteredFlags();
  void ClearPanel2RegisteredFlags();
  void ClearDialogCancelBytes();

  // Menu items and tool-bar buttons by their names (for enabling and tests).
  QAction* Item(const std::string& name) const;
  const std::map<std::string, QAction*>& Items() const { return items_; }
  QMdiArea* MdiArea() const { return mdiArea_; }
  QToolBar* ToolBar1 = nullptr;

  // Status bar: three panels filled by the pixel read-out of the panels.
  void SetStatusText(int panel, const std::string& text);
  std::string StatusText(int panel) const;

  // Files.
  void GeneralInfo2Click();
  void Open1Click();
  void OpenBinaryImage1Click();
  void Exit1Click();
  void OpenImage();

  // Binar. Treat.
  void BinarTreatment1Click();
  void BinarInfo1Click();
  void LabelTreatment1Click();
  void LabelInfo1Click();
  void LinfracTreatment1Click();
  void LinFracInfo1Click();
  void BoxCountingTreatment1Click();
  void BCInfo1Click();
  void BromovTreatment1Click();
  void BromovInfo1Click();
  void ProgBCTreatment1Click();
  void ProgBCInfo1Click();
  void AboutUrbanFieldTreatments1Click();
  void RE_TreatmentClick();
  void REInfoClick();
  void CrownTreatmentClick();
  void CrownInfoClick();
  void PerimDistTreatmentClick();
  void PerimDistInfoClick();
  void P_TreatmentClick();
  void InfoFractExplorClick();
  void MajSmoothTreatmentClick();
  void MajSmoothInfoClick();
  void MorphoMathTreatmentClick();
  void MorphoMathInfoClick();
  void HoleTreatmentClick();
  void HoleInfoClick();
  void PerimExtractTreatmentClick();
  void PerimExtractInfoClick();
  void HomoTreatmentClick();
  void HomoInfoClick();
  void DensityTreatmentClick();
  void DensityInfoClick();
  void ResizeBCTreatment1Click();
  void ResizeBCInfo1Click();
  void PerimTreatment1Click();
  void PerimInfo1Click();
  void PerimOrientationTreatment1Click();
  void PerimOrientationInfo1Click();
  void MovingCircleTreatment1Click();
  void MovingCircleInfo1Click();
  void PatRecTreatment1Click();
  void PatRecInfo1Click();
  void Smoothing1Click();
  void Closing1Click();

  // Gray Tones Treat.
  void GlobalFractalTreatment1Click();
  void TriDGFracInfo1Click();
  void LocFracTreatment1Click();
  void LocFracInfo1Click();
  void LacunTreatment1Click();
  void LacunInfo1Click();
  void FracStar8Treatment1Click();
  void FracStar8Info1Click();
  void FracPrismTreatment1Click();
  void FracPrismInfo1Click();
  void LocRoughTreatment1Click();
  void LocRoughInfo1Click();
  void CubicDensityTreatment1Click();
  void CubicDensityInfo1Click();
  void MorletTreatment1Click();
  void MorletInfo1Click();
  void FirmagramTreatment1Click();

  // GTS Treatments.
  void GeneralInfo1Click();
  void HurstTreatment1Click();
  void HurstInfo1Click();
  void WaveSelectTreatment1Click();
  void WaveSelectInfo1Click();

  // Diagram.
  void DiagLinFract1Click();
  void DiagLinFract2Click();
  void DiagFractal1Click();
  void ProgrBoxCounting1Click();
  void CircleScanning1Click();
  void DiagLocalFractal1Click();
  void FractalCurve1Click();
  void DiagFirmagram1Click();
  void DiagCircleScanClick();
  void PerimeterRoughness1Click();
  void HurstExponent1Click();
  void RadialExpansion1Click();

  // Tools.
  void Histo1Click();
  void LocalHistogramClick();
  void GTNumber1Click();
  void Configurationdelimpression1Click();
  void ImprimerClick();
  void Transfert1Click();
  void SuperpositionClick();
  void TransparentSuperpositionClick();
  void PinsTreatment1Click();
  void Thresholding1Click();
  void FractalThTreatment1Click();

  // Window and About.
  void Cascade1Click();
  void Tile1Click();
  void Previous1Click();
  void Next1Click();
  void Infos1Click();
  void Illustrations1Click();
  void Copyrigth1Click();

  // Tool bar.
  void OpenSpeedButton1Click();
  void OpenBinarSpeedButton1Click();
  void SaveOriginalSpeedButton1Click();
  void SaveBinarSpeedButton1Click();
  void SaveParamSpeedButton1Click();
  void SaveScreenSpeedButtonClick();
  void ZoomSpeedButtonClick();
  void UndoSpeedButton1Click();
  void PipetteSpeedButton1Click();
  void InfoSpeedButtonClick();
  void ColorSpeedButtonClick();
  void CuvetSpeedButtonClick();
  void PencilSpeedButtonClick();
  void LineSpeedButtonClick();
  void DelateLineSpeedButtonClick();
  void LocalFillingSpeedButtonClick();
  void DilatSpeedButtonClick();
  void AureoleSpeedButtonClick();
  void GoBackSpeedButtonClick();
  void ExitSpeedButton1Click();

  // Enables (or disables) menu items and buttons by name.
  void Enable(std::initializer_list<const char*> names, bool enabled = true);
  bool IsEnabled(const std::string& name) const;
  bool IsDown(const std::string& name) const;

  // Refuses a tool that needs an image when none is loaded, under "CAUTION".
  bool RequireImage();

 protected:
  // F10 opens the menu bar, as Alt alone does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void ShowSplash();

  QMdiArea* mdiArea_ = nullptr;
  std::map<std::string, QAction*> items_;
  QLabel* statusPanels_[3] = {nullptr, nullptr, nullptr};
};

extern TMainForm* MainForm;
