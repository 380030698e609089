#include "content/sound/Instruments.h"

#include <algorithm>
#include <vector>

namespace zelo::content::sound {

Synth PadPatch(double cutoff, double attack) {
  Synth s;
  s.wave = Wave::Saw;
  s.unison = 5;
  s.detuneCents = 14.0;
  s.width = 0.8;
  s.cutoff = cutoff;
  s.keytrack = 0.3;
  s.resonance = 0.1;
  s.amp = {attack, 1.0, 0.85, 0.5};
  s.level = 0.14;
  return s;
}

Synth BellPatch(double ratio, double index) {
  Synth s;
  s.fmRatio = ratio;
  s.fmIndex = index;
  s.fmDecay = 0.5;
  s.cutoff = 9000.0;
  s.keytrack = 0.0;
  s.amp = {0.002, 1.2, 0.0, 0.4};
  s.level = 0.25;
  return s;
}

Synth SubPatch(double cutoff) {
  Synth s;
  s.wave = Wave::Triangle;
  s.cutoff = cutoff;
  s.keytrack = 0.0;
  s.resonance = 0.0;
  s.amp = {0.005, 0.6, 0.85, 0.06};
  s.drive = 0.6;
  s.level = 0.5;
  return s;
}

Synth BrassPatch() {
  Synth s;
  s.wave = Wave::Saw;
  s.unison = 3;
  s.detuneCents = 6.0;
  s.width = 0.5;
  s.cutoff = 600.0;
  s.keytrack = 0.5;
  s.envOctaves = 2.0;
  s.fenv = {0.06, 0.3, 0.3, 0.1};
  s.amp = {0.03, 0.3, 0.7, 0.1};
  s.level = 0.15;
  return s;
}

void PlayNote(Stereo& out, const Synth& s, size_t at, double held, double note, double velocity, double pan,
              uint64_t seed) {
  const double seconds = s.amp.Length(held);
  const size_t frames = static_cast<size_t>(seconds * kRate) + 1;
  const int voices = std::max(1, s.unison);
  Random rnd(seed);
  std::vector<Oscillator> osc1, osc2;
  std::vector<double> detune, phase, modPhase;
  std::vector<float> gainL, gainR;
  for (int v = 0; v < voices; ++v) {
    double spread = voices == 1 ? 0.0 : (2.0 * v / (voices - 1) - 1.0);
    detune.push_back(std::pow(2.0, spread * s.detuneCents / 1200.0));
    float gl, gr;
    PanGains(std::clamp(pan + spread * s.width, -1.0, 1.0), gl, gr);
    gainL.push_back(gl);
    gainR.push_back(gr);
    osc1.emplace_back(s.wave, rnd.Unit(), rnd.Next());
    osc2.emplace_back(s.wave2, rnd.Unit(), rnd.Next());
    phase.push_back(0.0);
    modPhase.push_back(0.0);
  }
  Oscillator subOsc(Wave::Sine);
  Filter fl(s.filter), fr(s.filter);
  const double baseHz = NoteHz(note);
  const double cutoffAtNote = s.cutoff * std::pow(baseHz / 440.0, s.keytrack);
  const float norm = static_cast<float>(s.level * velocity / std::sqrt(static_cast<double>(voices)));
  for (size_t i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / kRate;
    if (i % 16 == 0) {
      double fe = s.fenv.At(t, held);
      double cutoff = cutoffAtNote * std::pow(2.0, s.envOctaves * fe * velocity);
      fl.Set(cutoff, s.resonance);
      fr.Set(cutoff, s.resonance);
    }
    double bend = 0.0;
    if (s.glideSemis != 0.0) bend += s.glideSemis * std::exp(-5.0 * t / std::max(s.glideTime, 0.001));
    if (s.vibratoHz > 0.0) {
      double depth = std::min(1.0, t / 0.25);  // vibrato grows in, as a player lets it
      bend += depth * s.vibratoCents / 100.0 * std::sin(2.0 * kPi * s.vibratoHz * t);
    }
    double hz = baseHz * std::pow(2.0, bend / 12.0);
    double index = s.fmIndex * std::exp(-1.6 * t / std::max(s.fmDecay, 0.001));
    float left = 0.0f, right = 0.0f;
    for (int v = 0; v < voices; ++v) {
      double vhz = hz * detune[static_cast<size_t>(v)];
      float x;
      if (s.fmIndex > 0.0) {
        auto vi = static_cast<size_t>(v);
        double m = std::sin(2.0 * kPi * modPhase[vi]);
        x = static_cast<float>(std::sin(2.0 * kPi * phase[vi] + index * m));
        phase[vi] = std::fmod(phase[vi] + vhz / kRate, 1.0);
        modPhase[vi] = std::fmod(modPhase[vi] + vhz * s.fmRatio / kRate, 1.0);
      } else {
        x = osc1[static_cast<size_t>(v)].Next(vhz);
      }
      if (s.mix2 > 0.0) {
        x += static_cast<float>(s.mix2) * osc2[static_cast<size_t>(v)].Next(vhz * std::pow(2.0, s.semis2 / 12.0));
      }
      left += x * gainL[static_cast<size_t>(v)];
      right += x * gainR[static_cast<size_t>(v)];
    }
    if (s.sub > 0.0) {
      float sub = static_cast<float>(s.sub) * subOsc.Next(hz * 0.5);
      left += sub;
      right += sub;
    }
    float yl = fl.Process(left), yr = fr.Process(right);
    if (s.drive > 0.0) {
      float k = static_cast<float>(1.0 + s.drive);
      yl = std::tanh(yl * k) / k * 1.5f;
      yr = std::tanh(yr * k) / k * 1.5f;
    }
    float a = static_cast<float>(s.amp.At(t, held)) * norm;
    out.Add(at + i, yl * a, yr * a);
  }
}

namespace {

/// A mono hit rendered into a scratch buffer, then panned in.
struct Hit {
  std::vector<float> x;
  explicit Hit(double seconds) : x(static_cast<size_t>(seconds * kRate), 0.0f) {}
  void Into(Stereo& out, size_t at, double velocity, double pan) const {
    float gl, gr;
    PanGains(pan, gl, gr);
    // A 1 ms fade-in keeps any hit from starting with a step.
    const size_t ramp = 44;
    for (size_t i = 0; i < x.size(); ++i) {
      float g = static_cast<float>(velocity) * (i < ramp ? static_cast<float>(i) / ramp : 1.0f);
      out.Add(at + i, x[i] * gl * g, x[i] * gr * g);
    }
  }
};

/// Six square waves at metallic ratios: the body of hats, cymbals and the cowbell.
float Metal(std::vector<Oscillator>& squares, double base) {
  static constexpr double kRatios[6] = {1.0, 1.304, 1.466, 1.787, 1.932, 2.536};
  float sum = 0.0f;
  for (size_t k = 0; k < squares.size(); ++k) sum += squares[k].Next(base * kRatios[k % 6]);
  return sum / static_cast<float>(squares.size());
}

double Decay(double t, double seconds) { return std::exp(-5.0 * t / seconds); }

}  // namespace

void PlayDrum(Stereo& out, const DrumKit& k, Drum drum, size_t at, double velocity, double pan, uint64_t seed) {
  Random rnd(seed);
  auto noise = [&] { return rnd.Bipolar(); };
  switch (drum) {
    case Drum::Kick: {
      Hit h(k.kickDecay * 1.6);
      double phase = 0.0;
      Filter click(FilterMode::BandPass);
      click.Set(3500.0, 0.3);
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double hz = k.kickHz * (1.0 + k.kickDrop * std::exp(-t / 0.03));
        phase += hz / kRate;
        double body = std::sin(2.0 * kPi * phase) * Decay(t, k.kickDecay);
        double c = click.Process(noise()) * k.kickClick * Decay(t, 0.012);
        h.x[i] = static_cast<float>(std::tanh((body + c) * k.kickDrive) * 0.95);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
    case Drum::Snare: {
      Hit h(k.snareDecay * 2.0);
      Filter bright(FilterMode::BandPass), air(FilterMode::HighPass);
      bright.Set(k.snareTone, 0.2);
      air.Set(6000.0, 0.1);
      double p1 = 0.0, p2 = 0.0;
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        p1 += k.snareHz * (1.0 + 0.4 * std::exp(-t / 0.01)) / kRate;
        p2 += k.snareHz * 1.78 / kRate;
        double tone = (std::sin(2.0 * kPi * p1) * 0.6 + std::sin(2.0 * kPi * p2) * 0.3) * Decay(t, 0.09);
        float n = noise();
        double rattle = (bright.Process(n) * 1.4 + air.Process(n) * 0.5) * k.snareNoise * Decay(t, k.snareDecay);
        h.x[i] = static_cast<float>(std::tanh((tone + rattle) * 1.3) * 0.8);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
    case Drum::Clap: {
      Hit h(k.clapDecay * 2.2);
      Filter band(FilterMode::BandPass);
      band.Set(k.clapTone, 0.45);
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        // Three quick slaps before the tail: hands that never land at exactly the same time.
        double env = 0.0;
        for (int burst = 0; burst < 3; ++burst) {
          double tb = t - burst * 0.011;
          if (tb >= 0.0 && tb < 0.011) env = std::max(env, Decay(tb, 0.01));
        }
        if (t >= 0.022) env = std::max(env, 0.8 * Decay(t - 0.022, k.clapDecay));
        h.x[i] = static_cast<float>(band.Process(noise()) * env * 2.2);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
    case Drum::Hat:
    case Drum::OpenHat:
    case Drum::Crash: {
      double decay = drum == Drum::Hat ? k.hatDecay : drum == Drum::OpenHat ? k.openDecay : 1.6;
      Hit h(decay * 1.8 + 0.01);
      std::vector<Oscillator> squares(6, Oscillator(Wave::Square));
      for (auto& sq : squares) sq = Oscillator(Wave::Square, rnd.Unit());
      Filter band(FilterMode::BandPass), high(FilterMode::HighPass);
      band.Set(k.hatTone * (drum == Drum::Crash ? 0.7 : 1.0), 0.3);
      high.Set(drum == Drum::Crash ? 4000.0 : 6500.0, 0.1);
      double base = drum == Drum::Crash ? 340.0 : 420.0;
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double x = band.Process(Metal(squares, base) * 0.6f + noise() * 0.5f);
        h.x[i] = static_cast<float>(high.Process(static_cast<float>(x)) * Decay(t, decay) * 1.6);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
    case Drum::Tom:
    case Drum::TomMid:
    case Drum::TomHigh:
    case Drum::Conga: {
      double note = k.tomNote + (drum == Drum::TomMid ? 5 : drum == Drum::TomHigh ? 12 : 0);
      if (drum == Drum::Conga) note = k.percNote - 12;
      double decay = drum == Drum::Conga ? 0.16 : 0.35;
      Hit h(decay * 1.8);
      double hz = NoteHz(note), phase = 0.0;
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        phase += hz * (1.0 + 0.5 * std::exp(-t / 0.02)) / kRate;
        double body = std::sin(2.0 * kPi * phase) * Decay(t, decay);
        double slap = noise() * 0.2 * Decay(t, 0.008);
        h.x[i] = static_cast<float>(std::tanh((body + slap) * 1.2) * 0.8);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
    case Drum::Rim:
    case Drum::Cowbell: {
      bool bell = drum == Drum::Cowbell;
      Hit h(bell ? 0.35 : 0.08);
      Oscillator a(Wave::Square), b(Wave::Square);
      Filter band(FilterMode::BandPass);
      band.Set(bell ? 900.0 : 1700.0, 0.5);
      double hz = NoteHz(k.percNote + 12);
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double x = bell ? (a.Next(hz) + b.Next(hz * 1.48)) * 0.5 : a.Next(hz * 2.0) * 0.5 + noise() * 0.3;
        h.x[i] = static_cast<float>(band.Process(static_cast<float>(x)) * Decay(t, bell ? 0.25 : 0.025) * 2.0);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
    case Drum::Shaker: {
      Hit h(0.12);
      Filter high(FilterMode::HighPass);
      high.Set(5000.0, 0.2);
      for (size_t i = 0; i < h.x.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double env = std::min(1.0, t / 0.02) * Decay(std::max(0.0, t - 0.02), 0.07);
        h.x[i] = static_cast<float>(high.Process(noise()) * env * 0.9);
      }
      h.Into(out, at, velocity, pan);
      break;
    }
  }
}

namespace {

/// How loud each drum sits in a beat: the kick leads, the bright metal stays behind it.
double MixLevel(Drum drum) {
  switch (drum) {
    case Drum::Kick: return 1.0;
    case Drum::Snare: return 0.8;
    case Drum::Clap: return 0.7;
    case Drum::Hat: return 0.4;
    case Drum::OpenHat: return 0.35;
    case Drum::Shaker: return 0.3;
    case Drum::Rim:
    case Drum::Cowbell: return 0.4;
    case Drum::Crash: return 0.45;
    default: return 0.75;
  }
}

}  // namespace

void PlayPattern(Stereo& out, const DrumKit& kit, Drum drum, const std::string& steps, int bars, double pan,
                 uint64_t seed, double swing) {
  if (steps.empty()) return;
  const double level = MixLevel(drum);
  const size_t perBar = 16;
  for (int bar = 0; bar < bars; ++bar) {
    for (size_t s = 0; s < perBar; ++s) {
      // A pattern longer than one bar carries on into the next bars.
      char c = steps[(static_cast<size_t>(bar) * perBar + s) % steps.size()];
      if (c == '.') continue;
      double vel = (c == 'x' ? 1.0 : c == 'o' ? 0.55 : 0.3) * level;
      size_t at = static_cast<size_t>(bar) * kFramesPerBar + s * kFramesPerStep;
      if (s % 2 == 1) at += static_cast<size_t>(swing * kFramesPerStep);
      PlayDrum(out, kit, drum, at, vel, pan, seed + static_cast<uint64_t>(bar * 16 + s) * 7919u);
    }
  }
}

}  // namespace zelo::content::sound
