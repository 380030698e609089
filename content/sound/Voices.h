#pragma once
// Spoken phrases for the voice group, synthesised with eSpeak NG and brought to the kit's rate.
// eSpeak keeps global state: one Speaker at a time, on one thread.

#include <string>
#include <vector>

namespace zelo::content::sound {

class Speaker {
 public:
  Speaker();
  ~Speaker();
  Speaker(const Speaker&) = delete;
  Speaker& operator=(const Speaker&) = delete;

  bool Ready() const { return rate_ > 0; }
  /// The phrase at 44.1 kHz, silence trimmed, peak 1; empty when it could not be spoken.
  /// `voice` is an eSpeak voice name ("en", "en-us+f3"), `pitch` 0 to 99, `speed` in words
  /// per minute.
  std::vector<float> Say(const std::string& text, const std::string& voice, int pitch, int speed);

 private:
  int rate_ = 0;
};

/// Reads a mono sound at `ratio` times its speed (4-point interpolation): pitch and length
/// change together, as on a sampler.
std::vector<float> Repitch(const std::vector<float>& in, double ratio);

}  // namespace zelo::content::sound
