#pragma once
// The program's wording and numbering, read from the content files: the text table, the
// message names and their text numbers, the element names and numbers, the font table, the
// disk-menu texts and the position labels. UI thread only.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Fonts.h"

namespace zelo::text {

inline constexpr int kTextanzahl = 1291;

/// The text table: entries 0 to 1290. An index outside that range is never stored.
class Texte {
 public:
  /// The entry, or an empty text for an index outside the table.
  const std::string& operator[](int i) const;
  /// Stores an entry; false (and nothing stored) for an index outside the table.
  bool Setzen(int i, std::string text);

 private:
  std::array<std::string, kTextanzahl> t_{};
};

/// Message name -> text number, names compared without case; the first entry of a name wins.
class Textnummern {
 public:
  void Hinzufuegen(std::string_view name, int nummer);
  std::optional<int> Nummer(std::string_view name) const;
  size_t Anzahl() const { return m_.size(); }

 private:
  std::unordered_map<std::string, int> m_;
};

/// Element names and numbers in both directions, compared without case; the numbers are kept
/// as the text read. The first entry of a key wins.
class Konstanten {
 public:
  void Hinzufuegen(const std::string& name, const std::string& nummer);
  std::optional<std::string> Nummer(std::string_view name) const;
  std::optional<std::string> Name(std::string_view nummer) const;
  /// The highest element number seen: the last element to scan.
  int Hoechste = 0;

 private:
  std::unordered_map<std::string, std::string> nummern_, namen_;
};

/// Font role 0..12 by Aufloesungsindex 0..12; only columns 0 to 9 are filled.
using Fonttabelle = std::array<std::array<platform::FontSpec, 13>, 13>;

/// The disk popup menu's texts: up to 201 (key, text) pairs from the "DISK" blocks.
class DiskMenue {
 public:
  static constexpr size_t kPlaetze = 201;
  void Leeren() { paare_.clear(); }
  void Hinzufuegen(std::string schluessel, std::string text);
  /// The text of the first pair with this key (without case); empty when none.
  std::string DiskText(std::string_view schluessel) const;
  size_t Anzahl() const { return paare_.size(); }

 private:
  std::vector<std::pair<std::string, std::string>> paare_;
};

/// The sixteenth steps of a bar as the position display shows them, in a fixed-width field.
inline constexpr std::array<const char*, 16> kPositionen{
    "   1/16 (1/4)", "   2/16        ", "   3/16 (2/8)", "   4/16        ",
    "   5/16 (2/4)", "   6/16        ", "   7/16 (4/8)", "   8/16        ",
    "   9/16 (3/4)", " 10/16        ", " 11/16 (6/8)", " 12/16        ",
    " 13/16 (4/4)", " 14/16        ", " 15/16 (8/8)", " 16/16        ",
};

/// Every occurrence of `suche` replaced by `ersatz`, found without case, left to right; the
/// inserted text is never searched again.
std::string Ersetze(std::string_view text, std::string_view suche, std::string_view ersatz);

/// True when MP3 can be written and read: the encoder and the decoder both start.
bool Mp3Pruefen();

/// A number as the content files write it: the leading numeric part of the text (0 when
/// there is none).
double Zahlwert(std::string_view text);
/// A number rounded to an integer, halves to even; nullopt outside the int range.
std::optional<int> Ganzzahl(double wert);

}  // namespace zelo::text
