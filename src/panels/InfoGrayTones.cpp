// The table of contents of the gray-tone image and gray-tone sequence treatments.
#include "panels/InfoWindows.h"

namespace {}  // namespace

void GrayToneInfoContents(std::array<InfoContent, InfoWindowCount>& t) {
  t[iwGlobalFractal] = {
      " 3D Global Fractal Dimension",
      nullptr,
      {
          Text("The original image is read as a relief: the gray value of a pixel is its height."),
          Text("For every distance r from the centre pixel, the mean absolute height difference between "
               "the centre and the pixels at that distance is computed."),
          Text("For a fractal relief this mean grows as r to the power H; H is the slope of the log-log "
               "fit."),
          Text("The fractal dimension of the surface is 3 - H, between 2 (smooth) and 3 (very rough); it "
               "is shown in a message and written to the report."),
      }};

  t[iwLocalFractal] = {
      " Local Fractal Calculation",
      nullptr,
      {
          Text("Around each pixel a small window of the relief (12 or 24 pixels) is turned into a cube of "
               "cells, the gray values scaled by the adaptive factor H, and the cube is box-counted at "
               "several box sizes."),
          Row({{"local-window", {}}, {"local-cube", {}}, {"loglog-local", {}}}),
          Text("Minus the log-log slope is the local dimension; two windows offset by one pixel are "
               "averaged. The map goes to panel 3, its frequency curve to Diagram > Local Fractal."),
      }};

  t[iwLacunarity] = {
      " Lacunarity ",
      nullptr,
      {
          Text("Lacunarity measures how the gaps of a pattern are distributed: two patterns of one "
               "dimension can differ in their lacunarity."),
          Row({{"gliding-box", {}}}),
          Text("A square box of side W = 2K + 1 glides over the image (panel 2, or the gray tones of "
               "panel 1); at every place its mass is counted. The lacunarity is the mean of the squared "
               "masses divided by the square of the mean mass."),
          Text("It is computed for a range of box sizes; log10 of the lacunarity against log10 W is drawn "
               "and fitted in the lacunarity diagram."),
      }};

  t[iwFractStar] = {
      " STAR CALCULATION",
      nullptr,
      {
          Text("At each pixel the gray profile along arms of 8 pixels is measured as a length with the "
               "steps 1, 2, 4 and 8; the dimension follows from the log-log slope of length against "
               "step."),
          Row({{"star-arms", {}}}),
          Text("The arms form a Greek cross (vertical and horizontal), a St Andrew cross (the diagonals) "
               "or a star (the mean of both). The map goes to panel 3; the mean dimension, over the "
               "scene or over one item, to a message and the report."),
      }};

  t[iwFractPrism] = {
      "Prism Calculation",
      nullptr,
      {
          Text("The prism method measures the relief around each pixel as an area, at several scales."),
          Text("Around the pixel eight points are taken: the four corners and the four sides of a "
               "square."),
          Text("With the centre they make eight triangles, like the top of a prism."),
          Text("The height of every point is its gray value."),
          Row({{"prism-top", {}}, {"prism-triangle", {}}}),
          Text("An edge of a triangle joins two points in space: a horizontal step and a height "
               "difference."),
          Text("The area of a triangle follows from its three edges (Heron's formula)."),
          Text("The eight areas added give the surface of the prism top."),
          Text("The same is done at five scales:"),
          Text("scale 1: the neighbours at 1 pixel, half their height difference, side 2.5;"),
          Text("scale 2: the neighbours at 1 pixel, side 5;"),
          Text("scale 3: the neighbours at 2 pixels, three quarters of the difference, side 7.5;"),
          Text("scale 4: the neighbours at 2 pixels, side 10;"),
          Text("scale 5: the neighbours at 3 pixels, five sixths of the difference, side 12.5."),
          Row({{"prism-scale-1", {}}, {"prism-scale-2", {}}, {"prism-scale-3", {}}}),
          Text("Each area is divided by the square of its scale: 1, 4, 9, 16 and 25."),
          Text("For a smooth surface the divided area falls fast as the scale grows;"),
          Text("for a rough one it falls slowly: the large triangles still cover the relief's detail."),
          Text("The logarithm of the divided area is drawn against the logarithm of the scale."),
          Row({{"loglog-prism", {}}}),
          Text("The least-squares slope of the five points gives the dimension:"),
          Text("D = 2 - slope."),
          Text("A plane gives D = 2; the rougher the relief, the nearer D comes to 3."),
          Text("The treatment is long: a window asks to confirm its start."),
          Text("Every pixel at least 3 pixels from the edges gets its dimension."),
          Text("The minimum, maximum and mean dimension are shown in a message."),
          Text("They are written to the general report when it is on."),
          Text("Values below 2 count as 2 in the mean."),
          Text("The dimensions are rescaled to the gray tones 1 to 255 in panel 3."),
          Text("A border of 3 pixels stays white."),
          Text("Bright pixels are the roughest places of the relief,"),
          Text("dark pixels the smoothest."),
          Text("The map shows boundaries of texture that the gray tones alone hide."),
          Text("It can be saved, binarized and measured like any result image."),
          Text("Local Roughness and Fract Star measure other sides of the same relief."),
          Text("Their maps can be compared with this one, pixel by pixel."),
          Text("Saving panel 3 records the map in the report."),
      }};

  t[iwLocalRoughness] = {
      " LOCAL ROUGHNESS INFO",
      nullptr,
      {
          Text("At every pixel the local roughness is the mean absolute gray difference between the "
               "pixel and its 8 neighbours."),
          Row({{"roughness-window", {}}}),
          Text("The values are rescaled into panel 3: bright where the relief changes fast."),
          Text("The treatment has no parameter; a window asks to confirm its start."),
      }};

  t[iwCubicDensity] = {
      " Cubic Density",
      nullptr,
      {
          Text("A cube of (2h + 1) x (2h + 1) x (2h + 1) cells is centred on each pixel and on its "
               "height."),
          Text("Each pixel of the window fills a column of cells whose height follows its gray "
               "difference to the centre, counted in radiometric jumps."),
          Row({{"cubic-cube", {}}}),
          Text("The density is the filled share of the cube, scaled to 0 .. 254: high on smooth ground, "
               "low where the relief breaks."),
          Text("The treatment runs for the jumps 1 to J in turn; panel 3 keeps the last one."),
      }};

  t[iwMorlet] = {
      " Morlet Matrix",
      nullptr,
      {
          Text("The image is filtered by a two-dimensional wavelet of the form (2 - u) exp(-u / 2), "
               "where u = r² / σ² and r is the distance to the centre of the kernel."),
          Row({{"jpeg:morlet-kernel", {}}, {"jpeg:morlet-image", {}}, {"jpeg:morlet-response", {}}}),
          Text("The kernel is positive at its centre and negative around it: it answers to the spots and "
               "ridges whose size matches σ."),
          Text("The original, binary or parametric image can be filtered, in a square moving window."),
          Text("The response is rescaled to 0 .. 255 into panel 3."),
      }};

  t[iwHurst] = {" Hurst Coefficient Calculation",
                nullptr,
                {Row({{"hurst-jumping", {}}, {"hurst-sliding", {}}, {"loglog-hurst", {}}})}};

  t[iwWavelet] = {" Wavelet Treatment Information", nullptr, {Row({{"wavelet-scales", {}}})}};
}
