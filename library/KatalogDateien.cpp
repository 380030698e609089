#include "library/KatalogDateien.h"

#include <algorithm>
#include <climits>

#include "platform/Files.h"

namespace zelo::library {

long long ZahlLesen(std::string_view text) {
  size_t p = 0;
  while (p < text.size() && (text[p] == ' ' || text[p] == '\t')) ++p;
  bool negativ = false;
  if (p < text.size() && (text[p] == '-' || text[p] == '+')) negativ = text[p++] == '-';
  constexpr long long kGrenze = 1LL << 40;  // far beyond every field, far below overflow
  long long wert = 0;
  bool ziffern = false;
  for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
    ziffern = true;
    wert = std::min(kGrenze, wert * 10 + (text[p] - '0'));
  }
  if (p < text.size() && text[p] == '.') {
    ++p;
    int erste = (p < text.size() && text[p] >= '0' && text[p] <= '9') ? text[p] - '0' : 0;
    if (erste >= 0 && p < text.size() && text[p] >= '0' && text[p] <= '9') ziffern = true;
    bool rest = false;
    for (size_t q = p + 1; q < text.size() && text[q] >= '0' && text[q] <= '9'; ++q) rest |= text[q] != '0';
    if (erste > 5 || (erste == 5 && (rest || (wert & 1)))) ++wert;
  }
  if (!ziffern) return 0;
  return negativ ? -wert : wert;
}

namespace {

int16_t AlsInt16(long long v) { return static_cast<int16_t>(std::clamp<long long>(v, INT16_MIN, INT16_MAX)); }
int32_t AlsInt32(long long v) { return static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); }

/// One record as it stands in the file, before it is put into a slot.
struct Record {
  long long Nummer = 0;
  int16_t Ort = 0;
  std::string Extra;
  int32_t Offset = 0;
  int32_t Groesse = 0;
  std::string Name;
  std::string Name2;
  int32_t Takte = 0;
  int16_t Gruppe = 0;
  std::string Datei;
  int16_t Herkunft = 0;
};

/// Reads values one after another; past the end every value is missing.
class Werte {
 public:
  explicit Werte(std::string_view text) : quelle_(text) {}
  bool AmEnde() const { return quelle_.AtEnd(); }
  bool Text(std::string& wert) { return quelle_.Next(wert); }
  bool Zahl(long long& wert) {
    std::string text;
    if (!quelle_.Next(text)) return false;
    wert = ZahlLesen(text);
    return true;
  }
  void Ueberspringen(int anzahl) {
    std::string weg;
    for (int i = 0; i < anzahl && quelle_.Next(weg); ++i) {
    }
  }
  /// The next record; false when the file ends before its eleventh field, so a cut-off
  /// record never fills a slot half-way. The separator may be missing at the very end.
  bool Lesen(Record& r) {
    long long n = 0;
    if (!Zahl(r.Nummer)) return false;
    if (!Zahl(n)) return false;
    r.Ort = AlsInt16(n);
    if (!Text(r.Extra)) return false;
    if (!Zahl(n)) return false;
    r.Offset = AlsInt32(n);
    if (!Zahl(n)) return false;
    r.Groesse = AlsInt32(n);
    if (!Text(r.Name) || !Text(r.Name2)) return false;
    if (!Zahl(n)) return false;
    r.Takte = AlsInt32(n);
    if (!Zahl(n)) return false;
    r.Gruppe = AlsInt16(n);
    if (!Text(r.Datei)) return false;
    if (!Zahl(n)) return false;
    r.Herkunft = AlsInt16(n);
    Ueberspringen(1);
    return true;
  }

 private:
  platform::ValueSource quelle_;
};

void Eintragen(Katalog& k, const Record& r) {
  auto i = static_cast<size_t>(r.Nummer);
  k.SampleOrt[i] = r.Ort;
  k.SampleExtra[i] = r.Extra;
  k.SampleOffset[i] = r.Offset;
  k.SampleGroesse[i] = r.Groesse;
  k.SampleName[i] = r.Name;
  k.SampleName2[i] = r.Name2;
  k.SampleTakte[i] = r.Takte;
  k.SampleGruppe[i] = r.Gruppe;
  k.SampleDatei[i] = r.Datei;
  k.SampleHerkunft[i] = r.Herkunft;
}

/// A string as the writer puts it between quotes: the format has no escapes, so a quote
/// becomes an apostrophe and a line end a space rather than breaking every later record.
std::string Zitat(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 4);
  out += '"';
  for (char c : s) out += c == '"' ? '\'' : (c == '\r' || c == '\n') ? ' ' : c;
  out += "\"\r\n";
  return out;
}
std::string Zahlzeile(long long n) { return std::to_string(n) + "\r\n"; }

bool DateiLesen(const std::string& pfad, std::string& inhalt) {
  auto bytes = platform::ReadWholeFile(pfad);
  if (!bytes) return false;
  inhalt = std::move(*bytes);
  return true;
}

}  // namespace

int16_t FremdgruppeAbbilden(long long gruppe) {
  switch (gruppe) {
    case 4: return kGruppeXtra;
    case 6: return kGruppeLayer;
    case 7: return kGruppeVoice;
    case 8: return kGruppeVoice;
    case 9: return kGruppeEffect;
    case 10: return kGruppeXtra;
    default: return AlsInt16(gruppe);
  }
}

void KatalogAusText(Katalog& k, std::string_view text) {
  Werte werte(text);
  std::string zeile;
  for (int nr = 1; nr <= kKopfzeilen; ++nr) {
    if (!werte.Text(zeile)) return;
    if (nr == 3) {
      if (platform::EqualsNoCase(zeile, "#TRUE#")) k.Kopf.Hilfeabfrage = true;
      if (platform::EqualsNoCase(zeile, "#FALSE#")) k.Kopf.Hilfeabfrage = false;
    } else if (nr <= 12 && !zeile.empty()) {
      k.Kopf.Zeile[static_cast<size_t>(nr)] = zeile;
    }
  }
  Record r;
  while (!werte.AmEnde() && werte.Lesen(r)) {
    if (Katalog::IstNummer(r.Nummer)) Eintragen(k, r);
  }
}

bool KatalogLaden(Katalog& k, const std::string& pfad) {
  std::string inhalt;
  if (!DateiLesen(pfad, inhalt)) return false;
  KatalogAusText(k, inhalt);
  return true;
}

std::string KatalogAlsText(const Katalog& k) {
  std::string out;
  out.reserve(1 << 20);
  out += Zitat(k.Kopf.Zeile[1]);
  out += Zitat(k.Kopf.Zeile[2]);
  out += k.Kopf.Hilfeabfrage ? "#TRUE#\r\n" : "#FALSE#\r\n";
  for (size_t nr = 4; nr <= 12; ++nr) out += Zitat(k.Kopf.Zeile[nr]);
  out += Zitat("");
  out += Zitat("[SAMPLES]");
  for (int n = 1; n <= kHoechsteSampleNummer; ++n) {
    auto i = static_cast<size_t>(n);
    if (k.SampleOrt[i] == kOrtLeer) continue;
    out += Zahlzeile(n);
    out += Zahlzeile(k.SampleOrt[i]);
    out += Zitat(k.SampleExtra[i]);
    // An own file's offset field holds its open handle while it is open: never stored.
    out += Zahlzeile(k.SampleDatei[i].empty() ? k.SampleOffset[i] : 0);
    out += Zahlzeile(k.SampleGroesse[i]);
    out += Zitat(k.SampleName[i]);
    out += Zitat(k.SampleName2[i]);
    out += Zahlzeile(k.SampleTakte[i]);
    out += Zahlzeile(k.SampleGruppe[i]);
    out += Zitat(k.SampleDatei[i]);
    out += Zahlzeile(k.SampleHerkunft[i]);
    out += Zitat("");
  }
  return out;
}

bool KatalogSpeichern(const Katalog& k, const std::string& pfad) {
  return platform::WriteFileSafely(pfad, KatalogAlsText(k));
}

void FremdkatalogAusText(Katalog& k, std::string_view text) {
  Werte werte(text);
  werte.Ueberspringen(kKopfzeilen);
  Record r;
  while (!werte.AmEnde() && werte.Lesen(r)) {
    if (!Katalog::IstNummer(r.Nummer)) continue;
    r.Gruppe = FremdgruppeAbbilden(r.Gruppe);
    Eintragen(k, r);
  }
}

bool FremdkatalogLaden(Katalog& k, const std::string& pfad) {
  std::string inhalt;
  if (!DateiLesen(pfad, inhalt)) return false;
  FremdkatalogAusText(k, inhalt);
  return true;
}

void PartnerkatalogAusText(Katalog& k, std::string_view text) {
  Werte werte(text);
  werte.Ueberspringen(kKopfzeilen);
  Record r;
  while (!werte.AmEnde() && werte.Lesen(r)) {
    // Only what the sibling holds in its own cache can be read from there.
    if (!Katalog::IstNummer(r.Nummer) || r.Ort != kOrtCache) continue;
    r.Ort = kOrtPartnerCache;
    r.Name += "[E2]";
    r.Gruppe = r.Gruppe >= 13 ? static_cast<int16_t>(kGruppeDrum) : FremdgruppeAbbilden(r.Gruppe);
    Eintragen(k, r);
  }
  // The scratch slot is where the discarded records went.
  k.SampleOffset[0] = 0;
  k.SampleGroesse[0] = 0;
  k.SampleName[0].clear();
  k.SampleName2[0].clear();
  k.SampleTakte[0] = 0;
  k.SampleGruppe[0] = 0;
  k.SampleDatei[0].clear();
  k.SampleHerkunft[0] = 0;
}

bool PartnerkatalogLaden(Katalog& k, const std::string& pfad) {
  std::string inhalt;
  if (!DateiLesen(pfad, inhalt)) return false;
  PartnerkatalogAusText(k, inhalt);
  return true;
}

std::vector<int16_t> VorladelisteAusText(std::string_view text) {
  std::vector<int16_t> liste;
  platform::ValueSource quelle(text);
  std::string wert;
  while (static_cast<int>(liste.size()) < kVorladelisteMax && quelle.Next(wert)) {
    long long n = ZahlLesen(wert);
    if (n < 1) break;
    if (n <= kHoechsteSampleNummer) liste.push_back(static_cast<int16_t>(n));
  }
  return liste;
}

std::vector<int16_t> VorladelisteLaden(const std::string& pfad) {
  std::string inhalt;
  if (!DateiLesen(pfad, inhalt)) return {};
  return VorladelisteAusText(inhalt);
}

}  // namespace zelo::library
