#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "binary/kernels/PatternTable.h"

// Whole rows are checked byte for byte in the tables the pattern recognition writes (pixels of 1 and
// 2 metres); here the square metres of an item on the frame, at half a metre.
TEST(PatternTable, AnItemOnTheFrameHasOnlyItsSurface) {
  ItemShape frame;
  frame.Code = 12;
  frame.Surface = 3;
  const std::string row = PatternTableRow(frame, 0.5);
  EXPECT_EQ(row.substr(0, row.find("\tundefined")), "12\t3\t0.750000");
}

TEST(PatternTable, ExtensionAddedOnlyWhenMissing) {
  const std::vector<std::pair<std::string, std::string>> cases = {{"/data/items", "/data/items.xls"},
                                                                  {"/data/items.xls", "/data/items.xls"},
                                                                  {"ITEMS.XLS", "ITEMS.XLS"},
                                                                  {"items.xls.bak", "items.xls.bak.xls"},
                                                                  {"", ".xls"}};
  for (const auto& [name, expected] : cases) EXPECT_EQ(WithXlsExtension(name), expected) << name;
}
