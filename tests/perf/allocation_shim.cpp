// Preloaded into the real program (LD_PRELOAD) to count heap allocations of its
// steady-state frames. Counting starts ALLOCATION_SHIM_FROM seconds after the
// process starts and runs until it ends; at exit the counts go to the file named
// by ALLOCATION_SHIM_REPORT as "own <n>" (calls made from the program's own
// code, that is from its executable) and "other <n>" (from shared libraries:
// the GL driver, X, the windowing library).
#include <link.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "tests/perf/libc_allocator.h"

namespace {

std::atomic<long> own_allocations{0};
std::atomic<long> other_allocations{0};
std::uintptr_t program_begin = 0;  // the executable's loaded segments
std::uintptr_t program_end = 0;
double count_from = 1e300;
std::chrono::steady_clock::time_point process_start;
std::atomic<bool> ready{false};

int note_program_range(dl_phdr_info* info, std::size_t, void*) {
  // The first object is the executable itself.
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    const std::uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
    const std::uintptr_t end = begin + segment.p_memsz;
    if (program_begin == 0 || begin < program_begin) program_begin = begin;
    if (end > program_end) program_end = end;
  }
  return 1;
}

__attribute__((constructor)) void start_shim() {
  process_start = std::chrono::steady_clock::now();
  dl_iterate_phdr(note_program_range, nullptr);
  if (const char* from = std::getenv("ALLOCATION_SHIM_FROM")) count_from = std::atof(from);
  ready = true;
}

__attribute__((destructor)) void report() {
  ready = false;
  const char* path = std::getenv("ALLOCATION_SHIM_REPORT");
  if (path == nullptr) return;
  if (std::FILE* file = std::fopen(path, "w")) {
    std::fprintf(file, "own %ld\nother %ld\n", own_allocations.load(), other_allocations.load());
    std::fclose(file);
  }
}

inline void note(void* caller) {
  if (!ready.load(std::memory_order_relaxed)) return;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - process_start).count();
  if (seconds < count_from) return;
  const auto address = reinterpret_cast<std::uintptr_t>(caller);
  if (address >= program_begin && address < program_end)
    ++own_allocations;
  else
    ++other_allocations;
}

}  // namespace

#define CALLER __builtin_return_address(0)

extern "C" {
void* malloc(std::size_t size) {
  note(CALLER);
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  note(CALLER);
  return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) {
  note(CALLER);
  return __libc_realloc(pointer, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
  note(CALLER);
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
  note(CALLER);
  void* pointer = __libc_memalign(alignment, size);
  if (pointer == nullptr) return 12;  // ENOMEM
  *result = pointer;
  return 0;
}
void free(void* pointer) { __libc_free(pointer); }
}

// operator new is replaced too, so that a C++ allocation is seen with its real
// caller rather than as a call from the C++ runtime.
void* operator new(std::size_t size) {
  note(CALLER);
  void* pointer = __libc_malloc(size == 0 ? 1 : size);
  if (pointer == nullptr) throw std::bad_alloc();
  return pointer;
}
void* operator new[](std::size_t size) {
  note(CALLER);
  void* pointer = __libc_malloc(size == 0 ? 1 : size);
  if (pointer == nullptr) throw std::bad_alloc();
  return pointer;
}
void operator delete(void* pointer) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer) noexcept { __libc_free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { __libc_free(pointer); }
