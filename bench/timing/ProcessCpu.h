// What a running process has used of the processor so far, from /proc.
#pragma once

#include <sys/types.h>

#include <string>

struct CpuSample {
  double wallMs = 0;          // CLOCK_MONOTONIC when sampled
  long long ticks = 0;        // utime + stime of the whole process (/proc/PID/stat), clock ticks
  long long runNs = 0;        // time on a processor, summed over its live threads (schedstat)
  long long switches = 0;     // context switches, voluntary and not, summed over its live threads
  int threads = 0;
  bool ok = false;
};

CpuSample SampleCpu(pid_t pid);

// Whether the process has `path` open.
bool HasOpen(pid_t pid, const std::string& path);
