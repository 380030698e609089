#include "dialogs/Eingabebox.h"

#include <algorithm>
#include <cctype>

#include "dialogs/Kleindialoge.h"
#include "text/Texte.h"

namespace zelo::dialogs {

namespace {

// Leading and trailing spaces go, as the catalogue's text lines never keep them.
std::string Getrimmt(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string Klein(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

std::optional<Zweizeiler> SampleNameEingeben(const text::Texte& texte, Kleindialoge& dialoge,
                                             const std::string& zeile1, const std::string& zeile2,
                                             const std::string& pfad) {
  Eingabefelder f;
  f.Ueberschrift = texte[111];
  f.Label1 = texte[112];
  f.Feld1 = Getrimmt(zeile1);
  f.Label2 = texte[113];
  f.Feld2 = Getrimmt(zeile2);
  f.Info = Klein(pfad);
  f.Abbrechen = texte[114];
  f.OK = texte[115];
  if (!dialoge.Eingabebox(f)) return std::nullopt;
  // The first 250 characters are kept, then trimmed, as the catalogue stores them.
  return Zweizeiler{Getrimmt(f.Feld1.substr(0, kZeilenlaenge)), Getrimmt(f.Feld2.substr(0, kZeilenlaenge))};
}

}  // namespace zelo::dialogs
