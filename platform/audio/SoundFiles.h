#pragma once
// Own sound files (location 99): decoded into 44.1 kHz 16-bit stereo on the UI thread and kept
// for the voices that play them. A file the engine cannot read as audio is taken as raw 16-bit
// stereo PCM.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/audio/Mixer.h"

namespace zelo::platform::audio {

/// Decodes a sound held in memory into interleaved 16-bit stereo at 44.1 kHz. Any format
/// libsndfile reads is converted (mono doubled, extra channels dropped, other rates resampled);
/// anything else is raw 16-bit stereo PCM. Never reads past `size`.
void DecodeSound(const uint8_t* data, size_t size, std::vector<int16_t>& pcm);
/// Length of a sound file's audio data in engine bytes after conversion; 0 when it is missing.
int64_t SoundFileBytes(const std::string& path);
/// The path itself when it exists, else a file of the same folder whose name matches without
/// case, else the path unchanged.
std::string ResolveCase(const std::string& path);

class SoundFiles {
 public:
  SoundFiles() = default;
  SoundFiles(const SoundFiles&) = delete;
  SoundFiles& operator=(const SoundFiles&) = delete;

  /// UI thread. The decoded sound of a file, loaded on first use and again when the file
  /// changed; null when it does not exist or holds no audio.
  SharedSound* Get(const std::string& path);
  /// UI thread. Frees sounds that no voice uses and that were replaced or exceed the budget.
  void Trim();
  /// UI thread, only when no renderer can hold a voice any more.
  void Clear();
  int64_t HeldBytes() const;

 private:
  struct Entry {
    std::unique_ptr<SharedSound> sound;
    int64_t stamp = 0;
    int64_t size = 0;
    uint64_t lastUse = 0;
  };
  std::unordered_map<std::string, Entry> entries_;
  std::vector<std::unique_ptr<SharedSound>> replaced_;
  uint64_t useCounter_ = 0;
};

}  // namespace zelo::platform::audio
