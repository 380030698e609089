#pragma once
// Four-point, third-order Hermite (Catmull-Rom) interpolation, shared by the mixer's tempo and
// the conversion of own files to 44.1 kHz.

namespace zelo::platform::audio {

/// The weights of the four neighbours x0..x3 for the point at fraction f (0..1) between x1
/// and x2. At f = 0 they are exactly 0, 1, 0, 0, so the result is x1 unchanged.
struct HermiteWeights {
  float w0, w1, w2, w3;
};

inline HermiteWeights WeightsAt(float f) {
  const float f2 = f * f, f3 = f2 * f;
  return {-0.5f * f + f2 - 0.5f * f3, 1.0f - 2.5f * f2 + 1.5f * f3, 0.5f * f + 2.0f * f2 - 1.5f * f3,
          -0.5f * f2 + 0.5f * f3};
}

/// Sums in the same order as the mixer's vector path, so both give the same result.
inline float Hermite(float x0, float x1, float x2, float x3, const HermiteWeights& w) {
  return (w.w0 * x0 + w.w2 * x2) + (w.w1 * x1 + w.w3 * x3);
}

inline float Hermite(float x0, float x1, float x2, float x3, float f) { return Hermite(x0, x1, x2, x3, WeightsAt(f)); }

}  // namespace zelo::platform::audio
