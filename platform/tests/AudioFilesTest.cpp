// Own sound files (location 99): reading any WAV libsndfile knows or raw PCM, their length in
// engine bytes, and a decoder that survives whatever bytes it is given.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <random>
#include <vector>

#include "platform/audio/MixEngine.h"
#include "platform/audio/SoundFiles.h"
#include "platform/engine/ZeloEngine.h"
#include "tests/support/TestEnv.h"

namespace zelo::platform {
namespace {

struct WaveCase {
  const char* name;
  int rate, channels, format;
  int frames;
  int64_t engineBytes;  ///< after conversion to 44.1 kHz stereo
};

/// Writes a file holding a constant level (half full scale unless said) on every channel.
void WriteWave(const std::string& path, int rate, int channels, int format, int frames, float level = 0.5f) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
  std::vector<float> data(static_cast<size_t>(frames * channels), level);
  sf_writef_float(f, data.data(), frames);
  sf_close(f);
}

class AudioFilesTest : public testing::Test {
 protected:
  AudioFilesTest() : engine_(Options()) {}
  static EngineOptions Options() {
    EngineOptions o;
    o.device = AudioDevice::Manual;
    o.tempFolder = test::FreshHome();
    return o;
  }
  /// Plays an own file alone and returns the left output at `frame`.
  int16_t LevelOf(std::string file, int frame) {
    engine_.AStop();
    std::vector<int16_t> flush(400);
    engine_.Mix().RenderManual(flush.data(), 200);
    int32_t ort = audio::kLocationOwnFile;
    if (engine_.APlay(0, nullptr, nullptr, 0, 0, ort, file, 0, 0, 0, 0, 256) != -1) return -1;
    engine_.AStart(176223600);
    std::vector<int16_t> out(static_cast<size_t>(frame + 1) * 2);
    engine_.Mix().RenderManual(out.data(), frame + 1);
    return out[static_cast<size_t>(2 * frame)];
  }
  ZeloEngine engine_;
};

TEST_F(AudioFilesTest, WaveFilesAreConvertedTo44kStereo) {
  const WaveCase cases[] = {
      {"stereo.wav", 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 10000, 40000},
      {"mono.wav", 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 5000, 40000},
      {"float.wav", 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 176400},
      {"24bit.aiff", 44100, 2, SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 3000, 12000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = test::FreshHome() + c.name;
    WriteWave(path, c.rate, c.channels, c.format, c.frames);
    EXPECT_EQ(engine_.AWaveDauer(path), c.engineBytes);
    // Half full scale at a quarter channel level.
    EXPECT_NEAR(LevelOf(path, 2000), 4096, 1);
  }
}

TEST_F(AudioFilesTest, AFileThatIsNoWaveIsRawPcm) {
  const std::string path = test::FreshHome() + "metro.zub";
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += std::string("\x00\x20\x00\x10", 4);  // 8192 left, 4096 right
  bytes += "xy";                                                                  // half a frame more
  test::WriteFile(path, bytes);
  EXPECT_EQ(engine_.AWaveDauer(path), 12000);
  EXPECT_EQ(LevelOf(path, 1000), 2048);
}

TEST_F(AudioFilesTest, NamesAreFoundWithoutCaseAndMissingFilesPlayNothing) {
  WriteWave(test::FreshHome() + "Intro.WAV", 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3000);
  EXPECT_EQ(engine_.AWaveDauer(test::FreshHome() + "intro.wav"), 12000);
  EXPECT_NEAR(LevelOf(test::FreshHome() + "intro.wav", 1000), 4096, 1);
  EXPECT_EQ(engine_.AWaveDauer(test::FreshHome() + "gone.wav"), 0);
  EXPECT_EQ(LevelOf(test::FreshHome() + "gone.wav", 10), -1);
  EXPECT_EQ(LevelOf(test::FreshHome() + "gone/", 10), -1);
}

TEST_F(AudioFilesTest, AFileWrittenAgainIsReadAgain) {
  const std::string path = test::FreshHome() + "temp2.wav";
  WriteWave(path, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3000);
  EXPECT_NEAR(LevelOf(path, 1000), 4096, 1);
  WriteWave(path, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4000, 0.25f);  // a sound tool wrote it anew
  EXPECT_NEAR(LevelOf(path, 1000), 2048, 1);
}

TEST(AudioDecodeTest, AnyBytesDecodeWithoutReadingPastThem) {
  // A valid file to damage: a short 16-bit WAV written into memory through a temporary file.
  const std::string path = test::FreshHome() + "valid.wav";
  WriteWave(path, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 64);
  const std::string valid = test::ReadFile(path);
  std::vector<std::string> inputs = {"", "R", "RIFF", valid.substr(0, 12), valid.substr(0, 44), valid.substr(0, 50)};
  std::string huge = valid;
  huge[40] = huge[41] = huge[42] = '\xFF';  // a data chunk far larger than the file
  inputs.push_back(huge);
  std::mt19937 rng(11);
  for (int i = 0; i < 300; ++i) {
    std::string damaged = valid;
    for (int j = 0; j < 4; ++j) damaged[rng() % damaged.size()] = static_cast<char>(rng());
    inputs.push_back(damaged.substr(0, rng() % damaged.size()));
  }
  for (const auto& in : inputs) {
    // Copied to a buffer of exactly its size, so that a read past it is caught by the sanitizer.
    std::vector<uint8_t> bytes(in.begin(), in.end());
    std::vector<int16_t> pcm;
    audio::DecodeSound(bytes.data(), bytes.size(), pcm);
    EXPECT_EQ(pcm.size() % 2, 0u);
  }
  std::vector<int16_t> pcm;
  audio::DecodeSound(reinterpret_cast<const uint8_t*>(valid.data()), valid.size(), pcm);
  EXPECT_EQ(pcm.size(), 128u);
}

}  // namespace
}  // namespace zelo::platform
