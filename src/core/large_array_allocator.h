#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>
#include <utility>

// Takes arrays of a megabyte or more straight from the kernel, for the point
// and vertex lists of big files. Such a mapping costs nothing for the pages
// never touched, so a list can be reserved at its largest possible size
// without first counting its lines, and grows without copying. Smaller
// arrays come from the heap as usual.
template <class T>
struct LargeArrayAllocator {
  using value_type = T;
  static constexpr size_t mapped_from = size_t{1} << 20;

  LargeArrayAllocator() = default;
  template <class U>
  LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    size_t bytes = n * sizeof(T);
    if (bytes < mapped_from) return static_cast<T*>(::operator new(bytes));
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);
    return static_cast<T*>(p);
  }

  void deallocate(T* p, size_t n) noexcept {
    size_t bytes = n * sizeof(T);
    if (bytes < mapped_from) {
      ::operator delete(p);
    } else {
      munmap(p, bytes);
    }
  }

  // resize() leaves the elements it adds as they are, where value
  // initialisation would zero them: a list grows that way only over
  // elements already written in its reserved room (the halves of a file).
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  template <class U>
  bool operator==(const LargeArrayAllocator<U>&) const noexcept {
    return true;
  }
};
