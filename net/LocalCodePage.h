#pragma once

// The platform's half of the text conversions; LocalToUtf8 of
// net/TextConversion.h lives beside this one on each platform.

// Converts one UTF-16 unit to the local code page: writes 1 or 2 bytes to out
// and returns their count, or 0 when it cannot.
int ConvertUnitToLocal(char16_t unit, char (&out)[2]);
