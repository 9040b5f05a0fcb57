#pragma once
// State of the binary and labeled image treatments, held by the main window.
#include <vector>

struct BinaryState {};
