#include "library/Katalog.h"

namespace zelo::library {

Katalog::Katalog()
    : SampleName(kHoechsteSampleNummer + 2),
      SampleName2(kHoechsteSampleNummer + 1),
      SampleTakte(kHoechsteSampleNummer + 1),
      SampleGruppe(kHoechsteSampleNummer + 1),
      SampleOffset(kHoechsteSampleNummer + 1),
      SampleDatei(kHoechsteSampleNummer + 1),
      SampleOrt(kHoechsteSampleNummer + 1),
      SampleGroesse(kHoechsteSampleNummer + 1),
      SampleHerkunft(kHoechsteSampleNummer + 1),
      SampleExtra(kHoechsteSampleNummer + 1),
      SampleBreite(kHoechsteSampleNummer + 1) {}

void Katalog::SlotLeeren(int n) {
  if (!IstNummer(n)) return;
  auto i = static_cast<size_t>(n);
  SampleOrt[i] = kOrtLeer;
  SampleGruppe[i] = 0;
  SampleName[i].clear();
  SampleName2[i].clear();
  SampleDatei[i].clear();
  SampleTakte[i] = 0;
}

void Katalog::BreitenBerechnen(int pixelProTakt) {
  for (size_t i = 0; i < SampleBreite.size(); ++i) {
    long long breite = static_cast<long long>(SampleTakte[i]) * pixelProTakt;
    // A damaged catalogue may claim absurd lengths; the width stays a 32-bit value.
    if (breite > INT32_MAX) breite = INT32_MAX;
    if (breite < INT32_MIN) breite = INT32_MIN;
    SampleBreite[i] = static_cast<int32_t>(breite);
  }
}

std::array<Bereich, 21> SampleBereichAnlegen(const std::vector<std::string>& texte) {
  std::array<Bereich, 21> b{};
  auto text = [&](size_t eintrag) { return eintrag < texte.size() ? texte[eintrag] : std::string(); };
  b[0] = {"", 1, 1999};
  b[1] = {"", 10200, 12999};
  b[2] = {"", 7200, 10199};
  b[3] = {"", 2000, 7199};
  b[4] = {"", 13000, 17099};
  b[10] = {text(223), 2000, 3399};
  b[11] = {text(224), 3400, 3899};
  b[12] = {text(225), 3900, 4499};
  b[13] = {text(226), 4500, 5099};
  b[14] = {text(227), 5100, 5699};
  b[15] = {text(228), 5800, 6499};
  b[16] = {text(229), 6500, 7199};
  return b;
}

}  // namespace zelo::library
