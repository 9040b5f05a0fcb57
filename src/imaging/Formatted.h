#pragma once
// printf into a string, for report lines, messages and file rows.
#include <string>

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
