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
  // No serialisation: the program's own code runs on its one thread, and
  // system code allocates from heaps of its own.
  static const HANDLE heap = [] {
    HANDLE own = HeapCreate(HEAP_NO_SERIALIZE, kCommittedBytes, 0);
    return own ? own : GetProcessHeap();
  }();
  return heap;
}

}  // namespace

// The nothrow and array forms of the library call these.
void* operator new(std::size_t size) {
  for (;;) {
    if (void* block = HeapAlloc(ProgramHeap(), 0, size ? size : 1)) return block;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void operator delete(void* block) noexcept {
  if (block) HeapFree(ProgramHeap(), 0, block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
