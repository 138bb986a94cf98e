#pragma once

#include <windows.h>

// Top-left corner that centres a window rectangle on a work area, kept inside it:
// past the left or top edge it sits on that edge; past the right or bottom edge
// its far side lines up with it.
POINT CentreOnWorkArea(const RECT& window, const RECT& workArea);
