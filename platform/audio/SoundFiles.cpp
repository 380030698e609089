#include "platform/audio/SoundFiles.h"

#include <sndfile.h>
#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/audio/Interpolation.h"

namespace zelo::platform::audio {
namespace {

/// Sounds not playing are kept while all held sounds stay under this size.
constexpr int64_t kCacheBudgetBytes = 256ll * 1024 * 1024;
/// Nothing longer than three hours is taken from one file.
constexpr int64_t kMaxFrames = 3ll * 3600 * kSampleRate;

struct MemoryFile {
  const uint8_t* data;
  sf_count_t size;
  sf_count_t pos;
};

sf_count_t MemLength(void* user) { return static_cast<MemoryFile*>(user)->size; }
sf_count_t MemSeek(sf_count_t offset, int whence, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  sf_count_t base = whence == SEEK_CUR ? m->pos : whence == SEEK_END ? m->size : 0;
  sf_count_t to = base + offset;
  if (to < 0 || to > m->size) return -1;
  m->pos = to;
  return to;
}
sf_count_t MemRead(void* out, sf_count_t count, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  sf_count_t n = std::clamp<sf_count_t>(m->size - m->pos, 0, std::max<sf_count_t>(count, 0));
  if (n > 0) std::memcpy(out, m->data + m->pos, static_cast<size_t>(n));
  m->pos += n;
  return n;
}
sf_count_t MemWrite(const void*, sf_count_t, void*) { return 0; }
sf_count_t MemTell(void* user) { return static_cast<MemoryFile*>(user)->pos; }

int64_t ConvertedFrames(int64_t frames, int rate) {
  if (rate == kSampleRate) return frames;
  return static_cast<int64_t>(std::llround(static_cast<double>(frames) * kSampleRate / rate));
}

int16_t ToSample(float x) {
  return static_cast<int16_t>(std::clamp<long>(std::lrint(x * 32768.0f), -32768, 32767));
}

/// Reads the whole stream as stereo floats at its own rate.
std::vector<float> ReadStereo(SNDFILE* file, int channels) {
  std::vector<float> stereo;
  std::vector<float> block(static_cast<size_t>(4096) * static_cast<size_t>(channels));
  while (static_cast<int64_t>(stereo.size() / 2) < kMaxFrames) {
    sf_count_t got = sf_readf_float(file, block.data(), 4096);
    if (got <= 0) break;
    for (sf_count_t i = 0; i < got; ++i) {
      const float* f = block.data() + i * channels;
      stereo.push_back(f[0]);
      stereo.push_back(channels > 1 ? f[1] : f[0]);
    }
  }
  return stereo;
}

/// Converts to 44.1 kHz with four-point Hermite interpolation.
void Resample(const std::vector<float>& in, int rate, std::vector<int16_t>& pcm) {
  const int64_t inFrames = static_cast<int64_t>(in.size() / 2);
  const int64_t outFrames = ConvertedFrames(inFrames, rate);
  pcm.resize(static_cast<size_t>(outFrames) * 2);
  auto at = [&](int64_t i, int c) { return i < 0 || i >= inFrames ? 0.0f : in[static_cast<size_t>(2 * i + c)]; };
  const double ratio = static_cast<double>(rate) / kSampleRate;
  for (int64_t k = 0; k < outFrames; ++k) {
    const double pos = static_cast<double>(k) * ratio;
    const int64_t i = static_cast<int64_t>(pos);
    const float f = static_cast<float>(pos - static_cast<double>(i));
    for (int c = 0; c < 2; ++c) {
      pcm[static_cast<size_t>(2 * k + c)] = ToSample(Hermite(at(i - 1, c), at(i, c), at(i + 1, c), at(i + 2, c), f));
    }
  }
}

int64_t FileStamp(const std::filesystem::path& p, int64_t& size) {
  std::error_code ec;
  size = static_cast<int64_t>(std::filesystem::file_size(p, ec));
  if (ec) size = -1;
  auto t = std::filesystem::last_write_time(p, ec);
  return ec ? 0 : static_cast<int64_t>(t.time_since_epoch().count());
}

}  // namespace

void DecodeSound(const uint8_t* data, size_t size, std::vector<int16_t>& pcm) {
  pcm.clear();
  MemoryFile mem{data, static_cast<sf_count_t>(size), 0};
  SF_VIRTUAL_IO io{MemLength, MemSeek, MemRead, MemWrite, MemTell};
  SF_INFO info{};
  SNDFILE* file = size > 0 ? sf_open_virtual(&io, SFM_READ, &info, &mem) : nullptr;
  if (file && info.channels > 0 && info.channels <= 64 && info.samplerate >= 1000 && info.samplerate <= 768000) {
    std::vector<float> stereo = ReadStereo(file, info.channels);
    sf_close(file);
    if (info.samplerate == kSampleRate) {
      pcm.resize(stereo.size());
      std::transform(stereo.begin(), stereo.end(), pcm.begin(), ToSample);
    } else {
      Resample(stereo, info.samplerate, pcm);
    }
    return;
  }
  if (file) sf_close(file);
  const size_t frames = std::min<size_t>(size / kBytesPerFrame, static_cast<size_t>(kMaxFrames));
  pcm.resize(frames * 2);
  for (size_t i = 0; i < frames * 2; ++i) pcm[i] = static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
}

std::string ResolveCase(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (path.empty() || fs::exists(path, ec)) return path;
  fs::path p(path);
  fs::path folder = p.parent_path().empty() ? fs::path(".") : p.parent_path();
  const std::string name = p.filename().string();
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    const std::string candidate = entry.path().filename().string();
    if (strcasecmp(candidate.c_str(), name.c_str()) == 0) return (p.parent_path() / candidate).string();
  }
  return path;
}

int64_t SoundFileBytes(const std::string& name) {
  const std::string path = ResolveCase(name);
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return 0;
  SF_INFO info{};
  if (SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info)) {
    sf_close(file);
    if (info.channels > 0 && info.samplerate >= 1000 && info.samplerate <= 768000 && info.frames >= 0)
      return std::min(ConvertedFrames(info.frames, info.samplerate), kMaxFrames) * kBytesPerFrame;
  }
  const auto size = static_cast<int64_t>(std::filesystem::file_size(path, ec));
  return ec ? 0 : std::min(size / kBytesPerFrame, kMaxFrames) * kBytesPerFrame;
}

SharedSound* SoundFiles::Get(const std::string& name) {
  const std::string path = ResolveCase(name);
  int64_t size = 0;
  const int64_t stamp = FileStamp(path, size);
  if (size < 0) return nullptr;
  auto it = entries_.find(path);
  if (it != entries_.end() && (it->second.stamp != stamp || it->second.size != size)) {
    // The file changed (a sound tool wrote it again): voices still playing keep the old data.
    replaced_.push_back(std::move(it->second.sound));
    entries_.erase(it);
    it = entries_.end();
  }
  if (it == entries_.end()) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return nullptr;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto sound = std::make_unique<SharedSound>();
    DecodeSound(bytes.data(), bytes.size(), sound->pcm);
    if (sound->pcm.empty()) return nullptr;
    it = entries_.emplace(path, Entry{std::move(sound), stamp, size, 0}).first;
  }
  it->second.lastUse = ++useCounter_;
  return it->second.sound.get();
}

int64_t SoundFiles::HeldBytes() const {
  int64_t total = 0;
  for (const auto& [path, e] : entries_) total += static_cast<int64_t>(e.sound->pcm.size() * sizeof(int16_t));
  for (const auto& s : replaced_) total += static_cast<int64_t>(s->pcm.size() * sizeof(int16_t));
  return total;
}

void SoundFiles::Trim() {
  std::erase_if(replaced_, [](const auto& s) { return s->users.load(std::memory_order_acquire) == 0; });
  while (HeldBytes() > kCacheBudgetBytes) {
    auto oldest = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (it->second.sound->users.load(std::memory_order_acquire) == 0 &&
          (oldest == entries_.end() || it->second.lastUse < oldest->second.lastUse))
        oldest = it;
    if (oldest == entries_.end()) break;
    entries_.erase(oldest);
  }
}

void SoundFiles::Clear() {
  entries_.clear();
  replaced_.clear();
}

}  // namespace zelo::platform::audio
