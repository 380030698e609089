// The own-file sound reader over any bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio/SoundFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<int16_t> pcm;
  zelo::platform::audio::DecodeSound(data, size, pcm);
  return 0;
}
