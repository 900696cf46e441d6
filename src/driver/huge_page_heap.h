#pragma once

#include <cstddef>

// What asks the kernel to back a range with huge pages: madvise, or in a
// test something that records the range and the advice, so that the test
// need not depend on the machine's huge-page settings.
using AdviseMemory = int (*)(void* start, size_t length, int advice);

// A page fault is the dearest thing in a short run on a virtual machine
// (about 10 us, as long as reading a hundred lines), and a picture's pixel
// rows, the encoder's tables and the input's buffers touch some 150 heap
// pages. Starts the heap's further growth on a 2 MiB boundary marked for
// transparent huge pages (`advise`, with MADV_HUGEPAGE), which the kernel
// fills at one fault each, and keeps blocks of up to 8 MiB on the heap.
// Returns the never-touched block that fills the gap below the boundary,
// for main to free at the end; where the heap is not glibc's own
// (sanitizers), it changes nothing and advises nothing.
void* start_heap_on_huge_pages(AdviseMemory advise);
void* start_heap_on_huge_pages();  // with madvise
