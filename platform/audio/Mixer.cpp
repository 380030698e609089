#include "platform/audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/audio/Interpolation.h"

namespace zelo::platform::audio {
namespace {

constexpr double kFixedToFrames = 1.0 / static_cast<double>(kFixedOne);
constexpr float kFractionScale = 1.0f / 4294967296.0f;
constexpr float kPcmScale = 1.0f / 32768.0f;
/// The tail after a stop is rendered in one piece; it must cover the ramp at the slowest rate.
constexpr int kTailFrames = 2 * kRampFrames;

/// The first output frame k >= 0 at which t + k * step reaches x.
inline int64_t FirstFrameAt(FixedFrames t, FixedFrames step, FixedFrames x) {
  if (x <= t) return 0;
  return (x - t + step - 1) / step;
}

/// One stereo frame of a sound; frames outside the data read as silence.
inline void Fetch(const SoundView& s, int64_t index, float& l, float& r) {
  if (index < 0 || index >= s.frames) {
    l = r = 0;
    return;
  }
  int16_t frame[2];
  std::memcpy(frame, s.bytes + index * kBytesPerFrame, sizeof frame);
  l = frame[0];
  r = frame[1];
}

PanMatrix Step(const PanMatrix& from, const PanMatrix& to) {
  constexpr float inv = 1.0f / kGainRampFrames;
  return {(to.ll - from.ll) * inv, (to.rl - from.rl) * inv, (to.lr - from.lr) * inv, (to.rr - from.rr) * inv};
}

void Advance(PanMatrix& m, const PanMatrix& d) {
  m.ll += d.ll;
  m.rl += d.rl;
  m.lr += d.lr;
  m.rr += d.rr;
}

}  // namespace

Mixer::Mixer()
    : commands_(kCommandCapacity),
      voices_(kVoiceCapacity),
      channelBuffers_(static_cast<size_t>(kChannelCount) * kMaxBlockFrames * 2),
      weights_(static_cast<size_t>(kMaxBlockFrames) * 8),
      tail_(kTailFrames * 2) {
  for (auto& c : channels_) c.current = c.target = PanFor(0, ChannelGain(kFaderReference));
}

void Mixer::ApplyCommands() noexcept {
  Command c;
  while (commands_.Pop(c)) Apply(c);
}

void Mixer::Apply(const Command& c) noexcept {
  switch (c.kind) {
    case Command::Kind::Play: AddVoice(c); break;
    case Command::Kind::Start:
      time_ = 0;
      serial_ = static_cast<uint32_t>(c.start);
      horizon_ = std::clamp<int64_t>(c.end, 0, kMaxTimelineFrames);
      running_ = true;
      Publish();
      break;
    case Command::Kind::Stop: StopAll(); break;
    case Command::Kind::Horizon: horizon_ = std::clamp<int64_t>(c.start, 0, kMaxTimelineFrames); break;
    case Command::Kind::Pitch: step_ = std::max<int64_t>(c.start, 1); break;
    case Command::Kind::Channel:
      if (c.channel >= 0 && c.channel < kChannelCount) {
        Channel& ch = channels_[c.channel];
        ch.target = c.pan;
        ch.delta = Step(ch.current, ch.target);
        ch.remaining = kGainRampFrames;
      }
      break;
    case Command::Kind::Master:
      masterTarget_ = c.gain;
      masterDelta_ = (masterTarget_ - masterCurrent_) / kGainRampFrames;
      masterRemaining_ = kGainRampFrames;
      break;
  }
}

void Mixer::AddVoice(const Command& c) noexcept {
  if (voiceCount_ >= kVoiceCapacity || c.channel < 0 || c.channel >= kChannelCount || c.start < 0 ||
      c.end <= c.start || c.end > kMaxTimelineFrames) {
    droppedVoices_.fetch_add(1, std::memory_order_relaxed);
    if (c.sound.owner) c.sound.owner->users.fetch_sub(1, std::memory_order_acq_rel);
    return;
  }
  Voice v{c.voiceKind, c.channel, c.start, c.end, c.offset, c.gain, true, true, c.sound};
  // A sound that arrives after its start (the UI fell behind) keeps its place in time but
  // begins where the mix is now, with a ramp.
  const int64_t now = (time_ + kFixedOne - 1) >> kFixedShift;
  if (running_ && v.start < now) {
    v.offset += now - v.start;
    v.start = now;
    if (v.end <= v.start) {
      ReleaseVoice(v);
      return;
    }
  }
  // Two sounds that meet on one channel (a loop placed bar after bar) are spliced without
  // ramps: the material is cut to join seamlessly, and ramps would dip the level at each seam.
  // A frame of slack covers the rounding of byte positions to frames.
  for (int i = 0; i < voiceCount_; ++i) {
    Voice& other = voices_[static_cast<size_t>(i)];
    if (other.channel != v.channel) continue;
    if (std::abs(other.end - v.start) <= 1) other.rampOut = v.rampIn = false;
    if (std::abs(v.end - other.start) <= 1) other.rampIn = v.rampOut = false;
  }
  voices_[static_cast<size_t>(voiceCount_++)] = v;
}

void Mixer::ReleaseVoice(Voice& v) noexcept {
  if (v.sound.owner) v.sound.owner->users.fetch_sub(1, std::memory_order_acq_rel);
  v.sound.owner = nullptr;
}

void Mixer::StopAll() noexcept {
  // The sounds that were audible fade out over the ramp length from the current position;
  // their tail is rendered now and played out after the stop, so a stop never clicks.
  bool audible = false;
  if (running_ && FramesToHorizon() > 0) {
    int64_t now = (time_ + kFixedOne - 1) >> kFixedShift;
    int kept = 0;
    for (int i = 0; i < voiceCount_; ++i) {
      Voice& v = voices_[static_cast<size_t>(i)];
      if ((v.start << kFixedShift) <= time_ && time_ < (v.end << kFixedShift)) {
        v.end = std::min(v.end, now + kRampFrames);
        v.rampOut = true;
        voices_[static_cast<size_t>(kept++)] = v;
      } else {
        ReleaseVoice(v);
      }
    }
    voiceCount_ = kept;
    audible = kept > 0;
  }
  if (audible) {
    RenderVoices(time_, kTailFrames);
    MixChannels(tail_.data(), kTailFrames);
    tailFrames_ = kTailFrames;
    tailPos_ = 0;
  }
  for (int i = 0; i < voiceCount_; ++i) ReleaseVoice(voices_[static_cast<size_t>(i)]);
  voiceCount_ = 0;
  running_ = false;
  horizon_ = 0;
}

int64_t Mixer::FramesUntil(int64_t frame) const noexcept {
  return FirstFrameAt(time_, step_, frame << kFixedShift);
}

int64_t Mixer::FramesToHorizon() const noexcept { return running_ ? FramesUntil(horizon_) : 0; }

namespace {

/// Adds frames [from, to) of a voice whose source position at frame k is pos0 + k * step, with a
/// constant gain; every frame read lies inside the sound (index - 1 to index + 2).
void AddInterior(const SoundView& snd, FixedFrames pos0, FixedFrames step, const float* weights, float gain,
                 float* buf, int64_t from, int64_t to) noexcept {
  FixedFrames pos = pos0 + from * step;
  if (step == kFixedOne && static_cast<uint32_t>(pos) == 0) {
    // The recorded speed on whole frames: the interpolation would give the frames unchanged.
    for (int64_t k = from; k < to; ++k, pos += step) {
      int16_t x[2];
      std::memcpy(x, snd.bytes + (pos >> kFixedShift) * kBytesPerFrame, sizeof x);
      buf[2 * k] += gain * static_cast<float>(x[0]);
      buf[2 * k + 1] += gain * static_cast<float>(x[1]);
    }
    return;
  }
  for (int64_t k = from; k < to; ++k, pos += step) {
    const float* w = weights + 8 * k;
    const uint8_t* p = snd.bytes + ((pos >> kFixedShift) - 1) * kBytesPerFrame;
#if defined(__SSE2__)
    const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128 x01 = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(raw, raw), 16));  // L0 R0 L1 R1
    const __m128 x23 = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(raw, raw), 16));  // L2 R2 L3 R3
    const __m128 acc = _mm_add_ps(_mm_mul_ps(x01, _mm_loadu_ps(w)), _mm_mul_ps(x23, _mm_loadu_ps(w + 4)));
    const __m128 lr = _mm_add_ps(acc, _mm_movehl_ps(acc, acc));
    float* o = buf + 2 * k;
    const __m128 sum = _mm_add_ps(_mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(o)),
                                  _mm_mul_ps(lr, _mm_set1_ps(gain)));
    _mm_storel_pi(reinterpret_cast<__m64*>(o), sum);
#else
    int16_t x[8];
    std::memcpy(x, p, sizeof x);
    const HermiteWeights hw{w[0], w[2], w[4], w[6]};
    buf[2 * k] += gain * Hermite(x[0], x[2], x[4], x[6], hw);
    buf[2 * k + 1] += gain * Hermite(x[1], x[3], x[5], x[7], hw);
#endif
  }
}

}  // namespace

void Mixer::RenderVoices(FixedFrames t, int frames) noexcept {
  bool touched[kChannelCount] = {};
  const FixedFrames step = step_;
  {
    FixedFrames tk = t;
    for (int k = 0; k < frames; ++k, tk += step) {
      const HermiteWeights w = WeightsAt(static_cast<float>(static_cast<uint32_t>(tk)) * kFractionScale);
      float* to = weights_.data() + 8 * k;
      to[0] = to[1] = w.w0;
      to[2] = to[3] = w.w1;
      to[4] = to[5] = w.w2;
      to[6] = to[7] = w.w3;
    }
  }
  const FixedFrames rampFixed = FixedFrames{kRampFrames} << kFixedShift;
  for (int i = 0; i < voiceCount_; ++i) {
    const Voice& v = voices_[static_cast<size_t>(i)];
    const FixedFrames s = v.start << kFixedShift, e = v.end << kFixedShift;
    const int64_t k0 = FirstFrameAt(t, step, s);
    if (k0 >= frames) continue;
    const int64_t k1 = std::min<int64_t>(FirstFrameAt(t, step, e), frames);
    if (k1 <= k0) continue;
    float* buf = channelBuffers_.data() + static_cast<size_t>(v.channel) * kMaxBlockFrames * 2;
    if (!touched[v.channel]) {
      std::memset(buf, 0, sizeof(float) * static_cast<size_t>(frames) * 2);
      touched[v.channel] = true;
    }
    const SoundView& snd = v.sound;
    const float gain = v.gain * kPcmScale;
    const FixedFrames toSource = (v.offset << kFixedShift) - s;
    const FixedFrames pos0 = t + toSource;  // source position at output frame 0
    // Ramps: in over the first frames after the start, out over the last before the end.
    const int64_t inEnd = v.rampIn ? std::clamp<int64_t>(FirstFrameAt(t, step, s + rampFixed - kFixedOne), k0, k1) : k0;
    const int64_t outStart = v.rampOut ? std::clamp<int64_t>(FirstFrameAt(t, step, e - rampFixed + 1), k0, k1) : k1;
    // Frames whose four neighbours all lie inside the sound take the fast path.
    const int64_t fastFrom = std::max(inEnd, FirstFrameAt(pos0, step, kFixedOne));
    const int64_t fastTo = std::min(outStart, snd.frames >= 3 ? FirstFrameAt(pos0, step, (snd.frames - 2) << kFixedShift) : 0);
    auto addChecked = [&](int64_t from, int64_t to) {
      FixedFrames tk = t + from * step;
      for (int64_t k = from; k < to; ++k, tk += step) {
        float a = gain;
        if (k < inEnd) a *= std::min(1.0f, static_cast<float>(static_cast<double>(tk - s) * kFixedToFrames + 1.0) / kRampFrames);
        if (k >= outStart) a *= std::min(1.0f, static_cast<float>(static_cast<double>(e - tk) * kFixedToFrames) / kRampFrames);
        const FixedFrames pos = tk + toSource;
        const int64_t index = pos >> kFixedShift;
        const float* wk = weights_.data() + 8 * k;
        const HermiteWeights w{wk[0], wk[2], wk[4], wk[6]};
        float x[8];
        for (int j = 0; j < 4; ++j) Fetch(snd, index - 1 + j, x[2 * j], x[2 * j + 1]);
        buf[2 * k] += a * Hermite(x[0], x[2], x[4], x[6], w);
        buf[2 * k + 1] += a * Hermite(x[1], x[3], x[5], x[7], w);
      }
    };
    if (fastFrom < fastTo) {
      addChecked(k0, fastFrom);
      AddInterior(snd, pos0, step, weights_.data(), gain, buf, fastFrom, fastTo);
      addChecked(fastTo, k1);
    } else {
      addChecked(k0, k1);
    }
  }
  for (int c = 0; c < kChannelCount; ++c) touched_[c] = touched[c];
}

void Mixer::MixChannels(float* out, int frames) noexcept {
  std::memset(out, 0, sizeof(float) * static_cast<size_t>(frames) * 2);
  for (int c = 0; c < kChannelCount; ++c) {
    Channel& ch = channels_[c];
    int k = 0;
    const float* b = channelBuffers_.data() + static_cast<size_t>(c) * kMaxBlockFrames * 2;
    // A change of volume or pan glides over a fixed number of frames, whatever the block size.
    const int glide = std::min(frames, ch.remaining);
    for (; k < glide; ++k) {
      Advance(ch.current, ch.delta);
      if (touched_[c]) {
        out[2 * k] += ch.current.ll * b[2 * k] + ch.current.rl * b[2 * k + 1];
        out[2 * k + 1] += ch.current.lr * b[2 * k] + ch.current.rr * b[2 * k + 1];
      }
    }
    ch.remaining -= glide;
    if (ch.remaining == 0) ch.current = ch.target;
    if (!touched_[c]) continue;
    const PanMatrix m = ch.current;
    for (; k < frames; ++k) {
      out[2 * k] += m.ll * b[2 * k] + m.rl * b[2 * k + 1];
      out[2 * k + 1] += m.lr * b[2 * k] + m.rr * b[2 * k + 1];
    }
  }
  int k = 0;
  const int glide = std::min(frames, masterRemaining_);
  for (; k < glide; ++k) {
    masterCurrent_ += masterDelta_;
    out[2 * k] *= masterCurrent_;
    out[2 * k + 1] *= masterCurrent_;
  }
  masterRemaining_ -= glide;
  if (masterRemaining_ == 0) masterCurrent_ = masterTarget_;
  for (int i = 2 * k; i < frames * 2; ++i) out[i] *= masterCurrent_;
}

void Mixer::Process(float* out, int frames) noexcept {
  while (frames > 0) {
    const int n = std::min(frames, kMaxBlockFrames);
    int live = 0;
    if (running_) {
      live = static_cast<int>(std::min<int64_t>(n, FramesToHorizon()));
      if (live < n) horizonHolds_.fetch_add(1, std::memory_order_relaxed);
    }
    if (live > 0) {
      RenderVoices(time_, live);
      MixChannels(out, live);
      time_ += live * step_;
      int kept = 0;
      for (int i = 0; i < voiceCount_; ++i) {
        Voice& v = voices_[static_cast<size_t>(i)];
        if ((v.end << kFixedShift) <= time_)
          ReleaseVoice(v);
        else
          voices_[static_cast<size_t>(kept++)] = v;
      }
      voiceCount_ = kept;
    }
    std::fill(out + live * 2, out + n * 2, 0.0f);
    for (int k = 0; k < n && tailPos_ < tailFrames_; ++k, ++tailPos_) {
      out[2 * k] += tail_[static_cast<size_t>(2 * tailPos_)];
      out[2 * k + 1] += tail_[static_cast<size_t>(2 * tailPos_ + 1)];
    }
    for (int i = 0; i < n * 2; ++i) out[i] = SoftClip(out[i]);
    out += n * 2;
    frames -= n;
  }
  Publish();
}

void Mixer::Publish() noexcept {
  uint64_t frame = static_cast<uint64_t>(time_ >> kFixedShift) & ((uint64_t{1} << 48) - 1);
  published_.store((static_cast<uint64_t>(serial_ & 0xFFFF) << 48) | frame, std::memory_order_release);
}

float SoftClip(float x) noexcept {
  constexpr float kKnee = 0.89125094f;  // -1 dBFS
  constexpr float kRoom = 1.0f - kKnee;
  const float m = std::fabs(x);
  if (m <= kKnee) return x;
  const float y = kKnee + kRoom * std::tanh((m - kKnee) / kRoom);
  return x < 0 ? -y : y;
}

void ToPcm16(const float* in, int16_t* out, int samples) noexcept {
  for (int i = 0; i < samples; ++i) {
    const long v = std::lrint(in[i] * 32768.0f);
    out[i] = static_cast<int16_t>(std::clamp<long>(v, -32768, 32767));
  }
}

}  // namespace zelo::platform::audio
