#pragma once
// Four-point, third-order Hermite (Catmull-Rom) interpolation, shared by the mixer's tempo and
// the conversion of own files to 44.1 kHz.

namespace zelo::platform::audio {

/// The value at fraction f (0..1) between x1 and x2, with x0 and x3 their outer neighbours.
/// At f = 0 the result is exactly x1.
inline float Hermite(float x0, float x1, float x2, float x3, float f) {
  const float c1 = 0.5f * (x2 - x0);
  const float c2 = x0 - 2.5f * x1 + 2.0f * x2 - 0.5f * x3;
  const float c3 = 0.5f * (x3 - x0) + 1.5f * (x1 - x2);
  return ((c3 * f + c2) * f + c1) * f + x1;
}

}  // namespace zelo::platform::audio
