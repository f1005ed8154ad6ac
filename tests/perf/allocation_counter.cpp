#include "tests/perf/allocation_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "tests/perf/libc_allocator.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void note() {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
}

void* allocate(std::size_t size) {
  note();
  void* pointer = __libc_malloc(size == 0 ? 1 : size);
  if (pointer == nullptr) throw std::bad_alloc();
  return pointer;
}

void* allocate_aligned(std::size_t size, std::align_val_t alignment) {
  note();
  void* pointer = __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size);
  if (pointer == nullptr) throw std::bad_alloc();
  return pointer;
}

}  // namespace

void start_counting_allocations() {
  allocations = 0;
  counting = true;
}

long stop_counting_allocations() {
  counting = false;
  return allocations.load();
}

extern "C" {
void* malloc(std::size_t size) {
  note();
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  note();
  return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) {
  note();
  return __libc_realloc(pointer, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
  note();
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
  note();
  void* pointer = __libc_memalign(alignment, size);
  if (pointer == nullptr) return 12;  // ENOMEM
  *result = pointer;
  return 0;
}
void free(void* pointer) { __libc_free(pointer); }
}

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return allocate_aligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocate_aligned(size, alignment); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  note();
  return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  note();
  return __libc_malloc(size == 0 ? 1 : size);
}
void operator delete(void* pointer) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer) noexcept { __libc_free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { __libc_free(pointer); }
void operator delete(void* pointer, std::align_val_t) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer, std::align_val_t) noexcept { __libc_free(pointer); }
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept { __libc_free(pointer); }
