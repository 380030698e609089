#pragma once
// The sample library: what each of its samples is (group, length, names, harmony) and how it
// is rendered. Rendering is a pure function of the plan entry and the spoken phrases, so the
// samples can be rendered on any thread in any order and still come out the same.

#include <cstdint>
#include <string>
#include <vector>

#include "content/sound/Dsp.h"
#include "content/sound/Music.h"

namespace zelo::content::sound {

/// Sound group codes of the library's samples.
enum : int {
  kGroupLoop = 1,
  kGroupDrum,
  kGroupBass,
  kGroupLayer,
  kGroupSequence,
  kGroupVoice,
  kGroupEffect,
  kGroupXtra,
};

/// One library sample before it is rendered.
struct PlannedSample {
  int number = 0;  ///< catalogue sample number
  int group = 0;   ///< sound group code 1 to 8
  int bars = 1;
  int style = 0;   ///< the group's kind of sample
  int variant = 0; ///< position in its group
  uint64_t seed = 0;
  Progression chords;
  std::string name, name2;
};

/// The phrases of the voice group, spoken once before rendering starts.
struct PhraseBank {
  std::vector<std::string> words;
  std::vector<std::vector<float>> sounds;  ///< 44.1 kHz mono, same order as words
};

/// Samples per group and the groups in catalogue order (loop, drum, bass, layer, sequence,
/// voice, effect, xtra).
inline constexpr int kSamplesPerGroup = 30;
inline constexpr int kGroups = 8;

/// The whole library plan, numbered from 1 in group order.
std::vector<PlannedSample> PlanLibrary();
/// What the voice group says, with the eSpeak voice, pitch and speed of each phrase.
struct PhraseRequest {
  std::string text, voice;
  int pitch, speed;
};
std::vector<PhraseRequest> PhrasesToSpeak();

/// Renders one sample, exactly bars x 75,600 frames, levelled to its group's loudness.
Stereo RenderLibrarySample(const PlannedSample& plan, const PhraseBank& phrases);

/// The loudness (RMS, dBFS) every sample of a group is brought to, and the peak ceiling.
double GroupLoudnessDb(int group);
inline constexpr double kCeilingDb = -1.1;  ///< 0.1 dB below the limit for 16-bit rounding

}  // namespace zelo::content::sound
