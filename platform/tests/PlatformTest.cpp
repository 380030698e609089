// The platform layer's own rules: raster copies, text conversion, key and button values,
// scripted dialogs, mapped files, single instance and the engine's sorter.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Input.h"
#include "platform/MappedFile.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"
#include "platform/engine/ZeloEngine.h"
#include "tests/support/TestEnv.h"

namespace zp = zelo::platform;

namespace {

uint32_t Pixel(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
}

struct RopCase {
  zp::Rop rop;
  uint32_t dst, src;
  uint32_t expected;
};

}  // namespace

TEST(BitBlt, RasterOperationsCombinePixels) {
  const RopCase cases[] = {
      {zp::Rop::SrcCopy, 0xFF123456, 0xFFABCDEF, 0xFFABCDEF},
      {zp::Rop::SrcAnd, 0xFFF0F0F0, 0xFF0FFF00, 0xFF00F000},
      {zp::Rop::SrcPaint, 0xFF100000, 0xFF000020, 0xFF100020},
      {zp::Rop::PatAnd, 0xFFFFFFFF, 0xFF7F7F7F, 0xFF7F7F7F},
      {zp::Rop::PatAndNot, 0xFFFFFFFF, 0xFF0000FF, 0xFFFFFF00},
  };
  for (const auto& c : cases) {
    SDL_Surface* dst = zp::NewSurface(4, 4);
    SDL_Surface* src = zp::NewSurface(4, 4);
    zp::FillRect(dst, {0, 0, 4, 4}, c.dst);
    zp::FillRect(src, {0, 0, 4, 4}, c.src);
    zp::BitBlt(dst, 1, 1, 2, 2, src, 0, 0, c.rop, src);
    EXPECT_EQ(Pixel(dst, 1, 1), c.expected) << static_cast<int>(c.rop);
    EXPECT_EQ(Pixel(dst, 0, 0), c.dst) << "outside the rectangle stays";
    SDL_FreeSurface(dst);
    SDL_FreeSurface(src);
  }
}

TEST(BitBlt, ClipsAgainstBothSurfaces) {
  SDL_Surface* dst = zp::NewSurface(4, 4);
  SDL_Surface* src = zp::NewSurface(2, 2);
  zp::FillRect(src, {0, 0, 2, 2}, 0xFFFFFFFF);
  zp::BitBlt(dst, -1, 3, 10, 10, src, 0, 0, zp::Rop::SrcCopy);  // partly outside both
  EXPECT_EQ(Pixel(dst, 0, 3), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(dst, 1, 3), 0xFF000000u) << "source is only two pixels wide; one lies left of the target";
  zp::BitBlt(dst, 0, 0, 4, 4, src, 5, 5, zp::Rop::SrcCopy);  // source rectangle outside: nothing
  EXPECT_EQ(Pixel(dst, 0, 0), 0xFF000000u);
  SDL_FreeSurface(dst);
  SDL_FreeSurface(src);
}

TEST(Text, AnsiAndUtf8RoundTrip) {
  std::string ansi = "Gr\xFC\xDF" "e \x80 \x93zitat\x94";
  std::string utf8 = zp::Utf8FromAnsi(ansi);
  EXPECT_EQ(utf8, "Grüße € “zitat”");
  EXPECT_EQ(zp::AnsiFromUtf8(utf8), ansi);
  EXPECT_EQ(zp::AnsiFromUtf8("日"), "?");
}

TEST(Input, KeysButtonsAndShiftHaveTheProgramsValues) {
  auto key = [](SDL_Keycode k, Uint16 mod = 0) {
    SDL_Keysym s{};
    s.sym = k;
    s.mod = mod;
    return s;
  };
  EXPECT_EQ(zp::VbKeyCode(key(SDLK_ESCAPE)), 27);
  EXPECT_EQ(zp::VbKeyCode(key(SDLK_SPACE)), 32);
  EXPECT_EQ(zp::VbKeyCode(key(SDLK_F4)), 115);
  EXPECT_EQ(zp::VbKeyCode(key(SDLK_c)), 'C');
  EXPECT_EQ(zp::VbKeyCode(key(SDLK_KP_5)), zp::vbKeyClear) << "keypad 5 without Num Lock";
  EXPECT_EQ(zp::VbKeyCode(key(SDLK_KP_5, KMOD_NUM)), 101);
  EXPECT_EQ(zp::ShiftState(KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT), 7);
  EXPECT_EQ(zp::ButtonValue(SDL_BUTTON_LEFT), 1);
  EXPECT_EQ(zp::ButtonValue(SDL_BUTTON_RIGHT), 2);
  EXPECT_EQ(zp::ButtonValue(SDL_BUTTON_MIDDLE), 4);
  SDL_KeyboardEvent ctrlC{};
  ctrlC.keysym = key(SDLK_c, KMOD_LCTRL);
  EXPECT_EQ(zp::KeyPressChar(ctrlC), 3);
}

TEST(ScriptedDialogs, AnswersInOrderThenTakesTheDefault) {
  zp::ScriptedDialogs d;
  d.QueueAnswer(zp::Answer::No);
  zp::MessageRequest q{"Quit?", "Zelo", zp::Buttons::YesNo, zp::Icon::Question, 2};
  EXPECT_EQ(d.MessageBox(q), zp::Answer::No);
  EXPECT_EQ(d.MessageBox(q), zp::Answer::No) << "second button is the default";
  q.defaultButton = 1;
  EXPECT_EQ(d.MessageBox(q), zp::Answer::Yes);
  zp::MenuItem laden;
  laden.id = 1;
  laden.text = "Load";
  EXPECT_EQ(d.PopupMenu({laden}, 0, 0), 0);
  ASSERT_EQ(d.Shown().size(), 4u);
  EXPECT_EQ(d.Shown()[0].message.prompt, "Quit?");
}

TEST(MappedFile, ReadsWritesAndGrows) {
  std::string path = zelo::test::FreshHome() + "cache";
  zp::MappedFile f;
  ASSERT_TRUE(f.Open(path, zp::MapMode::ReadWrite));
  EXPECT_EQ(f.Size(), 0);
  ASSERT_TRUE(f.Resize(16));
  EXPECT_EQ(f.Write("abcd", 4, 8), 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.Data()) + 8, 4), "abcd");
  char buf[8] = {};
  EXPECT_EQ(f.Read(buf, 8, 12), 4) << "a read stops at the end of the file";
  EXPECT_EQ(f.Read(buf, 8, 16), 0);
  EXPECT_EQ(f.Read(buf, 8, -1), 0);
  EXPECT_EQ(f.Write("xy", 2, 20), 2);
  EXPECT_EQ(f.Size(), 22);
  zp::MappedFile ro;
  EXPECT_FALSE(ro.Open(path + ".missing", zp::MapMode::ReadOnly));
  ASSERT_TRUE(ro.Open(path, zp::MapMode::ReadOnly));
  EXPECT_EQ(ro.Write("z", 1, 0), 0) << "read-only files take no writes";
}

TEST(SingleInstance, SecondStartAsksTheFirstToTheFront) {
  std::string folder = zelo::test::FreshHome();
  zp::SingleInstance first(folder);
  ASSERT_TRUE(first.First());
  EXPECT_FALSE(first.FrontRequested());
  {
    zp::SingleInstance second(folder);
    EXPECT_FALSE(second.First());
    EXPECT_TRUE(second.AskFirstToFront());
  }
  EXPECT_TRUE(first.FrontRequested());
}

TEST(EngineSorter, SortsStablyInBothOrdersAndReadsOutAfterInit) {
  zp::EngineOptions o;
  o.device = zp::AudioDevice::Manual;
  zp::ZeloEngine e(o);
  auto sorted = [&](bool second, std::vector<std::string> keys) {
    e.ASortInit();
    for (auto& k : keys) e.ASortIn(k);
    second ? e.ASortStart2() : e.ASortStart();
    e.ASortInit();  // the callers reset the read-out before taking the order
    std::vector<int> out;
    for (int i; (i = e.ASortOut()) >= 0;) out.push_back(i);
    return out;
  };
  EXPECT_EQ(sorted(false, {"beat", "Alpha", "alpha", "Loop 10", "Loop 9"}), (std::vector<int>{1, 2, 0, 3, 4}));
  EXPECT_EQ(sorted(true, {"Loop 10", "loop 9", "Loop 09b", "Bass"}), (std::vector<int>{3, 1, 2, 0}));
  EXPECT_EQ(sorted(false, {}), std::vector<int>{});
}

TEST(Engine, FreeSpaceOfAFolderThatDoesNotExistYet) {
  zp::EngineOptions o;
  o.device = zp::AudioDevice::Manual;
  zp::ZeloEngine e(o);
  int64_t home = e.AGetFree(zelo::test::FreshHome());
  EXPECT_GT(home, 0);
  EXPECT_EQ(e.AGetFree(zelo::test::FreshHome() + "not/yet/made/"), home);
}
