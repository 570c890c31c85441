// Linked into a test build of the program only: allocations above 16 KiB
// fail, so a test can drive the program into running out of memory.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
constexpr std::size_t allocation_limit = std::size_t{16} << 10U;
}  // namespace

void* operator new(std::size_t size) {
  while (true) {
    if (size <= allocation_limit) {
      if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
      }
    }
    // As the standard allocator does: the new-handler, else bad_alloc.
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) {
      throw std::bad_alloc();
    }
    handler();
  }
}

void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t /*size*/) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t /*size*/) noexcept {
  std::free(block);
}
