#include "platform/gfx/GrafikEffekte.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <vector>

#include "platform/Clock.h"
#include "platform/Window.h"
#include "platform/gfx/Blend.h"
#include "platform/gfx/BlockLook.h"
#include "platform/gfx/VolBar.h"

namespace zelo::platform {
namespace {

constexpr int kPufferMax = 4096;
constexpr int kBlockHoeheMax = 512;
constexpr int kBlockBreiteMax = 8192;
constexpr size_t kMaxMeter = 64;
constexpr size_t kMaxIntroElemente = 861;
constexpr int kIntroVersatzMs = 150;   // each element starts this much after the one before
constexpr int kIntroHalbMs = 350;      // pressed -> active, then active -> normal
constexpr int kNamenX = 3, kNamenY = 1;
// Screen positions beyond this are nonsense from a broken page file; limiting them keeps every
// rectangle sum far from overflow.
constexpr int kKoordinateMax = 1 << 20;

int Begrenzt(int v) { return std::clamp(v, -kKoordinateMax, kKoordinateMax); }

struct FreeSurface {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, FreeSurface>;

struct TexturPaar {
  gfx::GreyTexture normal, auswahl;
  gfx::Palette palette;
  gfx::Relief relief;
};

struct IntroElement {
  std::string name;
  int x, y, breite, hoehe, quelleX, quelleY, aktivX, aktivY, druckX, druckY;
  int gezeichnet = -1;  // the frame last drawn, so unchanged elements are not drawn again
};

enum class Blockart { Normal, Ausgewaehlt };

// Selected colours are light highlights: their names are drawn in black or white, whichever
// reads better on them.
gfx::Rgb KontrastZu(gfx::Rgb c) {
  int luma = (77 * c.r + 150 * c.g + 29 * c.b) / 256;
  return luma >= 128 ? gfx::Rgb{0, 0, 0} : gfx::Rgb{255, 255, 255};
}

}  // namespace

struct GrafikEffekte::Impl {
  Fonts& fonts;
  Clock* clock;
  SystemClock systemClock;
  Window* window = nullptr;

  SurfacePtr arbeitspuffer;

  SurfacePtr blockbild;
  FontSpec blockFont;
  std::vector<TexturPaar> paare;

  std::vector<std::unique_ptr<gfx::VolBar>> meter;

  SurfacePtr introBild;
  std::vector<IntroElement> intro;

  Impl(Fonts& f, Clock* c) : fonts(f), clock(c ? c : &systemClock) {}

  void DrawBlock(int32_t paar, int gruppe, int breite, const std::string& name, const std::string& name2,
                 Blockart art);
  void DrawNames(int breite, const std::string& name, const std::string& name2, gfx::Rgb farbe);
};

GrafikEffekte::GrafikEffekte(Fonts& fonts, Clock* clock) : impl_(std::make_unique<Impl>(fonts, clock)) {}
GrafikEffekte::~GrafikEffekte() = default;

void GrafikEffekte::GFX_SetActiveWindow(Window* window) { impl_->window = window; }

// ---- Intro ---------------------------------------------------------------------------------

void GrafikEffekte::GFX_IntroSetPicture(SDL_Surface* bild) {
  impl_->introBild.reset(bild ? SDL_ConvertSurfaceFormat(bild, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr);
  for (auto& e : impl_->intro) e.gezeichnet = -1;
}

void GrafikEffekte::GFX_IntroSetKey(const std::string& name, int x, int y, int breite, int hoehe, int quelleX,
                                    int quelleY, int aktivX, int aktivY, int druckX, int druckY) {
  IntroElement neu{name,
                   Begrenzt(x),
                   Begrenzt(y),
                   Begrenzt(breite),
                   Begrenzt(hoehe),
                   Begrenzt(quelleX),
                   Begrenzt(quelleY),
                   Begrenzt(aktivX),
                   Begrenzt(aktivY),
                   Begrenzt(druckX),
                   Begrenzt(druckY)};
  // The page file is read twice: the second pass brings the real coordinates of the same names.
  auto it = std::find_if(impl_->intro.begin(), impl_->intro.end(), [&](const IntroElement& e) { return e.name == name; });
  if (it != impl_->intro.end()) {
    *it = neu;
  } else if (impl_->intro.size() < kMaxIntroElemente) {
    impl_->intro.push_back(neu);
  }
}

int32_t GrafikEffekte::GFX_IntroRefresh(int32_t ms) {
  Impl& d = *impl_;
  if (!d.window || !d.window->Back() || !d.introBild) return 0;
  SDL_Surface* ziel = d.window->Back();
  const int voll = 2 * kIntroHalbMs;
  int k = 0;
  for (auto& e : d.intro) {
    if (e.breite <= 0 || e.hoehe <= 0) continue;
    int t = ms < 0 ? voll : std::min(ms - k * kIntroVersatzMs, voll);
    ++k;
    if (t < 0) continue;
    int bild = t * 201 / voll;  // 0..201: the frame within the element's light-up
    if (bild == e.gezeichnet) continue;
    e.gezeichnet = bild;
    gfx::Ueberblendung u{e.druckX, e.druckY, e.aktivX, e.aktivY, e.breite, e.hoehe, t * 100 / kIntroHalbMs};
    if (t >= kIntroHalbMs) u = {e.aktivX, e.aktivY, e.quelleX, e.quelleY, e.breite, e.hoehe, (t - kIntroHalbMs) * 100 / kIntroHalbMs};
    gfx::BlendImages(ziel, e.x, e.y, d.introBild.get(), d.introBild->w, d.introBild->h, u);
    d.window->Invalidate({e.x, e.y, e.breite, e.hoehe});
  }
  if (k == 0 || ms < 0) return 0;
  return ms < (k - 1) * kIntroVersatzMs + voll ? 1 : 0;
}

void GrafikEffekte::GFX_IntroClose() {
  impl_->intro.clear();
  impl_->introBild.reset();
}

// ---- Work buffer -----------------------------------------------------------------------------

SDL_Surface* GrafikEffekte::GFX_AnimationSwapInit(int breite, int hoehe) {
  if (breite < 1 || hoehe < 1 || breite > kPufferMax || hoehe > kPufferMax) return nullptr;
  SDL_Surface* p = impl_->arbeitspuffer.get();
  if (!p || p->w != breite || p->h != hoehe) impl_->arbeitspuffer.reset(NewSurface(breite, hoehe));
  return impl_->arbeitspuffer.get();
}

void GrafikEffekte::GFX_AnimationPhase(SDL_Surface* slot, int slotBreite, int slotHoehe, int32_t /*slotWort*/,
                                       int aktivX, int aktivY, int quelleX, int quelleY, int breite, int hoehe,
                                       int prozent) {
  gfx::Ueberblendung u{aktivX, aktivY, quelleX, quelleY, breite, hoehe, prozent};
  gfx::BlendImages(impl_->arbeitspuffer.get(), 0, 0, slot, slotBreite, slotHoehe, u);
}

// ---- Sample blocks -------------------------------------------------------------------------

SDL_Surface* GrafikEffekte::GFX_SampleInit(int blockHoehe, int maxBreite, const FontSpec& font) {
  GFX_SampleClose();
  if (blockHoehe < 1 || maxBreite < 1 || blockHoehe > kBlockHoeheMax || maxBreite > kBlockBreiteMax) return nullptr;
  impl_->blockbild.reset(NewSurface(maxBreite, blockHoehe));
  impl_->blockFont = font;
  return impl_->blockbild.get();
}

int32_t GrafikEffekte::GFX_SampleAddTexturePair(const std::string& textur, const std::string& textur2,
                                                const std::string& palette, int a, int b, int c) {
  Impl& d = *impl_;
  if (!d.blockbild) return 0;
  TexturPaar p;
  p.relief.tiefe = std::clamp(b, 0, 100);
  p.relief.neutral = c >= 1 && c <= 254 ? c : 128;
  int hoehe = d.blockbild->h;
  p.normal = gfx::LoadTexture(textur, hoehe, p.relief.neutral);
  p.auswahl = gfx::LoadTexture(textur2, hoehe, p.relief.neutral);
  p.palette = gfx::LoadPalette(palette, a);
  d.paare.push_back(std::move(p));
  return static_cast<int32_t>(d.paare.size());
}

void GrafikEffekte::Impl::DrawNames(int breite, const std::string& name, const std::string& name2, gfx::Rgb farbe) {
  TTF_Font* font = fonts.Get(blockFont);
  if (!font) return;
  SDL_Surface* bild = blockbild.get();
  // Names stay inside the block's border, whatever their length.
  SDL_Rect innen{1, 0, std::max(0, std::min(breite, bild->w) - 2), bild->h};
  SDL_SetClipRect(bild, &innen);
  Farbe f{farbe.r, farbe.g, farbe.b, 255};
  fonts.Draw(bild, blockFont, name, kNamenX, kNamenY, f);
  int zweiteZeile = kNamenY + TTF_FontHeight(font);
  // The second line only where its letters (down to the baseline) fit in the block.
  if (zweiteZeile + blockFont.YVersatz + TTF_FontAscent(font) <= bild->h)
    fonts.Draw(bild, blockFont, name2, kNamenX, zweiteZeile, f);
  SDL_SetClipRect(bild, nullptr);
}

void GrafikEffekte::Impl::DrawBlock(int32_t paar, int gruppe, int breite, const std::string& name,
                                    const std::string& name2, Blockart art) {
  if (!blockbild || paar < 1 || static_cast<size_t>(paar) > paare.size()) return;
  if (gruppe < 0 || gruppe >= gfx::kGruppen || breite < 1) return;
  const TexturPaar& p = paare[static_cast<size_t>(paar - 1)];
  const gfx::GruppenFarben& farben = p.palette[static_cast<size_t>(gruppe)];
  bool ausgewaehlt = art == Blockart::Ausgewaehlt;
  gfx::DrawBlockFace(blockbild.get(), breite, blockbild->h, ausgewaehlt ? farben.auswahl : farben.block,
                     ausgewaehlt ? p.auswahl : p.normal, p.relief);
  DrawNames(breite, name, name2, ausgewaehlt ? KontrastZu(farben.auswahl) : farben.name);
}

void GrafikEffekte::GFX_SampleZeichne(int32_t paar, int gruppe, int breite, const std::string& name,
                                      const std::string& name2, int /*a*/, int /*b*/) {
  impl_->DrawBlock(paar, gruppe, breite, name, name2, Blockart::Normal);
}

void GrafikEffekte::GFX_SampleZeichneSel(int32_t paar, int gruppe, int breite, const std::string& name,
                                         const std::string& name2, int /*a*/, int /*b*/) {
  impl_->DrawBlock(paar, gruppe, breite, name, name2, Blockart::Ausgewaehlt);
}

void GrafikEffekte::GFX_SampleClose() {
  impl_->paare.clear();
  impl_->blockbild.reset();
}

// ---- Level meters --------------------------------------------------------------------------

int32_t GrafikEffekte::GFX_VolBarInit(int x, int y, int breite, int hoehe) {
  if (breite < 1 || hoehe < 1 || impl_->meter.size() >= kMaxMeter) return 0;
  impl_->meter.push_back(
      std::make_unique<gfx::VolBar>(Begrenzt(x), Begrenzt(y), std::min(breite, kKoordinateMax), std::min(hoehe, kKoordinateMax)));
  return static_cast<int32_t>(impl_->meter.size());
}

void GrafikEffekte::GFX_VolBarDraw(int32_t meter, int32_t pegel, SDL_Surface* ziel) {
  if (meter < 1 || static_cast<size_t>(meter) > impl_->meter.size()) return;
  impl_->meter[static_cast<size_t>(meter - 1)]->Draw(ziel, pegel, impl_->clock->Millis());
}

void GrafikEffekte::GFX_VolBarClose() { impl_->meter.clear(); }

}  // namespace zelo::platform
