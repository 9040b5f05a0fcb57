#pragma once
// The items a per-item treatment measures: entries 1 .. n of the per-item tables (ItemCodes,
// ItemPixels, ItemValues, ItemValues2), each with the code it measures. Built from the item
// selection dialogs, or from all the codes of the labeled image.
#include <optional>
#include <vector>

#include "binary/kernels/ItemIndex.h"

struct MainState;

struct ItemList {
  bool AllItems = true;
  std::vector<int> Codes;  // Codes[i - 1]: the code of entry i
  // In all-items mode the entries whose code no pixel bears are passed over, as the code 10 that
  // the labeling never gives; a selected code is always measured.
  std::vector<bool> Absent;

  int Entries() const { return static_cast<int>(Codes.size()); }
  int CodeOf(int entry) const { return Codes[entry - 1]; }
  bool PassedOver(int entry) const { return AllItems && Absent[entry - 1]; }
  // The entries measured, in order, and their codes.
  std::vector<int> MeasuredEntries() const;
  std::vector<int> MeasuredCodes() const;
};

// Every item: entries 1 .. the highest code, ItemCount or a higher code present in a complementary
// labeled image; entry i holds the code i.
ItemList AllItemsList(int itemCount, const ItemIndex& index);

// TResizeBCForm, then for a selection TItemSelectionForm once per item; nothing on Cancel.
std::optional<ItemList> AskItemList(int itemCount, const ItemIndex& index);

// The per-item tables hold at least the list's entries (entries beyond keep their values), and
// ItemCodes the list's codes.
void PrepareItemTables(MainState& state, const ItemList& list);
