#include "platform/audio/Devices.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace zelo::platform::audio {
namespace {

constexpr int kRate = 44100;

class SdlOutput final : public OutputDevice {
 public:
  SdlOutput(RenderFn render, void* user) : render_(render), user_(user) {}
  ~SdlOutput() override {
    if (device_) SDL_CloseAudioDevice(device_);
    if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open(int blockFrames) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    initialised_ = true;
    SDL_AudioSpec want{}, have{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(blockFrames);
    want.callback = &SdlOutput::Callback;
    want.userdata = this;
    // No changes allowed: SDL converts whatever the hardware wants from 44.1 kHz S16 stereo.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) return false;
    block_ = have.samples;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }
  int BlockFrames() const override { return block_; }

 private:
  static void SDLCALL Callback(void* user, Uint8* stream, int len) {
    auto* self = static_cast<SdlOutput*>(user);
    self->render_(self->user_, reinterpret_cast<int16_t*>(stream), len / 4);
  }
  RenderFn render_;
  void* user_;
  SDL_AudioDeviceID device_ = 0;
  bool initialised_ = false;
  int block_ = 0;
};

class NullOutput final : public OutputDevice {
 public:
  NullOutput(RenderFn render, void* user, int blockFrames)
      : render_(render), user_(user), block_(blockFrames), buffer_(static_cast<size_t>(blockFrames) * 2) {
    thread_ = std::thread([this] { Run(); });
  }
  ~NullOutput() override {
    stop_.store(true);
    thread_.join();
  }
  int BlockFrames() const override { return block_; }

 private:
  void Run() {
    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    int64_t rendered = 0;
    while (!stop_.load(std::memory_order_relaxed)) {
      render_(user_, buffer_.data(), block_);
      rendered += block_;
      std::this_thread::sleep_until(begin + std::chrono::microseconds(rendered * 1000000 / kRate));
    }
  }
  RenderFn render_;
  void* user_;
  int block_;
  std::vector<int16_t> buffer_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace

std::unique_ptr<OutputDevice> OpenSdlOutput(RenderFn render, void* user, int blockFrames) {
  auto device = std::make_unique<SdlOutput>(render, user);
  if (!device->Open(blockFrames)) return nullptr;
  return device;
}

std::unique_ptr<OutputDevice> OpenNullOutput(RenderFn render, void* user, int blockFrames) {
  return std::make_unique<NullOutput>(render, user, blockFrames);
}

}  // namespace zelo::platform::audio
