#pragma once
// How the sequence treatments print a real result: "%lf", "undefined" for a value that has none,
// and never "-0.000000" for a tiny negative value.
#include <string>

std::string ResultText(double value);
