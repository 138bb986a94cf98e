#pragma once

#include <cstddef>

// Counts the bytes the program holds through operator new, and their peak.
namespace PeakMemory {
void Reset();        // counts from what is held now
std::size_t Peak();  // the most held beyond that since Reset
}  // namespace PeakMemory
