#include "bench/PeakMemory.h"

#include <cstdlib>
#include <new>

namespace {

// Plain counts: the benchmarks run on one thread, and locked arithmetic on
// every allocation would weigh on the pages that allocate most.
std::size_t held = 0;
std::size_t peak = 0;
std::size_t base = 0;

// Each block carries its size in front, so delete knows what it gives back.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  held += size;
  if (held > peak) peak = held;
  return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  held -= *static_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Release(pointer); }

namespace PeakMemory {
void Reset() { peak = base = held; }
std::size_t Peak() { return peak - base; }
}  // namespace PeakMemory
