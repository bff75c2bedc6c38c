// Counts the bytes the program holds through operator new, so that a benchmark can report
// the peak memory of the operation it measures. Linking CountingAllocator.cpp replaces the
// global operator new and delete of the whole program.
#pragma once

#include <cstdint>

namespace counting {

// Bytes held now, and the most held since the last ResetPeak.
uint64_t HeldBytes();
uint64_t PeakBytes();
// Starts a new peak from what is held now.
void ResetPeak();

}  // namespace counting
