// The table of contents of the general windows: the program, gray-tone sequences, the About
// windows and the screen editor's buttons.
#include "panels/InfoWindows.h"

namespace {

InfoBlock Button(const char* button, const char* name, const char* use, const char* how) {
  return {nullptr, {{button, {name, use, how}}}};
}

}  // namespace

void GeneralInfoContents(std::array<InfoContent, InfoWindowCount>& t) {
  t[iwGeneralInfo] = {
      " General Info",
      nullptr,
      {
          Text("VORN measures the fractal and textural character of raster images. A gray-tone image is "
               "read as a relief: the gray value of a pixel is its height."),
          Text("1. Files > Open Gray Tone Image opens the original image (a .raw file with the .txt file "
               "giving its lines and columns, or an 8-bit .bmp file). It is shown in panel 1, and the "
               "program asks whether a general report is wanted."),
          Text("2. Binar. Treat. > Binarizing turns a range of gray tones into items (value 1) on a "
               "background (255) in panel 2. Labeling then gives every item a code of its own. A binary "
               "or labeled image can also be opened directly as a complementary image."),
          Text("3. The treatments measure panel 2 (box counting, lineal dimension, perimeters, urban "
               "field...) or the relief of panel 1 (3D fractal dimensions, lacunarity, roughness...). "
               "Parametric results are shown in panel 3."),
          Text("4. Diagrams show the log-log regressions; their Save button writes the points as a .xls "
               "text file. The save buttons of the tool bar write the panels as .raw or .bmp files."),
          Text("5. Every result, saved diagram and saved image is written to the general report, a text "
               "file that keeps the history of the work on an image."),
          Row({{"jpeg:general-relief", {}}, {"jpeg:general-binary", {}}, {"jpeg:general-labeled", {}}}),
      }};

  t[iwSequences] = {
      " GENERAL INFORMATION",
      nullptr,
      {
          Text("A gray-tone sequence (GTS) is a run of gray values, 0 to 255, taken from an image in a "
               "fixed order and read as a one-dimensional signal."),
          Text("It is extracted by Gray Tones Treat. > Gray Tones Sequence, from the original image "
               "(panel 1) or from the result image (panel 3)."),
          Text("The sequence may cover the whole scene, line after line;"),
          Text("one line, one column or one diagonal of the image;"),
          Text("a rectangular zone given by its corners;"),
          Text("or the pixels of one value of the binary or labeled image of panel 2 (an item or a zone)."),
          Text("The sequence is drawn as a curve (Diagram > GTE Curve) and can be saved as a text file of "
               "one value a line (.xls, or .ts with the second filter)."),
          Text("Two other sequences feed the same treatments: the perimeter orientation of an item and "
               "the perimeter distances of an urban outline."),
          Text("Hurst Exponent: the sequence is cut into windows of several lengths, jumping (side by "
               "side) or sliding (at every position)."),
          Text("In each window the standard deviation of the values is computed and averaged for each "
               "length."),
          Text("The slope of log10(mean deviation) against log10(length) is the Hurst exponent H: about "
               "0.5 for a random walk's steps, nearer 1 for a persistent, smooth signal, nearer 0 for an "
               "anti-persistent, rough one."),
          Text("Wavelet: the image is filtered at three scales, a sequence is taken from each filtered "
               "image and its Hurst exponent computed."),
          Text("The slope of log10(H + 1) against log10(scale) tells how the roughness changes with the "
               "scale of observation."),
      }};

  t[iwAbout] = {
      " About this Software",
      "VORN Version 2.01\n\n"
      "VORN is a desktop program for the fractal and textural analysis of raster images in the "
      "geosciences: digital elevation models, aerial and satellite pictures, thin sections, maps of "
      "built-up areas.\n\n"
      "It reads 8-bit gray-tone images (raw files with their size file, or BMP files) and binary or "
      "labeled images, and measures them:\n"
      "  - binary and labeled images: box counting (classic, progressive, resizing), lineal fractal "
      "dimension, Brownian movement, perimeter dimension and orientation, moving circle, pattern "
      "recognition;\n"
      "  - gray-tone images read as reliefs: 3D global and local fractal dimension, lacunarity, fract "
      "star, fract prism, local roughness, cubic density, Morlet wavelet;\n"
      "  - gray-tone sequences: Hurst exponent and wavelet treatment;\n"
      "  - urban fields: radial and crown expansion, perimeter roughness, fractal exploration, "
      "smoothing and morphology, holes and perimeters, homogeneity and density.\n\n"
      "Results go to panels, diagrams, tables and a general report of the session.",
      {Row({{"jpeg:about", {}}})}};

  t[iwIllustrations] = {
      " Illustrations",
      nullptr,
      {
          Row({{"jpeg:illustration-relief", {"Fractal relief", "A surface of dimension 2.3 seen from above"}},
               {"jpeg:illustration-carpet", {"Carpet", "Dimension log 8 / log 3 = 1.89"}},
               {"jpeg:illustration-coast", {"Coastline", "An island of a rough relief"}}}),
          Row({{"jpeg:illustration-growth", {"Aggregate", "Growth by random walkers"}},
               {"jpeg:illustration-julia", {"Julia set", "A boundary of fractal dimension"}},
               {"jpeg:illustration-fern", {"Leaf", "Four affine maps repeated"}}}),
      }};

  t[iwAuthors] = {" Authors",
                  nullptr,
                  {
                      Text("VORN Version 2.01"),
                      Text("Written by the VORN developers."),
                      Text("Fractal and textural analysis of raster images for the geosciences."),
                      Text("Free software for scientific research and teaching."),
                      Text("Results published with its help should name the program and its version."),
                      Text("No registration is needed."),
                  }};

  t[iwSpeedButtons] = {
      " Info about the following speed buttons",
      nullptr,
      {
          Text("These buttons of the tool bar edit the binary or labeled image of panel 2."),
          Text("A tool applies where you click in panel 2; while Zoom is down a click zooms first."),
          Text("Of the tools that stay down, one of a group at a time; a second click lifts it."),
          Button("glyph:PipetteSpeedButton1", "Pipette", "Gives a colour to one item of panel 2.",
                 "Press it, click an item, then choose the colour."),
          Button("glyph:ColorSpeedButton", "Recoding Labelized Items", "Starts the screen editor on panel 2.",
                 "Give the value and colour the tools will use."),
          Button("glyph:CuvetSpeedButton", "Filling Tool",
                 "Gives the chosen value to every pixel of the clicked value.",
                 "Items of one class can so be merged."),
          Button("glyph:PencilSpeedButton", "Pencil", "Gives the chosen value to the clicked pixel.",
                 "Zoom in first to draw pixel by pixel."),
          Button("glyph:LineSpeedButton", "Line", "Draws a straight line of the chosen value.",
                 "Left click: the start. Right click: the end."),
          Button("glyph:DelateLineSpeedButton", "Delate Previous Line", "Removes the last line drawn.",
                 "The pixels get back their former values."),
          Button("glyph:LocalFillingSpeedButton", "Local Filling",
                 "Fills the background region around the clicked point.",
                 "The region ends at the item pixels around it."),
          Button("glyph:DilatSpeedButton", "Adaptive Closing", "Joins the pieces of one value into one item.",
                 "They grow until they touch, then shrink back."),
          Button("glyph:AureoleSpeedButton", "Extraction of the Dilation Contour",
                 "Keeps what the adaptive closing added to each item.",
                 "The gained pixels keep their item codes."),
          Button("glyph:GoBackSpeedButton", "Return", "Comes back to the labeled image as it was.",
                 "The editing tools are then turned off."),
          Button("glyph:SaveScreenSpeedButton", "Save Screen Editor", "Saves the edited panel 2.",
                 "In colour when colours were given."),
      }};
}
