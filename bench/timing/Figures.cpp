#include "Figures.h"

#include <algorithm>
#include <cstdio>

Summary Summarize(std::vector<double> values) {
  Summary summary;
  summary.count = values.size();
  if (values.empty()) return summary;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  summary.min = values.front();
  summary.max = values.back();
  summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return summary;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Describe(const Summary& summary, int decimals, const std::string& unit) {
  return "min " + Fixed(summary.min, decimals) + unit + ", median " + Fixed(summary.median, decimals) + unit +
         ", max " + Fixed(summary.max, decimals) + unit + " (of " + std::to_string(summary.count) + ")";
}
