#pragma once
// State of the gray-tone sequence treatments, held by the main window.

struct SequenceState {};
