#pragma once
// The engine's level curves and the channel pan states, as pure functions. The curves and the
// reasons for them are described in docs/audio-engine.md.

#include <algorithm>
#include <cstdint>

namespace zelo::platform::audio {

/// The fader value a new mix gives every channel; it is the 0 dB point of both curves.
inline constexpr int32_t kFaderReference = 26800;
inline constexpr int32_t kFaderMax = 32767;
/// Every channel sits 12 dB below full scale at the reference, so that sixteen loud tracks
/// together stay near full scale instead of driving the limiter hard.
inline constexpr float kChannelHeadroom = 0.25f;

/// Square law over the fader travel: 40 dB between the reference and a quarter of it, silence at 0.
inline float FaderLaw(int32_t value) {
  float v = static_cast<float>(std::clamp(value, 0, kFaderMax)) / static_cast<float>(kFaderReference);
  return v * v;
}

/// Gain of a mix channel for its volume value (RWaveParam 60 + channel).
inline float ChannelGain(int32_t volume) { return kChannelHeadroom * FaderLaw(volume); }
/// Gain of the master for its value (ALautSet); the reference is unity.
inline float MasterGain(int32_t value) { return FaderLaw(value); }
/// Gain of one sound for APlay's volume (0 to 512, 256 = unity).
inline float SoundGain(int32_t volume) { return static_cast<float>(std::clamp(volume, 0, 512)) / 256.0f; }

/// How a channel's left and right input reach the two outputs:
/// outL = ll * inL + rl * inR, outR = lr * inL + rr * inR.
struct PanMatrix {
  float ll = 1, rl = 0, lr = 0, rr = 1;
};

/// Pan states of the two channel switches A (left output) and B (right output):
/// 0 both on (stereo as recorded), 1 left only, 2 right only, 3 muted. A channel sent to one
/// side is folded to mono at -3 dB per input, so a centred sound keeps its loudness.
inline PanMatrix PanFor(int32_t state, float gain) {
  constexpr float kFold = 0.70710678f;
  switch (state) {
    case 0: return {gain, 0, 0, gain};
    case 1: return {gain * kFold, gain * kFold, 0, 0};
    case 2: return {0, 0, gain * kFold, gain * kFold};
    default: return {0, 0, 0, 0};
  }
}

/// The mix's playback rate for ASetPitch's value: (120 + p / 315) / 140, so 6300 plays at the
/// recorded speed (140 beats per minute). Kept within a quarter and four times the speed.
inline double RateForPitch(int32_t p) {
  return std::clamp((120.0 + static_cast<double>(p) / 315.0) / 140.0, 0.25, 4.0);
}

}  // namespace zelo::platform::audio
