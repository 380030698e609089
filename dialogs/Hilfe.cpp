#include "dialogs/Hilfe.h"

#include <algorithm>
#include <vector>

#include "dialogs/Kleindialoge.h"
#include "text/Texte.h"

namespace zelo::dialogs {

bool HilfefrageZeigen(const text::Texte& texte, Kleindialoge& dialoge, bool& option, const std::string& hilfedatei,
                      const std::function<void(const std::string&)>& oeffnen) {
  Hilfefelder f;
  f.Titel = texte[190];
  f.Frage = texte[189];
  f.HilfeKnopf = texte[186];
  f.OK = texte[185];
  f.Dritter = texte[187];
  f.Option = texte[188];
  f.OptionAn = option;
  const Hilfeantwort a = dialoge.Hilfefrage(f);
  const bool geaendert = a.OptionAn != option;
  option = a.OptionAn;
  if (a.HilfeOeffnen && oeffnen) oeffnen(hilfedatei);
  return geaendert;
}

namespace {

constexpr uint32_t kTipGrund = 0xFFFFFFE1u;  // the pale yellow of help tips
constexpr uint32_t kTipRand = 0xFF000000u;

std::vector<std::string> Zeilen(const std::string& text) {
  std::vector<std::string> z;
  size_t a = 0;
  while (true) {
    size_t e = text.find('\n', a);
    std::string zeile = text.substr(a, e == std::string::npos ? std::string::npos : e - a);
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    z.push_back(std::move(zeile));
    if (e == std::string::npos) break;
    a = e + 1;
  }
  return z;
}

}  // namespace

Hilfetip::Hilfetip(platform::Window* fenster, platform::Fonts& fonts) : fenster_(fenster), fonts_(fonts) {}

void Hilfetip::HilfeZeigen(int32_t x, int32_t y, const std::string& text) {
  HilfeVerbergen();
  const std::vector<std::string> zeilen = Zeilen(text);
  int textB = 0, textH = 0;
  std::vector<std::pair<int, int>> masse;
  for (const std::string& z : zeilen) {
    auto m = fonts_.Measure(Schrift, z);
    masse.push_back(m);
    textB = std::max(textB, m.first);
    textH += m.second;
  }
  const int32_t b = textB + 6, h = textH + 2;
  int32_t oben = y - h - 18;
  if (oben < 0) oben = 2;
  if (h + 4 >= y) oben = y + 28;  // no room above the pointer: below it instead
  int32_t links = x - b / 2;
  if (links + b > LayoutBreite) links = LayoutBreite - b - 4;
  if (links < 0) links = 2;
  bereich_ = {static_cast<int>(links + VersatzX), static_cast<int>(oben + VersatzY), b, h};
  sichtbar_ = true;
  if (!fenster_) return;
  SDL_Surface* ebene = fenster_->LayerSurface(platform::Layer::HelpTip);
  platform::FillRect(ebene, bereich_, kTipRand);
  platform::FillRect(ebene, {bereich_.x + 1, bereich_.y + 1, b - 2, h - 2}, kTipGrund);
  int zy = bereich_.y + 1;
  for (size_t i = 0; i < zeilen.size(); ++i) {
    fonts_.Draw(ebene, Schrift, zeilen[i], bereich_.x + (b - masse[i].first) / 2, zy, platform::Farbe{0, 0, 0, 255});
    zy += masse[i].second;
  }
  fenster_->ShowLayer(platform::Layer::HelpTip, true);
  fenster_->InvalidateLayer(platform::Layer::HelpTip, bereich_);
  fenster_->Present();
}

void Hilfetip::HilfeVerbergen() {
  if (!sichtbar_) return;
  sichtbar_ = false;
  if (fenster_) {
    fenster_->ClearLayer(platform::Layer::HelpTip, bereich_);
    fenster_->Present();
  }
  if (editorNeuZeichnen) editorNeuZeichnen();
}

}  // namespace zelo::dialogs
