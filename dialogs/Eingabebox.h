#pragma once
// The text input box as the sample-rename command uses it. UI thread only.

#include <optional>
#include <string>

namespace zelo::text {
class Texte;
}

namespace zelo::dialogs {

class Kleindialoge;

struct Zweizeiler {
  std::string Zeile1, Zeile2;
};

/// Longest text line a sample keeps.
inline constexpr size_t kZeilenlaenge = 250;

/// Shows the input box for a sample's two text lines (shown trimmed) with its file path in
/// lower case as the info line. OK answers the two fields trimmed and cut to 250 characters;
/// Cancel answers nothing. The caller stores them and marks the catalogue changed.
std::optional<Zweizeiler> SampleNameEingeben(const text::Texte& texte, Kleindialoge& dialoge,
                                             const std::string& zeile1, const std::string& zeile2,
                                             const std::string& pfad);

}  // namespace zelo::dialogs
