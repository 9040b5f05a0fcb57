#pragma once
// Every diagram and histogram window, for the start-up and the handlers.
#include "diagrams/DiagBoxCounting.h"
#include "diagrams/DiagHurstResult.h"
#include "diagrams/DiagLacun.h"
#include "diagrams/DiagLinFract.h"
#include "diagrams/DiagLocFractDim.h"
#include "diagrams/DiagRadius.h"
#include "diagrams/Explor.h"
#include "diagrams/Histograms.h"
#include "diagrams/PerimeterDiagrams.h"
#include "diagrams/RadialExpansion.h"
