#include "widgets/Bildbox.h"

#include <algorithm>

namespace zelo::widgets {

Bildbox::Bildbox(platform::Window* fenster, platform::Layer ebene) : fenster_(fenster), ebene_(ebene) {}

Bildbox::~Bildbox() {
  if (bild_) SDL_FreeSurface(bild_);
}

void Bildbox::Verschieben(int left, int top) {
  left_ = left;
  top_ = top;
}

void Bildbox::Groesse(int breite, int hoehe) {
  breite = std::max(breite, 0);
  hoehe = std::max(hoehe, 0);
  if (bild_ && breite == breite_ && hoehe == hoehe_) return;
  SDL_Surface* neu = (breite > 0 && hoehe > 0) ? platform::NewSurface(breite, hoehe) : nullptr;
  if (neu && bild_) platform::BitBlt(neu, 0, 0, breite, hoehe, bild_, 0, 0, platform::Rop::SrcCopy);
  if (bild_) SDL_FreeSurface(bild_);
  bild_ = neu;
  breite_ = breite;
  hoehe_ = hoehe;
}

void Bildbox::Wegnehmen() {
  if (fenster_ && !gezeigt_.Empty()) fenster_->ClearLayer(ebene_, gezeigt_);
  gezeigt_ = {};
}

void Bildbox::Zeigen(bool sichtbar) {
  if (sichtbar == sichtbar_) return;
  sichtbar_ = sichtbar;
  if (!sichtbar) {
    Wegnehmen();
    return;
  }
  if (fenster_) fenster_->ShowLayer(ebene_, true);
}

void Bildbox::Refresh() {
  ++refreshs_;
  if (!sichtbar_ || !fenster_) return;
  Wegnehmen();
  SDL_Surface* ebene = fenster_->LayerSurface(ebene_);
  if (!ebene || !bild_) return;
  platform::BitBlt(ebene, left_, top_, breite_, hoehe_, bild_, 0, 0, platform::Rop::SrcCopy);
  gezeigt_ = {left_, top_, breite_, hoehe_};
  fenster_->InvalidateLayer(ebene_, gezeigt_);
}

}  // namespace zelo::widgets
