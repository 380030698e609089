#include "text/Texte.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/Files.h"

namespace zelo::text {

const std::string& Texte::operator[](int i) const {
  static const std::string leer;
  return i >= 0 && i < kTextanzahl ? t_[static_cast<size_t>(i)] : leer;
}

bool Texte::Setzen(int i, std::string text) {
  if (i < 0 || i >= kTextanzahl) return false;
  t_[static_cast<size_t>(i)] = std::move(text);
  return true;
}

void Textnummern::Hinzufuegen(std::string_view name, int nummer) { m_.try_emplace(platform::AnsiUpper(name), nummer); }

std::optional<int> Textnummern::Nummer(std::string_view name) const {
  auto it = m_.find(platform::AnsiUpper(name));
  if (it == m_.end()) return std::nullopt;
  return it->second;
}

void Konstanten::Hinzufuegen(const std::string& name, const std::string& nummer) {
  nummern_.try_emplace(platform::AnsiUpper(name), nummer);
  namen_.try_emplace(platform::AnsiUpper(nummer), name);
}

std::optional<std::string> Konstanten::Nummer(std::string_view name) const {
  auto it = nummern_.find(platform::AnsiUpper(name));
  if (it == nummern_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> Konstanten::Name(std::string_view nummer) const {
  auto it = namen_.find(platform::AnsiUpper(nummer));
  if (it == namen_.end()) return std::nullopt;
  return it->second;
}

void DiskMenue::Hinzufuegen(std::string schluessel, std::string text) {
  if (paare_.size() < kPlaetze) paare_.emplace_back(std::move(schluessel), std::move(text));
}

std::string DiskMenue::DiskText(std::string_view schluessel) const {
  for (const auto& [k, t] : paare_)
    if (platform::EqualsNoCase(k, schluessel)) return t;
  return {};
}

std::string Ersetze(std::string_view text, std::string_view suche, std::string_view ersatz) {
  if (suche.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  for (;;) {
    size_t hit = platform::FindNoCase(text, suche, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(ersatz);
    pos = hit + suche.size();
  }
  out.append(text.substr(pos));
  return out;
}

double Zahlwert(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  // strtod needs a terminated copy; a number is never longer than this.
  char kopie[64];
  size_t n = 0;
  while (i < text.size() && n + 1 < sizeof kopie) kopie[n++] = text[i++];
  kopie[n] = '\0';
  char* ende = nullptr;
  double wert = std::strtod(kopie, &ende);
  if (ende == kopie || !std::isfinite(wert)) return 0;
  return wert;
}

std::optional<int> Ganzzahl(double wert) {
  if (!std::isfinite(wert)) return std::nullopt;
  double gerundet = std::nearbyint(wert);  // the default rounding mode rounds halves to even
  if (gerundet < std::numeric_limits<int>::min() || gerundet > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(gerundet);
}

}  // namespace zelo::text
