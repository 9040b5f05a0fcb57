// The table of contents of the binary and labeled image treatments.
#include "panels/InfoWindows.h"

namespace {}  // namespace

void BinaryInfoContents(std::array<InfoContent, InfoWindowCount>& t) {
  t[iwLabeling] = {
      " LABELING",
      nullptr,
      {
          Text("Labeling gives every item of the binary image of panel 2 a code of its own."),
          Text("An item is a set of item pixels (value 1) joined by their sides or corners "
               "(8-connectivity)."),
          Text("Only the items whose size in pixels lies between the minimum and the maximum asked are "
               "kept; the others become background (255)."),
          Text("Codes are 1, 2, 3 ... in the order the items are met, line by line from the top; the code "
               "10 is never given, so at most 253 items can be labeled."),
          Text("The labeled image is the input of the per-item treatments: resizing box counting, "
               "perimeter, perimeter orientation, moving circle and pattern recognition."),
      }};

  t[iwLineal] = {
      " Lineal Calculation",
      nullptr,
      {
          Text("The lineal fractal dimension measures one item along one direction: every line (or every "
               "column) of the image is a trace."),
          Text("Each trace is cut into segments of 1, 2, 3, 4, 6 and 12 pixels, and the segments that "
               "hold at least one pixel of the item are counted."),
          Text("For each trace the counts give a slope in log-log; the mean dimension is 1 minus the mean "
               "of these slopes."),
          Text("The counts of all traces added together give the global slope and the global dimension, "
               "1 minus that slope; its six points are drawn in the lineal diagram."),
          Row({{"lineal-trace", {}}, {"loglog-lineal", {}}}),
          Text("A compact item gives a dimension near 0 along a trace; an item spread in dust gives a "
               "dimension between 0 and 1."),
      }};

  t[iwBoxCounting] = {
      " Box Counting Computation",
      nullptr,
      {
          Text("Box counting covers the image with square boxes of side s and counts N(s), the boxes that "
               "hold at least one pixel of the item."),
          Text("For a fractal set N(s) grows as s to the power -D: the dimension D is minus the slope of "
               "ln N(s) against ln s."),
          Row({{"box-grids", {}}}),
          Text("The item is a value of the binary or labeled image (panel 2), or the pixels of the "
               "original image between two thresholds."),
          Text("The boxes are laid side by side from the top-left corner, so only the sides that divide "
               "both the number of lines and the number of columns cover the image exactly."),
          Text("Border testing range: the program looks for a slightly smaller image size that has more "
               "common divisors, and proposes it."),
          Text("All sizes: every side from 1 to the greatest box is used; the last partial row and column "
               "of boxes are left out."),
          Text("These dividers: only the common divisors of the image size are used."),
          Text("Cutting the image: the proposal is searched over a large range, which can cut a lot of "
               "the image."),
          Text("Partial fitting counts a box with any item pixel; total fitting counts the boxes filled "
               "entirely and uses the box surface."),
          Text("Until equality: the counting stops once every box is filled, since larger boxes add "
               "nothing."),
      }};

  t[iwBrownian] = {
      " Brownian Mouvement Calculation",
      nullptr,
      {
          Text("Random walkers run along a path: the pixels of panel 2 whose values lie between two "
               "thresholds."),
          Text("A walk is a chain of straight segments of random direction and length; a walker that "
               "leaves the path steps back and turns."),
          Text("A pixel visited a second time is a crossing. The walks are drawn in panel 3, the walked "
               "pixels in red."),
          Row({{"brownian-walk", {}}, {"brownian-crossings", {}}, {"loglog-brownian", {}}}),
          Text("Mean: the mean over the walks of a slope measured on 16 window sizes."),
          Text("Dim2: twice the slope of ln(points) against ln(points - crossings)."),
          Text("Dim3: 2 - 0.5 s, where s is the slope of ln(distance between the ends) against "
               "ln(points)."),
      }};

  t[iwProgressive] = {
      " Progressive Box Counting Method",
      nullptr,
      {
          Text("Progressive box counting uses boxes whose side b is a real number growing by a fixed "
               "step."),
          Text("At each size the binary image is reduced to lines / b by columns / b cells; each cell "
               "takes the mean of the pixels under it, a pixel partly covered counting for the part "
               "covered."),
          Row({{"progressive-1", {}}, {"progressive-2", {}}, {"progressive-3", {}}}),
          Text("The cells that hold some item are counted (or those of the background, when it is the "
               "background that is studied)."),
          Text("The dimension is minus the slope of ln(count) against ln(b)."),
          Text("Since b need not divide the image size, every step gives a point, unlike the classic box "
               "counting."),
          Row({{"loglog-progressive", {}}}),
          Text("Small steps give many points; the first and the largest sizes may be left out of the "
               "fit."),
          Text("The points are drawn in Diagram > Progressive Box Counting."),
          Text("The dimension of a filled area is 2, that of a line 1."),
      }};

  t[iwResizingBoxCounting] = {
      " Info about this treatment",
      nullptr,
      {
          Text("Resizing box counting gives one fractal dimension for every item of the labeled image."),
          Text("Each item is cut out in a frame of its own whose sides are raised to a multiple of 8."),
          Text("The boxes are counted at the sides 1, 2, 4 and 8, which all tile the frame exactly; the "
               "dimension is minus the slope of the four log-log points."),
          Text("The dimensions go to the general report, one line an item; a message shows the first "
               "five items."),
      }};

  t[iwPerimeter] = {
      " Perimeter Calculation",
      nullptr,
      {
          Text("The contour of each item is taken on the item dilated twice, thinned and traced into an "
               "ordered list of points."),
          Row({{"perimeter-step-1", {}}, {"perimeter-step-4", {}}, {"loglog-perimeter", {}}}),
          Text("The contour is walked with yardsticks of 1, 2, 4 and 8 points; a longer yardstick "
               "misses more of the detail and gives a shorter length."),
          Text("The slope of ln(length) against ln(yardstick) gives the perimeter's fractal value; the "
               "results go to the report and to a message box."),
      }};

  t[iwPerimeterOrientation] = {
      " Perimeter Orientation",
      nullptr,
      {
          Text("The contour of one labeled item is walked in steps of a given number of contour points."),
          Text("The direction of each step is kept as a whole angle in degrees."),
          Row({{"orientation-steps", {}}, {"orientation-sequence", {}}}),
          Text("The angles form a sequence, drawn in Diagram > Perimeter Orientation; its Hurst exponent "
               "tells how regular the outline is."),
      }};

  t[iwMovingCircle] = {" Moving Circle Calculation", nullptr, {Row({{"moving-circle", {}}})}};

  t[iwPatternRecognition] = {
      " Pattern Recognition Parameters",
      "For every item of the labeled image the treatment computes:\n\n"
      "Surface: the number of pixels of the item, and in square metres with the pixel size.\n"
      "Recalculated surface: the inner pixels plus half of the perimeter pixels.\n"
      "Perimeter: the number of item pixels with a background pixel beside them.\n"
      "Perimeter length: the links between perimeter pixels, 0.707 across a corner, 0.5 along a side "
      "(each link met from both ends).\n"
      "Rodondity index: perimeter squared over surface.\n"
      "Perimeter/surface: 100 x perimeter / surface, in pixels and with the perimeter length.\n"
      "Convexity index: 100 x surface / surface of the convex hull.\n"
      "Convex perimeter: the pixels of the convex hull's outline.\n"
      "Perimeter convexity index: 100 x convex perimeter / perimeter.\n"
      "Number of holes, their smallest, largest and mean size.\n"
      "Porosity rate: 100 x hole pixels / (hole pixels + surface).\n"
      "Convex porosity rate: 100 x hole pixels / convex hull surface.\n"
      "External convexity index and external perimeter convexity index: the same indices on the item "
      "with its holes filled.\n"
      "Radius and perimeter of the circle of the same surface.\n"
      "Ratio 1: perimeter / perimeter of that circle.\n"
      "External perimeter and its length.\n"
      "Ratio 2: external perimeter length / perimeter of that circle.\n\n"
      "The values go to the general report and, when asked, to a .xls table of one row an item.",
      {}};
}
