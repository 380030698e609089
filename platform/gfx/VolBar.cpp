#include "platform/gfx/VolBar.h"

#include <algorithm>
#include <cmath>

namespace zelo::platform::gfx {
namespace {

struct Zone {
  uint8_t r, g, b;
};
constexpr Zone kGruen{0x28, 0xc8, 0x3c};
constexpr Zone kGelb{0xe6, 0xd2, 0x28};
constexpr Zone kRot{0xe6, 0x32, 0x28};

Zone ZoneOf(int segment, int segmente) {
  if (segment * 10 < segmente * 7) return kGruen;
  if (segment * 10 < segmente * 9) return kGelb;
  return kRot;
}

}  // namespace

int SegmentCount(int laenge) { return std::clamp(laenge / 4, 1, kMaxSegmente); }

int LitSegments(int32_t pegel, int segmente) {
  pegel = std::clamp<int32_t>(pegel, 1, 32767);
  double db = 20.0 * std::log10(pegel / 32767.0);
  long lit = std::lround(segmente * (kDbBereich + db) / kDbBereich);
  return static_cast<int>(std::clamp<long>(lit, 0, segmente));
}

VolBar::VolBar(int x, int y, int breite, int hoehe) : x_(x), y_(y), breite_(breite), hoehe_(hoehe) {}

int VolBar::Peak(int lit, uint32_t jetzt) {
  uint32_t seit = jetzt - peakZeit_;
  int gefallen = seit <= kPeakHaltenMs ? 0 : static_cast<int>(std::min<uint32_t>((seit - kPeakHaltenMs) / kPeakFallMs, 1000));
  int gezeigt = std::max(peak_ - gefallen, 0);
  if (lit >= gezeigt) {
    peak_ = lit;
    peakZeit_ = jetzt;
    return lit;
  }
  return gezeigt;
}

void VolBar::Draw(SDL_Surface* ziel, int32_t pegel, uint32_t jetzt) {
  if (!ziel) return;
  int laenge = Senkrecht() ? hoehe_ : breite_;
  int segmente = SegmentCount(laenge);
  int lit = LitSegments(pegel, segmente);
  int peak = Peak(lit, jetzt);
  uint32_t schwarz = SDL_MapRGB(ziel->format, 0, 0, 0);
  for (int i = 0; i < segmente; ++i) {
    int anfang = i * laenge / segmente, ende = (i + 1) * laenge / segmente;
    if (ende <= anfang) continue;
    Zone z = ZoneOf(i, segmente);
    bool an = i < lit || i == peak - 1;
    uint32_t farbe = an ? SDL_MapRGB(ziel->format, z.r, z.g, z.b) : SDL_MapRGB(ziel->format, z.r / 4, z.g / 4, z.b / 4);
    int voll = ende - anfang >= 2 ? ende - anfang - 1 : 1;
    SDL_Rect seg, luecke;
    if (Senkrecht()) {
      // Vertical meters fill from the bottom; the gap is each segment's top pixel.
      seg = {x_, y_ + hoehe_ - anfang - voll, breite_, voll};
      luecke = {x_, y_ + hoehe_ - ende, breite_, 1};
    } else {
      seg = {x_ + anfang, y_, voll, hoehe_};
      luecke = {x_ + ende - 1, y_, 1, hoehe_};
    }
    SDL_FillRect(ziel, &seg, farbe);
    if (voll < ende - anfang) SDL_FillRect(ziel, &luecke, schwarz);
  }
}

}  // namespace zelo::platform::gfx
