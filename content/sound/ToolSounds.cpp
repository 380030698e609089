#include "content/sound/ToolSounds.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "content/sound/Instruments.h"
#include "content/sound/Music.h"

namespace zelo::content::sound {
namespace {

/// 0.1 dB below -1 dBFS, so that rounding to 16 bits never crosses it.
constexpr double kOneShotCeilingDb = -1.1;

struct Submenu {
  int menu;
  const char* name;
  int kind;
  std::array<const char*, 6> titles;
};

// Titles end in a word, never in digits: the list's caption rule would take trailing digits
// for a number and drop them.
constexpr std::array<Submenu, 20> kSubmenus = {{
    {0, "Sub", 0, {"Sub Round", "Sub Deep", "Sub Warm", "Sub Soft", "Sub Heavy", "Sub Pure"}},
    {0, "Saw", 1, {"Saw Grit", "Saw Pump", "Saw Buzz", "Saw Dark", "Saw Bite", "Saw Fat"}},
    {0, "FM", 2, {"FM Pluck", "FM Slap", "FM Wood", "FM Rubber", "FM Bell Bass", "FM Knock"}},
    {0, "Acid", 3, {"Acid Squelch", "Acid Slide", "Acid Rubber", "Acid Bite", "Acid Chirp", "Acid Deep"}},
    {0, "Reese", 4, {"Reese Wide", "Reese Growl", "Reese Dark", "Reese Smooth", "Reese Roll", "Reese Tense"}},
    {1, "Kicks", 10, {"Kick Punch", "Kick Deep", "Kick Tight", "Kick Boom", "Kick Hard", "Kick Soft"}},
    {1, "Snares", 11, {"Snare Crack", "Snare Fat", "Snare Tight", "Snare Dusty", "Snare Snap", "Snare Body"}},
    {1, "Hats", 12, {"Hat Closed", "Hat Open", "Hat Tick", "Hat Sizzle", "Hat Short", "Hat Long"}},
    {1, "Claps", 13, {"Clap Wide", "Clap Dry", "Clap Room", "Clap Tight", "Clap Soft", "Clap Big"}},
    {1, "Toms", 14, {"Tom Low", "Tom Mid", "Tom High", "Tom Floor", "Tom Rack", "Tom Deep"}},
    {1, "Perc", 15, {"Rim Shot", "Cowbell", "Conga", "Shaker", "Crash", "Ride Bell"}},
    {2, "Zaps", 20, {"Zap Laser", "Zap Drop", "Zap Chirp", "Zap Blip", "Zap Dive", "Zap Rise"}},
    {2, "Risers", 21, {"Rise Noise", "Rise Tone", "Rise Short", "Rise Air", "Fall Noise", "Fall Tone"}},
    {2, "Impacts", 22, {"Impact Boom", "Impact Hit", "Impact Sub", "Impact Metal", "Impact Dull", "Impact Wide"}},
    {3, "Pads", 30, {"Pad Wide", "Pad Soft", "Pad Glass", "Pad Warm", "Pad Dark", "Pad Airy"}},
    {3, "Keys", 31, {"Keys Electric", "Keys Mellow", "Keys Bright", "Keys Organ", "Keys Tine", "Keys Soft"}},
    {3, "Plucks", 32, {"Pluck Short", "Pluck Echo", "Pluck Soft", "Pluck Bright", "Pluck Harp", "Pluck String"}},
    {3, "Bells", 33, {"Bell Glass", "Bell Chime", "Bell Tubular", "Bell Soft", "Bell Metal", "Bell Music Box"}},
    {3, "Leads", 34, {"Lead Saw", "Lead Square", "Lead Sync", "Lead Soft", "Lead Whistle", "Lead Fat"}},
    {3, "Brass", 35, {"Brass Stab", "Brass Swell", "Brass Soft", "Brass Horn", "Brass Section", "Brass Bright"}},
}};

std::string Slug(const std::string& title) {
  std::string s;
  for (char c : title) s += (c == ' ') ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

Synth ToolPatch(int kind, int variant) {
  Synth s;
  switch (kind) {
    case 0: s = SubPatch(200.0 + 30.0 * variant); s.drive = 0.3 + 0.2 * variant; s.amp = {0.005, 0.8, 0.8, 0.12}; break;
    case 1: s.wave = Wave::Saw; s.sub = 0.5; s.cutoff = 250.0 + 40.0 * variant; s.keytrack = 0.2;
      s.resonance = 0.2; s.envOctaves = 2.0; s.fenv = {0.002, 0.2, 0.0, 0.05}; s.amp = {0.003, 0.6, 0.7, 0.1};
      s.level = 0.32; break;
    case 2: s.fmRatio = variant % 2 ? 2.0 : 1.0; s.fmIndex = 2.0 + 0.4 * variant; s.fmDecay = 0.2; s.cutoff = 3000.0;
      s.keytrack = 0.0; s.sub = 0.3; s.amp = {0.003, 0.7, 0.5, 0.1}; s.level = 0.4; break;
    case 3: s.wave = variant % 2 ? Wave::Square : Wave::Saw; s.cutoff = 350.0; s.keytrack = 0.3; s.resonance = 0.72;
      s.envOctaves = 2.5 + 0.1 * variant; s.fenv = {0.002, 0.2, 0.0, 0.05}; s.amp = {0.003, 0.4, 0.7, 0.08};
      s.drive = 0.8; s.level = 0.3; break;
    case 4: s.wave = Wave::Saw; s.unison = 3; s.detuneCents = 12.0 + 2.0 * variant; s.width = 0.4; s.sub = 0.5;
      s.cutoff = 450.0 + 50.0 * variant; s.keytrack = 0.2; s.amp = {0.01, 0.8, 0.9, 0.15}; s.level = 0.34; break;
    case 20: s.wave = Wave::Square; s.cutoff = 6000.0; s.keytrack = 0.0; s.glideSemis = 12.0 + 6.0 * variant;
      s.glideTime = 0.08 + 0.03 * variant; s.amp = {0.002, 0.3, 0.0, 0.1}; s.level = 0.3; break;
    case 30: s = PadPatch(1500.0 + 300.0 * variant, 0.25); break;
    case 31: s.fmRatio = variant == 3 ? 2.0 : 1.0; s.fmIndex = 1.5 + 0.3 * variant; s.fmDecay = 0.5; s.cutoff = 6000.0;
      s.keytrack = 0.0; s.amp = {0.003, 1.2, 0.2, 0.3}; s.level = 0.25; break;
    case 32: s.wave = Wave::Saw; s.unison = 2; s.detuneCents = 6.0; s.width = 0.3; s.cutoff = 500.0 + 100.0 * variant;
      s.envOctaves = 2.8; s.fenv = {0.001, 0.12, 0.0, 0.05}; s.amp = {0.002, 0.45, 0.0, 0.15}; s.level = 0.25; break;
    case 33: s = BellPatch(variant % 2 ? 2.76 : 3.5, 1.6 + 0.3 * variant); s.fmDecay = 0.6; break;
    case 34: s.wave = variant % 2 ? Wave::Square : Wave::Saw; s.unison = 2; s.detuneCents = 5.0; s.cutoff = 2000.0;
      s.keytrack = 0.3; s.envOctaves = 1.0; s.amp = {0.01, 0.5, 0.75, 0.15}; s.vibratoHz = 5.5; s.vibratoCents = 18.0;
      s.level = 0.22; break;
    default: s = BrassPatch(); s.fenv.attack = 0.05 + 0.01 * variant; break;
  }
  return s;
}

/// The one-shots sound on A: basses on A1, synths on A3 (bells and leads an octave higher).
double ToolNote(int kind) {
  if (kind < 10) return 33.0;
  if (kind == 33 || kind == 34 || kind == 20) return 69.0;
  return 57.0;
}

}  // namespace

std::vector<ToolSound> PlanToolSounds() {
  std::vector<ToolSound> list;
  for (const Submenu& sub : kSubmenus) {
    for (size_t v = 0; v < sub.titles.size(); ++v) {
      ToolSound t;
      char prefix[8];
      std::snprintf(prefix, sizeof prefix, "hs%03d", static_cast<int>(list.size() + 1));
      t.title = sub.titles[v];
      t.file = std::string(prefix) + "_" + Slug(t.title) + ".wav";
      t.menu = sub.menu;
      t.submenu = sub.name;
      t.kind = sub.kind;
      t.variant = static_cast<int>(v);
      list.push_back(std::move(t));
    }
  }
  return list;
}

Stereo RenderToolSound(const ToolSound& t) {
  const double seconds = t.kind >= 30 ? 1.6 : t.kind >= 20 ? 1.4 : 1.0;
  Stereo out(static_cast<size_t>(seconds * kRate));
  const uint64_t seed = 0x7001000ull + static_cast<uint64_t>(t.kind * 16 + t.variant);
  const int v = t.variant;
  DrumKit kit;
  kit.kickHz = 45.0 + 2.0 * v;
  kit.kickDecay = 0.35 + 0.05 * v;
  kit.snareHz = 170.0 + 10.0 * v;
  kit.snareDecay = 0.14 + 0.02 * v;
  kit.hatDecay = 0.03 + 0.01 * v;
  kit.openDecay = 0.2 + 0.06 * v;
  kit.clapDecay = 0.15 + 0.03 * v;
  switch (t.kind) {
    case 10: PlayDrum(out, kit, Drum::Kick, 0, 1.0, 0.0, seed); break;
    case 11: PlayDrum(out, kit, Drum::Snare, 0, 1.0, 0.0, seed); break;
    case 12: PlayDrum(out, kit, v % 2 ? Drum::OpenHat : Drum::Hat, 0, 1.0, 0.0, seed); break;
    case 13: PlayDrum(out, kit, Drum::Clap, 0, 1.0, 0.0, seed);
      if (v % 3 == 2) AddReverb(out, 0.5, 0.8, 0.3);
      break;
    case 14: {
      static constexpr std::array<Drum, 6> kToms = {Drum::Tom, Drum::TomMid, Drum::TomHigh, Drum::Tom, Drum::TomMid, Drum::Tom};
      kit.tomNote = v >= 3 ? 40.0 : 45.0;
      PlayDrum(out, kit, kToms[static_cast<size_t>(v)], 0, 1.0, 0.0, seed);
      break;
    }
    case 15: {
      static constexpr std::array<Drum, 6> kPerc = {Drum::Rim, Drum::Cowbell, Drum::Conga, Drum::Shaker, Drum::Crash, Drum::Cowbell};
      kit.percNote = v == 5 ? 76.0 : 69.0;
      PlayDrum(out, kit, kPerc[static_cast<size_t>(v)], 0, 1.0, 0.0, seed);
      break;
    }
    case 21: {  // short risers and falls
      bool up = v < 4;
      Filter f(FilterMode::BandPass);
      Oscillator tone(Wave::Saw);
      Random noise(seed);
      size_t n = out.size();
      for (size_t i = 0; i < n; ++i) {
        double x = static_cast<double>(i) / static_cast<double>(n);
        double p = up ? x : 1.0 - x;
        if (i % 16 == 0) f.Set(300.0 * std::pow(30.0, p), 0.5);
        double env = up ? x * x : (1.0 - x) * (1.0 - x);
        float s = f.Process(noise.Bipolar()) * (v % 2 ? 0.3f : 1.0f) +
                  (v % 2 ? tone.Next(NoteHz(57) * std::pow(4.0, p)) * 0.2f : 0.0f);
        out.Add(i, static_cast<float>(s * env), static_cast<float>(s * env));
      }
      break;
    }
    case 22: {
      kit.kickHz = 38.0 + 3.0 * v;
      kit.kickDecay = 0.9;
      PlayDrum(out, kit, Drum::Kick, 0, 1.0, 0.0, seed);
      if (v != 2) PlayDrum(out, kit, Drum::Crash, 0, 0.5 + 0.1 * (v % 3), 0.0, seed + 1);
      AddReverb(out, 0.6, 0.85, 0.3);
      break;
    }
    default:
      PlayNote(out, ToolPatch(t.kind, v), 0, seconds * 0.5, ToolNote(t.kind), 1.0, 0.0, seed);
      if (t.kind >= 30) AddReverb(out, 0.3, 0.75, 0.35);
      break;
  }
  RemoveDc(out);
  FadeEnds(out, 0, static_cast<size_t>(0.05 * kRate));
  LevelOneShot(out, kOneShotCeilingDb, -14.0, kRate * 3 / 10);
  return out;
}

std::string HypsoundText(const std::vector<ToolSound>& sounds) {
  std::string out;
  for (size_t i = 0; i < sounds.size(); ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d ", static_cast<int>(i % 100));
    out += sounds[i].file + "\r\n";
    // The first three characters of a title are dropped when the list is read.
    out += std::string(number) + sounds[i].title + "\r\n";
    out += "[" + std::to_string(sounds[i].menu) + "]" + sounds[i].submenu + "\r\n";
  }
  return out;
}

Stereo RenderLogo() {
  Stereo out(static_cast<size_t>(2.2 * kRate));
  Synth bell = BellPatch(3.5, 2.0);
  const std::array<int, 4> notes = {69, 72, 76, 81};  // A C E A: the key's chord, rising
  for (size_t k = 0; k < notes.size(); ++k) {
    PlayNote(out, bell, static_cast<size_t>(k) * 4410 * 2, 0.8, notes[k], 1.0 - 0.1 * k, -0.3 + 0.2 * k, 77 + k);
  }
  Synth pad = PadPatch(1800.0, 0.5);
  pad.level = 0.1;
  for (int n : {45, 57, 60, 64}) PlayNote(out, pad, 0, 1.4, n, 1.0, 0.0, 99 + static_cast<uint64_t>(n));
  AddReverb(out, 0.5, 0.85, 0.3);
  RemoveDc(out);
  FadeEnds(out, 0, static_cast<size_t>(0.3 * kRate));
  LevelOneShot(out, kOneShotCeilingDb, -16.0, out.size());
  return out;
}

Stereo RenderIntro() {
  const int bars = 8;
  Stereo out(static_cast<size_t>(bars + 1) * kFramesPerBar);
  Progression prog = {&kAm, &kF, &kC, &kG};
  Synth pad = PadPatch(2000.0, 0.4);
  pad.level = 0.12;
  Synth arp = BellPatch(3.5, 1.8);
  arp.amp = {0.002, 0.7, 0.0, 0.2};
  arp.level = 0.16;
  Synth bass = SubPatch(220.0);
  DrumKit kit;
  for (int bar = 0; bar < bars; ++bar) {
    const Chord& c = *prog[static_cast<size_t>(bar) % prog.size()];
    size_t at = static_cast<size_t>(bar) * kFramesPerBar;
    for (size_t t = 0; t < 4; ++t) PlayNote(out, pad, at, 1.6, c.tones[t], 1.0, -0.3 + 0.2 * static_cast<double>(t), 500 + t);
    for (int s = 0; s < 16; s += 2) {
      int note = c.tones[static_cast<size_t>((s / 2) % 4)] + 12;
      PlayNote(out, arp, at + static_cast<size_t>(s) * kFramesPerStep, 0.2, note, s % 4 ? 0.7 : 1.0, s % 4 ? 0.3 : -0.3,
               600 + static_cast<uint64_t>(bar * 16 + s));
    }
    if (bar >= 4) {
      for (int s : {0, 6, 8, 14}) {
        PlayNote(out, bass, at + static_cast<size_t>(s) * kFramesPerStep, 0.2, c.bass, 1.0, 0.0, 700 + static_cast<uint64_t>(s));
      }
      for (int b = 0; b < 4; ++b) {
        PlayDrum(out, kit, Drum::Kick, at + static_cast<size_t>(b) * kFramesPerBeat, 0.9, 0.0, 800 + static_cast<uint64_t>(bar * 4 + b));
        PlayDrum(out, kit, Drum::OpenHat, at + static_cast<size_t>(b) * kFramesPerBeat + 2 * kFramesPerStep, 0.4, 0.3,
                 900 + static_cast<uint64_t>(bar * 4 + b));
      }
      PlayDrum(out, kit, Drum::Clap, at + kFramesPerBeat, 0.7, 0.0, 950 + static_cast<uint64_t>(bar));
      PlayDrum(out, kit, Drum::Clap, at + 3 * kFramesPerBeat, 0.7, 0.0, 960 + static_cast<uint64_t>(bar));
    } else if (bar == 3) {
      PlayDrum(out, kit, Drum::Crash, at + kFramesPerBar, 0.6, 0.0, 999);
    }
  }
  AddPingPong(out, kFramesPerStep * 3, 0.3, 0.3);
  AddReverb(out, 0.3, 0.8, 0.35);
  RemoveDc(out);
  FadeEnds(out, 0, static_cast<size_t>(kFramesPerBar));
  Level(out, -15.0, kOneShotCeilingDb, false);
  return out;
}

Stereo RenderClick() {
  Stereo out(static_cast<size_t>(0.05 * kRate));
  Oscillator hi(Wave::Sine), lo(Wave::Sine);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    float env = static_cast<float>((i < 22 ? static_cast<double>(i) / 22.0 : 1.0) * std::exp(-t / 0.008));
    float x = (hi.Next(2000.0) * 0.7f + lo.Next(1000.0) * 0.3f) * env;
    out.Add(i, x, x);
  }
  FadeEnds(out, 0, 64);
  LevelOneShot(out, kOneShotCeilingDb, -6.0, out.size());
  return out;
}

}  // namespace zelo::content::sound
