#pragma once
// State of the urban field treatments, held by the main window.

struct UrbanState {};
