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

// Coordinates are 64-bit so that any 32-bit position from the caller adds up without overflow.
uint32_t PixelAt(const SDL_Surface* s, int64_t lesbarB, int64_t lesbarH, int64_t x, int64_t y) {
  if (x < 0 || y < 0 || x >= lesbarB || y >= lesbarH) return 0;
  return static_cast<const uint32_t*>(s->pixels)[static_cast<size_t>(y) * (s->pitch / 4) + static_cast<size_t>(x)];
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
  const int64_t zx = dx, zy = dy;
  const int x0 = static_cast<int>(std::clamp<int64_t>(-zx, 0, u.breite));
  const int y0 = static_cast<int>(std::clamp<int64_t>(-zy, 0, u.hoehe));
  const int x1 = static_cast<int>(std::clamp<int64_t>(dst->w - zx, 0, u.breite));
  const int y1 = static_cast<int>(std::clamp<int64_t>(dst->h - zy, 0, u.hoehe));
  uint32_t p = static_cast<uint32_t>(std::min(u.prozent, 100));
  {
    PixelLock lockQuelle(quelle), lockZiel(dst);
    if (lockQuelle.Ok() && lockZiel.Ok()) {
      auto mische = [p](uint32_t a, uint32_t n) {
        uint32_t r = BlendChannel((a >> 16) & 0xFF, (n >> 16) & 0xFF, p);
        uint32_t g = BlendChannel((a >> 8) & 0xFF, (n >> 8) & 0xFF, p);
        uint32_t b = BlendChannel(a & 0xFF, n & 0xFF, p);
        return 0xFF000000u | (r << 16) | (g << 8) | b;
      };
      const uint32_t* pixel = static_cast<const uint32_t*>(quelle->pixels);
      const size_t schritt = static_cast<size_t>(quelle->pitch / 4);
      auto innen = [&](int64_t x, int64_t y, int64_t breite) {
        return x >= 0 && y >= 0 && y < lesbarH && x + breite <= lesbarB;
      };
      for (int j = y0; j < y1; ++j) {
        uint32_t* zeile = static_cast<uint32_t*>(dst->pixels) + static_cast<size_t>(dy + j) * (dst->pitch / 4);
        const int64_t ax = int64_t{u.aktivX} + x0, nx = int64_t{u.normalX} + x0;
        const int64_t ay = int64_t{u.aktivY} + j, ny = int64_t{u.normalY} + j;
        if (innen(ax, ay, x1 - x0) && innen(nx, ny, x1 - x0)) {
          // Both rows lie wholly in the slot: no per-pixel bounds checks.
          const uint32_t* a = pixel + static_cast<size_t>(ay) * schritt + static_cast<size_t>(ax);
          const uint32_t* n = pixel + static_cast<size_t>(ny) * schritt + static_cast<size_t>(nx);
          for (int i = 0; i < x1 - x0; ++i) zeile[dx + x0 + i] = mische(a[i], n[i]);
          continue;
        }
        for (int i = x0; i < x1; ++i)
          zeile[dx + i] = mische(PixelAt(quelle, lesbarB, lesbarH, ax + i - x0, ay),
                                 PixelAt(quelle, lesbarB, lesbarH, nx + i - x0, ny));
      }
    }
  }
  if (quelle != src) SDL_FreeSurface(quelle);
}

}  // namespace zelo::platform::gfx
