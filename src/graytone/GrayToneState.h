#pragma once
// State of the gray-tone image treatments and tools, held by the main window.

struct GrayToneState {};
