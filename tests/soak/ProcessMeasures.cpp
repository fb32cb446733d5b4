#include "soak/ProcessMeasures.h"

#include <filesystem>
#include <fstream>

#include <time.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELNOR_SOAK_SANITIZED 1
// From the sanitizer runtime; g++ ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
std::size_t CountedHeapBytes();  // soak/CountingAllocator.cpp
#endif

namespace {

std::size_t Entries(const char* dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

}  // namespace

std::size_t HeapInUse() {
#ifdef VELNOR_SOAK_SANITIZED
  return __sanitizer_get_current_allocated_bytes();
#else
  return CountedHeapBytes();
#endif
}

bool UnderSanitizer() {
#ifdef VELNOR_SOAK_SANITIZED
  return true;
#else
  return false;
#endif
}

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

std::size_t OpenDescriptors() { return Entries("/proc/self/fd"); }

std::size_t Threads() { return Entries("/proc/self/task"); }

std::chrono::nanoseconds ProcessCpuTime() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}
