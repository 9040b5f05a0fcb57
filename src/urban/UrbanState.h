#pragma once
// State of the urban field treatments, held by the main window.
#include "urban/UrbanForm.h"

struct UrbanState {
  TUrbanForm UrbanForm;
};
