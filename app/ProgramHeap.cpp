// Every C++ allocation of the program comes from a heap of its own whose first
// megabytes stay committed. The default heap under Wine hands the pages of a
// freed page tree back to the system and faults them in again for the next
// page: each page of a search pays for it, some 3 ms in a 40 ms search.
#include <windows.h>

#include <new>

namespace {

// Room for the tree of a result page several times the usual size.
constexpr SIZE_T kCommittedBytes = 4 << 20;

HANDLE ProgramHeap() {
  // Serialised: Windows then gives the heap its low-fragmentation front end
  // (which it refuses to a heap without serialisation), and an allocation
  // from any other thread stays safe.
  static const HANDLE heap = [] {
    HANDLE own = HeapCreate(0, kCommittedBytes, 0);
    return own ? own : GetProcessHeap();
  }();
  return heap;
}

void* Allocate(std::size_t size) {
  for (;;) {
    if (void* block = HeapAlloc(ProgramHeap(), 0, size ? size : 1)) return block;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void* AllocateOrNull(std::size_t size) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void Release(void* block) noexcept {
  if (block) HeapFree(ProgramHeap(), 0, block);
}

}  // namespace

// Every form, so that no block ever meets the library's own forms, which use
// another heap. The over-aligned forms stay the library's: no type of the
// program needs them (none is linked in), and they pair only with each other.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
