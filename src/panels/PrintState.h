#pragma once
// Printing and page set-up state, held by the main window.

struct PrintState {};
