#pragma once
// A gray result now stands in panel 1 or 3: the saves write the gray planes again, so the colour
// results shown there before can no longer be saved or registered under their names. The screen
// editor's colour picture is panel 2's and stays the screen save's.

class TMainForm;

void EndColourResults(TMainForm& m);
