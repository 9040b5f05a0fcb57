#pragma once
// Where a picture goes on the printed page: its size and margins in millimetres on the printable
// area of the page, kept to the picture's proportions and on the page; the same rectangle in printer
// pixels and in the scaled preview.
#include <optional>
#include <string>

struct PageGeometry {
  double ImageWidthMM = 0, ImageHeightMM = 0;  // the picture on paper
  double BitmapWidth = 0, BitmapHeight = 0;    // the picture in pixels: its proportions
  double LeftMarginMM = 0, TopMarginMM = 0;
  double PageWidthMM = 0, PageHeightMM = 0;  // the printable area

  bool HasPage() const { return PageWidthMM > 0 && PageHeightMM > 0; }
  bool HasPicture() const { return BitmapWidth > 0 && BitmapHeight > 0; }
};

struct PixelRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The picture no larger than the page, its proportions kept; then centred, or (not centred) its
// margins brought back so that the whole picture stays on the page.
void ApplyLimits(PageGeometry& g, bool centred);
// The margins that centre the picture on the page.
void CentreOnPage(PageGeometry& g);

// A picture of bitmapWidth x bitmapHeight pixels placed afresh, centred: half the page wide (no larger
// than the page), or as large as the page allows when wholePage.
void PlaceOnPage(PageGeometry& g, double bitmapWidth, double bitmapHeight, bool wholePage);
// The largest picture of the bitmap's proportions that fits the page.
void FillPage(PageGeometry& g, bool centred);

// A typed width (height) sets the size, the other side following the proportions.
void SetImageWidth(PageGeometry& g, double widthMM, bool centred);
void SetImageHeight(PageGeometry& g, double heightMM, bool centred);
// A typed margin, kept so that the picture stays on the page.
void SetLeftMargin(PageGeometry& g, double marginMM, bool centred);
void SetTopMargin(PageGeometry& g, double marginMM, bool centred);

// The picture's rectangle in the pixels of a printable area of pageWidth x pageHeight pixels.
PixelRect PageRectOf(const PageGeometry& g, int pageWidth, int pageHeight);

// The page and the picture drawn to scale, centred in a box of boxWidth x boxHeight pixels.
struct PreviewLayout {
  PixelRect Page;
  PixelRect Picture;
};
PreviewLayout PreviewOf(const PageGeometry& g, int boxWidth, int boxHeight);

// The millimetres a size or margin edit holds once cleaned by FixDecimalSeparator: an optional minus
// sign, digits and at most one decimal point (comma or point); nothing when the text is no number.
std::optional<double> ReadMillimetres(const std::string& cleanedText);
// A length as the edits show it: rounded to tenths, without a trailing ".0".
std::string TenthsText(double millimetres);
