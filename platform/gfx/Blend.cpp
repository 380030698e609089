#include "platform/gfx/Blend.h"

#include <algorithm>
#include <cstdint>

namespace zelo::platform::gfx {
namespace {

// Locks a surface for direct pixel access for as long as it lives.
class PixelLock {
 public:
  explicit PixelLock(SDL_Surface* s) : s_(s) { ok_ = !SDL_MUSTLOCK(s_) || SDL_LockSurface(s_) == 0; }
  ~PixelLock() {
    if (ok_ && SDL_MUSTLOCK(s_)) SDL_UnlockSurface(s_);
  }
  bool Ok() const { return ok_; }

 private:
  SDL_Surface* s_;
  bool ok_ = false;
};

uint32_t PixelAt(const SDL_Surface* s, int lesbarB, int lesbarH, int x, int y) {
  if (x < 0 || y < 0 || x >= lesbarB || y >= lesbarH) return 0;
  return static_cast<const uint32_t*>(s->pixels)[static_cast<size_t>(y) * (s->pitch / 4) + x];
}

}  // namespace

void BlendImages(SDL_Surface* dst, int dx, int dy, SDL_Surface* src, int srcBreite, int srcHoehe,
                 const Ueberblendung& u) {
  if (!dst || !src || dst->format->format != SDL_PIXELFORMAT_ARGB8888) return;
  if (u.prozent < 0 || u.breite <= 0 || u.hoehe <= 0) return;
  // Pictures loaded from files may come in any layout; the blend reads 32-bit ARGB.
  SDL_Surface* quelle = src;
  if (src->format->format != SDL_PIXELFORMAT_ARGB8888) {
    quelle = SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!quelle) return;
  }
  int lesbarB = std::clamp(srcBreite, 0, quelle->w);
  int lesbarH = std::clamp(srcHoehe, 0, quelle->h);
  int x0 = std::max(0, -dx), y0 = std::max(0, -dy);
  int x1 = std::min(u.breite, dst->w - dx), y1 = std::min(u.hoehe, dst->h - dy);
  uint32_t p = static_cast<uint32_t>(std::min(u.prozent, 100));
  {
    PixelLock lockQuelle(quelle), lockZiel(dst);
    if (lockQuelle.Ok() && lockZiel.Ok()) {
      for (int j = y0; j < y1; ++j) {
        uint32_t* zeile = static_cast<uint32_t*>(dst->pixels) + static_cast<size_t>(dy + j) * (dst->pitch / 4);
        for (int i = x0; i < x1; ++i) {
          uint32_t a = PixelAt(quelle, lesbarB, lesbarH, u.aktivX + i, u.aktivY + j);
          uint32_t n = PixelAt(quelle, lesbarB, lesbarH, u.normalX + i, u.normalY + j);
          uint32_t r = BlendChannel((a >> 16) & 0xFF, (n >> 16) & 0xFF, p);
          uint32_t g = BlendChannel((a >> 8) & 0xFF, (n >> 8) & 0xFF, p);
          uint32_t b = BlendChannel(a & 0xFF, n & 0xFF, p);
          zeile[dx + i] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
      }
    }
  }
  if (quelle != src) SDL_FreeSurface(quelle);
}

}  // namespace zelo::platform::gfx
