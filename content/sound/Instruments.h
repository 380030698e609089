#pragma once
// The kit's instruments: one subtractive/FM voice for basses, pads, plucks and leads, and the
// synthesised drums. Each adds one note or hit into a stereo buffer at a frame position.

#include <cstdint>
#include <string>

#include "content/sound/Dsp.h"

namespace zelo::content::sound {

/// A synthesiser patch.
struct Synth {
  Wave wave = Wave::Saw;
  Wave wave2 = Wave::Saw;
  double mix2 = 0.0;          ///< level of the second oscillator
  double semis2 = 0.0;        ///< its interval
  double detuneCents = 0.0;   ///< spread of the unison voices
  int unison = 1;             ///< voices per note, spread across the stereo field
  double width = 0.0;         ///< 0 mono to 1 wide
  double sub = 0.0;           ///< sine an octave below
  FilterMode filter = FilterMode::LowPass;
  double cutoff = 2000.0;     ///< Hz at the note A4; other notes move it by `keytrack` (1 = in step)
  double keytrack = 0.5;
  double resonance = 0.2;
  double envOctaves = 0.0;    ///< filter envelope depth
  Envelope amp{0.003, 0.4, 0.7, 0.08};
  Envelope fenv{0.002, 0.25, 0.0, 0.1};
  double fmRatio = 0.0;       ///< with fmIndex > 0 the voice is a two-operator FM pair
  double fmIndex = 0.0;
  double fmDecay = 0.3;       ///< seconds for the index to fall to a fifth
  double vibratoHz = 0.0;
  double vibratoCents = 0.0;
  double glideSemis = 0.0;    ///< starts this far off and slides to the note
  double glideTime = 0.05;
  double drive = 0.0;
  double level = 0.25;
};

/// The patches the kit comes back to: a wide pad of detuned saws, a struck FM bell, a round
/// sub bass and a swelling brass section.
Synth PadPatch(double cutoff, double attack);
Synth BellPatch(double ratio, double index);
Synth SubPatch(double cutoff);
Synth BrassPatch();

/// Adds a note of `held` seconds (plus its release) at frame `at`.
void PlayNote(Stereo& out, const Synth& s, size_t at, double held, double note, double velocity, double pan,
              uint64_t seed);

/// A drum kit's voicing; the defaults are a tight electronic kit.
struct DrumKit {
  double kickHz = 50.0, kickDrop = 3.2, kickDecay = 0.42, kickClick = 0.25, kickDrive = 1.2;
  double snareHz = 185.0, snareNoise = 0.7, snareDecay = 0.18, snareTone = 4200.0;
  double clapTone = 1300.0, clapDecay = 0.22;
  double hatTone = 8500.0, hatDecay = 0.045, openDecay = 0.32;
  double tomNote = 45.0;  ///< MIDI note of the low tom; the others sit a fourth and an octave higher
  double percNote = 69.0;
};

enum class Drum { Kick, Snare, Clap, Hat, OpenHat, Tom, TomMid, TomHigh, Rim, Shaker, Cowbell, Crash, Conga };

/// Adds one hit.
void PlayDrum(Stereo& out, const DrumKit& kit, Drum drum, size_t at, double velocity, double pan, uint64_t seed);

/// A 16-step row: "x" full hit, "o" soft, "." rest; repeated over the bars.
void PlayPattern(Stereo& out, const DrumKit& kit, Drum drum, const std::string& steps, int bars, double pan,
                 uint64_t seed, double swing = 0.0);

}  // namespace zelo::content::sound
