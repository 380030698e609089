#pragma once
// The library's harmony: one key family (A minor and its relative C major), the chords that
// its loops move through, and the step grid of 140 beats per minute.

#include <array>
#include <string>
#include <vector>

namespace zelo::content::sound {

/// A chord of the key family, voiced close around middle C so that chords follow each other
/// with small steps.
struct Chord {
  const char* name;
  int bass;                  ///< root for basses, MIDI note between G1 and F2
  std::array<int, 4> tones;  ///< voicing for pads and arpeggios (MIDI), lowest first
};

inline const Chord kAm{"Am", 33, {57, 60, 64, 67}};
inline const Chord kF{"F", 41, {57, 60, 65, 69}};
inline const Chord kC{"C", 36, {55, 60, 64, 67}};
inline const Chord kG{"G", 31, {55, 59, 62, 67}};
inline const Chord kDm{"Dm", 38, {57, 62, 65, 69}};
inline const Chord kEm{"Em", 40, {55, 59, 64, 67}};

/// A chord per bar.
using Progression = std::vector<const Chord*>;

/// Progressions by length; a sample of n bars takes one of the n-bar lists.
inline std::vector<Progression> ProgressionsOfBars(int bars) {
  if (bars == 1) return {{&kAm}, {&kDm}, {&kF}, {&kC}, {&kG}, {&kEm}};
  if (bars == 2) return {{&kAm, &kG}, {&kAm, &kF}, {&kF, &kG}, {&kAm, &kEm}, {&kDm, &kAm}};
  return {{&kAm, &kF, &kC, &kG}, {&kAm, &kEm, &kF, &kG}, {&kAm, &kDm, &kEm, &kAm},
          {&kF, &kG, &kAm, &kAm}, {&kAm, &kG, &kF, &kG}};
}

/// "Am F C G": the chords a sample moves through, for its second name line.
inline std::string ChordNames(const Progression& p) {
  std::string s;
  for (const Chord* c : p) s += (s.empty() ? "" : " ") + std::string(c->name);
  return s;
}

/// The A minor pentatonic scale (A C D E G) from a MIDI note upwards: notes for melodies that
/// sit over every chord of the family.
inline int Pentatonic(int degree, int base = 57) {
  static constexpr int kSteps[5] = {0, 3, 5, 7, 10};
  int octave = degree >= 0 ? degree / 5 : (degree - 4) / 5;
  int d = degree - octave * 5;
  return base + 12 * octave + kSteps[d];
}

}  // namespace zelo::content::sound
