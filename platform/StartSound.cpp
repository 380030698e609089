#include "platform/StartSound.h"

#include <SDL.h>
#include <sndfile.h>

#include <vector>

namespace zelo::platform {

StartSound::~StartSound() { Stop(); }

bool StartSound::Play(const std::string& path) {
  Stop();
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return false;
  // A start sound is short; anything longer than half a minute is cut there.
  sf_count_t frames = std::min<sf_count_t>(info.frames, 30 * 44100);
  std::vector<float> samples(static_cast<size_t>(frames * info.channels));
  frames = sf_readf_float(f, samples.data(), frames);
  sf_close(f);
  if (frames <= 0 || info.channels < 1 || info.samplerate <= 0) return false;
  if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{}, have{};
  want.freq = info.samplerate;
  want.format = AUDIO_F32SYS;
  want.channels = static_cast<Uint8>(std::min(info.channels, 2));
  want.samples = 1024;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) return false;
  std::vector<float> out(static_cast<size_t>(frames * want.channels));
  for (sf_count_t i = 0; i < frames; ++i)
    for (int c = 0; c < want.channels; ++c)
      out[static_cast<size_t>(i * want.channels + c)] = samples[static_cast<size_t>(i * info.channels + std::min(c, info.channels - 1))];
  SDL_QueueAudio(device_, out.data(), static_cast<Uint32>(out.size() * sizeof(float)));
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void StartSound::Stop() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  device_ = 0;
}

bool StartSound::Playing() const { return device_ != 0 && SDL_GetQueuedAudioSize(device_) > 0; }

}  // namespace zelo::platform
