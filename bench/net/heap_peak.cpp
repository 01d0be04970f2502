#include "heap_peak.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace moxilo::bench {
namespace {

thread_local std::size_t liveBytes = 0;
thread_local std::size_t startBytes = 0;
thread_local std::size_t peakBytes = 0;

void* allocate(std::size_t size) {
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    liveBytes += malloc_usable_size(memory);
    peakBytes = std::max(peakBytes, liveBytes);
    return memory;
}

void release(void* memory) noexcept {
    if (memory != nullptr) {
        liveBytes -= std::min(liveBytes, malloc_usable_size(memory));
        std::free(memory);
    }
}

}  // namespace

void resetHeapPeak() {
    startBytes = liveBytes;
    peakBytes = liveBytes;
}

std::size_t heapPeak() {
    return peakBytes - std::min(peakBytes, startBytes);
}

}  // namespace moxilo::bench

void* operator new(std::size_t size) {
    return moxilo::bench::allocate(size);
}
void* operator new[](std::size_t size) {
    return moxilo::bench::allocate(size);
}
void operator delete(void* memory) noexcept {
    moxilo::bench::release(memory);
}
void operator delete[](void* memory) noexcept {
    moxilo::bench::release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    moxilo::bench::release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    moxilo::bench::release(memory);
}
