#pragma once
// The real-time core of the engine: voices on a timeline, channels, tempo and the output stage.
// Everything is allocated in the constructor; ApplyCommands and Process run on whichever thread
// renders at the moment (the device's audio thread, or the export worker) and never allocate,
// lock, log or touch files. Nothing here knows SDL or files.

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/audio/Gains.h"
#include "platform/audio/SpscQueue.h"

namespace zelo::platform::audio {

inline constexpr int kSampleRate = 44100;
inline constexpr int kBytesPerFrame = 4;
/// The largest block Process renders in one piece; longer requests are split.
inline constexpr int kMaxBlockFrames = 512;
/// Sixteen mix channels and channel 16, the transient row that recording uses.
inline constexpr int kChannelCount = 17;
inline constexpr int kVoiceCapacity = 4096;
inline constexpr int kCommandCapacity = 8192;
/// Length of the declick ramps at voice starts, ends and cuts, in timeline frames (1.45 ms).
inline constexpr int kRampFrames = 64;
/// Length of the glide of a volume or pan change, in output frames.
inline constexpr int kGainRampFrames = 64;

/// Own-file sound data shared between the UI thread (which loads and frees it) and the
/// renderer (which only counts its users down when a voice lets go of it).
struct SharedSound {
  std::vector<int16_t> pcm;  ///< interleaved stereo
  std::atomic<int32_t> users{0};
};

/// 16-bit stereo PCM as raw little-endian bytes; the bytes may lie at any alignment.
struct SoundView {
  const uint8_t* bytes = nullptr;
  int64_t frames = 0;
  SharedSound* owner = nullptr;  ///< counted down when the voice ends; null for mapped files
};

/// What a voice plays. Only sample playback exists now; the sound tools add their kinds here.
enum class VoiceKind : uint8_t { Sample };

struct Command {
  enum class Kind : uint8_t { Play, Start, Stop, Horizon, Pitch, Channel, Master };
  Kind kind = Kind::Stop;
  VoiceKind voiceKind = VoiceKind::Sample;
  int32_t channel = 0;
  int64_t start = 0;   ///< Play: first timeline frame. Start: serial. Horizon: frame. Pitch: step
  int64_t end = 0;     ///< Play: timeline frame after the last. Start: horizon frame
  int64_t offset = 0;  ///< Play: first source frame
  float gain = 1;      ///< Play: sound gain. Master: gain
  PanMatrix pan;       ///< Channel: matrix with the channel gain folded in
  SoundView sound;
};

/// Timeline positions are fixed point with 32 fraction bits, counted in frames of the
/// recorded material (140 beats per minute); each output frame advances them by the rate.
using FixedFrames = int64_t;
inline constexpr int kFixedShift = 32;
inline constexpr FixedFrames kFixedOne = FixedFrames{1} << kFixedShift;
/// The furthest timeline position (6.7 hours, beyond 7000 bars); later positions are taken as
/// this one, which keeps the fixed-point arithmetic far from overflow.
inline constexpr int64_t kMaxTimelineFrames = int64_t{1} << 30;

class Mixer {
 public:
  Mixer();

  /// Any thread, once: the queue the UI thread pushes to.
  SpscQueue<Command>& Commands() { return commands_; }

  /// Renderer thread. Takes every queued command.
  void ApplyCommands() noexcept;
  /// Renderer thread. Renders `frames` stereo frames into `out` (interleaved floats, overwritten),
  /// limited to -1..1. Does not take commands.
  void Process(float* out, int frames) noexcept;
  /// Renderer thread. Output frames until the timeline reaches the horizon (0 when stopped or held).
  int64_t FramesToHorizon() const noexcept;
  /// Renderer thread. Output frames until the timeline reaches `frame` at the current rate.
  int64_t FramesUntil(int64_t frame) const noexcept;
  /// Renderer thread. The current timeline position in whole frames.
  int64_t TimelineFrame() const noexcept { return time_ >> kFixedShift; }

  /// Any thread: the serial of the last Start taken and the timeline frame, packed as
  /// serial << 48 | frame, published after every block.
  uint64_t PublishedTime() const { return published_.load(std::memory_order_acquire); }
  static int64_t FrameOf(uint64_t packed) { return static_cast<int64_t>(packed & ((uint64_t{1} << 48) - 1)); }
  static uint32_t SerialOf(uint64_t packed) { return static_cast<uint32_t>(packed >> 48); }

  uint64_t DroppedVoices() const { return droppedVoices_.load(std::memory_order_relaxed); }
  uint64_t HorizonHolds() const { return horizonHolds_.load(std::memory_order_relaxed); }
  int ActiveVoices() const noexcept { return voiceCount_; }

 private:
  struct Voice {
    VoiceKind kind;
    int32_t channel;
    int64_t start, end, offset;
    float gain;
    bool rampIn, rampOut;
    SoundView sound;
  };
  /// A channel's matrix glides to a new value over kGainRampFrames output frames.
  struct Channel {
    PanMatrix current, target, delta;
    int remaining = 0;
  };

  void Apply(const Command& c) noexcept;
  void AddVoice(const Command& c) noexcept;
  void StopAll() noexcept;
  void ReleaseVoice(Voice& v) noexcept;
  /// Adds the voices into the channel buffers for `frames` output frames from timeline `t`.
  void RenderVoices(FixedFrames t, int frames) noexcept;
  /// Mixes the channel buffers into `out` with the channel and master gains.
  void MixChannels(float* out, int frames) noexcept;
  void Publish() noexcept;

  SpscQueue<Command> commands_;
  std::vector<Voice> voices_;
  int voiceCount_ = 0;
  std::vector<float> channelBuffers_;  ///< kChannelCount blocks of kMaxBlockFrames stereo frames
  /// Interpolation weights of each frame of the block, shared by all voices: every voice starts
  /// on a whole frame, so all read their sources at the same fraction. Per frame the weights
  /// w0 w0 w1 w1 w2 w2 w3 w3, laid out for the stereo vector path.
  std::vector<float> weights_;
  Channel channels_[kChannelCount];
  bool touched_[kChannelCount] = {};  ///< channels that received a voice in the current block
  float masterCurrent_ = 1, masterTarget_ = 1, masterDelta_ = 0;
  int masterRemaining_ = 0;

  FixedFrames time_ = 0;
  FixedFrames step_ = kFixedOne;
  int64_t horizon_ = 0;
  bool running_ = false;
  uint32_t serial_ = 0;

  /// The faded-out ends of the voices that a stop cut, played after the stop.
  std::vector<float> tail_;
  int tailFrames_ = 0, tailPos_ = 0;

  std::atomic<uint64_t> published_{0};
  std::atomic<uint64_t> droppedVoices_{0};
  std::atomic<uint64_t> horizonHolds_{0};
};

/// The output stage: linear up to -1 dBFS, then a smooth knee that never exceeds full scale.
float SoftClip(float x) noexcept;
/// Float (-1..1) to 16-bit with rounding and saturation.
void ToPcm16(const float* in, int16_t* out, int samples) noexcept;

}  // namespace zelo::platform::audio
