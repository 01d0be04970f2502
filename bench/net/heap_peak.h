#pragma once
// Counts the heap bytes that operator new hands out on the calling thread, so a
// benchmark can report the peak memory of the work it times and nothing else's.

#include <cstddef>

namespace moxilo::bench {

// Starts a new measurement from the bytes the thread holds now.
void resetHeapPeak();
// The most bytes the thread held above that start since the reset.
std::size_t heapPeak();

}  // namespace moxilo::bench
