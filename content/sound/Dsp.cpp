#include "content/sound/Dsp.h"

#include <algorithm>
#include <sndfile.h>

namespace zelo::content::sound {
namespace {

double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

/// Running minimum over a window of 2 * half + 1 frames (van Herk's method: linear time).
std::vector<float> RunningMin(const std::vector<float>& x, size_t half) {
  size_t n = x.size(), w = 2 * half + 1;
  std::vector<float> pre(n), suf(n), out(n);
  for (size_t i = 0; i < n; ++i) pre[i] = (i % w == 0) ? x[i] : std::min(pre[i - 1], x[i]);
  for (size_t i = n; i-- > 0;) suf[i] = (i + 1 == n || (i + 1) % w == 0) ? x[i] : std::min(suf[i + 1], x[i]);
  for (size_t i = 0; i < n; ++i) {
    size_t lo = i >= half ? i - half : 0, hi = std::min(n - 1, i + half);
    out[i] = std::min(suf[lo], pre[hi]);
  }
  return out;
}

}  // namespace

float Oscillator::Next(double hz) {
  double dt = std::clamp(hz / kRate, 0.0, 0.45);
  double v = 0.0;
  switch (wave_) {
    case Wave::Sine: v = std::sin(2.0 * kPi * phase_); break;
    case Wave::Saw: v = 2.0 * phase_ - 1.0 - Blep(phase_, dt); break;
    case Wave::Square: {
      v = phase_ < 0.5 ? 1.0 : -1.0;
      v += Blep(phase_, dt);
      v -= Blep(std::fmod(phase_ + 0.5, 1.0), dt);
      break;
    }
    case Wave::Triangle: v = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_; break;
    case Wave::Noise: v = noise_.Bipolar(); break;
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return static_cast<float>(v);
}

double Envelope::At(double t, double held) const {
  if (t < 0.0) return 0.0;
  auto holding = [&](double u) {
    double a = std::max(attack, 0.001);
    if (u < a) return u / a;
    double d = std::max(decay, 0.001);
    return sustain + (1.0 - sustain) * std::exp(-5.0 * (u - a) / d);
  };
  if (t < held) return holding(t);
  double r = std::max(release, 0.002);
  double x = (t - held) / r;
  if (x >= 1.0) return 0.0;
  return holding(held) * (1.0 - x) * (1.0 - x);
}

void Filter::Set(double cutoffHz, double resonance) {
  double fc = std::clamp(cutoffHz, 20.0, kRate * 0.45);
  g_ = std::tan(kPi * fc / kRate);
  k_ = 2.0 - 2.0 * std::clamp(resonance, 0.0, 0.98);
  a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

float Filter::Process(float x) {
  double v3 = x - ic2_;
  double v1 = a1_ * ic1_ + a2_ * v3;
  double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  switch (mode_) {
    case FilterMode::LowPass: return static_cast<float>(v2);
    case FilterMode::BandPass: return static_cast<float>(v1 * k_);
    case FilterMode::HighPass: return static_cast<float>(x - k_ * v1 - v2);
  }
  return 0.0f;
}

void AddReverb(Stereo& b, double wet, double size, double damping) {
  static constexpr int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static constexpr int kAllpasses[4] = {556, 441, 341, 225};
  for (int side = 0; side < 2; ++side) {
    int spread = side * 23;
    std::vector<std::vector<float>> comb(8), ap(4);
    std::vector<size_t> ci(8, 0), ai(4, 0);
    std::vector<float> store(8, 0.0f);
    for (int c = 0; c < 8; ++c) comb[c].assign(static_cast<size_t>(kCombs[c] + spread), 0.0f);
    for (int a = 0; a < 4; ++a) ap[a].assign(static_cast<size_t>(kAllpasses[a] + spread), 0.0f);
    std::vector<float>& out = side == 0 ? b.l : b.r;
    for (size_t i = 0; i < b.size(); ++i) {
      float in = (b.l[i] + b.r[i]) * 0.015f;
      float acc = 0.0f;
      for (int c = 0; c < 8; ++c) {
        float y = comb[c][ci[c]];
        store[c] = static_cast<float>(y * (1.0 - damping) + store[c] * damping);
        comb[c][ci[c]] = in + store[c] * static_cast<float>(size);
        if (++ci[c] == comb[c].size()) ci[c] = 0;
        acc += y;
      }
      for (int a = 0; a < 4; ++a) {
        float y = ap[a][ai[a]];
        ap[a][ai[a]] = acc + y * 0.5f;
        acc = y - acc;
        if (++ai[a] == ap[a].size()) ai[a] = 0;
      }
      out[i] += acc * static_cast<float>(wet);
    }
  }
}

void AddPingPong(Stereo& b, int delayFrames, double feedback, double wet) {
  if (delayFrames <= 0) return;
  size_t d = static_cast<size_t>(delayFrames);
  std::vector<float> tapL(b.size(), 0.0f), tapR(b.size(), 0.0f);
  for (size_t i = d; i < b.size(); ++i) {
    // The left echo feeds the right one and back, so the repeats walk across the room.
    tapL[i] = static_cast<float>((b.l[i - d] + b.r[i - d]) * 0.5 * wet + tapR[i - d] * feedback);
    tapR[i] = static_cast<float>(tapL[i - d] * feedback);
  }
  for (size_t i = 0; i < b.size(); ++i) {
    b.l[i] += tapL[i];
    b.r[i] += tapR[i];
  }
}

void Saturate(Stereo& b, double drive) {
  float k = static_cast<float>(drive);
  float norm = 1.0f / std::tanh(k);
  for (size_t i = 0; i < b.size(); ++i) {
    b.l[i] = std::tanh(b.l[i] * k) * norm;
    b.r[i] = std::tanh(b.r[i] * k) * norm;
  }
}

void RemoveDc(Stereo& b) {
  DcBlock dl, dr;
  for (size_t i = 0; i < b.size(); ++i) {
    b.l[i] = dl.Process(b.l[i]);
    b.r[i] = dr.Process(b.r[i]);
  }
}

void Scale(Stereo& b, float gain) {
  for (auto& v : b.l) v *= gain;
  for (auto& v : b.r) v *= gain;
}

void Mix(Stereo& into, const Stereo& from, float gain, size_t at) {
  for (size_t i = 0; i < from.size() && at + i < into.size(); ++i) {
    into.l[at + i] += from.l[i] * gain;
    into.r[at + i] += from.r[i] * gain;
  }
}

void FoldTail(Stereo& b, size_t frames) {
  if (frames == 0) return;
  for (size_t i = frames; i < b.size(); ++i) {
    b.l[i % frames] += b.l[i];
    b.r[i % frames] += b.r[i];
  }
  b.l.resize(frames, 0.0f);
  b.r.resize(frames, 0.0f);
}

void FadeEnds(Stereo& b, size_t inFrames, size_t outFrames) {
  size_t n = b.size();
  for (size_t i = 0; i < inFrames && i < n; ++i) {
    float g = static_cast<float>(i) / static_cast<float>(inFrames);
    b.l[i] *= g;
    b.r[i] *= g;
  }
  for (size_t i = 0; i < outFrames && i < n; ++i) {
    float g = static_cast<float>(i) / static_cast<float>(outFrames);
    b.l[n - 1 - i] *= g;
    b.r[n - 1 - i] *= g;
  }
}

double RmsDb(const Stereo& b) {
  double sum = 0.0;
  for (size_t i = 0; i < b.size(); ++i) sum += double(b.l[i]) * b.l[i] + double(b.r[i]) * b.r[i];
  return b.size() ? 10.0 * std::log10(std::max(sum / (2.0 * b.size()), 1e-24)) : -240.0;
}

double PeakDb(const Stereo& b) {
  float peak = 0.0f;
  for (size_t i = 0; i < b.size(); ++i) peak = std::max({peak, std::fabs(b.l[i]), std::fabs(b.r[i])});
  return GainToDb(peak);
}

void Level(Stereo& b, double targetRmsDb, double ceilingDb, bool circular) {
  size_t n = b.size();
  if (n == 0) return;
  const float ceiling = DbToGain(ceilingDb);
  const size_t half = 110;  // 2.5 ms either side: the limiter's reach, short enough not to pump
  for (int pass = 0; pass < 8; ++pass) {
    double have = RmsDb(b);
    if (have < -200.0) return;
    // Each pass closes the gap that the previous pass's peak control opened.
    double step = std::clamp(targetRmsDb - have, -60.0, pass == 0 ? 60.0 : 6.0);
    if (pass > 0 && step < 0.02) return;
    Scale(b, DbToGain(step));
    bool over = false;
    for (size_t i = 0; i < n && !over; ++i) over = std::fabs(b.l[i]) > ceiling || std::fabs(b.r[i]) > ceiling;
    if (!over) return;
    // Gain each frame needs, then the running minimum and a centred average no wider than
    // the minimum's window: each averaged value is at most what its own frame needs.
    size_t pad = circular ? std::min(n, 2 * half + 2) : 0;
    std::vector<float> need(n + 2 * pad);
    for (size_t j = 0; j < need.size(); ++j) {
      size_t i = circular ? (j + n - pad % n) % n : j;
      float peak = std::max(std::fabs(b.l[i]), std::fabs(b.r[i]));
      need[j] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    std::vector<float> mins = RunningMin(need, half);
    size_t box = half / 2;
    std::vector<double> prefix(mins.size() + 1, 0.0);
    for (size_t j = 0; j < mins.size(); ++j) prefix[j + 1] = prefix[j] + mins[j];
    for (size_t i = 0; i < n; ++i) {
      size_t j = i + pad;
      size_t lo = j >= box ? j - box : 0, hi = std::min(mins.size() - 1, j + box);
      float g = static_cast<float>((prefix[hi + 1] - prefix[lo]) / static_cast<double>(hi - lo + 1));
      g = std::min(g, need[j]);  // rounding of the average must never let a peak through
      b.l[i] *= g;
      b.r[i] *= g;
    }
  }
}

void LevelOneShot(Stereo& b, double ceilingDb, double maxRmsDb, size_t window) {
  double peak = PeakDb(b);
  if (peak < -200.0) return;
  Scale(b, DbToGain(ceilingDb - peak));
  Stereo head;
  head.l.assign(b.l.begin(), b.l.begin() + static_cast<long>(std::min(window, b.size())));
  head.r.assign(b.r.begin(), b.r.begin() + static_cast<long>(std::min(window, b.size())));
  double rms = RmsDb(head);
  if (rms > maxRmsDb) Scale(b, DbToGain(maxRmsDb - rms));
}

std::string ToPcm16(const Stereo& b) {
  std::string out(b.size() * 4, '\0');
  auto put = [&](size_t at, float v) {
    long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    auto u = static_cast<uint16_t>(static_cast<int16_t>(s));
    out[at] = static_cast<char>(u & 0xFF);
    out[at + 1] = static_cast<char>(u >> 8);
  };
  for (size_t i = 0; i < b.size(); ++i) {
    put(i * 4, b.l[i]);
    put(i * 4 + 2, b.r[i]);
  }
  return out;
}

bool WriteWav(const std::string& path, const Stereo& b) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!f) return false;
  std::string pcm = ToPcm16(b);
  std::vector<short> frames(b.size() * 2);
  for (size_t i = 0; i < frames.size(); ++i) {
    frames[i] = static_cast<short>(static_cast<uint8_t>(pcm[2 * i]) | (static_cast<uint8_t>(pcm[2 * i + 1]) << 8));
  }
  sf_count_t written = sf_writef_short(f, frames.data(), static_cast<sf_count_t>(b.size()));
  return sf_close(f) == 0 && written == static_cast<sf_count_t>(b.size());
}

}  // namespace zelo::content::sound
