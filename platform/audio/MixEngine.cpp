#include "platform/audio/MixEngine.h"

#include <sndfile.h>

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/MappedFile.h"
#include "platform/audio/Devices.h"

namespace zelo::platform::audio {
namespace {

/// The SDL output's block: 11.6 ms, short enough for a responsive playhead, long enough to
/// ride out a busy moment of the system.
constexpr int kDeviceBlockFrames = 512;
constexpr int kNullBlockFrames = 256;

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t BytesToFrames(int64_t bytes) { return FloorDiv(bytes, kBytesPerFrame); }
int64_t TimelineFrames(int64_t bytes) { return std::clamp<int64_t>(BytesToFrames(bytes), 0, kMaxTimelineFrames); }

/// Touches every page of a sound once, so that the audio thread does not wait for the disk
/// the first time it reads a sample from a mapped container.
void Prefault(const uint8_t* bytes, int64_t length) {
  constexpr int64_t kPage = 4096;
  volatile uint8_t sink = 0;
  for (int64_t at = 0; at < length; at += kPage) sink = static_cast<uint8_t>(sink + bytes[at]);
  if (length > 0) sink = static_cast<uint8_t>(sink + bytes[length - 1]);
}

}  // namespace

/// The file of a running wave export: written under a temporary name in the target's folder
/// and renamed over the target only when complete, so an earlier file survives a failure.
class WaveExport {
 public:
  WaveExport(std::string path, int64_t limitFrames, uint32_t serial)
      : path_(std::move(path)), temp_(path_ + ".part"), limitFrames_(limitFrames), serial_(serial) {}
  ~WaveExport() {
    if (file_) {
      sf_close(file_);
      std::remove(temp_.c_str());
    }
  }

  bool Open() {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    file_ = sf_open(temp_.c_str(), SFM_WRITE, &info);
    buffer_.reserve(kBufferFrames * 2);
    return file_ != nullptr;
  }
  /// Export worker thread.
  void Write(const int16_t* pcm, int frames) {
    buffer_.insert(buffer_.end(), pcm, pcm + frames * 2);
    if (buffer_.size() >= kBufferFrames * 2) Flush();
  }
  /// UI thread, after the worker ended.
  bool Finish() {
    Flush();
    sf_write_sync(file_);
    bool ok = !failed_ && sf_close(file_) == 0;
    file_ = nullptr;
    ok = ok && std::rename(temp_.c_str(), path_.c_str()) == 0;
    if (!ok) std::remove(temp_.c_str());
    return ok;
  }
  int64_t LimitFrames() const { return limitFrames_; }
  uint32_t Serial() const { return serial_; }

 private:
  static constexpr size_t kBufferFrames = 16384;
  void Flush() {
    const auto frames = static_cast<sf_count_t>(buffer_.size() / 2);
    if (frames > 0 && sf_writef_short(file_, buffer_.data(), frames) != frames) failed_ = true;
    buffer_.clear();
  }
  std::string path_, temp_;
  int64_t limitFrames_;
  uint32_t serial_;
  SNDFILE* file_ = nullptr;
  std::vector<int16_t> buffer_;
  bool failed_ = false;
};

MixEngine::MixEngine(const EngineOptions& options)
    : options_(options),
      uiThread_(std::this_thread::get_id()),
      mixer_(std::make_unique<Mixer>()),
      active_(options.device),
      scratch_(static_cast<size_t>(kMaxBlockFrames) * 2) {
  std::fill(std::begin(volumes_), std::end(volumes_), kFaderReference);
}

MixEngine::~MixEngine() {
  EndExport();
  Close();
  files_.Clear();
}

int32_t MixEngine::Open() {
  if (device_ || options_.device == AudioDevice::Manual) return 0;
  // The device's thread reads active_ from its first block on, so it is set before opening.
  int32_t status = 0;
  if (options_.device == AudioDevice::Sdl) {
    active_ = AudioDevice::Sdl;
    device_ = OpenSdlOutput(&MixEngine::RenderFromDevice, this, kDeviceBlockFrames);
    if (!device_) status = kInitWarning;
  }
  if (!device_) {
    active_ = AudioDevice::Null;
    device_ = OpenNullOutput(&MixEngine::RenderFromDevice, this, kNullBlockFrames);
  }
  return status;
}

void MixEngine::Close() { device_.reset(); }

void MixEngine::RenderFromDevice(void* self, int16_t* out, int frames) {
  auto* engine = static_cast<MixEngine*>(self);
  engine->RenderBlock(out, frames, engine->active_ == AudioDevice::Sdl);
}

void MixEngine::RenderManual(int16_t* out, int frames) {
  if (device_) {
    std::memset(out, 0, sizeof(int16_t) * static_cast<size_t>(frames) * 2);
    return;
  }
  RenderBlock(out, frames, false);
}

void MixEngine::RenderBlock(int16_t* out, int frames, bool realTime) noexcept {
  deviceBusy_.store(true);
  if (renderer_.load() != static_cast<int>(Renderer::Device)) {
    // An export renders the mix; the device stays silent meanwhile.
    deviceBusy_.store(false);
    std::memset(out, 0, sizeof(int16_t) * static_cast<size_t>(frames) * 2);
    return;
  }
  const auto begin = std::chrono::steady_clock::now();
  mixer_->ApplyCommands();
  for (int done = 0; done < frames;) {
    const int n = std::min(frames - done, kMaxBlockFrames);
    mixer_->Process(scratch_.data(), n);
    ToPcm16(scratch_.data(), out + static_cast<ptrdiff_t>(done) * 2, n * 2);
    done += n;
  }
  const int64_t nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin).count();
  int64_t worst = worstBlockNanos_.load(std::memory_order_relaxed);
  while (nanos > worst && !worstBlockNanos_.compare_exchange_weak(worst, nanos, std::memory_order_relaxed)) {
  }
  if (realTime && nanos > static_cast<int64_t>(frames) * 1000000000 / kSampleRate)
    underruns_.fetch_add(1, std::memory_order_relaxed);
  deviceBusy_.store(false, std::memory_order_release);
}

void MixEngine::AssertUiThread() const { assert(std::this_thread::get_id() == uiThread_); }

bool MixEngine::Send(const Command& command, bool mustArrive) {
  AssertUiThread();
  if (mixer_->Commands().Push(command)) return true;
  // A stop or a start must not be lost: while a thread takes commands, wait briefly for room.
  if (mustArrive && (device_ || Exporting())) {
    for (int i = 0; i < 200; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      if (mixer_->Commands().Push(command)) return true;
    }
  }
  droppedCommands_.fetch_add(1, std::memory_order_relaxed);
  return false;
}

bool MixEngine::Play(const PlayRequest& r) {
  AssertUiThread();
  if (r.channel < 0 || r.channel >= kChannelCount) return false;
  SoundView sound;
  if (r.location == kLocationOwnFile) {
    SharedSound* s = files_.Get(r.file);
    if (!s) return false;
    sound.bytes = reinterpret_cast<const uint8_t*>(s->pcm.data());
    sound.frames = static_cast<int64_t>(s->pcm.size() / 2);
    sound.owner = s;
  } else {
    const MappedFile* file = r.location == kLocationSiblingCache ? r.siblingCache : r.container;
    if (!file || !file->IsOpen() || !file->Data()) return false;
    if (r.offset < 0 || r.size <= 0 || r.offset >= file->Size()) return false;
    const int64_t available = std::min(r.size, file->Size() - r.offset);
    sound.bytes = file->Data() + r.offset;
    sound.frames = available / kBytesPerFrame;
    containerSizes_[{file, r.offset}] = r.size;
    Prefault(sound.bytes, available);
  }

  int64_t start = BytesToFrames(r.start);
  int64_t skip = std::max<int64_t>(0, BytesToFrames(r.skip));
  int64_t end = r.duration > 0 ? BytesToFrames(r.start + r.duration) : start + (sound.frames - skip);
  if (start < 0) {
    skip -= start;
    start = 0;
  }
  end = std::min({end, start + (sound.frames - skip), kMaxTimelineFrames});
  if (skip >= sound.frames || end <= start) return false;

  Command c;
  c.kind = Command::Kind::Play;
  c.channel = r.channel;
  c.start = start;
  c.end = end;
  c.offset = skip;
  c.gain = SoundGain(r.volume);
  c.sound = sound;
  if (sound.owner) sound.owner->users.fetch_add(1, std::memory_order_acq_rel);
  if (Send(c, false)) return true;
  if (sound.owner) sound.owner->users.fetch_sub(1, std::memory_order_acq_rel);
  return false;
}

void MixEngine::Start(int64_t endBytes) {
  startSerial_ = (startSerial_ + 1) & 0xFFFF;
  underrunsAtStart_ = Underruns();
  Command c;
  c.kind = Command::Kind::Start;
  c.start = startSerial_;
  c.end = TimelineFrames(endBytes);
  Send(c, true);
}

int32_t MixEngine::Stop() {
  Command c;
  c.kind = Command::Kind::Stop;
  Send(c, true);
  const uint64_t now = Underruns();
  const int32_t flags = now > underrunsAtStart_ ? kStopUnderran : 0;
  underrunsAtStart_ = now;
  return flags;
}

void MixEngine::SetHorizon(int64_t bytes) {
  Command c;
  c.kind = Command::Kind::Horizon;
  c.start = TimelineFrames(bytes);
  Send(c, true);
}

int64_t MixEngine::TimeFrames() const {
  const uint64_t packed = mixer_->PublishedTime();
  // Until the renderer took the latest start, the time of the previous run must not show.
  if (Mixer::SerialOf(packed) != startSerial_) return 0;
  return Mixer::FrameOf(packed);
}

int32_t MixEngine::TimeMillis() const {
  return static_cast<int32_t>(std::min<int64_t>(TimeFrames() * 1000 / kSampleRate, INT32_MAX));
}

void MixEngine::Service() { files_.Trim(); }

void MixEngine::SendChannel(int32_t channel) {
  Command c;
  c.kind = Command::Kind::Channel;
  c.channel = channel;
  c.pan = PanFor(pans_[channel], ChannelGain(volumes_[channel]));
  Send(c, true);
}

void MixEngine::SetPan(int32_t channel, int32_t state) {
  if (channel < 0 || channel >= kChannelCount) return;
  pans_[channel] = std::clamp(state, 0, 3);
  SendChannel(channel);
}

void MixEngine::SetChannelVolume(int32_t channel, int32_t volume) {
  if (channel < 0 || channel >= kChannelCount) return;
  volumes_[channel] = std::clamp(volume, 0, kFaderMax);
  SendChannel(channel);
}

void MixEngine::SetPitch(int32_t p) {
  pitch_ = p;
  Command c;
  c.kind = Command::Kind::Pitch;
  c.start = std::llround(RateForPitch(p) * static_cast<double>(kFixedOne));
  Send(c, true);
}

void MixEngine::SetMasterVolume(int32_t value) {
  master_ = std::clamp(value, 0, kFaderMax);
  Command c;
  c.kind = Command::Kind::Master;
  c.gain = MasterGain(master_);
  Send(c, true);
}

int64_t MixEngine::WaveBytes(const std::string& file) { return SoundFileBytes(file); }

int64_t MixEngine::ContainerSampleBytes(const MappedFile* container, int64_t offset) const {
  auto it = containerSizes_.find({container, offset});
  return it == containerSizes_.end() ? 0 : it->second / kBytesPerFrame * kBytesPerFrame;
}

void MixEngine::SetRenderer(Renderer renderer) {
  renderer_.store(static_cast<int>(renderer));
  // The device may be inside a block that began before the switch: let it finish.
  while (deviceBusy_.load()) std::this_thread::yield();
}

bool MixEngine::BeginExport(const std::string& file, int64_t bytes) {
  EndExport();
  if (file.empty()) return false;
  auto target = std::make_unique<WaveExport>(file, TimelineFrames(bytes),
                                             (startSerial_ + 1) & 0xFFFF);
  if (!target->Open()) return false;
  export_ = std::move(target);
  exportedFrames_.store(0);
  exportStop_.store(false);
  SetRenderer(Renderer::Export);
  exportThread_ = std::thread([this] { ExportLoop(); });
  return true;
}

bool MixEngine::EndExport() {
  if (!exportThread_.joinable()) return false;
  exportStop_.store(true);
  exportThread_.join();
  renderer_.store(static_cast<int>(Renderer::Device));
  const bool ok = export_->Finish();
  export_.reset();
  return ok;
}

void MixEngine::ExportLoop() {
  std::vector<float> mix(static_cast<size_t>(kMaxBlockFrames) * 2);
  std::vector<int16_t> pcm(static_cast<size_t>(kMaxBlockFrames) * 2);
  const int64_t limit = export_->LimitFrames();
  while (!exportStop_.load(std::memory_order_acquire)) {
    mixer_->ApplyCommands();
    int64_t n = std::min<int64_t>(mixer_->FramesToHorizon(), kMaxBlockFrames);
    if (n <= 0) {
      // Held at the horizon: the UI thread hands out more as it schedules.
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      continue;
    }
    // The file takes the run that began with the first start after the export began, up to
    // its length; beyond it the mix goes on (muted) so that the playhead reaches the end.
    bool writing = Mixer::SerialOf(mixer_->PublishedTime()) == export_->Serial() &&
                   (limit == 0 || mixer_->TimelineFrame() < limit);
    if (writing && limit > 0) n = std::min(n, mixer_->FramesUntil(limit));
    mixer_->Process(mix.data(), static_cast<int>(n));
    if (writing) {
      ToPcm16(mix.data(), pcm.data(), static_cast<int>(n) * 2);
      export_->Write(pcm.data(), static_cast<int>(n));
      exportedFrames_.fetch_add(n, std::memory_order_release);
    }
  }
}

}  // namespace zelo::platform::audio
