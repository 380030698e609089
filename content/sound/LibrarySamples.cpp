#include "content/sound/LibrarySamples.h"

#include <algorithm>
#include <array>

#include "content/sound/Instruments.h"
#include "content/sound/Voices.h"

namespace zelo::content::sound {
namespace {

constexpr double kSecondsPerStep = static_cast<double>(kFramesPerStep) / kRate;

/// A canvas for n bars with room for tails, which are folded back onto the start at the end.
Stereo Canvas(int bars) { return Stereo(static_cast<size_t>(bars + 2) * kFramesPerBar); }

size_t StepFrame(int step) { return static_cast<size_t>(step) * kFramesPerStep; }

void Note(Stereo& out, const Synth& s, int step, double steps, double note, double vel, double pan, uint64_t seed) {
  PlayNote(out, s, StepFrame(step), steps * kSecondsPerStep, note, vel, pan, seed);
}

template <typename T, size_t N>
const T& Pick(const std::array<T, N>& list, int i) {
  return list[static_cast<size_t>(i) % N];
}

// --- Drums ------------------------------------------------------------------------------------

DrumKit KitFor(uint64_t seed) {
  Random r(seed ^ 0xD7u);
  DrumKit k;
  k.kickHz = r.Range(46.0, 56.0);
  k.kickDrop = r.Range(2.4, 3.6);
  k.kickDecay = r.Range(0.3, 0.55);
  k.kickClick = r.Range(0.1, 0.4);
  k.kickDrive = r.Range(1.0, 2.0);
  k.snareHz = r.Range(170.0, 220.0);
  k.snareNoise = r.Range(0.55, 0.9);
  k.snareDecay = r.Range(0.12, 0.24);
  k.snareTone = r.Range(3000.0, 5500.0);
  k.clapTone = r.Range(1000.0, 1700.0);
  k.hatTone = r.Range(7000.0, 10500.0);
  k.hatDecay = r.Range(0.03, 0.07);
  k.openDecay = r.Range(0.22, 0.4);
  static constexpr std::array<double, 3> kToms = {45.0, 43.0, 40.0};  // A2, G2, E2: in key
  k.tomNote = kToms[static_cast<size_t>(r.Below(3))];
  static constexpr std::array<double, 3> kPerc = {69.0, 64.0, 67.0};
  k.percNote = kPerc[static_cast<size_t>(r.Below(3))];
  return k;
}

enum class Beat { Four, Break, Half, Perc, Fill };

void AddDrums(Stereo& out, Beat beat, const DrumKit& kit, int bars, uint64_t seed, double gain, int variant) {
  Stereo d(out.size());
  static constexpr std::array<const char*, 3> kFourKicks = {"x...x...x...x...", "x...x...x...x.o.", "x...x...x..ox..."};
  static constexpr std::array<const char*, 3> kBreakKicks = {"x.....x...x.....", "x..x..x...x..x..",
                                                             "x.x.......xo...."};
  static constexpr std::array<const char*, 3> kHats = {"x.x.x.x.x.x.x.x.", "xoxoxoxoxoxoxoxo", "x.xox.xox.xox.xo"};
  double swing = 0.0;
  switch (beat) {
    case Beat::Four:
    case Beat::Fill:
      PlayPattern(d, kit, Drum::Kick, Pick(kFourKicks, variant), bars, 0.0, seed + 1);
      PlayPattern(d, kit, variant % 2 ? Drum::Clap : Drum::Snare, "....x.......x...", bars, 0.0, seed + 2);
      PlayPattern(d, kit, Drum::OpenHat, "..x...x...x...x.", bars, 0.25, seed + 3);
      PlayPattern(d, kit, Drum::Hat, Pick(kHats, variant), bars, -0.3, seed + 4);
      break;
    case Beat::Break:
      swing = 0.12 + 0.04 * (variant % 3);
      PlayPattern(d, kit, Drum::Kick, Pick(kBreakKicks, variant), bars, 0.0, seed + 1, swing);
      PlayPattern(d, kit, Drum::Snare, "....x..o.o..x..o", bars, 0.05, seed + 2, swing);
      PlayPattern(d, kit, Drum::Hat, "x.x.x.x.x.x.x.x.", bars, -0.3, seed + 4, swing);
      if (variant % 2) PlayPattern(d, kit, Drum::OpenHat, "..............x.", bars, 0.3, seed + 5, swing);
      break;
    case Beat::Half:
      PlayPattern(d, kit, Drum::Kick, variant % 2 ? "x.........x....." : "x......x..x.....", bars, 0.0, seed + 1);
      PlayPattern(d, kit, Drum::Snare, "........x.......", bars, 0.0, seed + 2);
      PlayPattern(d, kit, Drum::Clap, "........x.......", bars, 0.0, seed + 6);
      // Hat rolls: runs of thirty-second notes on the last beat of every other bar.
      PlayPattern(d, kit, Drum::Hat, "x.x.x.x.x.x.xxxx", bars, -0.25, seed + 4);
      for (int bar = 0; bar < bars; bar += 2) {
        for (int k = 0; k < 6; ++k) {
          size_t at = static_cast<size_t>(bar) * kFramesPerBar + StepFrame(8) + static_cast<size_t>(k) * kFramesPerStep / 2;
          PlayDrum(d, kit, Drum::Hat, at, 0.4 + 0.08 * k, 0.2, seed + 900 + static_cast<uint64_t>(k));
        }
      }
      break;
    case Beat::Perc:
      PlayPattern(d, kit, Drum::Conga, "x..o..x.o.x..o..", bars, -0.35, seed + 7);
      PlayPattern(d, kit, Drum::Tom, "......x.......o.", bars, 0.3, seed + 8);
      PlayPattern(d, kit, Drum::Shaker, "oxooxxooxoooxoxo", bars, 0.4, seed + 9);
      PlayPattern(d, kit, variant % 2 ? Drum::Cowbell : Drum::Rim, "..x..x....x..x..", bars, -0.1, seed + 10);
      break;
  }
  if (beat == Beat::Fill) {
    // The fill takes the second half of the last bar: toms falling through the kit.
    Stereo cleared(d.size());
    size_t fillStart = static_cast<size_t>(bars - 1) * kFramesPerBar + StepFrame(8);
    for (size_t i = 0; i < d.size(); ++i) {
      float g = i < fillStart ? 1.0f : i < fillStart + 441 ? static_cast<float>(fillStart + 441 - i) / 441.0f : 0.0f;
      cleared.l[i] = d.l[i] * g;
      cleared.r[i] = d.r[i] * g;
    }
    d = std::move(cleared);
    static constexpr std::array<Drum, 8> kRoll = {Drum::TomHigh, Drum::TomHigh, Drum::TomMid, Drum::TomMid,
                                                  Drum::Tom,     Drum::Snare,   Drum::Tom,    Drum::Kick};
    for (int k = 0; k < 8; ++k) {
      size_t at = fillStart + StepFrame(k);
      double pan = 0.5 - 0.14 * k;
      PlayDrum(d, kit, kRoll[static_cast<size_t>(k)], at, 0.7 + 0.04 * k, pan, seed + 300 + static_cast<uint64_t>(k));
    }
    PlayDrum(d, kit, Drum::Crash, 0, 0.5, 0.2, seed + 333);
  }
  Mix(out, d, static_cast<float>(gain));
}

// --- Bass -------------------------------------------------------------------------------------

Synth BassPatch(int style, uint64_t seed) {
  Random r(seed ^ 0xBA55u);
  Synth s;
  switch (style % 5) {
    case 0:  // sub: nearly a sine, a touch of warmth
      s = SubPatch(220.0);
      break;
    case 1:  // saw: the classic subtractive bass
      s.wave = Wave::Saw;
      s.sub = 0.5;
      s.cutoff = r.Range(250.0, 450.0);
      s.keytrack = 0.2;
      s.resonance = r.Range(0.1, 0.35);
      s.envOctaves = r.Range(1.5, 2.6);
      s.fenv = {0.002, r.Range(0.12, 0.3), 0.0, 0.05};
      s.amp = {0.003, 0.5, 0.8, 0.05};
      s.level = 0.32;
      break;
    case 2:  // FM: a round body with a struck attack
      s.fmRatio = r.Below(2) ? 1.0 : 2.0;
      s.fmIndex = r.Range(2.0, 4.0);
      s.fmDecay = r.Range(0.12, 0.3);
      s.cutoff = 2500.0;
      s.keytrack = 0.0;
      s.amp = {0.003, 0.6, 0.75, 0.05};
      s.sub = 0.3;
      s.level = 0.42;
      break;
    case 3:  // acid: resonant, squelching, sliding
      s.wave = r.Below(2) ? Wave::Saw : Wave::Square;
      s.cutoff = r.Range(300.0, 500.0);
      s.keytrack = 0.3;
      s.resonance = r.Range(0.65, 0.8);
      s.envOctaves = r.Range(2.0, 3.0);
      s.fenv = {0.002, 0.18, 0.0, 0.05};
      s.amp = {0.003, 0.3, 0.8, 0.04};
      s.glideSemis = -0.6;
      s.glideTime = 0.04;
      s.drive = 1.0;
      s.level = 0.3;
      break;
    default:  // reese: two detuned saws beating slowly
      s.wave = Wave::Saw;
      s.unison = 3;
      s.detuneCents = r.Range(12.0, 22.0);
      s.width = 0.35;
      s.sub = 0.6;
      s.cutoff = r.Range(380.0, 650.0);
      s.keytrack = 0.2;
      s.resonance = 0.15;
      s.amp = {0.01, 0.8, 0.9, 0.08};
      s.level = 0.34;
      break;
  }
  return s;
}

/// A bass line: "R" root, "o" octave, "5" fifth, "-" holds the note before, "." rest. Every
/// line starts on the root for at least an eighth, so the first beat says the chord.
void AddBass(Stereo& out, int style, const Progression& chords, int bars, uint64_t seed, double gain, int variant) {
  static constexpr std::array<const char*, 4> kLong = {"R---------------", "R-------R---5---", "R-----R-----R-5-",
                                                       "R-----------R-o-"};
  static constexpr std::array<const char*, 6> kBusy = {"R-.oR-.oR-.oR-.o", "R-.R-.R-R-.R-.R.", "R-..R-..R-..5-o.",
                                                       "R---R---R---R5-.", "R-R.R.5.R-R.o.R.", "R-.RR.5.R-.oR.5R"};
  const char* line = (style == 0 || style == 4) ? Pick(kLong, variant) : Pick(kBusy, variant + style);
  Synth s = BassPatch(style, seed);
  Stereo b(out.size());
  Random accent(seed ^ 0xACu);
  for (int bar = 0; bar < bars; ++bar) {
    const Chord& c = *chords[static_cast<size_t>(bar) % chords.size()];
    for (int step = 0; step < 16; ++step) {
      char ch = line[step];
      if (ch == '.' || ch == '-') continue;
      int held = 1;
      while (step + held < 16 && line[step + held] == '-') ++held;
      double note = c.bass + (ch == 'o' ? 12 : ch == '5' ? 7 : 0);
      double vel = (step % 4 == 0 ? 1.0 : 0.8) * (style == 3 ? accent.Range(0.7, 1.0) : 1.0);
      // Notes are cut a little short of the next, so each one speaks with its own attack.
      Note(b, s, bar * 16 + step, held - 0.25, note, vel, 0.0, seed + static_cast<uint64_t>(bar * 16 + step));
    }
  }
  Mix(out, b, static_cast<float>(gain));
}

// --- Chords (layers) --------------------------------------------------------------------------

Synth ChordPatch(int style, uint64_t seed) {
  Random r(seed ^ 0xC40Du);
  Synth s;
  switch (style % 5) {
    case 0:  // pad: wide detuned saws, slow in and out
      s = PadPatch(r.Range(1400.0, 2600.0), r.Range(0.25, 0.5));
      s.detuneCents = r.Range(12.0, 20.0);
      break;
    case 1:  // keys: an electric piano from a struck FM pair
      s.fmRatio = 1.0;
      s.fmIndex = r.Range(1.5, 2.6);
      s.fmDecay = 0.5;
      s.mix2 = 0.0;
      s.cutoff = 5000.0;
      s.keytrack = 0.0;
      s.amp = {0.003, 1.2, 0.3, 0.25};
      s.width = 0.2;
      s.level = 0.2;
      break;
    case 2:  // organ: a square and its octave, through a soft filter
      s.wave = Wave::Square;
      s.wave2 = Wave::Sine;
      s.mix2 = 0.8;
      s.semis2 = 12.0;
      s.cutoff = r.Range(1500.0, 2500.0);
      s.keytrack = 0.2;
      s.amp = {0.01, 0.3, 0.9, 0.08};
      s.vibratoHz = 5.5;
      s.vibratoCents = 8.0;
      s.level = 0.12;
      break;
    case 3:  // strings: slow bows with vibrato
      s.wave = Wave::Saw;
      s.unison = 3;
      s.detuneCents = 9.0;
      s.width = 0.6;
      s.cutoff = r.Range(2500.0, 3800.0);
      s.keytrack = 0.2;
      s.amp = {r.Range(0.35, 0.6), 1.0, 0.9, 0.45};
      s.vibratoHz = 5.0;
      s.vibratoCents = 12.0;
      s.level = 0.14;
      break;
    default:  // stab: a bright chord cut short
      s.wave = Wave::Saw;
      s.wave2 = Wave::Square;
      s.mix2 = 0.5;
      s.unison = 2;
      s.detuneCents = 8.0;
      s.width = 0.5;
      s.cutoff = r.Range(700.0, 1200.0);
      s.envOctaves = r.Range(1.5, 2.5);
      s.fenv = {0.002, 0.15, 0.0, 0.05};
      s.resonance = 0.25;
      s.amp = {0.003, 0.25, 0.4, 0.08};
      s.level = 0.16;
      break;
  }
  return s;
}

void AddChords(Stereo& out, int style, const Progression& chords, int bars, uint64_t seed, double gain, int variant) {
  static constexpr std::array<const char*, 4> kComp = {"x..x..x...x..x..", "..x...x...x...x.", "x.....x...x.....",
                                                       "x..x...x..x..x.."};
  Synth s = ChordPatch(style, seed);
  Stereo c(out.size());
  const bool sustained = style == 0 || style == 3;
  const int tones = variant % 2 ? 4 : 3;
  for (int bar = 0; bar < bars; ++bar) {
    const Chord& ch = *chords[static_cast<size_t>(bar) % chords.size()];
    for (int t = 0; t < tones; ++t) {
      double pan = (t - (tones - 1) / 2.0) * 0.25;
      uint64_t vs = seed + static_cast<uint64_t>(bar * 8 + t) * 131u;
      if (sustained) {
        Note(c, s, bar * 16, 15.5, ch.tones[static_cast<size_t>(t)], 1.0, pan, vs);
        continue;
      }
      const char* comp = Pick(kComp, variant + style);
      for (int step = 0; step < 16; ++step) {
        if (comp[step] == '.') continue;
        double len = style == 4 ? 1.0 : 2.5;
        Note(c, s, bar * 16 + step, len, ch.tones[static_cast<size_t>(t)], step % 4 == 0 ? 1.0 : 0.8, pan,
             vs + static_cast<uint64_t>(step));
      }
    }
  }
  if (style == 4) AddPingPong(c, kFramesPerStep * 3, 0.35, 0.35);
  AddReverb(c, sustained ? 0.6 : 0.35, 0.82, 0.35);
  Mix(out, c, static_cast<float>(gain));
}

// --- Arpeggios (sequences) --------------------------------------------------------------------

Synth ArpPatch(int style, uint64_t seed) {
  Random r(seed ^ 0xA4Bu);
  Synth s;
  switch (style % 5) {
    case 0:  // pluck
      s.wave = Wave::Saw;
      s.unison = 2;
      s.detuneCents = 7.0;
      s.width = 0.3;
      s.cutoff = r.Range(500.0, 900.0);
      s.envOctaves = r.Range(2.0, 3.2);
      s.fenv = {0.001, r.Range(0.08, 0.18), 0.0, 0.05};
      s.amp = {0.002, 0.35, 0.0, 0.1};
      s.level = 0.22;
      break;
    case 1:  // bell: an FM pair at an inharmonic ratio
      s = BellPatch(r.Below(2) ? 3.5 : 2.76, r.Range(1.5, 3.0));
      s.amp = {0.002, 0.9, 0.0, 0.3};
      break;
    case 2:  // chip: a bare square
      s.wave = Wave::Square;
      s.cutoff = 4000.0;
      s.keytrack = 0.0;
      s.amp = {0.002, 0.15, 0.5, 0.03};
      s.level = 0.14;
      break;
    case 3:  // acid
      s.wave = Wave::Saw;
      s.cutoff = r.Range(400.0, 700.0);
      s.resonance = 0.7;
      s.envOctaves = 2.5;
      s.fenv = {0.001, 0.12, 0.0, 0.05};
      s.amp = {0.002, 0.2, 0.6, 0.04};
      s.drive = 0.8;
      s.level = 0.2;
      break;
    default:  // pulse: a soft square with a closing filter
      s.wave = Wave::Square;
      s.wave2 = Wave::Saw;
      s.mix2 = 0.4;
      s.semis2 = 12.0;
      s.cutoff = r.Range(900.0, 1600.0);
      s.envOctaves = 1.2;
      s.fenv = {0.001, 0.1, 0.0, 0.05};
      s.amp = {0.002, 0.2, 0.3, 0.05};
      s.level = 0.16;
      break;
  }
  return s;
}

void AddArp(Stereo& out, int style, const Progression& chords, int bars, uint64_t seed, double gain, int variant) {
  Synth s = ArpPatch(style, seed);
  Stereo a(out.size());
  Random r(seed ^ 0x5E0u);
  const int order = variant % 4;  // up, down, up and down, wandering
  const int rate = style == 1 ? 2 : 1;  // steps per note
  for (int bar = 0; bar < bars; ++bar) {
    const Chord& ch = *chords[static_cast<size_t>(bar) % chords.size()];
    std::array<int, 8> notes{};
    for (size_t k = 0; k < 4; ++k) {
      notes[k] = ch.tones[k];
      notes[k + 4] = ch.tones[k] + 12;
    }
    for (int step = 0, k = 0; step < 16; step += rate, ++k) {
      int idx = 0;
      switch (order) {
        case 0: idx = k % 8; break;
        case 1: idx = 7 - k % 8; break;
        case 2: idx = (k % 14) < 8 ? k % 14 : 14 - k % 14; break;
        default: idx = r.Below(8); break;
      }
      if (style == 4 && step % 4 == 3) continue;  // the pulse breathes
      double vel = step % 4 == 0 ? 1.0 : 0.75;
      Note(a, s, bar * 16 + step, rate * 0.8, notes[static_cast<size_t>(idx)], vel, (k % 2 ? 0.2 : -0.2),
           seed + static_cast<uint64_t>(bar * 16 + step));
    }
  }
  AddPingPong(a, kFramesPerStep * 3, 0.4, 0.4);
  if (style == 1) AddReverb(a, 0.5, 0.8, 0.3);
  Mix(out, a, static_cast<float>(gain));
}

// --- Voices -----------------------------------------------------------------------------------

/// Adds a mono sound at frame `at`, with 3 ms fades at both ends of the piece taken.
void AddSlice(Stereo& out, const std::vector<float>& x, size_t from, size_t length, size_t at, double gain, double pan) {
  float gl, gr;
  PanGains(pan, gl, gr);
  if (from >= x.size()) return;
  length = std::min(length, x.size() - from);
  const size_t fade = std::min<size_t>(132, length / 2);
  for (size_t i = 0; i < length; ++i) {
    float g = static_cast<float>(gain);
    if (i < fade) g *= static_cast<float>(i) / static_cast<float>(fade);
    if (length - 1 - i < fade) g *= static_cast<float>(length - 1 - i) / static_cast<float>(fade);
    out.Add(at + i, x[from + i] * g * gl, x[from + i] * g * gr);
  }
}

void AddVoice(Stereo& out, int style, const Progression& chords, int bars, uint64_t seed, const PhraseBank& bank,
              int variant) {
  if (bank.sounds.empty()) return;
  const std::vector<float>& phrase = bank.sounds[static_cast<size_t>(variant) % bank.sounds.size()];
  if (phrase.empty()) return;
  static constexpr std::array<double, 5> kShift = {0.0, -2.0, 3.0, -5.0, 2.0};
  Stereo v(out.size());
  Random r(seed ^ 0x0ECEu);
  const double semis = Pick(kShift, variant);
  std::vector<float> tuned = Repitch(phrase, std::pow(2.0, semis / 12.0));
  const size_t slice = kFramesPerStep;
  switch (style % 5) {
    case 0:  // shout: the phrase on the first beat, answered halfway in longer samples
      for (int bar = 0; bar < bars; ++bar) {
        AddSlice(v, tuned, 0, std::min(tuned.size(), static_cast<size_t>(kFramesPerBar)),
                 static_cast<size_t>(bar) * kFramesPerBar, bar % 2 ? 0.8 : 1.0, bar % 2 ? 0.15 : -0.15);
      }
      AddPingPong(v, kFramesPerBeat, 0.25, 0.2);
      AddReverb(v, 0.3, 0.75, 0.4);
      break;
    case 1: {  // chop: sixteenths of the phrase re-ordered on a groove
      static constexpr const char* kGroove = "x.xx..x.x.x..xx.";
      for (int bar = 0; bar < bars; ++bar) {
        for (int step = 0; step < 16; ++step) {
          if (kGroove[(step + variant) % 16] == '.') continue;
          size_t pieces = std::max<size_t>(1, tuned.size() / slice);
          size_t piece = static_cast<size_t>(r.Below(static_cast<int>(std::min<size_t>(pieces, 8))));
          AddSlice(v, tuned, piece * slice, slice, StepFrame(bar * 16 + step), 1.0, r.Range(-0.3, 0.3));
        }
      }
      AddPingPong(v, kFramesPerStep * 3, 0.3, 0.25);
      break;
    }
    case 2: {  // stutter: the first sixteenth four times, then the whole phrase
      for (int bar = 0; bar < bars; bar += 1) {
        size_t at = static_cast<size_t>(bar) * kFramesPerBar;
        for (int k = 0; k < 4; ++k) AddSlice(v, tuned, 0, slice, at + StepFrame(k), 0.9, 0.0);
        AddSlice(v, tuned, 0, std::min(tuned.size(), static_cast<size_t>(kFramesPerBar) - StepFrame(4)),
                 at + StepFrame(4), 1.0, 0.0);
      }
      AddReverb(v, 0.25, 0.7, 0.4);
      break;
    }
    case 3: {  // robot: ring modulated and squeezed into a telephone's band
      std::vector<float> robot = tuned;
      Filter hp(FilterMode::HighPass), lp(FilterMode::LowPass);
      hp.Set(400.0, 0.2);
      lp.Set(3000.0, 0.3);
      double carrier = NoteHz(45 + 12 * (variant % 2));
      for (size_t i = 0; i < robot.size(); ++i) {
        double ring = 0.5 + 0.5 * std::sin(2.0 * kPi * carrier * static_cast<double>(i) / kRate);
        robot[i] = lp.Process(hp.Process(static_cast<float>(robot[i] * ring * 1.8)));
      }
      for (int bar = 0; bar < bars; bar += 2) AddSlice(v, robot, 0, robot.size(), static_cast<size_t>(bar) * kFramesPerBar, 1.0, 0.0);
      AddPingPong(v, kFramesPerBeat, 0.3, 0.3);
      break;
    }
    default: {  // tuned: the phrase sung on the root of each bar's chord
      for (int bar = 0; bar < bars; ++bar) {
        const Chord& ch = *chords[static_cast<size_t>(bar) % chords.size()];
        double shift = ch.bass - kAm.bass;  // 0 for A, up to the chord's root otherwise
        if (shift > 6) shift -= 12;
        std::vector<float> sung = Repitch(phrase, std::pow(2.0, (semis + shift) / 12.0));
        size_t room = static_cast<size_t>(kFramesPerBar) - StepFrame(1);
        AddSlice(v, sung, 0, std::min(sung.size(), room), static_cast<size_t>(bar) * kFramesPerBar, 1.0,
                 bar % 2 ? 0.25 : -0.25);
      }
      AddReverb(v, 0.35, 0.8, 0.3);
      break;
    }
  }
  Mix(out, v, 1.0f);
}

// --- Effects ----------------------------------------------------------------------------------

void AddEffect(Stereo& out, int style, int bars, uint64_t seed, int variant) {
  const size_t n = static_cast<size_t>(bars) * kFramesPerBar;
  Random r(seed ^ 0xEFFu);
  Stereo e(out.size());
  switch (style % 5) {
    case 0:
    case 1: {  // riser (noise and a tone climbing to the end) or its mirror, the down-lifter
      bool up = style % 5 == 0;
      Filter fl(FilterMode::BandPass), fr(FilterMode::BandPass);
      Oscillator tone(Wave::Saw);
      Random noise(seed);
      double lo = 200.0, hi = r.Range(6000.0, 10000.0);
      double toneLo = NoteHz(45), toneHi = NoteHz(81);
      for (size_t i = 0; i < n; ++i) {
        double x = static_cast<double>(i) / static_cast<double>(n);
        double p = up ? x : 1.0 - x;
        double cutoff = lo * std::pow(hi / lo, p * p);
        if (i % 16 == 0) {
          fl.Set(cutoff, 0.5);
          fr.Set(cutoff * 1.03, 0.5);
        }
        double env = up ? std::pow(x, 1.5) : std::pow(1.0 - x, 2.0);
        // The end of the sweep is faded within 10 ms so the wrap is quiet.
        double tail = std::min(1.0, static_cast<double>(n - i) / 441.0) * std::min(1.0, static_cast<double>(i) / 441.0);
        float t = tone.Next(toneLo * std::pow(toneHi / toneLo, p)) * 0.15f;
        float l = fl.Process(noise.Bipolar()) + t, rr = fr.Process(noise.Bipolar()) + t;
        e.Add(i, static_cast<float>(l * env * tail), static_cast<float>(rr * env * tail));
      }
      if (!up) PlayDrum(e, KitFor(seed), Drum::Kick, 0, 0.9, 0.0, seed + 5);
      AddReverb(e, 0.4, 0.8, 0.3);
      break;
    }
    case 2: {  // sweep: filtered noise opening and closing once a bar
      Filter fl(FilterMode::LowPass), fr(FilterMode::LowPass);
      Random noise(seed);
      double depth = r.Range(3.0, 5.0);
      // The sweep's cycle divides the sample, so the filter is where it started at the wrap.
      int cycle = (variant % 2 || bars == 1) ? kFramesPerBar : 2 * kFramesPerBar;
      for (size_t i = 0; i < e.size(); ++i) {
        double ph = static_cast<double>(i % static_cast<size_t>(cycle)) / cycle;
        double cutoff = 250.0 * std::pow(2.0, depth * (0.5 - 0.5 * std::cos(2.0 * kPi * ph)));
        if (i % 16 == 0) {
          fl.Set(cutoff, 0.6);
          fr.Set(cutoff * 1.05, 0.6);
        }
        float g = i < n ? 0.6f : 0.0f;  // only the loop itself; the filters ring into the fold
        e.Add(i, fl.Process(noise.Bipolar() * g), fr.Process(noise.Bipolar() * g));
      }
      break;
    }
    case 3: {  // impact: a sub drop with a crash, then a rumble that dies away over the length
      DrumKit kit = KitFor(seed);
      kit.kickDecay = 1.2;
      kit.kickHz = 40.0;
      kit.kickDrop = 4.0;
      PlayDrum(e, kit, Drum::Kick, 0, 1.0, 0.0, seed + 1);
      PlayDrum(e, kit, Drum::Crash, 0, 0.8, 0.1, seed + 2);
      PlayDrum(e, kit, Drum::Snare, 0, 0.6, -0.1, seed + 3);
      Filter fl(FilterMode::LowPass), fr(FilterMode::LowPass);
      Oscillator sub(Wave::Sine);
      Random noise(seed + 4);
      for (size_t i = 0; i < n; ++i) {
        double x = static_cast<double>(i) / static_cast<double>(n);
        if (i % 16 == 0) {
          fl.Set(1200.0 * std::pow(0.15, x), 0.3);
          fr.Set(1300.0 * std::pow(0.15, x), 0.3);
        }
        double env = std::exp(-3.0 * x) * std::min(1.0, static_cast<double>(i) / 4410.0) *
                     std::min(1.0, static_cast<double>(n - i) / 441.0);
        float s = sub.Next(NoteHz(33) * std::pow(0.5, x)) * 0.25f;
        e.Add(i, static_cast<float>((fl.Process(noise.Bipolar()) * 0.5f + s) * env),
              static_cast<float>((fr.Process(noise.Bipolar()) * 0.5f + s) * env));
      }
      AddReverb(e, 0.8, 0.88, 0.25);
      break;
    }
    default: {
      if (variant >= kSamplesPerGroup / 2) {  // zaps, the second flavour: falling tones on an off-beat rhythm, echoed
        Synth s;
        s.wave = Wave::Square;
        s.cutoff = 5000.0;
        s.keytrack = 0.0;
        s.glideSemis = 24.0;
        s.glideTime = 0.12;
        s.amp = {0.002, 0.15, 0.0, 0.05};
        s.level = 0.3;
        for (int bar = 0; bar < bars; ++bar) {
          for (int step : {2, 6, 7, 11, 14}) Note(e, s, bar * 16 + step, 1.0, Pentatonic(r.Below(5), 69), 1.0, r.Range(-0.6, 0.6), seed + static_cast<uint64_t>(bar * 16 + step));
        }
        AddPingPong(e, kFramesPerStep * 3, 0.45, 0.5);
      } else {  // reverse cymbal: a metallic wash swelling over the whole length into the next downbeat
        std::vector<Oscillator> squares;
        for (int k = 0; k < 6; ++k) squares.emplace_back(Wave::Square, r.Unit());
        static constexpr double kRatios[6] = {1.0, 1.304, 1.466, 1.787, 1.932, 2.536};
        Filter hl(FilterMode::HighPass), hr(FilterMode::HighPass);
        hl.Set(3500.0, 0.1);
        hr.Set(3700.0, 0.1);
        Random noise(seed + 7);
        for (size_t i = 0; i < n; ++i) {
          double x = static_cast<double>(i) / static_cast<double>(n);
          float metal = 0.0f;
          for (size_t k = 0; k < 6; ++k) metal += squares[k].Next(340.0 * kRatios[k]);
          double env = x * x * std::min(1.0, static_cast<double>(n - i) / 220.0);
          e.Add(i, static_cast<float>(hl.Process(metal * 0.1f + noise.Bipolar() * 0.5f) * env),
                static_cast<float>(hr.Process(metal * 0.1f + noise.Bipolar() * 0.5f) * env));
        }
      }
      break;
    }
  }
  Mix(out, e, 1.0f);
}

// --- Extras -----------------------------------------------------------------------------------

/// A plucked string (Karplus-Strong): a burst of noise circulating in a tuned, damped loop.
void Pluck(Stereo& out, size_t at, double note, double seconds, double vel, double pan, uint64_t seed) {
  Random r(seed);
  double period = kRate / NoteHz(note);
  size_t len = static_cast<size_t>(period) + 2;
  std::vector<float> line(len);
  Filter shape(FilterMode::LowPass);
  shape.Set(3000.0, 0.0);
  for (auto& v : line) v = shape.Process(r.Bipolar());
  size_t frames = static_cast<size_t>(seconds * kRate);
  float gl, gr;
  PanGains(pan, gl, gr);
  double read = 0.0;
  float last = 0.0f;
  // Fractional delay by linear interpolation keeps the string in tune with the key.
  std::vector<float> buf(frames + len);
  for (size_t i = 0; i < len; ++i) buf[i] = line[i];
  for (size_t i = len; i < buf.size(); ++i) {
    read = static_cast<double>(i) - period;
    size_t k = static_cast<size_t>(read);
    float f = static_cast<float>(read - static_cast<double>(k));
    float y = buf[k] * (1.0f - f) + buf[k + 1] * f;
    float damped = 0.5f * (y + last) * 0.996f;
    last = y;
    buf[i] = damped;
  }
  for (size_t i = 0; i < frames; ++i) {
    float env = i < 44 ? static_cast<float>(i) / 44.0f : 1.0f;
    if (frames - i < 441) env *= static_cast<float>(frames - i) / 441.0f;
    float x = buf[i + len] * env * static_cast<float>(vel) * 0.6f;
    out.Add(at + i, x * gl, x * gr);
  }
}

void AddExtra(Stereo& out, int style, const Progression& chords, int bars, uint64_t seed, int variant) {
  Random r(seed ^ 0xE7A4u);
  Stereo x(out.size());
  switch (style % 5) {
    case 0:
    case 1: {  // lead or bells: a pentatonic tune that keeps to the chord on strong beats
      Synth s;
      if (style % 5 == 0) {
        s.wave = Wave::Saw;
        s.unison = 2;
        s.detuneCents = 6.0;
        s.width = 0.2;
        s.cutoff = 2200.0;
        s.keytrack = 0.3;
        s.envOctaves = 1.0;
        s.amp = {0.01, 0.5, 0.75, 0.12};
        s.vibratoHz = 5.5;
        s.vibratoCents = 20.0;
        s.glideSemis = -1.0;
        s.glideTime = 0.05;
        s.level = 0.2;
      } else {
        s = BellPatch(3.5, 2.2);
      }
      static constexpr std::array<const char*, 4> kRhythm = {"x..x..x.x...x...", "x.x...x..x..x.x.",
                                                             "x.....x.x.x.....", "x..x....x..x.x.."};
      const char* rhythm = Pick(kRhythm, variant);
      int degree = 5 + r.Below(3);
      for (int bar = 0; bar < bars; ++bar) {
        const Chord& ch = *chords[static_cast<size_t>(bar) % chords.size()];
        for (int step = 0; step < 16; ++step) {
          if (rhythm[step] == '.') continue;
          int held = 1;
          while (step + held < 16 && rhythm[step + held] == '.') ++held;
          double note;
          if (step == 0) {
            note = ch.tones[static_cast<size_t>(r.Below(3))] + 12;  // a chord tone on the downbeat
          } else {
            degree = std::clamp(degree + r.Below(5) - 2, 3, 10);
            note = Pentatonic(degree);
          }
          Note(x, s, bar * 16 + step, std::min(held, 4) - 0.3, note, step % 4 == 0 ? 1.0 : 0.8, 0.0,
               seed + static_cast<uint64_t>(bar * 16 + step));
        }
      }
      AddPingPong(x, kFramesPerStep * 3, 0.3, 0.3);
      AddReverb(x, 0.4, 0.8, 0.35);
      break;
    }
    case 2: {  // guitar: plucked chord strums
      static constexpr std::array<const char*, 3> kStrum = {"x..x..x...x.x...", "x.x.x..x..x.x.x.", "x...x.x...x.x..x"};
      const char* strum = Pick(kStrum, variant);
      for (int bar = 0; bar < bars; ++bar) {
        const Chord& ch = *chords[static_cast<size_t>(bar) % chords.size()];
        for (int step = 0; step < 16; ++step) {
          if (strum[step] == '.') continue;
          bool down = step % 4 == 0;
          for (int t = 0; t < 4; ++t) {
            int k = down ? t : 3 - t;
            size_t at = StepFrame(bar * 16 + step) + static_cast<size_t>(t) * 300;  // the strum spreads the strings
            Pluck(x, at, ch.tones[static_cast<size_t>(k)] - (k == 0 ? 12 : 0), 0.5, down ? 1.0 : 0.7,
                  -0.3 + 0.2 * k, seed + static_cast<uint64_t>(bar * 64 + step * 4 + t));
          }
        }
      }
      AddReverb(x, 0.3, 0.7, 0.4);
      break;
    }
    case 3:  // percussion
      AddDrums(x, Beat::Perc, KitFor(seed), bars, seed, 1.0, variant);
      AddReverb(x, 0.2, 0.6, 0.4);
      break;
    default: {  // brass: swelling stabs
      Synth s = BrassPatch();
      static constexpr std::array<const char*, 2> kHits = {"x.....x...x.....", "..x...x.....x..."};
      const char* hits = Pick(kHits, variant);
      for (int bar = 0; bar < bars; ++bar) {
        const Chord& ch = *chords[static_cast<size_t>(bar) % chords.size()];
        for (int step = 0; step < 16; ++step) {
          if (hits[step] == '.') continue;
          for (size_t t = 0; t < 3; ++t) {
            Note(x, s, bar * 16 + step, 2.0, ch.tones[t], 1.0, (static_cast<double>(t) - 1.0) * 0.3,
                 seed + static_cast<uint64_t>(bar * 64 + step * 4) + t);
          }
        }
      }
      AddReverb(x, 0.35, 0.78, 0.3);
      break;
    }
  }
  Mix(out, x, 1.0f);
}

// --- Names ------------------------------------------------------------------------------------

struct StyleNames {
  const char* word;
  std::array<const char*, 2> flavours;
};

/// Each group's kinds of sample: the first word of the name, so that like sorts with like.
const std::array<StyleNames, 5>& Styles(int group) {
  static const std::array<std::array<StyleNames, 5>, 8> kStyles = {{
      {{{"House", {"Deep", "Warm"}}, {"Breaks", {"Dusty", "Rolling"}}, {"Trap", {"Dark", "Heavy"}},
        {"Techno", {"Acid", "Drive"}}, {"Funk", {"Bounce", "Strut"}}}},
      {{{"Beat", {"Tight", "Punch"}}, {"Break", {"Dusty", "Swing"}}, {"Halftime", {"Roll", "Slow"}},
        {"Perc", {"Conga", "Shaker"}}, {"Fill", {"Toms", "Crash"}}}},
      {{{"Sub", {"Round", "Deep"}}, {"Saw Bass", {"Grit", "Pump"}}, {"FM Bass", {"Pluck", "Slap"}},
        {"Acid Bass", {"Squelch", "Slide"}}, {"Reese", {"Wide", "Growl"}}}},
      {{{"Pad", {"Wide", "Soft"}}, {"Keys", {"Electric", "Mellow"}}, {"Organ", {"Drawbar", "Church"}},
        {"Strings", {"Slow", "Warm"}}, {"Stab", {"Bright", "Short"}}}},
      {{{"Arp Pluck", {"Up", "Echo"}}, {"Arp Bell", {"Glass", "Chime"}}, {"Arp Chip", {"Retro", "Game"}},
        {"Arp Acid", {"Squeak", "Run"}}, {"Pulse", {"Gate", "Drive"}}}},
      {{{"Vox Shout", {"Call", "Hype"}}, {"Vox Chop", {"Cut", "Slice"}}, {"Vox Stutter", {"Rep", "Glitch"}},
        {"Vox Robot", {"Ring", "Phone"}}, {"Vox Tuned", {"Sing", "Choir"}}}},
      {{{"Riser", {"Noise", "Climb"}}, {"Downer", {"Fall", "Drop"}}, {"Sweep", {"Filter", "Wind"}},
        {"Impact", {"Boom", "Hit"}}, {"Reverse", {"Crash", "Zap"}}}},
      {{{"Lead", {"Saw", "Sing"}}, {"Bells", {"Tune", "Sparkle"}}, {"Guitar", {"Strum", "Pick"}},
        {"Percussion", {"Latin", "Wood"}}, {"Brass", {"Stab", "Horn"}}}},
  }};
  return kStyles[static_cast<size_t>(std::clamp(group, 1, 8) - 1)];
}

}  // namespace

double GroupLoudnessDb(int group) {
  static constexpr std::array<double, 8> kTarget = {-14.0, -15.0, -15.0, -17.0, -17.0, -17.0, -18.0, -17.0};
  return kTarget[static_cast<size_t>(std::clamp(group, 1, 8) - 1)];
}

std::vector<PhraseRequest> PhrasesToSpeak() {
  return {{"yeah", "en", 40, 150},          {"come on", "en-us", 55, 160},     {"let's go", "en", 45, 170},
          {"get up", "en-us+m3", 35, 160},  {"hands up", "en+f3", 60, 160},    {"everybody", "en-us", 50, 180},
          {"feel it", "en+f2", 55, 150},    {"check this out", "en", 40, 190}, {"higher", "en-us+f3", 65, 140},
          {"zelo", "en", 45, 130},          {"drop", "en-us+m3", 30, 150},     {"all night", "en+f3", 55, 150},
          {"hey", "en-us", 50, 160},        {"oh yeah", "en+m3", 40, 140},     {"right now", "en-us+f2", 60, 170},
          {"listen", "en", 45, 150},        {"dance", "en-us+f3", 60, 150},    {"one two three four", "en", 45, 200},
          {"move", "en-us+m3", 35, 150},    {"jump", "en+f2", 60, 160},        {"go go go", "en-us", 50, 200},
          {"stop", "en+m3", 40, 150},       {"louder", "en-us+f3", 60, 150},   {"turn it up", "en", 45, 180},
          {"wow", "en-us+f2", 60, 140},     {"uh huh", "en+m3", 35, 150},      {"say what", "en-us", 50, 170},
          {"alright", "en+f3", 55, 150},    {"here we go", "en-us+m3", 40, 170}, {"bass", "en", 30, 140}};
}

std::vector<PlannedSample> PlanLibrary() {
  std::vector<PlannedSample> plan;
  int number = 1;
  for (int group = 1; group <= kGroups; ++group) {
    for (int i = 0; i < kSamplesPerGroup; ++i) {
      PlannedSample p;
      p.number = number++;
      p.group = group;
      p.variant = i;
      static constexpr std::array<int, 3> kBars = {1, 2, 4};
      p.bars = kBars[static_cast<size_t>(i % 3)];
      p.style = (i / 3) % 5;
      p.seed = 0x5EED0000ull + static_cast<uint64_t>(group) * 1000u + static_cast<uint64_t>(i);
      auto progressions = ProgressionsOfBars(p.bars);
      p.chords = progressions[static_cast<size_t>(i / 3 + group) % progressions.size()];
      const StyleNames& names = Styles(group)[static_cast<size_t>(p.style)];
      // Two flavours per kind: the first and the second time round the five kinds.
      p.name = std::string(names.word) + " " + names.flavours[static_cast<size_t>((i / 15) % 2)];
      switch (group) {
        case kGroupDrum:
        case kGroupEffect:
          p.name2 = std::to_string(p.bars) + (p.bars == 1 ? " bar" : " bars");
          break;
        case kGroupVoice:
          p.name2 = PhrasesToSpeak()[static_cast<size_t>(i)].text;
          break;
        default:
          p.name2 = ChordNames(p.chords);
          break;
      }
      plan.push_back(std::move(p));
    }
  }
  return plan;
}

Stereo RenderLibrarySample(const PlannedSample& p, const PhraseBank& phrases) {
  Stereo out = Canvas(p.bars);
  const int v = p.variant;
  switch (p.group) {
    case kGroupLoop: {
      DrumKit kit = KitFor(p.seed);
      switch (p.style) {
        case 0:
          AddDrums(out, Beat::Four, kit, p.bars, p.seed, 0.8, v);
          AddBass(out, 1, p.chords, p.bars, p.seed + 11, 0.7, 0);
          AddChords(out, 4, p.chords, p.bars, p.seed + 12, 0.45, v);
          break;
        case 1:
          AddDrums(out, Beat::Break, kit, p.bars, p.seed, 0.8, v);
          AddBass(out, 4, p.chords, p.bars, p.seed + 11, 0.6, v);
          AddChords(out, 0, p.chords, p.bars, p.seed + 12, 0.35, v);
          break;
        case 2:
          AddDrums(out, Beat::Half, kit, p.bars, p.seed, 0.8, v);
          AddBass(out, 0, p.chords, p.bars, p.seed + 11, 0.8, v);
          AddArp(out, 1, p.chords, p.bars, p.seed + 12, 0.35, v);
          break;
        case 3:
          AddDrums(out, Beat::Four, kit, p.bars, p.seed, 0.8, v + 1);
          AddArp(out, 3, p.chords, p.bars, p.seed + 12, 0.4, v);
          AddBass(out, 0, p.chords, p.bars, p.seed + 11, 0.6, 1);
          break;
        default:
          AddDrums(out, Beat::Break, kit, p.bars, p.seed, 0.75, v);
          AddDrums(out, Beat::Perc, kit, p.bars, p.seed + 50, 0.35, v);
          AddBass(out, 2, p.chords, p.bars, p.seed + 11, 0.6, v);
          AddChords(out, 1, p.chords, p.bars, p.seed + 12, 0.4, v);
          break;
      }
      Saturate(out, 1.1);
      break;
    }
    case kGroupDrum: {
      static constexpr std::array<Beat, 5> kBeats = {Beat::Four, Beat::Break, Beat::Half, Beat::Perc, Beat::Fill};
      AddDrums(out, kBeats[static_cast<size_t>(p.style)], KitFor(p.seed), p.bars, p.seed, 1.0, v);
      AddReverb(out, 0.12, 0.6, 0.5);
      break;
    }
    case kGroupBass: AddBass(out, p.style, p.chords, p.bars, p.seed, 1.0, v); break;
    case kGroupLayer: AddChords(out, p.style, p.chords, p.bars, p.seed, 1.0, v); break;
    case kGroupSequence: AddArp(out, p.style, p.chords, p.bars, p.seed, 1.0, v); break;
    case kGroupVoice: AddVoice(out, p.style, p.chords, p.bars, p.seed, phrases, v); break;
    case kGroupEffect: AddEffect(out, p.style, p.bars, p.seed, v); break;
    default: AddExtra(out, p.style, p.chords, p.bars, p.seed, v); break;
  }
  RemoveDc(out);
  const size_t frames = static_cast<size_t>(p.bars) * kFramesPerBar;
  // A riser or a reverse cymbal builds to its end and is placed to lead into what follows:
  // its echo belongs after it, not over its quiet start, so it is cut with a short fade.
  const bool leadsIn = p.group == kGroupEffect && (p.style == 0 || (p.style == 4 && p.variant < kSamplesPerGroup / 2));
  if (leadsIn) {
    out.l.resize(frames);
    out.r.resize(frames);
    FadeEnds(out, 0, 441);
  } else {
    FoldTail(out, frames);
  }
  Level(out, GroupLoudnessDb(p.group), kCeilingDb, true);
  return out;
}

}  // namespace zelo::content::sound
