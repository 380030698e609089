#pragma once
// The start sound, played like the system's sound player would: asynchronously, on an output
// of its own, before the engine is up. UI thread only.

#include <cstdint>
#include <string>

namespace zelo::platform {

class StartSound {
 public:
  StartSound() = default;
  ~StartSound();
  StartSound(const StartSound&) = delete;
  StartSound& operator=(const StartSound&) = delete;

  /// Starts playing a WAV file; false when it cannot be read or no output opens.
  bool Play(const std::string& path);
  void Stop();
  bool Playing() const;

 private:
  uint32_t device_ = 0;
};

}  // namespace zelo::platform
