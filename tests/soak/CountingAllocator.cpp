// Counts the bytes that C++ allocations of this test program hold, so that the soak tells a
// leak from malloc's caches: glibc keeps freed blocks in per-thread caches that it reports as
// in use, and those fill up slowly over a long run. Not in sanitizer builds, whose allocators
// count for themselves.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include <malloc.h>

namespace {

std::atomic<std::size_t> liveBytes{0};

void* Allocate(std::size_t size, std::size_t alignment = 0) {
  if (size == 0) size = 1;
  void* p = alignment ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment) : std::malloc(size);
  if (!p) throw std::bad_alloc();
  liveBytes.fetch_add(::malloc_usable_size(p), std::memory_order_relaxed);
  return p;
}

void Free(void* p) noexcept {
  if (!p) return;
  liveBytes.fetch_sub(::malloc_usable_size(p), std::memory_order_relaxed);
  std::free(p);
}

std::size_t Alignment(std::align_val_t alignment) {
  return std::max(static_cast<std::size_t>(alignment), sizeof(void*));
}

}  // namespace

std::size_t CountedHeapBytes() { return liveBytes.load(std::memory_order_relaxed); }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t a) { return Allocate(size, Alignment(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return Allocate(size, Alignment(a)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}

void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, std::align_val_t) noexcept { Free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }

#endif
