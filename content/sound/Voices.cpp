#include "content/sound/Voices.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <espeak-ng/speak_lib.h>

#include "content/sound/Dsp.h"

namespace zelo::content::sound {
namespace {

int Collect(short* wav, int count, espeak_EVENT* events) {
  if (wav && count > 0 && events && events->user_data) {
    auto* sink = static_cast<std::vector<short>*>(events->user_data);
    sink->insert(sink->end(), wav, wav + count);
  }
  return 0;
}

float Hermite(const std::vector<float>& x, double pos) {
  auto at = [&](long i) { return (i >= 0 && i < static_cast<long>(x.size())) ? x[static_cast<size_t>(i)] : 0.0f; };
  long i = static_cast<long>(std::floor(pos));
  float f = static_cast<float>(pos - static_cast<double>(i));
  float y0 = at(i - 1), y1 = at(i), y2 = at(i + 1), y3 = at(i + 2);
  float c1 = 0.5f * (y2 - y0);
  float c2 = y0 - 2.5f * y1 + 2.0f * y2 - 0.5f * y3;
  float c3 = 0.5f * (y3 - y0) + 1.5f * (y1 - y2);
  return ((c3 * f + c2) * f + c1) * f + y1;
}

}  // namespace

Speaker::Speaker() {
  rate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, 0);
  if (rate_ > 0) espeak_SetSynthCallback(Collect);
}

Speaker::~Speaker() {
  if (rate_ > 0) espeak_Terminate();
}

std::vector<float> Speaker::Say(const std::string& text, const std::string& voice, int pitch, int speed) {
  if (!Ready()) return {};
  if (espeak_SetVoiceByName(voice.c_str()) != EE_OK && espeak_SetVoiceByName("en") != EE_OK) return {};
  espeak_SetParameter(espeakRATE, speed, 0);
  espeak_SetParameter(espeakPITCH, pitch, 0);
  espeak_SetParameter(espeakRANGE, 60, 0);
  std::vector<short> raw;
  espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &raw);
  espeak_Synchronize();
  if (raw.empty()) return {};

  std::vector<float> mono(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) mono[i] = raw[i] / 32768.0f;
  std::vector<float> out = Repitch(mono, static_cast<double>(rate_) / kRate);
  // Trim the silence eSpeak leaves around a phrase, so a phrase placed on a beat speaks on it.
  float peak = 0.0f;
  for (float v : out) peak = std::max(peak, std::fabs(v));
  if (peak <= 0.0f) return {};
  float gate = peak * 0.02f;
  size_t first = 0, last = out.size();
  while (first < out.size() && std::fabs(out[first]) < gate) ++first;
  while (last > first && std::fabs(out[last - 1]) < gate) --last;
  first = first > 64 ? first - 64 : 0;
  last = std::min(out.size(), last + 400);
  std::vector<float> trimmed(out.begin() + static_cast<long>(first), out.begin() + static_cast<long>(last));
  for (auto& v : trimmed) v /= peak;
  return trimmed;
}

std::vector<float> Repitch(const std::vector<float>& in, double ratio) {
  if (in.empty() || ratio <= 0.0) return {};
  size_t n = static_cast<size_t>(static_cast<double>(in.size()) / ratio);
  std::vector<float> out(n);
  // Reading faster than the source would fold its top octave down into the voice: the source
  // is smoothed first in that case.
  std::vector<float> src = in;
  if (ratio > 1.0) {
    Filter lp(FilterMode::LowPass);
    lp.Set(0.45 * kRate / ratio, 0.0);
    for (auto& v : src) v = lp.Process(v);
  }
  for (size_t i = 0; i < n; ++i) out[i] = Hermite(src, static_cast<double>(i) * ratio);
  return out;
}

}  // namespace zelo::content::sound
