// Summaries of repeated measurements, and how the timing tools print numbers.
#pragma once

#include <string>
#include <vector>

struct Summary {
  double min = 0;
  double median = 0;
  double max = 0;
  std::size_t count = 0;
};

// Min, median (the mean of the middle two for an even count) and max; all 0 when empty.
Summary Summarize(std::vector<double> values);

// "min X, median Y, max Z (of N)", with `decimals` digits after the point and `unit` after each value.
std::string Describe(const Summary& summary, int decimals, const std::string& unit);

// A value with a fixed number of decimals.
std::string Fixed(double value, int decimals);
