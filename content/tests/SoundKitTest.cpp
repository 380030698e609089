// Checks on the sound part of the medium the build made: the library's container, catalogue
// and pre-cache list, the generator's sound list and files, the tools' own sounds, and the
// audio itself.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <sndfile.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/KatalogDateien.h"
#include "platform/Files.h"
#include "tests/support/TestEnv.h"

namespace zelo {
namespace {

constexpr int kBytesPerBar = 302400;
constexpr int kFramesPerBar = kBytesPerBar / 4;
// -1 dBFS in 16-bit steps: 32768 x 10^(-1/20), rounded down.
constexpr int kPeakLimit = 29204;

/// The medium's folders; empty when the build made no medium.
struct Medium {
  std::string data, source;
  bool Present() const { return !data.empty(); }
};

Medium FindMedium() {
  std::string data = test::MediumDataFolder();
  if (data.empty() || !std::filesystem::exists(data + "../zub/flint20.inf")) return {};
  return {data, data + "../"};
}

#define REQUIRE_MEDIUM(m)                                                      \
  Medium m = FindMedium();                                                     \
  if (!m.Present()) GTEST_SKIP() << "no sound kit in the build's medium"

/// The library as the program sees it: catalogue and container bytes.
struct Library {
  library::Katalog katalog;
  std::string container;
  std::vector<int> numbers;  ///< slots in use
};

const Library& LoadLibrary(const Medium& m) {
  static Library lib;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    library::KatalogLaden(lib.katalog, m.source + "zub/flint20.inf");
    lib.container = platform::ReadWholeFile(m.source + "zub/flint20").value_or("");
    for (int n = 1; n <= library::kHoechsteSampleNummer; ++n) {
      if (lib.katalog.Belegt(n)) lib.numbers.push_back(n);
    }
  }
  return lib;
}

/// A sample's frames as interleaved 16-bit values.
std::vector<int16_t> Frames(const Library& lib, int n) {
  auto i = static_cast<size_t>(n);
  size_t off = static_cast<size_t>(lib.katalog.SampleOffset[i]);
  size_t size = static_cast<size_t>(lib.katalog.SampleGroesse[i]);
  std::vector<int16_t> x(size / 2);
  if (off + size > lib.container.size()) return {};
  for (size_t k = 0; k < x.size(); ++k) {
    auto lo = static_cast<uint8_t>(lib.container[off + 2 * k]);
    auto hi = static_cast<uint8_t>(lib.container[off + 2 * k + 1]);
    x[k] = static_cast<int16_t>(lo | (hi << 8));
  }
  return x;
}

double RmsDb(const std::vector<int16_t>& x) {
  double sum = 0.0;
  for (int16_t v : x) sum += double(v) * v;
  return 10.0 * std::log10(std::max(sum / std::max<size_t>(x.size(), 1), 1e-9) / (32768.0 * 32768.0));
}

int Peak(const std::vector<int16_t>& x) {
  int peak = 0;
  for (int16_t v : x) peak = std::max(peak, std::abs(static_cast<int>(v)));
  return peak;
}

/// Energy of the second difference over a short window starting at frame `at` (wrapping):
/// what a click adds, and what smooth material has little of.
double Roughness(const std::vector<int16_t>& x, size_t frames, size_t at, size_t window) {
  double e = 0.0;
  for (size_t k = 0; k < window; ++k) {
    for (size_t c = 0; c < 2; ++c) {
      auto s = [&](size_t f) { return static_cast<double>(x[((at + f) % frames) * 2 + c]); };
      double d = s(k + 2) - 2.0 * s(k + 1) + s(k);
      e += d * d;
    }
  }
  return e;
}

TEST(SoundKit, CatalogueRecordsLieInsideTheContainerInWholeBars) {
  REQUIRE_MEDIUM(m);
  const Library& lib = LoadLibrary(m);
  const auto& k = lib.katalog;
  ASSERT_GE(lib.numbers.size(), 240u);
  EXPECT_EQ(lib.numbers.front(), 1);
  EXPECT_EQ(lib.numbers.back(), static_cast<int>(lib.numbers.size()));  // numbered from 1 without gaps
  std::map<int, int> perGroup;
  std::set<std::string> names;
  std::vector<std::pair<int32_t, int32_t>> spans;
  for (int n : lib.numbers) {
    auto i = static_cast<size_t>(n);
    SCOPED_TRACE(n);
    EXPECT_EQ(k.SampleOrt[i], library::kOrtHauptcontainer);
    EXPECT_GT(k.SampleOffset[i], 0);  // a sample at offset 0 would never be read
    EXPECT_TRUE(k.SampleTakte[i] == 1 || k.SampleTakte[i] == 2 || k.SampleTakte[i] == 4);
    EXPECT_EQ(k.SampleGroesse[i], k.SampleTakte[i] * kBytesPerBar);
    EXPECT_LE(static_cast<size_t>(k.SampleOffset[i]) + static_cast<size_t>(k.SampleGroesse[i]), lib.container.size());
    EXPECT_FALSE(k.SampleName[i].empty());
    EXPECT_FALSE(k.SampleName2[i].empty());
    // The two lines are all a user sees of a sample: no two samples may look the same.
    EXPECT_TRUE(names.insert(k.SampleName[i] + "|" + k.SampleName2[i]).second);
    EXPECT_TRUE(k.SampleDatei[i].empty());
    ++perGroup[k.SampleGruppe[i]];
    spans.emplace_back(k.SampleOffset[i], k.SampleGroesse[i]);
  }
  for (int g = 1; g <= 8; ++g) EXPECT_GE(perGroup[g], 30) << "group " << g;
  std::sort(spans.begin(), spans.end());
  for (size_t s = 1; s < spans.size(); ++s) EXPECT_LE(spans[s - 1].first + spans[s - 1].second, spans[s].first);
}

TEST(SoundKit, PrecacheListRunsFromTheFrontOfTheContainer) {
  REQUIRE_MEDIUM(m);
  const Library& lib = LoadLibrary(m);
  std::vector<int16_t> list = library::VorladelisteLaden(m.data + "inst.txt");
  ASSERT_FALSE(list.empty());
  std::set<int> seen;
  int32_t last = 0;
  for (int16_t n : list) {
    ASSERT_TRUE(lib.katalog.Belegt(n)) << n;
    EXPECT_TRUE(seen.insert(n).second) << n;
    // The cache is a sparse copy of the container: what is cached first lies in front.
    EXPECT_GT(lib.katalog.SampleOffset[static_cast<size_t>(n)], last);
    last = lib.katalog.SampleOffset[static_cast<size_t>(n)];
  }
  // The smallest installation's cache (3,067,108 bytes) still holds a sample of each group.
  std::set<int> groups;
  for (int16_t n : list) {
    auto i = static_cast<size_t>(n);
    if (lib.katalog.SampleOffset[i] + lib.katalog.SampleGroesse[i] <= 3067108) groups.insert(lib.katalog.SampleGruppe[i]);
  }
  EXPECT_EQ(groups.size(), 8u);
}

/// What the generator's list makes of a title line: the caption words.
std::string Caption(const std::string& file, std::string title) {
  if (title.size() < 5 && file.size() > 9) title = file.substr(5, file.size() - 9) + title;
  title = platform::TrimSpaces(title.size() > 3 ? title.substr(3) : "");
  if (title.size() >= 3 && std::atoi(title.substr(title.size() - 3).c_str()) > 0) title.resize(title.size() - 3);
  return title;
}

struct WavInfo {
  bool ok = false;
  SF_INFO info{};
  std::vector<short> frames;
};

WavInfo ReadWav(const std::string& path) {
  WavInfo w;
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &w.info);
  if (!f) return w;
  w.frames.resize(static_cast<size_t>(w.info.frames * w.info.channels));
  w.ok = sf_readf_short(f, w.frames.data(), w.info.frames) == w.info.frames;
  sf_close(f);
  return w;
}

void ExpectEngineWav(const WavInfo& w, const std::string& what) {
  ASSERT_TRUE(w.ok) << what;
  EXPECT_EQ(w.info.samplerate, 44100) << what;
  EXPECT_EQ(w.info.channels, 2) << what;
  EXPECT_EQ(w.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << what;
  std::vector<int16_t> x(w.frames.begin(), w.frames.end());
  EXPECT_GT(RmsDb(x), -45.0) << what;
  EXPECT_LE(Peak(x), kPeakLimit) << what;
}

TEST(SoundKit, SoundListEntriesPointAtPlayableFilesWithGoodCaptions) {
  REQUIRE_MEDIUM(m);
  auto lines = platform::ReadLines(m.data + "hypsound");
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size() % 3, 0u);
  const size_t sounds = lines->size() / 3;
  EXPECT_GE(sounds, 100u);
  EXPECT_LE(sounds, 504u);  // stepping reaches sounds up to 504
  // Submenus each menu can show, and items each submenu can show.
  const int maxSubmenus[4] = {12, 6, 6, 13};
  std::map<int, std::vector<std::string>> submenus;
  std::map<std::string, int> items;
  std::set<std::string> captions;
  for (size_t s = 0; s < sounds; ++s) {
    const std::string& file = (*lines)[3 * s];
    const std::string& title = (*lines)[3 * s + 1];
    const std::string& category = (*lines)[3 * s + 2];
    SCOPED_TRACE(file);
    ASSERT_GE(category.size(), 4u);
    int menu = category[1] - '0';
    ASSERT_TRUE(menu >= 0 && menu <= 3);
    std::string sub = category.substr(3);
    auto& subs = submenus[menu];
    if (subs.empty() || subs.back() != sub) subs.push_back(sub);
    ++items[category];
    std::string caption = Caption(file, title);
    EXPECT_EQ(caption, platform::TrimSpaces(title.substr(3)));  // nothing of the title is lost
    EXPECT_GE(caption.size(), 4u);
    EXPECT_TRUE(captions.insert(caption).second) << caption;
    EXPECT_EQ(platform::SafeLeafName(file), file);
    ExpectEngineWav(ReadWav(m.source + "zub/" + file), file);
  }
  EXPECT_EQ(submenus.size(), 4u);
  for (auto& [menu, subs] : submenus) {
    EXPECT_LE(static_cast<int>(subs.size()), maxSubmenus[menu]) << menu;
    EXPECT_EQ(std::set<std::string>(subs.begin(), subs.end()).size(), subs.size()) << "submenu split in two";
  }
  for (auto& [category, count] : items) EXPECT_LE(count, 21) << category;
}

TEST(SoundKit, StartSoundIntroAndClickAreEngineWavs) {
  REQUIRE_MEDIUM(m);
  struct Fall {
    const char* file;
    double minSeconds, maxSeconds;
  };
  for (const Fall& f : {Fall{"logo.wav", 1.5, 3.0}, Fall{"dintro.zub", 8.0, 60.0}, Fall{"metro.zub", 0.01, 0.2}}) {
    WavInfo w = ReadWav(m.data + f.file);
    ExpectEngineWav(w, f.file);
    double seconds = static_cast<double>(w.info.frames) / 44100.0;
    EXPECT_GE(seconds, f.minSeconds) << f.file;
    EXPECT_LE(seconds, f.maxSeconds) << f.file;
  }
}

TEST(SoundKit, EverySampleSoundsWithinThePeakLimitAndLoopsWithoutAClick) {
  REQUIRE_MEDIUM(m);
  const Library& lib = LoadLibrary(m);
  std::map<int, std::pair<double, double>> loudness;
  for (int n : lib.numbers) {
    SCOPED_TRACE(lib.katalog.SampleName[static_cast<size_t>(n)] + " / " + lib.katalog.SampleName2[static_cast<size_t>(n)]);
    std::vector<int16_t> x = Frames(lib, n);
    ASSERT_FALSE(x.empty());
    const size_t frames = x.size() / 2;
    double rms = RmsDb(x);
    EXPECT_GT(rms, -30.0);
    for (size_t bar = 0; bar < frames / kFramesPerBar; ++bar) {
      // No bar of a sample is empty: every bar a user places sounds.
      std::vector<int16_t> part(x.begin() + static_cast<long>(bar * kFramesPerBar * 2),
                                x.begin() + static_cast<long>((bar + 1) * kFramesPerBar * 2));
      EXPECT_GT(RmsDb(part), -50.0) << "bar " << bar;
    }
    EXPECT_LE(Peak(x), kPeakLimit);
    // The seam: the window across the wrap is no rougher than the roughest window of the
    // material within 50 ms either side of it. A click stands out from its surroundings; a
    // saw's edges or a drum hit next to the seam are material, and may be as rough.
    const size_t window = 32, reach = 2205;
    const size_t seamAt = frames - window / 2;
    double material = 0.0;
    for (size_t at = frames - reach; at < frames + reach; at += window / 2) {
      if (at + window > seamAt && at < seamAt + window) continue;  // overlaps the seam window
      material = std::max(material, Roughness(x, frames, at % frames, window));
    }
    EXPECT_LE(Roughness(x, frames, seamAt, window), material);
    auto [it, fresh] = loudness.try_emplace(lib.katalog.SampleGruppe[static_cast<size_t>(n)], rms, rms);
    it->second.first = std::min(it->second.first, rms);
    it->second.second = std::max(it->second.second, rms);
  }
  for (auto& [group, range] : loudness) {
    // Within a group a user can swap one sample for another without touching the fader.
    EXPECT_LE(range.second - range.first, 2.0) << "group " << group;
  }
}

/// The fundamental of a stretch of the left channel by the difference function (YIN): the
/// first lag whose normalised difference dips below the threshold, refined to its minimum.
double Fundamental(const std::vector<int16_t>& x, size_t from, size_t length, double loHz, double hiHz) {
  size_t minLag = static_cast<size_t>(44100.0 / hiHz), maxLag = static_cast<size_t>(44100.0 / loHz);
  // A bass's filter sweeps while the note sounds and moves the phases of its overtones, which
  // shifts the apparent period; three fixed one-pole low-passes at 150 Hz leave the bottom
  // partials, whose period is the note's.
  std::vector<double> y(length + maxLag + 2);
  const double a = std::exp(-2.0 * 3.14159265358979 * 150.0 / 44100.0);
  double p1 = 0.0, p2 = 0.0, p3 = 0.0;
  for (size_t i = 0; i < y.size(); ++i) {
    p1 = (1.0 - a) * x[(from + i) * 2] + a * p1;
    p2 = (1.0 - a) * p1 + a * p2;
    p3 = (1.0 - a) * p2 + a * p3;
    y[i] = p3;
  }
  std::vector<double> d(maxLag + 2, 0.0);
  const size_t settle = 600;  // the filters' own start
  for (size_t lag = 1; lag <= maxLag + 1; ++lag) {
    double sum = 0.0;
    for (size_t i = settle; i < length; ++i) sum += (y[i] - y[i + lag]) * (y[i] - y[i + lag]);
    d[lag] = sum;
  }
  double running = 0.0;
  size_t best = 0;
  double bestNorm = 1e300;
  for (size_t lag = 1; lag <= maxLag + 1; ++lag) {
    running += d[lag];
    double norm = running > 0.0 ? d[lag] * static_cast<double>(lag) / running : 1.0;
    if (lag < minLag) continue;
    if (norm < 0.2) {
      while (lag + 1 <= maxLag && d[lag + 1] < d[lag]) ++lag;
      return 44100.0 / static_cast<double>(lag);
    }
    if (norm < bestNorm) {
      bestNorm = norm;
      best = lag;
    }
  }
  // A sweeping filter changes the wave from period to period; then the deepest dip counts.
  return best ? 44100.0 / static_cast<double>(best) : 0.0;
}

TEST(SoundKit, BassesPlayTheRootTheirNameGives) {
  REQUIRE_MEDIUM(m);
  const Library& lib = LoadLibrary(m);
  const std::map<char, int> pitchClass = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
  int checked = 0;
  for (int n : lib.numbers) {
    auto i = static_cast<size_t>(n);
    if (lib.katalog.SampleGruppe[i] != library::kGruppeBass) continue;
    const std::string& chords = lib.katalog.SampleName2[i];
    SCOPED_TRACE(lib.katalog.SampleName[i] + " / " + chords);
    ASSERT_TRUE(pitchClass.count(chords[0]));
    // Every bass line starts with its chord's root, held for at least an eighth less a
    // sixteenth's quarter (8,268 frames); the stretch measured, with its longest lag (20 Hz,
    // low enough for a sub an octave down), stays within that note.
    double hz = Fundamental(Frames(lib, n), 1000, 5000, 20.0, 200.0);
    ASSERT_GT(hz, 0.0);
    double midi = 69.0 + 12.0 * std::log2(hz / 440.0);
    int heard = static_cast<int>(std::lround(midi)) % 12;
    EXPECT_EQ(heard, pitchClass.at(chords[0])) << hz << " Hz";
    // Tuned to the key's equal temperament within a sixth of a semitone.
    EXPECT_LT(std::fabs(midi - std::round(midi)), 0.17) << hz << " Hz";
    ++checked;
  }
  EXPECT_GE(checked, 30);
}

}  // namespace
}  // namespace zelo
