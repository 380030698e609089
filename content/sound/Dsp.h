#pragma once
// The sound kit's signal processing: pure functions and small value types over float buffers
// at 44.1 kHz. Everything is deterministic: noise comes from seeded generators, never from
// the clock, so the kit has the same bytes on every run.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace zelo::content::sound {

inline constexpr int kRate = 44100;
inline constexpr double kPi = 3.14159265358979323846;
/// 140 beats per minute: 18,900 frames a beat, 75,600 a bar (302,400 engine bytes).
inline constexpr int kFramesPerBeat = 18900;
inline constexpr int kFramesPerBar = 4 * kFramesPerBeat;
inline constexpr int kFramesPerStep = kFramesPerBeat / 4;  ///< a sixteenth
inline constexpr int kBytesPerBar = kFramesPerBar * 4;

/// Frequency of a MIDI note number (69 = A 440 Hz).
inline double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }
inline float DbToGain(double db) { return static_cast<float>(std::pow(10.0, db / 20.0)); }
inline double GainToDb(double g) { return g > 1e-12 ? 20.0 * std::log10(g) : -240.0; }

/// A stereo buffer.
struct Stereo {
  std::vector<float> l, r;
  Stereo() = default;
  explicit Stereo(size_t frames) : l(frames, 0.0f), r(frames, 0.0f) {}
  size_t size() const { return l.size(); }
  void Add(size_t i, float left, float right) {
    if (i < l.size()) {
      l[i] += left;
      r[i] += right;
    }
  }
};

/// Seeded noise source (splitmix64): the same seed gives the same numbers on every machine.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  /// Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  /// Uniform in [-1, 1).
  float Bipolar() { return static_cast<float>(Unit() * 2.0 - 1.0); }
  int Below(int n) { return static_cast<int>(Unit() * n); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

 private:
  uint64_t state_;
};

enum class Wave { Sine, Saw, Square, Triangle, Noise };

/// A band-limited oscillator (polyBLEP edges), so high notes do not alias into the key.
class Oscillator {
 public:
  explicit Oscillator(Wave wave, double phase = 0.0, uint64_t seed = 1) : wave_(wave), phase_(phase), noise_(seed) {}
  float Next(double hz);

 private:
  Wave wave_;
  double phase_;
  Random noise_;
};

/// Attack, decay, sustain, release in seconds; the level follows straight attacks and
/// exponential decays. Every stage starts and ends at a level, so no step ever clicks.
struct Envelope {
  double attack = 0.002, decay = 0.2, sustain = 0.0, release = 0.05;
  /// Level at time t (seconds) of a note held for `held` seconds.
  double At(double t, double held) const;
  /// Time after the note's start when the level has died away.
  double Length(double held) const { return held + release; }
};

enum class FilterMode { LowPass, BandPass, HighPass };

/// A state-variable filter (trapezoidal integration): stable under fast cutoff sweeps.
class Filter {
 public:
  explicit Filter(FilterMode mode = FilterMode::LowPass) : mode_(mode) {}
  void Set(double cutoffHz, double resonance);
  float Process(float x);

 private:
  FilterMode mode_;
  double g_ = 0.1, k_ = 1.4, a1_ = 0, a2_ = 0, a3_ = 0, ic1_ = 0, ic2_ = 0;
};

/// A one-pole high-pass that removes offset below about `hz`.
class DcBlock {
 public:
  explicit DcBlock(double hz = 20.0) : a_(std::exp(-2.0 * kPi * hz / kRate)) {}
  float Process(float x) {
    double y = a_ * (y_ + x - x_);
    x_ = x;
    y_ = y;
    return static_cast<float>(y);
  }

 private:
  double a_, x_ = 0, y_ = 0;
};

/// Equal-power pan: -1 left, 0 centre, 1 right.
inline void PanGains(double pan, float& left, float& right) {
  double a = (pan + 1.0) * 0.25 * kPi;
  left = static_cast<float>(std::cos(a) * std::sqrt(2.0));
  right = static_cast<float>(std::sin(a) * std::sqrt(2.0));
}

/// A small stereo room (parallel combs into allpasses), for the kit's sense of space.
void AddReverb(Stereo& buffer, double wet, double size, double damping);
/// A feedback echo, left and right alternating; `delayFrames` apart.
void AddPingPong(Stereo& buffer, int delayFrames, double feedback, double wet);
/// Soft saturation with the given drive (1 = gentle).
void Saturate(Stereo& buffer, double drive);
/// Removes offset from both channels.
void RemoveDc(Stereo& buffer);
void Scale(Stereo& buffer, float gain);
void Mix(Stereo& into, const Stereo& from, float gain, size_t at = 0);

/// Folds everything past `frames` back onto the start, so the loop's tails (releases, echoes,
/// room) continue over its wrap point as they would when the loop repeats; then cuts.
void FoldTail(Stereo& buffer, size_t frames);
/// Short fades at both ends for material that is not meant to repeat seamlessly.
void FadeEnds(Stereo& buffer, size_t inFrames, size_t outFrames);

/// Root mean square of both channels together, in dBFS.
double RmsDb(const Stereo& buffer);
/// Highest absolute sample, in dBFS.
double PeakDb(const Stereo& buffer);

/// Brings a loop to a loudness and keeps every peak at or below `ceilingDb`. The gain curve
/// is computed around the loop as a circle, so the wrap point is treated like any other.
void Level(Stereo& buffer, double targetRmsDb, double ceilingDb, bool circular);

/// Levels a one-shot without squeezing it: its peak goes to `ceilingDb`, and a sound whose
/// first `window` frames are louder than `maxRmsDb` is turned down to that.
void LevelOneShot(Stereo& buffer, double ceilingDb, double maxRmsDb, size_t window);

/// 16-bit stereo PCM, interleaved little-endian, rounded to nearest and clamped.
std::string ToPcm16(const Stereo& buffer);
/// Writes a 16-bit stereo 44.1 kHz WAV file through libsndfile; false on failure.
bool WriteWav(const std::string& path, const Stereo& buffer);

}  // namespace zelo::content::sound
