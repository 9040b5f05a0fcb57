#include "sequence/ResultText.h"

#include <cmath>

#include "diagrams/DiagramForm.h"

std::string ResultText(double value) {
  if (std::isnan(value)) return "undefined";
  const std::string text = Format("%lf", value);
  return text == "-0.000000" ? "0.000000" : text;
}
