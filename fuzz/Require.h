// The fuzz targets' check: a property that fails stops the run with its reason, and libFuzzer
// keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* why) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", why);
  std::abort();
}
