#pragma once
// Small bitmap strips made by the tests: solid colours, so a pixel tells which picture (and
// which part of it) a widget copied.

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/Window.h"

namespace zelo::widgets::test {

struct SurfaceLoeschen {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceLoeschen>;

inline Surface Flaeche(int w, int h, uint32_t farbe) {
  Surface s(platform::NewSurface(w, h));
  platform::FillRect(s.get(), {0, 0, w, h}, farbe);
  return s;
}

inline uint32_t Pixel(SDL_Surface* s, int x, int y) {
  if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0x12345678u;
  return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x];
}

inline std::unique_ptr<platform::Window> Testfenster(int w = 1280, int h = 960) {
  return std::make_unique<platform::Window>(platform::WindowOptions{w, h, true, "widgets"});
}

constexpr uint32_t kHintergrund = 0xFF203040u;
constexpr uint32_t kKnopf = 0xFFE02020u;
constexpr uint32_t kAus = 0xFF101010u;
constexpr uint32_t kAn = 0xFF20E020u;

}  // namespace zelo::widgets::test
