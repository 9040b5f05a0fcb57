#pragma once
// A labeled image in panel 2 as the labeling leaves it, and the person's moves in the screen editor:
// buttons pressed, values and colours chosen, clicks at a zoom.
#include <QAction>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <string>

#include "Program.h"
#include "app/MainWindow.h"
#include "imaging/Image.h"
#include "panels/SelectedGT.h"
#include "panels/TempImage.h"

class ScreenEditorTest : public ProgramTest {
 protected:
  static void Labeled(const BytePlane& labels) {
    LoadOriginal(BytePlane(labels.Columns(), labels.Lines()));
    TMainForm& m = *MainForm;
    for (BytePlane* plane : {&m.BinaryImage, &m.BinaryBackup, &m.RedPlane, &m.GreenPlane, &m.BluePlane})
      *plane = labels.Clone();
    m.LineUndoValues.assign(std::max(labels.Lines(), labels.Columns()) + 1, 0);
    m.HasLabeledImage = 1;
    IMAGE gray(labels.Columns(), labels.Lines(), IMAGE::kGray);
    gray.SetFromPlane(labels);
    TempImageForm->ShowBitmap(gray);
    m.Enable({"PipetteSpeedButton1", "ColorSpeedButton", "ZoomSpeedButton"});
    for (const char* name : {"ZoomSpeedButton", "PipetteSpeedButton1", "ColorSpeedButton", "CuvetSpeedButton",
                             "PencilSpeedButton", "LineSpeedButton", "LocalFillingSpeedButton"})
      m.Item(name)->setChecked(false);
  }
  static BytePlane Background(int columns, int lines) {
    BytePlane plane(columns, lines);
    plane.Fill(255);
    return plane;
  }
  // The Selected Value form answered with OK and this value.
  static auto Value(int value) {
    return [value](TSelectedValueForm& form) {
      form.SelectedValue = value;
      return ui::mrOk;
    };
  }
  // "Recoding Labelized Items" with this value and colour (0x00BBGGRR).
  void StartEditor(int value, std::uint32_t colour) {
    ui.dialog<TSelectedValueForm>(Value(value)).colour(colour);
    Press("ColorSpeedButton");
  }
  // A drawing tool pressed down, with its value and colour.
  void Tool(const char* button, int value, std::uint32_t colour) {
    ui.dialog<TSelectedValueForm>(Value(value)).colour(colour);
    Press(button);
  }
  static void Press(const char* button) { MainForm->Item(button)->trigger(); }
  // A click on the image pixel (line, column) at a zoom: inside the pixel's square at n:1, on the
  // first of the pixels a screen point covers at 1:n.
  static void ClickPixel(Qt::MouseButton button, int line, int column, int zoom) {
    TempImageForm->Zoom = zoom;
    const int x = zoom >= 2 ? zoom * column + zoom - 1 : zoom <= -2 ? column / -zoom : column;
    const int y = zoom >= 2 ? zoom * line + zoom - 1 : zoom <= -2 ? line / -zoom : line;
    TempImageForm->PaintBoxMouseDown(button, x, y);
  }
  static Rgb Shown(int line, int column) {
    const QRgb c = TempImageForm->Bitmap().pixel(column, line);
    return {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
            static_cast<std::uint8_t>(qRed(c))};
  }
  static Rgb InColourImage(int line, int column) {
    const std::uint8_t* p = MainForm->ColourImage[line] + 3 * column;
    return {p[0], p[1], p[2]};
  }
  static Rgb TableColour(int value) {
    const TMainForm& m = *MainForm;
    return {static_cast<std::uint8_t>(m.PaletteBlue[value]), static_cast<std::uint8_t>(m.PaletteGreen[value]),
            static_cast<std::uint8_t>(m.PaletteRed[value])};
  }
  // The picture and the colour image both show each pixel in its value's table colour.
  static void ExpectShownFromTables() {
    const BytePlane& values = MainForm->BinaryImage;
    ASSERT_EQ(MainForm->ColourImage.Columns(), 3 * values.Columns());
    for (int i = 0; i < values.Lines(); ++i)
      for (int j = 0; j < values.Columns(); ++j) {
        ASSERT_EQ(Shown(i, j), TableColour(values[i][j])) << i << "," << j;
        ASSERT_EQ(InColourImage(i, j), TableColour(values[i][j])) << i << "," << j;
      }
  }
};

inline Rgb Gray(int v) {
  const auto g = static_cast<std::uint8_t>(v);
  return {g, g, g};
}

// 0x00BBGGRR as a colour.
inline Rgb Colour(std::uint32_t c) {
  return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
          static_cast<std::uint8_t>(c)};
}

inline std::string Text(const BytePlane& plane) {
  std::string text;
  for (int i = 0; i < plane.Lines(); ++i) {
    for (int j = 0; j < plane.Columns(); ++j) {
      const int v = plane[i][j];
      text += v == 255 ? "." : std::to_string(v);
      text += j + 1 < plane.Columns() ? " " : "";
    }
    text += "\n";
  }
  return text;
}
