#pragma once
// Tool state of the screen editor on panel 2, held by the main window.

struct ScreenEditorState {};
