// The table of contents of the urban field treatments.
#include "panels/InfoWindows.h"

namespace {}  // namespace

void UrbanInfoContents(std::array<InfoContent, InfoWindowCount>& t) {
  t[iwUrbanField] = {
      " Info Urban Fields",
      "The urban field treatments study how a built-up area fills space. They work on the binary or "
      "labeled image of panel 2, where one value stands for the built-up pixels, or on a gray-tone "
      "image between two thresholds.\n\n"
      "Radial Expansion and Crown Expansion grow a disc or a ring around a starting point and record, "
      "for every radius, the density of the built-up pixels and their box-counting dimension.\n\n"
      "Perim. Dist. walks along the outline of an area and records the distance of every outline pixel "
      "to a centre; the sequence of distances feeds the Hurst exponent.\n\n"
      "Fractal Exploration maps a local box-counting dimension around every pixel into panel 3.\n\n"
      "Majority Smoothing fills the notches of the areas; Morpho. Math. dilates, erodes, closes or opens "
      "them.\n\n"
      "Hole Extraction and Perimeter Extraction keep the holes enclosed by a value, or its outer "
      "outline.\n\n"
      "Homogeneity maps the share of in-threshold pixels around every pixel; Density measures the "
      "surface of a class inside one item.",
      {Text("A built-up area grown by random walkers: its density falls with the distance to the "
            "centre."),
       Row({{"jpeg:urban-growth", {}}})}};

  t[iwRadialExpansion] = {
      " Radial Expansion",
      nullptr,
      {
          Text("The treated image is thresholded into a mask of the built-up pixels."),
          Text("Around the starting point a filled disc grows one pixel of radius at a time."),
          Row({{"disc-4", {}}, {"disc-8", {}}, {"disc-12", {}}, {"disc-16", {}}}),
          Text("For every radius the density is the percentage of the disc's pixels that are in the "
               "mask."),
          Text("The box-counting dimension of the part of the mask inside the disc is measured too."),
          Row({{"expansion-curves", {}}}),
          Text("Both curves are drawn against the radius in Diagram > Radial or Crown Expansion, and "
               "saved as a .xls table."),
      }};

  t[iwCrownExpansion] = {
      " Crown Expansion",
      nullptr,
      {
          Text("The crown expansion works as the radial expansion, with a ring of fixed width in place "
               "of the disc."),
          Text("The ring moves away from the starting point one pixel at a time."),
          Row({{"ring-4", {}}, {"ring-8", {}}, {"ring-12", {}}, {"ring-16", {}}}),
          Text("For every radius the density is the percentage of the ring's pixels in the mask."),
          Text("The box-counting dimension of the part of the mask inside the ring is measured too."),
          Text("Unlike the disc, the ring forgets the centre: it shows where the city thins out."),
          Row({{"expansion-curves", {}}}),
          Text("The curves are drawn and saved as for the radial expansion."),
      }};

  t[iwPerimeterRoughness] = {
      " Perimeter Roughness",
      nullptr,
      {
          Text("The treatment takes the outline of one value of panel 2: a perimeter extracted before, "
               "or the outline of an item it first dilates."),
          Text("It walks along the outline pixel by pixel."),
          Row({{"perimeter-rays", {}}, {"perimeter-profile", {}}}),
          Text("For every pixel it records the distance to a centre: the centre of gravity of the "
               "outline, or a point given."),
          Text("The minimum, maximum and mean distances and their ratio are shown with the profile in "
               "Diagram > Perimeter Roughness."),
          Text("The sequence of distances is a signal: GTS Treatments > Hurst Exponent measures its "
               "roughness."),
          Text("A smooth outline gives a slowly varying profile; an indented one a rough profile."),
      }};

  t[iwFractalExploration] = {
      " Fractal Exploration",
      nullptr,
      {
          Text("The exploration maps how fractal the pixels of one value are around every pixel."),
          Text("A square window of side 13 or 25 is centred on each pixel."),
          Text("Inside it the boxes of four sizes (five for the side 25) that hold the value are "
               "counted."),
          Text("Minus the log-log slope is a local box-counting dimension."),
          Row({{"exploration-windows", {}}}),
          Text("Four windows, having the pixel at each of their four central places, are averaged."),
          Text("The map of the dimension (times 100) is the result image of panel 3."),
          Text("With the second scale only the dimensions from 1 up (100 and more) are written; the "
               "others stay 0."),
      }};

  t[iwMajoritySmoothing] = {
      " Majority Smoothing",
      nullptr,
      {
          Text("A background pixel with 5 or more of its 8 neighbours in the value is a notch: it takes "
               "the value."),
          Row({{"smoothing-before", {}}, {"smoothing-after", {}}}),
          Text("Filling goes on until nothing changes; isolated pixels of the value are kept. Panel 2 "
               "becomes a binary image."),
      }};

  t[iwMorphology] = {
      " Mathematical Morphology",
      nullptr,
      {
          Text("Mathematical morphology reshapes the pixels of one value of panel 2 with a 3 x 3 square "
               "element."),
          Text("Dilation: a pixel takes the value when one of its neighbours has it."),
          Text("The areas grow by one pixel at every iteration."),
          Text("Small holes and narrow gaps close."),
          Text("Erosion: a pixel of the value is lost when one of its neighbours has not the value."),
          Text("The areas shrink by one pixel at every iteration."),
          Text("Thin parts and small areas vanish."),
          Text("Closing: dilations, then as many erosions."),
          Text("It joins close areas and fills notches without growing the whole."),
          Text("Opening: erosions, then as many dilations."),
          Text("It removes small parts and thin bridges without shrinking the whole."),
          Row({{"morphology", {}}}),
          Text("The number of iterations is asked with the operation."),
          Text("The result is a binary image in panel 2: 1 on 255."),
          Text("It can be saved, labeled and measured like any binary image."),
      }};

  t[iwHoleExtraction] = {
      " Hole Extraction",
      nullptr,
      {
          Text("The hole extraction keeps the background regions enclosed by one value of panel 2."),
          Text("The outside is found by filling the background from the corner of the image."),
          Text("What the fill cannot reach, and is not of the value, is a hole."),
          Text("The holes become the items of a binary image in panel 2."),
          Text("Their number, their smallest, largest and total size are reported."),
          Text("The hole image can be labeled at once, each hole getting a code of its own."),
          Text("The labeled holes can then be measured by the per-item treatments."),
      }};

  t[iwPerimeterExtraction] = {
      " Perimeter Extraction",
      nullptr,
      {
          Text("The perimeter extraction keeps the outer outline of the pixels of one value."),
          Text("The outside is found by filling the background from the corner of the image."),
          Text("A pixel of the value that touches the outside is an outline pixel; holes inside do not "
               "count."),
          Text("The outline becomes a binary image in panel 2."),
          Text("It is the first data source of the perimeter distance treatment."),
          Text("The editing buttons are enabled, so that the outline can be mended by hand."),
      }};

  t[iwHomogeneity] = {
      " Homogeneity Calculation",
      nullptr,
      {
          Text("A gray-tone class is given by two thresholds."),
          Text("A square window moves over the image."),
          Text("At every pixel the homogeneity is the percentage of the window's pixels that lie in the "
               "class."),
          Row({{"jpeg:homogeneity-image", {}}, {"jpeg:homogeneity-class", {}}, {"jpeg:homogeneity-map", {}}}),
          Text("The map is the result image of panel 3: bright where the class dominates."),
          Text("It can be saved, thresholded and measured like any parametric image."),
      }};

  t[iwDensity] = {
      " Density Treatment Information",
      nullptr,
      {
          Text("The density treatment works inside one item of panel 2."),
          Text("The elements are the pixels of the item whose gray value, in panel 1 or panel 3, lies "
               "between two thresholds."),
          Text("Their surface is given in square kilometres, from the pixel size, and as a percentage of "
               "the item."),
      }};
}
