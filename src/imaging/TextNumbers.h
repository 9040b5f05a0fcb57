#pragma once
// Conversions of edit texts to numbers, as the dialogs do at each change:
// leading blanks skipped, the longest numeric prefix read, 0 when there is none.
// They ignore the process locale, so a dialog reads "12.5" the same everywhere.
#include <string>

long TextToLong(const std::string& text);
// The same, saturated to the int range: a number too large for an int never wraps round.
int TextToInt(const std::string& text);
double TextToDouble(const std::string& text);

// Cleans a size or margin text before conversion: keeps digits, '-' and the decimal
// separator, turns ',' into '.', and cuts the text at the first other character.
void FixDecimalSeparator(std::string& text);
