#pragma once
// Rounding as the widgets need it: to the nearest integer, halves to even, kept inside the
// 32-bit range so that no geometry overflows.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelo::widgets {

inline int32_t Runde(double v) {
  if (std::isnan(v)) return 0;
  v = std::clamp(v, -2147483648.0, 2147483647.0);
  return static_cast<int32_t>(std::nearbyint(v));
}

}  // namespace zelo::widgets
