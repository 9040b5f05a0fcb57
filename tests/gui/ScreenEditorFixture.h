#pragma once
// A labeled panel 2 and the person's moves in the screen editor. Colours are 0x00BBGGRR.
#include <QAction>
#include <QImage>

#include "Program.h"
#include "fixtures/Blocks.h"
#include "panels/SelectedGT.h"

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
  // The Selected Value form answered with OK and this value.
  static auto Value(int value) {
    return [value](TSelectedValueForm& form) { return form.SelectedValue = value, ui::mrOk; };
  }
  // A button pressed that asks for a value and a colour ("ColorSpeedButton" starts the editor).
  void Tool(const char* button, int value, std::uint32_t colour) {
    ui.dialog<TSelectedValueForm>(Value(value)).colour(colour);
    Press(button);
  }
  // The editor started, then a drawing tool pressed down, both with this value and colour.
  void Editing(const char* button, int value, std::uint32_t colour) {
    Tool("ColorSpeedButton", value, colour);
    Tool(button, value, colour);
  }
  static void Press(const char* button) { MainForm->Item(button)->trigger(); }
  // A click on pixel (line, column): inside its square at n:1, on the first pixel a point covers at 1:n.
  static void ClickPixel(Qt::MouseButton button, int line, int column, int zoom) {
    const auto at = [zoom](int p) { return zoom >= 2 ? zoom * p + zoom - 1 : zoom <= -2 ? p / -zoom : p; };
    TempImageForm->Zoom = zoom;
    TempImageForm->PaintBoxMouseDown(button, at(column), at(line));
  }
  static std::uint32_t Rgb(int red, int green, int blue) { return blue << 16 | green << 8 | red; }
  static std::uint32_t Shown(int line, int column) {
    const QRgb c = TempImageForm->Bitmap().pixel(column, line);
    return Rgb(qRed(c), qGreen(c), qBlue(c));
  }
  static std::uint32_t InColourImage(int line, int column) {
    const std::uint8_t* p = MainForm->ColourImage[line] + 3 * column;  // blue, green, red
    return Rgb(p[2], p[1], p[0]);
  }
  static std::uint32_t Gray(int v) { return Rgb(v, v, v); }
  static std::uint32_t TableColour(int v) {
    return Rgb(MainForm->PaletteRed[v], MainForm->PaletteGreen[v], MainForm->PaletteBlue[v]);
  }
  // The picture and the colour image both show each pixel in its value's table colour.
  static void ExpectShownFromTables() {
    const BytePlane& values = MainForm->BinaryImage;
    ASSERT_EQ(MainForm->ColourImage.Columns(), 3 * values.Columns());
    for (int i = 0; i < values.Lines(); ++i)
      for (int j = 0; j < values.Columns(); ++j)
        ASSERT_EQ(std::tuple(Shown(i, j), InColourImage(i, j)),
                  std::tuple(TableColour(values[i][j]), TableColour(values[i][j])))
            << i << "," << j;
  }
};
