#pragma once
// Arrays the treatments leave for the diagram windows, held by the main window.
#include <vector>

struct DiagramState {};
