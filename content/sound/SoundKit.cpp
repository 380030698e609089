// The sound part of the content kit: renders the library and the tools' sounds and writes
// them into the medium in the layout the program reads.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <thread>

#include "content/Kit.h"
#include "content/sound/LibrarySamples.h"
#include "content/sound/SoundLayout.h"
#include "content/sound/ToolSounds.h"
#include "content/sound/Voices.h"
#include "library/KatalogDateien.h"
#include "platform/Files.h"

namespace zelo::content {
namespace {

using namespace sound;

/// One finished sound: its 16-bit bytes and what the summary reports of it.
struct Rendered {
  Stereo audio;  ///< kept only for the files written as WAV
  std::string pcm;
  double rmsDb = 0.0, peakDb = 0.0;
};

Rendered Finish(Stereo audio, bool keepAudio) {
  Rendered r;
  r.pcm = ToPcm16(audio);
  r.rmsDb = RmsDb(audio);
  r.peakDb = PeakDb(audio);
  if (keepAudio) r.audio = std::move(audio);
  return r;
}

/// Runs jobs 0..count-1 on both cores. Each job writes only its own result, so the output is
/// the same whichever thread runs which job.
template <typename Job>
void RunOnAllCores(size_t count, Job job) {
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i = next++; i < count; i = next++) job(i);
  };
  unsigned cores = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < cores; ++t) threads.emplace_back(worker);
  worker();
  for (auto& t : threads) t.join();
}

bool WriteWavSafely(const std::string& path, const Stereo& audio) {
  std::string temp = path + ".part";
  if (!WriteWav(temp, audio)) return false;
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

bool Fail(const std::string& what) {
  std::fprintf(stderr, "zelo_content: could not write %s\n", what.c_str());
  return false;
}

}  // namespace

bool MakeSoundKit(const std::string& mediumRoot) {
  const auto started = std::chrono::steady_clock::now();
  const std::string source = platform::WithSlash(mediumRoot) + "zelo/";
  const std::string data = source + "zelo/";
  const std::string zub = source + "zub/";
  if (!platform::MakeFolders(data) || !platform::MakeFolders(zub)) return Fail(zub);

  // eSpeak is not thread-safe: every phrase is spoken here, once, before rendering starts.
  PhraseBank bank;
  {
    Speaker speaker;
    if (!speaker.Ready()) std::fprintf(stderr, "zelo_content: eSpeak NG did not start; the voice group is silent\n");
    for (const PhraseRequest& p : PhrasesToSpeak()) {
      bank.words.push_back(p.text);
      bank.sounds.push_back(speaker.Say(p.text, p.voice, p.pitch, p.speed));
    }
  }

  const std::vector<PlannedSample> plan = PlanLibrary();
  const std::vector<ToolSound> tools = PlanToolSounds();
  const size_t extras = 3;  // logo, intro, click
  std::vector<Rendered> done(plan.size() + tools.size() + extras);
  // The longest jobs go first so that neither core idles at the end.
  std::vector<size_t> order(done.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    auto weight = [&](size_t i) { return i < plan.size() ? plan[i].bars * 10 + (plan[i].group == kGroupLayer) : 1; };
    return weight(a) > weight(b);
  });
  RunOnAllCores(order.size(), [&](size_t k) {
    size_t i = order[k];
    if (i < plan.size()) {
      done[i] = Finish(RenderLibrarySample(plan[i], bank), false);
    } else if (i < plan.size() + tools.size()) {
      done[i] = Finish(RenderToolSound(tools[i - plan.size()]), true);
    } else {
      size_t e = i - plan.size() - tools.size();
      done[i] = Finish(e == 0 ? RenderLogo() : e == 1 ? RenderIntro() : RenderClick(), true);
    }
  });

  // The main container and its catalogue.
  std::vector<int> sizes;
  for (const PlannedSample& p : plan) sizes.push_back(p.bars * kBytesPerBar);
  std::vector<int> containerOrder = ContainerOrder(plan);
  std::vector<int32_t> offsets = ContainerOffsets(containerOrder, sizes);
  std::string container(static_cast<size_t>(kContainerStart), '\0');
  const std::string mark = "Zelo sample container flint20: 16-bit stereo PCM, 44100 Hz, samples at their offsets\n";
  std::copy(mark.begin(), mark.end(), container.begin());
  for (int i : containerOrder) container += done[static_cast<size_t>(i)].pcm;
  if (!platform::WriteFileSafely(zub + "flint20", container)) return Fail(zub + "flint20");

  library::Katalog katalog;
  katalog.Kopf.Zeile[12] = "flint20";
  for (size_t i = 0; i < plan.size(); ++i) {
    auto n = static_cast<size_t>(plan[i].number);
    katalog.SampleOrt[n] = library::kOrtHauptcontainer;
    katalog.SampleOffset[n] = offsets[i];
    katalog.SampleGroesse[n] = sizes[i];
    katalog.SampleName[n] = plan[i].name;
    katalog.SampleName2[n] = plan[i].name2;
    katalog.SampleTakte[n] = plan[i].bars;
    katalog.SampleGruppe[n] = static_cast<int16_t>(plan[i].group);
  }
  if (!library::KatalogSpeichern(katalog, zub + "flint20.inf")) return Fail(zub + "flint20.inf");

  // The pre-cache list names the samples in container order: the cache is a sparse copy of
  // the container, so the installer fills it from the front.
  std::string inst;
  for (int i : containerOrder) inst += std::to_string(plan[static_cast<size_t>(i)].number) + "\r\n";
  if (!platform::WriteFileSafely(data + "inst.txt", inst)) return Fail(data + "inst.txt");

  // The tools' sounds.
  for (size_t t = 0; t < tools.size(); ++t) {
    if (!WriteWavSafely(zub + tools[t].file, done[plan.size() + t].audio)) return Fail(zub + tools[t].file);
  }
  if (!platform::WriteFileSafely(data + "hypsound", HypsoundText(tools))) return Fail(data + "hypsound");
  const size_t e0 = plan.size() + tools.size();
  if (!WriteWavSafely(data + "logo.wav", done[e0].audio)) return Fail("logo.wav");
  if (!WriteWavSafely(data + "dintro.zub", done[e0 + 1].audio)) return Fail("dintro.zub");
  if (!WriteWavSafely(data + "metro.zub", done[e0 + 2].audio)) return Fail("metro.zub");

  // The summary: per group the count and the loudness range, then time and size.
  std::map<int, std::pair<double, double>> range;
  std::map<int, int> count;
  for (size_t i = 0; i < plan.size(); ++i) {
    auto [it, fresh] = range.try_emplace(plan[i].group, done[i].rmsDb, done[i].rmsDb);
    it->second.first = std::min(it->second.first, done[i].rmsDb);
    it->second.second = std::max(it->second.second, done[i].rmsDb);
    ++count[plan[i].group];
  }
  static constexpr const char* kGroupWords[9] = {"", "loop", "drum", "bass", "layer", "sequence", "voice", "effect", "xtra"};
  for (auto& [group, r] : range) {
    std::printf("zelo_content: %-8s %2d samples, loudness %.1f to %.1f dBFS RMS\n", kGroupWords[group], count[group],
                r.first, r.second);
  }
  double peak = -240.0;
  for (const Rendered& r : done) peak = std::max(peak, r.peakDb);
  uintmax_t bytes = 0;
  for (auto& entry : std::filesystem::recursive_directory_iterator(source)) {
    if (entry.is_regular_file()) bytes += entry.file_size();
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("zelo_content: %zu library samples, %zu tool sounds, highest peak %.2f dBFS, %.1f s, medium %.1f MB\n",
              plan.size(), tools.size(), peak, seconds, static_cast<double>(bytes) / 1e6);
  return true;
}

}  // namespace zelo::content
