#pragma once

#include <string>

// Every space character (0x20) taken out; other blanks stay.
std::string RemoveSpaces(const std::string& text);

// Everything from the first "<" through the last ">" cut out in one piece.
// A text without both, or whose last ">" comes before its first "<", stays.
std::string RemoveMarkupSpan(const std::string& text);
