#pragma once
// The information windows: one window class, filled from a table of contents. Each entry has its
// caption, its texts and its pictures; a window is made for each entry at start-up and filled the
// first time it is shown.
#include <QImage>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "ui/Form.h"

// The windows, in the order of the menus.
enum InfoWindow : int {
  iwGeneralInfo,
  iwLabeling,
  iwLineal,
  iwBoxCounting,
  iwBrownian,
  iwProgressive,
  iwUrbanField,
  iwRadialExpansion,
  iwCrownExpansion,
  iwPerimeterRoughness,
  iwFractalExploration,
  iwMajoritySmoothing,
  iwMorphology,
  iwHoleExtraction,
  iwPerimeterExtraction,
  iwHomogeneity,
  iwDensity,
  iwResizingBoxCounting,
  iwPerimeter,
  iwPerimeterOrientation,
  iwMovingCircle,
  iwPatternRecognition,
  iwGlobalFractal,
  iwLocalFractal,
  iwLacunarity,
  iwFractStar,
  iwFractPrism,
  iwLocalRoughness,
  iwCubicDensity,
  iwMorlet,
  iwSequences,
  iwHurst,
  iwWavelet,
  iwAbout,
  iwIllustrations,
  iwAuthors,
  iwSpeedButtons,
  InfoWindowCount
};

// A picture, with the caption lines under it. Its source is a drawing's name, "jpeg:NAME" for
// resources/info/NAME.jpg, or "glyph:NAME" for the glyph of that tool-bar button.
struct InfoPicture {
  const char* source;
  std::vector<const char*> captions;
};

// A paragraph of text, or a row of pictures.
struct InfoBlock {
  const char* text = nullptr;
  std::vector<InfoPicture> pictures;
};

// A block of text, and a row of pictures, as the tables of contents write them.
inline InfoBlock Text(const char* text) {
  return {text, {}};
}
inline InfoBlock Row(std::vector<InfoPicture> pictures) {
  return {nullptr, std::move(pictures)};
}

struct InfoContent {
  const char* caption;
  const char* memo;  // a scrolled text box above the rest, or nullptr
  std::vector<InfoBlock> blocks;
};

const InfoContent& InfoContents(InfoWindow window);
// The parts of the table, one a menu.
void BinaryInfoContents(std::array<InfoContent, InfoWindowCount>& table);
void UrbanInfoContents(std::array<InfoContent, InfoWindowCount>& table);
void GrayToneInfoContents(std::array<InfoContent, InfoWindowCount>& table);
void GeneralInfoContents(std::array<InfoContent, InfoWindowCount>& table);

// The picture a source names; a null image when there is none.
QImage InfoPictureImage(const std::string& source);

class TInfoForm : public ui::Form {
  Q_OBJECT
 public:
  explicit TInfoForm(QWidget* owner);

  // Which entry of the table this window shows; its caption is set at once.
  void SetContent(InfoWindow window);
  // Makes the texts and pictures, once.
  void Build();

  InfoWindow Window() const { return window_; }
  // What a built window holds: its text labels (captions of pictures included) and its pictures.
  int LabelCount() const { return labels_; }
  int PictureCount() const { return pictures_; }
  const std::vector<QImage>& Pictures() const { return images_; }

 private:
  InfoWindow window_ = iwGeneralInfo;
  bool built_ = false;
  int labels_ = 0;
  int pictures_ = 0;
  std::vector<QImage> images_;
};

extern std::array<TInfoForm*, InfoWindowCount> InfoForms;

// Shows an information window modally.
void ShowInfoWindow(InfoWindow window);
