// What the soak measures of its own process, to see that nothing grows or spins.
#pragma once

#include <chrono>
#include <cstddef>

// Live heap bytes of C++ allocations: as the sanitizer's allocator counts them in a sanitizer
// build, as soak/CountingAllocator.cpp counts them otherwise.
std::size_t HeapInUse();
// Whether HeapInUse counts a sanitizer's allocations; resident memory then means little, since
// the sanitizers keep freed memory in quarantine and shadow memory grows with use.
bool UnderSanitizer();
std::size_t ResidentBytes();
std::size_t OpenDescriptors();
std::size_t Threads();
std::chrono::nanoseconds ProcessCpuTime();
