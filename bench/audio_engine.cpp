// The mixing engine's figures, measured in one run on this machine:
//   1. mixing throughput: 16 tracks of 2-bar loops at tempo 150 over 60 s, as times real time;
//   2. real-time capacity: voices a 256-frame block can mix in half its period;
//   3. export of a 3-minute 16-track arrangement, as times real time, beside `sox -m` mixing the
//      same 16 full-length stems;
//   4. worst block time at 256 frames on the null device's thread while the UI thread is busy.
// Run: zelo_bench_audio_engine [folder for the scratch files, default $TMPDIR or /tmp]
#include <sndfile.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/MappedFile.h"
#include "platform/audio/MixEngine.h"
#include "platform/engine/ZeloEngine.h"

using namespace zelo::platform;
using Stopwatch = std::chrono::steady_clock;

namespace {

constexpr int kRate = 44100;
constexpr int kLoopFrames = 2 * 75600;  // two bars at 140 beats per minute
constexpr int kTracks = 16;

/// CPU time of the calling thread: the work of a block without the time the system gave away.
double ThreadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double Seconds(Stopwatch::time_point since) { return std::chrono::duration<double>(Stopwatch::now() - since).count(); }

/// Sixteen different 2-bar loops: a few partials and a little noise each, at about -12 dBFS.
std::vector<int16_t> MakeLoops() {
  std::vector<int16_t> pcm(static_cast<size_t>(kTracks) * kLoopFrames * 2);
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> noise(-1, 1);
  for (int t = 0; t < kTracks; ++t)
    for (int i = 0; i < kLoopFrames; ++i) {
      const double x = 2 * 3.14159265358979 * (55.0 * (t + 1)) * i / kRate;
      const float v = static_cast<float>(0.15 * std::sin(x) + 0.08 * std::sin(3.01 * x) + 0.02 * noise(rng));
      const size_t at = (static_cast<size_t>(t) * kLoopFrames + static_cast<size_t>(i)) * 2;
      pcm[at] = static_cast<int16_t>(v * 32767);
      pcm[at + 1] = static_cast<int16_t>(-v * 32767);
    }
  return pcm;
}

struct Arrangement {
  std::string folder;
  MappedFile container;
  explicit Arrangement(const std::string& dir) : folder(dir) {
    const auto pcm = MakeLoops();
    std::ofstream(folder + "loops.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
    container.Open(folder + "loops.raw", MapMode::ReadOnly);
  }
  /// Places loop t bar after bar on track t, for `frames` frames of material.
  void Schedule(ZeloEngine& e, int64_t frames, int tracks = kTracks) {
    int32_t ort = 2;
    std::string none;
    for (int t = 0; t < tracks; ++t)
      for (int64_t at = 0; at < frames; at += kLoopFrames)
        e.APlay(1, &container, nullptr, kLoopFrames * 4, static_cast<int64_t>(t % kTracks) * kLoopFrames * 4, ort,
                none, t % 17, at * 4, std::min<int64_t>(kLoopFrames, frames - at) * 4, 0, 256);
  }
};

EngineOptions Manual(const std::string& folder) {
  EngineOptions o;
  o.device = AudioDevice::Manual;
  o.tempFolder = folder;
  return o;
}

void Throughput(Arrangement& a) {
  ZeloEngine e(Manual(a.folder));
  e.ASetPitch(315 * 30);  // tempo 150
  const int64_t outFrames = 60ll * kRate;
  a.Schedule(e, outFrames * 150 / 140 + kLoopFrames);
  e.AStart(0);
  e.APos(int64_t{1} << 40);
  std::vector<int16_t> out(512 * 2);
  const auto begin = Stopwatch::now();
  const double cpuBegin = ThreadSeconds();
  for (int64_t done = 0; done < outFrames; done += 512) e.Mix().RenderManual(out.data(), 512);
  const double s = Seconds(begin), cpu = ThreadSeconds() - cpuBegin;
  std::printf("mixing throughput: 16 voices, tempo 150, 60 s: %.3f s wall, %.0fx real time (%.3f s CPU, %.0fx)\n", s,
              60.0 / s, cpu, 60.0 / cpu);
}

void Capacity(Arrangement& a) {
  std::printf("real-time capacity at 256 frames (half period %.2f ms), tempo 150:\n", 0.5 * 256e3 / kRate);
  const double halfPeriod = 0.5 * 256.0 / kRate;
  int best = 0;
  for (int voices : {250, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000}) {
    ZeloEngine e(Manual(a.folder));
    e.ASetPitch(315 * 30);
    int32_t ort = 2;
    std::string none;
    for (int v = 0; v < voices; ++v)
      e.APlay(1, &a.container, nullptr, kLoopFrames * 4, static_cast<int64_t>(v % kTracks) * kLoopFrames * 4, ort, none,
              v % 17, 0, 0, (v * 97) % 1000 * 4, 256);
    e.AStart(0);
    e.APos(int64_t{1} << 40);
    std::vector<int16_t> out(256 * 2);
    // The first block takes the thousands of queued sounds at once; the figure is the mixing.
    e.Mix().RenderManual(out.data(), 256);
    std::vector<double> wall, cpu;
    for (int i = 0; i < 300; ++i) {
      const auto begin = Stopwatch::now();
      const double cpuBegin = ThreadSeconds();
      e.Mix().RenderManual(out.data(), 256);
      cpu.push_back(ThreadSeconds() - cpuBegin);
      wall.push_back(Seconds(begin));
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("  %4d voices: median %.3f ms, worst %.3f ms of CPU; worst %.3f ms of wall time%s\n", voices,
                cpu[cpu.size() / 2] * 1e3, cpu.back() * 1e3, wall.back() * 1e3,
                cpu.back() < halfPeriod ? "" : "  (over half the period)");
    if (cpu.back() < halfPeriod) best = voices;
  }
  std::printf("  capacity: %d voices within half the period of CPU time in every block\n", best);
}

void WriteStem(const std::string& path, const int16_t* loop, int64_t frames) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  for (int64_t at = 0; at < frames; at += kLoopFrames) sf_writef_short(f, loop, std::min<int64_t>(kLoopFrames, frames - at));
  sf_close(f);
}

void Export(Arrangement& a) {
  const int64_t frames = 180ll * kRate;
  ZeloEngine e(Manual(a.folder));
  a.Schedule(e, frames);
  const std::string wav = a.folder + "export.wav";
  const auto begin = Stopwatch::now();
  const std::clock_t cpuBegin = std::clock();
  e.AExport(wav, frames * 4);
  e.AStart(0);
  e.APos(frames * 4 + 4000);
  while (e.Mix().ExportedFrames() < frames) std::this_thread::sleep_for(std::chrono::microseconds(100));
  e.AStop();
  e.AExport("", 0);
  const double zelo = Seconds(begin);
  const double zeloCpu = static_cast<double>(std::clock() - cpuBegin) / CLOCKS_PER_SEC;

  const auto pcm = MakeLoops();
  std::string command = "sox -m";
  for (int t = 0; t < kTracks; ++t) {
    const std::string stem = a.folder + "stem" + std::to_string(t) + ".wav";
    WriteStem(stem, pcm.data() + static_cast<size_t>(t) * kLoopFrames * 2, frames);
    command += " " + stem;
  }
  command += " " + a.folder + "sox.wav";
  const auto soxBegin = Stopwatch::now();
  const int rc = std::system(command.c_str());
  const double sox = Seconds(soxBegin);
  std::printf("export, 3 minutes, 16 tracks of 2-bar loops: %.3f s, %.0fx real time (%.3f s CPU)\n", zelo,
              180.0 / zelo, zeloCpu);
  std::printf("sox -m of the 16 full-length stems:           %.3f s, %.0fx real time%s\n", sox, 180.0 / sox,
              rc == 0 ? "" : " (sox failed)");
}

void BusyUi(Arrangement& a) {
  EngineOptions o = Manual(a.folder);
  o.device = AudioDevice::Null;  // its thread renders 256-frame blocks at the pace of the clock
  ZeloEngine e(o);
  e.AInit(nullptr);
  e.Mix().ResetWorstBlock();
  const int64_t frames = 10ll * kRate;
  a.Schedule(e, frames + kLoopFrames);
  e.AStart(0);
  const auto begin = Stopwatch::now();
  std::mt19937 rng(1);
  size_t churn = 0;
  // The UI thread as busy as it gets: scheduling, fader moves, clock reads and allocation churn.
  while (Seconds(begin) < 10.0) {
    e.APos((e.Mix().TimeFrames() + 3 * 75600) * 4);
    e.RWaveParam(60 + static_cast<int>(rng() % 16), static_cast<int>(rng() % 32768));
    e.AMitte(static_cast<int>(rng() % 16), 0);
    std::vector<char> scratch(1 << 16, static_cast<char>(rng()));
    churn += static_cast<size_t>(scratch[rng() % scratch.size()]);
    e.AGetTime(0);
    e.RTimer();
  }
  e.AStop();
  std::printf("worst block at 256 frames with the UI thread busy: %.3f ms of a %.2f ms period (%zu)\n",
              static_cast<double>(e.Mix().WorstBlockNanos()) / 1e6, 256e3 / kRate, churn % 2);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
  if (folder.back() != '/') folder += '/';
  folder += "zelo-audio-bench/";
  std::filesystem::create_directories(folder);
  {
    Arrangement a(folder);
    Throughput(a);
    Capacity(a);
    Export(a);
    BusyUi(a);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
