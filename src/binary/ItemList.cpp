#include "binary/ItemList.h"

#include <algorithm>

#include "app/MainState.h"
#include "binary/ItemSelection.h"
#include "binary/ResizeBC.h"

namespace {

constexpr int kLastItemCode = 254;

template <class T>
void Grow(std::vector<T>& table, std::size_t size) {
  if (table.size() < size) table.resize(size, T{});
}

}  // namespace

ItemList AllItemsList(int itemCount, const ItemIndex& index) {
  ItemList list;
  list.AllItems = true;
  const int entries = std::min(std::max(itemCount, index.HighestCode()), kLastItemCode);
  for (int code = 1; code <= entries; ++code) {
    list.Codes.push_back(code);
    list.Absent.push_back(!index[code].Present());
  }
  return list;
}

std::vector<int> ItemList::MeasuredEntries() const {
  std::vector<int> entries;
  for (int entry = 1; entry <= Entries(); ++entry)
    if (!PassedOver(entry)) entries.push_back(entry);
  return entries;
}

std::vector<int> ItemList::MeasuredCodes() const {
  std::vector<int> codes;
  for (const int entry : MeasuredEntries()) codes.push_back(CodeOf(entry));
  return codes;
}

std::optional<ItemList> AskItemList(int itemCount, const ItemIndex& index) {
  if (!ResizeBCForm->Ask(itemCount)) return std::nullopt;
  if (ResizeBCForm->Selection != 1) return AllItemsList(itemCount, index);
  ItemList list;
  list.AllItems = false;
  for (int entry = 1; entry <= ResizeBCForm->SelectedCount; ++entry) {
    const int code = ItemSelectionForm->AskCode(entry);
    list.Codes.push_back(code);
    list.Absent.push_back(!index[code].Present());
  }
  return list;
}

void PrepareItemTables(MainState& state, const ItemList& list) {
  const std::size_t size = static_cast<std::size_t>(list.Entries()) + 1;
  Grow(state.ItemCodes, size);
  Grow(state.ItemPixels, size);
  Grow(state.ItemValues, size);
  Grow(state.ItemValues2, size);
  for (int entry = 1; entry <= list.Entries(); ++entry) state.ItemCodes[entry] = list.CodeOf(entry);
}
