#pragma once
// Every save asks, before it writes anything, whether the files it would replace may go. The save
// dialogs do not ask themselves: they see the name as typed, not the files the program then writes.
#include <string>
#include <vector>

namespace ui {

// True when none of the files exists, or when the person answers Yes to replacing those that do.
bool MayReplace(const std::vector<std::string>& files);

}  // namespace ui
