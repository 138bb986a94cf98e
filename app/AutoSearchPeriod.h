#pragma once

#include <windows.h>

// The auto-search timer's period for an interval in minutes. Intervals too long
// for the timer get the longest period it takes, never a wrapped one; 0 for an
// interval of 0 or below, which arms without a timer.
UINT AutoSearchPeriod(int minutes);
