#include "setup/ImGuiSetupFenster.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/ImGuiHost.h"
#include "platform/Window.h"

namespace zelo::setup {
namespace {

/// The dialog's side as the window sees it: a prepared view; events are logged, and a key
/// closes the dialog.
class Steuerung final : public SetupSteuerung {
 public:
  SetupAnsicht a;
  std::vector<std::string> log;
  bool zu = false;
  void voll_Click() override { log.push_back("voll"); }
  void mini_Click() override { log.push_back("mini"); }
  void weiter_Click() override { log.push_back("weiter"); }
  void Ende_Click() override { log.push_back("Ende"); }
  void Drive_Change(size_t l) override { log.push_back("Drive " + std::to_string(l)); }
  void Form_KeyDown(Taste t) override {
    log.push_back(t == Taste::Escape ? "Escape" : "Taste");
    zu = true;
  }
  void Textt_Change(const std::string& text) override { a.Textt = text; }
  const SetupAnsicht& Ansicht() const override { return a; }
  bool Geschlossen() const override { return zu; }
};

SDL_Event Taste(SDL_Keycode k, bool runter) {
  SDL_Event e{};
  e.type = runter ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = runter ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = k;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(k);
  return e;
}

TEST(ImGuiSetupFenster, DrawsTheDialogOnItsPlaceAndReportsEscape) {
  platform::Window fenster({800, 600, false, "Zelo"});
  ASSERT_TRUE(fenster.Ok());
  int frame = 0;
  int orange = 0, weiss = 0;
  Steuerung s;
  s.a.Rechteck = {40, 60, 720, 440};
  s.a.Rahmentitel = "Zelo setup";
  s.a.Label2 = "Choose the folder.\r\rFree space on the drive: 100 MB on drive /home/u";
  s.a.Label3 = "Working folder:";
  s.a.Textt = "/home/u/zelo";
  s.a.Laufwerke = {{"/home/u  (100 MB)", "/home/u/"}, {"/", "/"}};
  s.a.voll.Text = "Full installation";
  s.a.mini.Text = "Minimal installation";
  s.a.Ende.Text = "Quit";
  s.a.weiter.Text = "Start now";
  s.a.Aktiv = true;
  platform::ImGuiHost host(fenster, [&] {
    // Frame 1 is on the screen when frame 2 begins: read it, then press Escape.
    if (++frame != 3) return;
    SDL_Surface* bild = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_RenderReadPixels(fenster.Renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, bild->pixels, bild->pitch);
    if (const char* pfad = std::getenv("ZELO_SETUP_BILD")) SDL_SaveBMP(bild, pfad);
    const auto* p = static_cast<const uint32_t*>(bild->pixels);
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        uint32_t c = p[y * bild->pitch / 4 + x] & 0xFFFFFF;
        bool drin = s.a.Rechteck.Contains(x, y);
        if (c == 0xDF9000 && drin) ++orange;
        if (c == 0xFFFFFF && drin) ++weiss;
      }
    }
    SDL_FreeSurface(bild);
    for (SDL_Event e : {Taste(SDLK_ESCAPE, true), Taste(SDLK_ESCAPE, false)}) SDL_PushEvent(&e);
  });
  ImGuiSetupFenster f(host, fenster);
  f.Modal(s);
  EXPECT_EQ(s.log, std::vector<std::string>{"Escape"});
  // The orange captions and the white labels and fields are drawn inside the dialog's place.
  EXPECT_GT(orange, 20);
  EXPECT_GT(weiss, 200);
}

}  // namespace
}  // namespace zelo::setup
