#pragma once
// The mixing side of the engine: the UI thread's face of the mixer. Every method here runs on
// the UI thread (the thread that owns the ZeloEngine) unless it says otherwise. Calls become
// commands on a fixed-size queue that the rendering thread takes before each block:
// the output device's thread while playing, or the export worker while a wave export runs.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/audio/Mixer.h"
#include "platform/audio/SoundFiles.h"
#include "platform/engine/ZeloEngine.h"

namespace zelo::platform {
class MappedFile;
}

namespace zelo::platform::audio {

class OutputDevice;
class WaveExport;

/// One sound for the timeline, in APlay's terms (engine bytes).
struct PlayRequest {
  const MappedFile* container = nullptr;
  const MappedFile* siblingCache = nullptr;
  int64_t size = 0;    ///< bytes of the sample in its container
  int64_t offset = 0;  ///< where the sample starts in its container
  int32_t location = 0;
  std::string file;  ///< location 99
  int32_t channel = 0;
  int64_t start = 0;
  int64_t duration = 0;  ///< 0 or less: to the end of the sound
  int64_t skip = 0;      ///< bytes of the sound left out at its start
  int32_t volume = 256;  ///< 0 to 512, 256 = unity
};

/// The flag AStop reports when the output ran dry since the last start.
inline constexpr int32_t kStopUnderran = 0x08;
inline constexpr int32_t kLocationOwnFile = 99;
inline constexpr int32_t kLocationSiblingCache = 1;

class MixEngine {
 public:
  explicit MixEngine(const EngineOptions& options);
  ~MixEngine();
  MixEngine(const MixEngine&) = delete;
  MixEngine& operator=(const MixEngine&) = delete;

  // --- Output ---------------------------------------------------------------------------
  /// Opens the output the options ask for. Returns 0, or kInitWarning when the SDL output did
  /// not open and the null device took its place. Opening twice does nothing.
  int32_t Open();
  /// Closes the output; the mixer stays as it is.
  void Close();
  bool IsOpen() const { return device_ != nullptr; }
  /// The device in use (Manual before Open with the manual option).
  AudioDevice Device() const { return active_; }

  // --- Timeline -------------------------------------------------------------------------
  /// Schedules one sound; true when it was queued.
  bool Play(const PlayRequest& request);
  /// Starts engine time 0 with the horizon at `endBytes`.
  void Start(int64_t endBytes);
  /// Stops the timeline and every voice; returns the engine's flags (kStopUnderran).
  int32_t Stop();
  /// The horizon up to which the engine may mix.
  void SetHorizon(int64_t bytes);
  /// Milliseconds of engine time since the last Start, by frames rendered.
  int32_t TimeMillis() const;
  /// Engine time since the last Start in frames of the material.
  int64_t TimeFrames() const;
  /// Housekeeping once a main-loop tick: frees own sounds no voice plays any more.
  void Service();

  // --- Channels -------------------------------------------------------------------------
  void SetPan(int32_t channel, int32_t state);
  void SetChannelVolume(int32_t channel, int32_t volume);
  void SetPitch(int32_t p);
  void SetMasterVolume(int32_t value);
  int32_t MasterVolume() const { return master_; }
  /// RWaveParam(50, x): 1 while a single sound is auditioned, 0 for mix playback.
  void SetAuditionMode(int32_t mode) { audition_ = mode; }
  int32_t AuditionMode() const { return audition_; }

  // --- Files ----------------------------------------------------------------------------
  /// Length in engine bytes of an own sound file; 0 when missing.
  int64_t WaveBytes(const std::string& file);
  /// Length in engine bytes of the sample at `offset` in a container, as far as the engine
  /// has been told it (with a Play); 0 when unknown.
  int64_t ContainerSampleBytes(const MappedFile* container, int64_t offset) const;
  /// Starts writing the output to a 16-bit stereo 44.1 kHz WAV file, `bytes` of engine time
  /// long from the next Start (all of it until EndExport when 0). The device is muted meanwhile
  /// and the mix is rendered as fast as the horizon allows. False when the file cannot be made.
  bool BeginExport(const std::string& file, int64_t bytes);
  /// Ends the export and puts the file in place; false when none ran or writing failed.
  bool EndExport();
  bool Exporting() const { return exportThread_.joinable(); }
  /// Output frames the running export has written so far.
  int64_t ExportedFrames() const { return exportedFrames_.load(std::memory_order_acquire); }

  // --- Tests and measurement ------------------------------------------------------------
  /// The manual device: renders `frames` frames of output now, on the calling thread.
  void RenderManual(int16_t* out, int frames);
  uint64_t Underruns() const { return underruns_.load(std::memory_order_relaxed); }
  uint64_t DroppedCommands() const { return droppedCommands_.load(std::memory_order_relaxed); }
  uint64_t DroppedVoices() const { return mixer_->DroppedVoices(); }
  /// Longest time one device block took to render, in nanoseconds.
  int64_t WorstBlockNanos() const { return worstBlockNanos_.load(std::memory_order_relaxed); }
  void ResetWorstBlock() { worstBlockNanos_.store(0, std::memory_order_relaxed); }

 private:
  enum class Renderer : int { Device, Export };

  static void RenderFromDevice(void* self, int16_t* out, int frames);
  /// Any rendering thread: one device block.
  void RenderBlock(int16_t* out, int frames, bool realTime) noexcept;
  bool Send(const Command& command, bool mustArrive);
  void SendChannel(int32_t channel);
  void ExportLoop();
  void SetRenderer(Renderer renderer);

  /// Debug builds check that every call comes from the thread that made the engine.
  void AssertUiThread() const;

  EngineOptions options_;
  std::thread::id uiThread_;
  std::unique_ptr<Mixer> mixer_;
  std::unique_ptr<OutputDevice> device_;
  AudioDevice active_;
  SoundFiles files_;
  std::vector<float> scratch_;

  int32_t volumes_[kChannelCount];
  int32_t pans_[kChannelCount] = {};
  int32_t master_ = kFaderReference;
  int32_t pitch_ = 6300;
  int32_t audition_ = 0;
  uint32_t startSerial_ = 0;
  uint64_t underrunsAtStart_ = 0;
  std::map<std::pair<const MappedFile*, int64_t>, int64_t> containerSizes_;

  std::atomic<int> renderer_{static_cast<int>(Renderer::Device)};
  std::atomic<bool> deviceBusy_{false};
  std::atomic<uint64_t> underruns_{0};
  std::atomic<uint64_t> droppedCommands_{0};
  std::atomic<int64_t> worstBlockNanos_{0};

  std::unique_ptr<WaveExport> export_;
  std::thread exportThread_;
  std::atomic<bool> exportStop_{false};
  std::atomic<int64_t> exportedFrames_{0};
};

}  // namespace zelo::platform::audio
