#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "binary/kernels/PatternTable.h"

namespace {

int Fields(const std::string& row) {
  return static_cast<int>(std::count(row.begin(), row.end(), '\t')) + 1;
}

}  // namespace

TEST(PatternTable, HeaderNamesTwentySixColumns) {
  const std::string header = kPatternTableHeader;
  EXPECT_EQ(header.rfind("Num. Item\tSurf (pixels)\tSurf (meters)\tRec. Surf (pix)", 0), 0u);
  EXPECT_EQ(Fields(header), 26);
  EXPECT_EQ(header.back(), '\n');
  EXPECT_NE(header.find("\tRatio 1\tExtern. Perim (pix.)\tExtern. Perim (meters)\tRatio 2\n"),
            std::string::npos);
}

TEST(PatternTable, RectangleRowWithPixelsOfTwoMetres) {
  BytePlane labels(12, 10);
  labels.Fill(255);
  for (int i = 2; i < 6; ++i)
    for (int j = 2; j < 7; ++j) labels[i][j] = 1;
  const ItemShape shape = MeasureItem(labels, 1, IndexItems(labels)[1]);
  // Surfaces scale with p^2 (20 pixels of 4 m2), lengths with p.
  EXPECT_EQ(PatternTableRow(shape, 2.0),
            "1\t20\t80.000000\t13.000000\t52.000000\t"
            "14\t28.000000\t19.656000\t39.312000\t"
            "9.800000\t70.000000\t151.200000\t100.000000\t14\t100.000000\t"
            "0\t0.000000\t0.000000\t100.000000\t100.000000\t"
            "2.034214\t12.781346\t1.095346\t19.656000\t39.312000\t1.537866\n");
}

TEST(PatternTable, AnItemOnTheFrameKeepsItsTwentySixFields) {
  ItemShape frame;
  frame.Code = 12;
  frame.Surface = 3;
  const std::string row = PatternTableRow(frame, 0.5);
  EXPECT_EQ(Fields(row), 26);
  EXPECT_EQ(row.substr(0, row.find("\tundefined")), "12\t3\t0.750000");
  EXPECT_EQ(row.substr(row.size() - 11), "\tundefined\n");
}

TEST(PatternTable, ExtensionAddedOnlyWhenMissing) {
  EXPECT_EQ(WithXlsExtension("/data/items"), "/data/items.xls");
  EXPECT_EQ(WithXlsExtension("/data/items.xls"), "/data/items.xls");
  EXPECT_EQ(WithXlsExtension("ITEMS.XLS"), "ITEMS.XLS");
  EXPECT_EQ(WithXlsExtension("items.xls.bak"), "items.xls.bak.xls");
  EXPECT_EQ(WithXlsExtension(""), ".xls");
}
