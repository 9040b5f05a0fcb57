#pragma once
// The program's whole shared state, held by the main window for the life of the
// process. Every subsystem reads and writes these members directly.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PixelPosition.h"
#include "imaging/Plane.h"

// One cancel byte per parameter dialog: its Cancel sets it, the handler that
// showed the dialog tests and clears it.
enum DialogCancelIndex : int {
  cbBinar,
  cbLabeliz,
  cbLinFract,
  cbDiagBoxCounting4,
  cbBromov,
  cbProgBoxCount,
  cbDilBox,
  cbCrownExpansion,
  cbFractalExplor,
  cbPerimExtractValue,
  cbPerimRoughnessParam,
  cbMathMorph,
  cbSelectItemValue,
  cbHoleExtract,
  cbHomogeneity,
  cbDensityDiag,
  cbResizeBC,
  cbPerimOrientation,
  cbRadius,
  cbLocalFract,
  cbLacun,
  cbFirmagramParam,
  cbFractStar,
  cbTreatStart,
  cbCubicGene,
  cbMorlet,
  cbHurst,
  DialogCancelCount
};

// Image results of panel 2 waiting to be recorded in the report, in the save order.
enum Panel2Result : int {
  p2Binary,
  p2Labeled,
  p2Dilation,
  p2Erosion,
  p2Closing,
  p2Opening,
  Panel2ResultCount
};

// Image results of panel 3 waiting to be recorded in the report, in the save order.
enum Panel3Result : int {
  p3SingleSuperposition,
  p3TransparentSuperposition,
  p3Homogeneity,
  p3FractalExploration,
  p3FractStar,
  p3FractPrism,
  p3LocalFractal,
  p3LocalRoughness,
  p3CubicDensity,
  p3Morlet,
  p3ColouredOriginal,
  p3ColouredParameter,
  Panel3ResultCount
};

// Saved flag (a second save of one result is refused) and pending flag (the file
// is not yet named in the report) of each diagram window.
struct DiagramFlags {
  int BoxCountingSaved = 0, BoxCountingPending = 0;
  int ProgressiveSaved = 0, ProgressivePending = 0;
  int LocalFractalSaved = 0, LocalFractalPending = 0;
  int GtsSaved = 0, GtsPending = 0;
  int ExplorationSaved = 0, ExplorationPending = 0;
  int LinealLineSaved = 0, LinealLinePending = 0;
  int LinealColumnSaved = 0, LinealColumnPending = 0;
  int CircleSaved = 0, CirclePending = 0;
  int LacunaritySaved = 0, LacunarityPending = 0;
  int OrientationSaved = 0, OrientationPending = 0;
  int RoughnessSaved = 0, RoughnessPending = 0;
  int HurstSaved = 0, HurstPending = 0;
};

// MainState::ColourMode after a 24-bit colour result: the saves of panels 1 and 3 write ColourImage.
inline constexpr int kColourModeRgb = 3;

// Entries of MainState::UrbanXlsFlags: a saved urban table not yet named in the report.
enum UrbanXlsEntry : int { uxExpansion, uxPerimeter, uxExploration };

struct PrintRectangle {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct MainState {
  // Image size: one size for every panel.
  int ImageLines = 0;
  int ImageColumns = 0;

  // Image planes.
  BytePlane OriginalImage;  // panel 1
  BytePlane BinaryImage;    // panel 2: items 1 (or item codes) on background 255
  BytePlane ResultImage;    // panel 3
  BytePlane BinaryBackup;
  BytePlane RedPlane, GreenPlane, BluePlane;
  BytePlane ColourImage;  // blue, green, red per pixel: 3 x columns bytes a row
  BytePlane UndoImage;
  BytePlane FillMask;
  BytePlane WaveletImage;

  // Sequences.
  std::vector<int> GtsValues;
  int GtsLength = 0;
  std::vector<int> WaveletGtsValues;
  int WaveletGtsLength = 0;
  std::vector<int> OrientationValues;
  int OrientationLength = 0;
  int PerimDistLength = 0;
  int PerimSequenceLength = 0;

  // Regressions and the last dimension.
  std::vector<double> RegressionX, RegressionY;
  double LastFractalDimension = 0;
  int ResultBorder = 0;

  // Items of the labeled image.
  int ItemCount = 0;
  std::vector<int> ItemCodes, ItemPixels;
  std::vector<double> ItemValues, ItemValues2;
  int HoleCount = 0, HoleMinSize = 0, HoleMaxSize = 0, HoleTotalSize = 0;

  // Presence flags and modes.
  std::uint8_t HasBinaryImage = 0, HasLabeledImage = 0;
  int BinaryFlag = 0, LabeledFlag = 0;
  int ComplementaryRequested = 0;
  int ColourMode = 0;
  std::uint8_t KeepZoom = 0;
  std::uint8_t GtsReady = 0, WaveletGtsReady = 0, PixelStackReady = 0, FillMaskReady = 0;
  std::uint8_t PerimeterExtracted = 0;

  // Results waiting to be recorded in the report.
  std::array<int, Panel2ResultCount> Panel2Pending{};
  std::array<int, Panel3ResultCount> Panel3Pending{};
  DiagramFlags DiagramSavedFlags;
  std::array<int, 4> UrbanXlsFlags{};
  int ExpansionSavedFlag = 0;  // the expansion diagram of the last run is saved
  int PatternTableRequested = 0;

  std::array<std::uint8_t, DialogCancelCount> DialogCancelBytes{};

  // File names and captions.
  std::string ImageFileName;
  std::string DimensionFileName;
  std::string ReportFileName;
  std::string SavedFileName;
  std::string ImageTitle;
  std::string WorkDirectory;
  std::string ImagePath;
  std::string ReportPath;
  std::string RegisteredName;
  std::string PanelCaption, SavedPanelCaption;
  std::string ResultCaption;
  std::string TreatmentName, BinaryImageName;

  // Colour in which panel 2 shows each value.
  std::array<int, 260> PaletteRed{}, PaletteGreen{}, PaletteBlue{};

  PrintRectangle PrintRect;

  // Screen editor's line memory.
  std::vector<int> LineUndoValues;
  int LineUndoCount = 0;
  PixelPosition LineStart, LineEnd;
};
