#include "arrangement/Seltemp.h"


namespace zelo::arrangement {

namespace {

template <typename T>
void Schreiben(std::string& out, T wert) {
  auto u = static_cast<std::make_unsigned_t<T>>(wert);
  for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

/// Reads one little-endian field; the caller has checked that the bytes are there.
template <typename T>
T Lesen(const unsigned char*& p) {
  std::make_unsigned_t<T> u = 0;
  for (size_t i = 0; i < sizeof(T); ++i) u = static_cast<std::make_unsigned_t<T>>(u | (static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i)));
  p += sizeof(T);
  return static_cast<T>(u);
}

bool Liegt(int s, const library::Bereich& b) { return s >= b.Erste && s <= b.Letzte; }

}  // namespace

int16_t SampleKategorie(int s, const std::array<library::Bereich, 21>& bereiche) {
  if (s <= bereiche[0].Letzte || s >= bereiche[4].Erste) return 0;
  if (Liegt(s, bereiche[1])) return 1;
  if (Liegt(s, bereiche[2])) return 2;
  return 3;
}

std::string SeltempBytes(const std::vector<SeltempSatz>& saetze) {
  std::string out;
  out.reserve(4 + saetze.size() * kSeltempSatzBytes);
  Schreiben<int32_t>(out, static_cast<int32_t>(saetze.size()));
  for (const auto& s : saetze) {
    Schreiben<int16_t>(out, s.Kategorie);
    Schreiben<int32_t>(out, s.Spur);
    Schreiben<int32_t>(out, s.Index);
    Schreiben<int32_t>(out, s.Relativstart);
    Schreiben<int16_t>(out, s.SampleNr);
    Schreiben<int32_t>(out, s.SchnittAnfang);
    Schreiben<int32_t>(out, s.SchnittEnde);
    Schreiben<int16_t>(out, s.Lautstaerke);
    Schreiben<int16_t>(out, s.Markiert);
  }
  return out;
}

std::vector<SeltempSatz> SeltempLesen(std::string_view bytes) {
  std::vector<SeltempSatz> saetze;
  if (bytes.size() < 4) return saetze;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  int32_t anzahl = Lesen<int32_t>(p);
  if (anzahl <= 0) return saetze;
  size_t vorhanden = (bytes.size() - 4) / kSeltempSatzBytes;
  size_t n = std::min(static_cast<size_t>(anzahl), vorhanden);
  saetze.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    SeltempSatz s;
    s.Kategorie = Lesen<int16_t>(p);
    s.Spur = Lesen<int32_t>(p);
    s.Index = Lesen<int32_t>(p);
    s.Relativstart = Lesen<int32_t>(p);
    s.SampleNr = Lesen<int16_t>(p);
    s.SchnittAnfang = Lesen<int32_t>(p);
    s.SchnittEnde = Lesen<int32_t>(p);
    s.Lautstaerke = Lesen<int16_t>(p);
    s.Markiert = Lesen<int16_t>(p);
    saetze.push_back(s);
  }
  return saetze;
}

}  // namespace zelo::arrangement
