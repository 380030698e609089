// The mixing engine driven through the call contract with the manual device: known signals in,
// samples out, rendered in random block sizes so that no result depends on where blocks begin.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

#include "platform/MappedFile.h"
#include "platform/audio/MixEngine.h"
#include "platform/engine/ZeloEngine.h"
#include "tests/support/TestEnv.h"

namespace zelo::platform {
namespace {

constexpr double kPi = 3.14159265358979323846;
using Pcm = std::vector<int16_t>;

Pcm Constant(int frames, int16_t left, int16_t right) {
  Pcm p(static_cast<size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    p[2 * static_cast<size_t>(i)] = left;
    p[2 * static_cast<size_t>(i) + 1] = right;
  }
  return p;
}

Pcm Sine(int frames, double hz, double amplitude) {
  Pcm p(static_cast<size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i)
    p[2 * static_cast<size_t>(i)] = p[2 * static_cast<size_t>(i) + 1] =
        static_cast<int16_t>(std::lrint(amplitude * std::sin(2 * kPi * hz * i / 44100.0)));
  return p;
}

/// A sample distinct at every frame, so that an offset shows in the output.
Pcm Ramp(int frames) {
  Pcm p(static_cast<size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    p[2 * static_cast<size_t>(i)] = static_cast<int16_t>((i * 7) % 20000);
    p[2 * static_cast<size_t>(i) + 1] = static_cast<int16_t>(-((i * 3) % 20000));
  }
  return p;
}

/// A container file holding sounds one after another, mapped as the library maps its containers.
class Container {
 public:
  explicit Container(const std::vector<Pcm>& sounds) {
    path_ = test::FreshHome() + "container" + std::to_string(counter_++);
    std::ofstream out(path_, std::ios::binary);
    int64_t at = 0;
    for (const auto& s : sounds) {
      offsets_.push_back(at);
      out.write(reinterpret_cast<const char*>(s.data()), static_cast<std::streamsize>(s.size() * 2));
      at += static_cast<int64_t>(s.size() * 2);
    }
    out.close();
    sizes_.reserve(sounds.size());
    for (const auto& s : sounds) sizes_.push_back(static_cast<int64_t>(s.size() * 2));
    EXPECT_TRUE(file_.Open(path_, MapMode::ReadOnly));
  }
  const MappedFile* File() const { return &file_; }
  int64_t Offset(size_t i) const { return offsets_[i]; }
  int64_t Size(size_t i) const { return sizes_[i]; }

 private:
  static inline int counter_ = 0;
  std::string path_;
  MappedFile file_;
  std::vector<int64_t> offsets_, sizes_;
};

struct Sound {
  int channel = 0;
  int64_t startFrame = 0;
  int64_t frames = 0;  ///< 0: the whole sound
  int64_t skipFrames = 0;
  int32_t volume = 256;
};

class AudioMixTest : public testing::Test {
 protected:
  AudioMixTest() : engine_(Options()) {}
  static EngineOptions Options() {
    EngineOptions o;
    o.device = AudioDevice::Manual;
    o.tempFolder = test::FreshHome();
    return o;
  }

  bool Play(const Container& c, size_t index, const Sound& s) {
    int32_t ort = 2;
    std::string datei;
    return engine_.APlay(1, c.File(), nullptr, c.Size(index), c.Offset(index), ort, datei, s.channel,
                         s.startFrame * 4, s.frames * 4, s.skipFrames * 4, s.volume) == -1;
  }

  /// Renders `frames` frames in random block sizes of 1 to 700 frames.
  Pcm Render(int frames, unsigned seed = 1) {
    Pcm out(static_cast<size_t>(frames) * 2);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> size(1, 700);
    for (int done = 0; done < frames;) {
      int n = std::min(frames - done, size(rng));
      engine_.Mix().RenderManual(out.data() + static_cast<size_t>(done) * 2, n);
      done += n;
    }
    return out;
  }

  void StartMix(int64_t horizonFrames = 100000000) {
    engine_.AStart(0);
    engine_.APos(horizonFrames * 4);
  }

  ZeloEngine engine_;
};

int16_t L(const Pcm& p, int64_t frame) { return p[static_cast<size_t>(2 * frame)]; }
int16_t R(const Pcm& p, int64_t frame) { return p[static_cast<size_t>(2 * frame + 1)]; }

/// The largest step between neighbouring samples of one side.
int MaxStep(const Pcm& p) {
  int worst = 0;
  for (size_t i = 2; i < p.size(); ++i) worst = std::max(worst, std::abs(p[i] - p[i - 2]));
  return worst;
}

// Unity sound volume, the new-mix channel volume (a quarter) and unity master: 10,000 becomes 2,500.
TEST_F(AudioMixTest, SoundStartsOnItsExactFrameWhateverTheBlockSizes) {
  Container c({Constant(5000, 10000, 10000)});
  for (int64_t start : {0, 1, 333, 4410}) {
    SCOPED_TRACE(start);
    engine_.AStop();
    Render(200);  // the fade after the stop
    ASSERT_TRUE(Play(c, 0, {0, start, 0, 0, 256}));
    StartMix();
    Pcm out = Render(static_cast<int>(start) + 2000, static_cast<unsigned>(start) + 7);
    for (int64_t f = 0; f < start; ++f) ASSERT_EQ(L(out, f), 0) << f;
    EXPECT_GT(L(out, start), 0);
    EXPECT_EQ(L(out, start + 64), 2500);
    EXPECT_EQ(R(out, start + 1500), 2500);
  }
}

TEST_F(AudioMixTest, DurationAndOffsetCutTheSoundExactly) {
  Pcm ramp = Ramp(4000);
  Container c({ramp});
  ASSERT_TRUE(Play(c, 0, {3, 50, 1000, 100, 256}));
  StartMix();
  Pcm out = Render(1500, 3);
  // Between the ramps every frame is the source frame 100 further on, at a quarter level.
  for (int64_t k = 64; k < 1000 - 64; ++k) {
    ASSERT_EQ(L(out, 50 + k), std::lrint(ramp[static_cast<size_t>(2 * (100 + k))] * 0.25)) << k;
    ASSERT_EQ(R(out, 50 + k), std::lrint(ramp[static_cast<size_t>(2 * (100 + k) + 1)] * 0.25)) << k;
  }
  EXPECT_EQ(L(out, 49), 0);
  EXPECT_NE(L(out, 50 + 999), 0);
  for (int64_t f = 50 + 1000; f < 1500; ++f) ASSERT_EQ(L(out, f), 0) << f;
}

struct LevelCase {
  int32_t volume, channelVolume, pan, master;
  double left, right;  ///< expected output for a source of 8000 left, 4000 right
};

TEST_F(AudioMixTest, VolumeChannelGainPanAndMasterGiveTheExpectedLevels) {
  const double fold = 12000 * 0.70710678 * 0.25;  // a side-only channel folds both inputs at -3 dB
  const LevelCase cases[] = {
      {256, 26800, 0, 26800, 2000, 1000}, {128, 26800, 0, 26800, 1000, 500},  {512, 26800, 0, 26800, 4000, 2000},
      {256, 13400, 0, 26800, 500, 250},   {256, 26800, 0, 13400, 500, 250},   {256, 26800, 1, 26800, fold, 0},
      {256, 26800, 2, 26800, 0, fold},    {256, 26800, 3, 26800, 0, 0},       {256, 0, 0, 26800, 0, 0},
  };
  Container c({Constant(3000, 8000, 4000)});
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << t.volume << " " << t.channelVolume << " " << t.pan << " " << t.master);
    engine_.AStop();
    engine_.AMitte(5, t.pan);
    engine_.RWaveParam(60 + 5, t.channelVolume);
    engine_.ALautSet(t.master);
    ASSERT_TRUE(Play(c, 0, {5, 0, 0, 0, t.volume}));
    StartMix();
    Pcm out = Render(2000);
    EXPECT_NEAR(L(out, 1000), t.left, 1.0);  // rounding to 16 bits
    EXPECT_NEAR(R(out, 1000), t.right, 1.0);
  }
  EXPECT_EQ(engine_.ALautGet(0), 26800);
}

TEST_F(AudioMixTest, SixteenLoudTracksAtFullFadersNeverWrapAround) {
  Container c({Constant(3000, 32767, -32768)});
  engine_.ALautSet(32767);
  for (int ch = 0; ch < 16; ++ch) {
    engine_.RWaveParam(60 + ch, 32767);
    ASSERT_TRUE(Play(c, 0, {ch, 0, 0, 0, 512}));
  }
  StartMix();
  Pcm out = Render(2000);
  for (int64_t f = 100; f < 2000; ++f) {
    ASSERT_GT(L(out, f), 30000) << f;
    ASSERT_LT(R(out, f), -30000) << f;
  }
}

/// Frequency of the left side by rising zero crossings over whole periods.
double Frequency(const Pcm& p, int64_t from, int64_t to) {
  int64_t first = -1, last = -1, count = 0;
  for (int64_t f = from + 1; f < to; ++f) {
    if (L(p, f - 1) < 0 && L(p, f) >= 0) {
      if (first < 0) first = f;
      else ++count;
      last = f;
    }
  }
  return count > 0 ? 44100.0 * static_cast<double>(count) / static_cast<double>(last - first) : 0;
}

TEST_F(AudioMixTest, PitchSetsThePlaybackRateOfTheMix) {
  Container c({Sine(3 * 44100, 441, 12000)});
  for (int32_t p : {0, 6300, 12600}) {
    SCOPED_TRACE(p);
    engine_.AStop();
    engine_.ASetPitch(p);
    ASSERT_TRUE(Play(c, 0, {0, 0, 0, 0, 256}));
    StartMix();
    Pcm out = Render(44100 + 2000);
    const double expected = 441.0 * (120.0 + p / 315.0) / 140.0;
    // Crossings are counted to the frame: over a second that is well inside 0.1 Hz.
    EXPECT_NEAR(Frequency(out, 1000, 45100), expected, 0.1);
    // Interpolation keeps the sine's level (RMS of 12,000 / sqrt(2) at a quarter).
    double sum = 0;
    for (int64_t f = 1000; f < 45100; ++f) sum += static_cast<double>(L(out, f)) * L(out, f);
    EXPECT_NEAR(std::sqrt(sum / 44100), 3000 / std::sqrt(2.0), 5);
  }
}

TEST_F(AudioMixTest, NothingIsMixedBeyondTheHorizonAndTimeFollowsRenderedFrames) {
  Container c({Constant(20000, 10000, 10000)});
  ASSERT_TRUE(Play(c, 0, {0, 0, 0, 0, 256}));
  engine_.AStart(0);
  EXPECT_EQ(engine_.AGetTime(0), 0);
  engine_.APos(1000 * 4);
  Pcm out = Render(3000);
  EXPECT_EQ(L(out, 999), 2500);
  for (int64_t f = 1000; f < 3000; ++f) ASSERT_EQ(L(out, f), 0) << f;
  EXPECT_EQ(engine_.Mix().TimeFrames(), 1000);

  engine_.APos(44100 * 4 + 1000 * 4);
  out = Render(44100);
  EXPECT_EQ(L(out, 0), 2500);  // the sound goes on where it was held
  EXPECT_EQ(engine_.AGetTime(0), 1000 + 22);

  engine_.ASetPitch(12600);
  engine_.APos(1000000 * 4);
  Render(44100);
  EXPECT_EQ(engine_.Mix().TimeFrames(), 45100 + 50400);  // 8/7 of the rendered frames
}

TEST_F(AudioMixTest, TimeOfAnEarlierRunDoesNotShowAfterANewStart) {
  StartMix();
  Render(10000);
  EXPECT_GT(engine_.AGetTime(0), 200);
  engine_.AStop();
  engine_.AStart(0);
  EXPECT_EQ(engine_.AGetTime(0), 0);
}

TEST_F(AudioMixTest, StartsEndsCutsAndChangesDoNotClick) {
  // A ramp spreads a change over at least 56 frames (64 frames of material at the fastest
  // tempo), and a 100 Hz sine moves less than a 60th of its level a frame: no step may exceed
  // a 40th of the loudest level. A click jumps by the whole level.
  Container c({Constant(40000, 10000, 10000), Sine(40000, 100, 12000)});
  Play(c, 0, {0, 100, 5000, 0, 256});    // starts and is cut at a fixed duration
  Play(c, 1, {1, 300, 0, 1234, 256});    // starts in the middle of a wave
  Play(c, 0, {2, 1000, 0, 0, 256});      // still sounding when the mix stops
  StartMix();
  Pcm out = Render(3000);
  Play(c, 0, {3, 1000, 0, 0, 256});  // arrives after its start
  engine_.RWaveParam(61, 32767);     // a fader jump
  engine_.AMitte(2, 1);           // a pan switch
  Pcm more = Render(3000, 2);
  engine_.ASetPitch(12600);       // a tempo change while playing
  Pcm evenMore = Render(3000, 3);
  engine_.AStop();
  Pcm after = Render(1000, 4);
  out.insert(out.end(), more.begin(), more.end());
  out.insert(out.end(), evenMore.begin(), evenMore.end());
  out.insert(out.end(), after.begin(), after.end());
  int peak = 0;
  for (int16_t v : out) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_GT(peak, 5000);
  EXPECT_LE(MaxStep(out), peak / 40);
  EXPECT_EQ(L(after, 999), 0);  // the stop's fade has ended
}

TEST_F(AudioMixTest, ALoopPlacedBarAfterBarJoinsWithoutADip) {
  Container c({Constant(1000, 10000, 10000)});
  for (int i = 0; i < 3; ++i) Play(c, 0, {4, 200 + 1000 * i, 1000, 0, 256});
  StartMix();
  Pcm out = Render(3500);
  for (int64_t f = 200 + 64; f < 3200 - 64; ++f) ASSERT_EQ(L(out, f), 2500) << f;
}

TEST_F(AudioMixTest, ContainerBoundsAreChecked) {
  Container c({Constant(1000, 10000, 10000)});
  int32_t ort = 2;
  std::string datei;
  const MappedFile* f = c.File();
  EXPECT_EQ(engine_.APlay(1, f, nullptr, 4000, f->Size(), ort, datei, 0, 0, 0, 0, 256), 0);
  EXPECT_EQ(engine_.APlay(1, f, nullptr, 4000, -4, ort, datei, 0, 0, 0, 0, 256), 0);
  EXPECT_EQ(engine_.APlay(1, nullptr, nullptr, 4000, 0, ort, datei, 0, 0, 0, 0, 256), 0);
  EXPECT_EQ(engine_.APlay(1, f, nullptr, 4000, 0, ort, datei, 17, 0, 0, 0, 256), 0);  // no such channel
  int32_t sibling = 1;
  EXPECT_EQ(engine_.APlay(1, f, nullptr, 4000, 0, sibling, datei, 0, 0, 0, 0, 256), 0);  // no sibling cache
  // A size beyond the file plays only the bytes there are.
  EXPECT_EQ(engine_.APlay(1, f, nullptr, 1 << 30, 2000, ort, datei, 0, 0, 0, 0, 256), -1);
  StartMix();
  Pcm out = Render(2000);
  EXPECT_EQ(L(out, 400), 2500);
  EXPECT_EQ(L(out, 500), 0);
  EXPECT_EQ(engine_.BWaveDauer(f, 2000, 0), (1 << 30));
}

TEST_F(AudioMixTest, AFullQueueOrPoolDropsAndCountsInsteadOfBlocking) {
  Container c({Constant(1000, 1000, 1000)});
  for (int i = 0; i < 17000; ++i) Play(c, 0, {i % 17, 1000000 + i, 0, 0, 256});
  EXPECT_GT(engine_.Mix().DroppedCommands(), 0u);
  Render(10);
  EXPECT_GT(engine_.Mix().DroppedVoices(), 0u);
  engine_.AStop();
  Render(10);
  ASSERT_TRUE(Play(c, 0, {0, 0, 0, 0, 256}));
  StartMix();
  EXPECT_EQ(L(Render(80), 70), 250);
}

// --- Export ---------------------------------------------------------------------------------

Pcm ReadWav(const std::string& path, SF_INFO& info) {
  info = {};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return {};
  Pcm p(static_cast<size_t>(info.frames * info.channels));
  sf_readf_short(f, p.data(), info.frames);
  sf_close(f);
  return p;
}

TEST_F(AudioMixTest, AnExportHoldsExactlyWhatLivePlaybackSends) {
  Container c({Sine(30000, 330, 9000), Ramp(30000), Constant(30000, 6000, -6000)});
  const Sound sounds[] = {{0, 0, 20000, 0, 256}, {1, 5000, 15000, 300, 200}, {2, 12345, 0, 0, 300}};
  const int64_t length = 40000;
  auto setUp = [&](ZeloEngine& e) {
    e.AMitte(2, 2);
    e.RWaveParam(61, 20000);
    e.ASetPitch(7000);
  };
  const std::string path = test::FreshHome() + "song.wav";
  test::WriteFile(path, "an earlier export");
  setUp(engine_);
  ASSERT_EQ(engine_.AExport(path, length * 4), -1);
  for (size_t i = 0; i < 3; ++i) ASSERT_TRUE(Play(c, i, sounds[i]));
  engine_.AStart(0);
  engine_.APos(1000000 * 4);
  for (int i = 0; i < 5000 && engine_.Mix().TimeFrames() < length + 1000; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(test::ReadFile(path), "an earlier export");  // untouched until the export is complete
  engine_.AStop();
  ASSERT_EQ(engine_.AExport("", 0), -1);
  SF_INFO info;
  Pcm exported = ReadWav(path, info);
  EXPECT_EQ(info.samplerate, 44100);
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  ASSERT_GT(exported.size(), 0u);

  ZeloEngine live(Options());
  setUp(live);
  int32_t ort = 2;
  std::string datei;
  for (size_t i = 0; i < 3; ++i)
    live.APlay(1, c.File(), nullptr, c.Size(i), c.Offset(i), ort, datei, sounds[i].channel, sounds[i].startFrame * 4,
               sounds[i].frames * 4, sounds[i].skipFrames * 4, sounds[i].volume);
  live.AStart(0);
  live.APos(1000000 * 4);
  Pcm played(exported.size());
  std::mt19937 rng(5);
  for (size_t done = 0; done < played.size() / 2;) {
    int n = std::min(static_cast<int>(played.size() / 2 - done), static_cast<int>(rng() % 600 + 1));
    live.Mix().RenderManual(played.data() + done * 2, n);
    done += static_cast<size_t>(n);
  }
  EXPECT_EQ(exported, played);
  // The file covers `length` frames of the material; at the tempo of 7000 that takes 1/rate as many.
  const double rate = (120.0 + 7000.0 / 315.0) / 140.0;
  EXPECT_NEAR(static_cast<double>(info.frames), length / rate, 1.0);
}

TEST_F(AudioMixTest, AnExportEqualsAnIndependentlySummedReference) {
  Container c({Sine(20000, 500, 9000), Ramp(20000), Constant(20000, 6000, -6000)});
  const Sound sounds[] = {{0, 0, 15000, 0, 256}, {1, 3000, 10000, 500, 128}, {2, 8000, 0, 0, 512}};
  const int64_t length = 25000;
  const std::string path = test::FreshHome() + "reference.wav";
  ASSERT_EQ(engine_.AExport(path, length * 4), -1);
  for (size_t i = 0; i < 3; ++i) ASSERT_TRUE(Play(c, i, sounds[i]));
  engine_.AStart(0);
  engine_.APos(length * 4 + 4000);
  for (int i = 0; i < 5000 && engine_.Mix().ExportedFrames() < length; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  engine_.AExport("", 0);
  SF_INFO info;
  Pcm exported = ReadWav(path, info);
  ASSERT_EQ(info.frames, length);

  const std::vector<Pcm> sources = {Sine(20000, 500, 9000), Ramp(20000), Constant(20000, 6000, -6000)};
  std::vector<double> sum(static_cast<size_t>(length) * 2, 0.0);
  std::vector<bool> nearEdge(static_cast<size_t>(length), false);
  for (size_t i = 0; i < 3; ++i) {
    const Sound& s = sounds[i];
    const int64_t frames = s.frames > 0 ? s.frames : 20000 - s.skipFrames;
    for (int64_t k = 0; k < frames && s.startFrame + k < length; ++k) {
      for (int side = 0; side < 2; ++side)
        sum[static_cast<size_t>(2 * (s.startFrame + k) + side)] +=
            sources[i][static_cast<size_t>(2 * (s.skipFrames + k) + side)] * (s.volume / 256.0) * 0.25;
      if (k < 64 || k >= frames - 64) nearEdge[static_cast<size_t>(s.startFrame + k)] = true;
    }
  }
  for (int64_t f = 0; f < length; ++f) {
    if (nearEdge[static_cast<size_t>(f)]) continue;  // the declick ramps are the engine's own
    for (int side = 0; side < 2; ++side)
      ASSERT_NEAR(exported[static_cast<size_t>(2 * f + side)], sum[static_cast<size_t>(2 * f + side)], 1.0)
          << f << " " << side;
  }
}

TEST_F(AudioMixTest, AnExportThatCannotBeWrittenReportsFailure) {
  EXPECT_EQ(engine_.AExport(test::FreshHome() + "no/such/folder/song.wav", 4000), 0);
  EXPECT_EQ(engine_.AExport("", 0), 0);
}

TEST_F(AudioMixTest, TheOutputDevicesKeepTimeOnTheirOwn) {
  // Tests run with SDL's dummy audio driver; where SDL opens nothing the null device stands in.
  for (AudioDevice device : {AudioDevice::Sdl, AudioDevice::Null}) {
    SCOPED_TRACE(static_cast<int>(device));
    EngineOptions o = Options();
    o.device = device;
    ZeloEngine engine(o);
    const int32_t status = engine.AInit(nullptr);
    EXPECT_TRUE(status == 0 || (device == AudioDevice::Sdl && status == kInitWarning));
    EXPECT_EQ(engine.DStart(0), 0);
    engine.AStart(0);
    engine.APos(1000000);
    for (int i = 0; i < 5000 && engine.AGetTime(0) < 30; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_GE(engine.AGetTime(0), 30);
    EXPECT_EQ(engine.AStop() & ~audio::kStopUnderran, 0);
    engine.ADSoff();
    engine.AEnd();
  }
}

}  // namespace
}  // namespace zelo::platform
