#pragma once
// The two small modal windows that need more than a message box: the two-line text input box
// and the help prompt. They are shown through this interface so that tests answer them from
// a script and read what was shown; the running program shows them as Dear ImGui windows
// (ImGuiKleindialoge). Texts are Windows-1252, as they come from the text table. UI thread only.

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zelo::dialogs {

/// The text input box: a heading, two labelled text fields, a small info line, Cancel and OK.
struct Eingabefelder {
  std::string Ueberschrift;  ///< text 111
  std::string Label1;        ///< text 112
  std::string Feld1;
  std::string Label2;        ///< text 113
  std::string Feld2;
  std::string Info;          ///< filled by the owner
  std::string Abbrechen;     ///< text 114
  std::string OK;            ///< text 115, the default button
};

/// The help prompt: question, help-file button, OK, a hidden third button, the option box.
struct Hilfefelder {
  std::string Titel;         ///< text 190
  std::string Frage;         ///< text 189
  std::string HilfeKnopf;    ///< text 186
  std::string OK;            ///< text 185, the default button
  std::string Dritter;       ///< text 187, never shown
  std::string Option;        ///< text 188
  bool OptionAn = false;     ///< the box shows the option as it is
};

struct Hilfeantwort {
  bool OptionAn = false;     ///< the option as the box was left (unchanged after Escape)
  bool HilfeOeffnen = false; ///< the help-file button was pressed
};

class Kleindialoge {
 public:
  virtual ~Kleindialoge() = default;
  /// Shows the input box modally with the fields filled in; true for OK, with the edited
  /// fields written back, false for Cancel (the fields stay as they were).
  virtual bool Eingabebox(Eingabefelder& felder) = 0;
  /// Shows the help prompt modally.
  virtual Hilfeantwort Hilfefrage(const Hilfefelder& felder) = 0;
};

/// Answers from a script, in order, and keeps what was shown. An unscripted input box is
/// cancelled and an unscripted help prompt is closed with Escape.
class ScriptedKleindialoge final : public Kleindialoge {
 public:
  struct Eingabe {
    bool ok = false;
    std::string feld1, feld2;
  };
  void EingabeAntwort(Eingabe e) { eingaben_.push_back(std::move(e)); }
  void HilfeAntwort(Hilfeantwort a) { hilfen_.push_back(a); }

  bool Eingabebox(Eingabefelder& felder) override;
  Hilfeantwort Hilfefrage(const Hilfefelder& felder) override;

  const std::vector<Eingabefelder>& GezeigteEingaben() const { return gezeigteEingaben_; }
  const std::vector<Hilfefelder>& GezeigteHilfen() const { return gezeigteHilfen_; }

 private:
  std::deque<Eingabe> eingaben_;
  std::deque<Hilfeantwort> hilfen_;
  std::vector<Eingabefelder> gezeigteEingaben_;
  std::vector<Hilfefelder> gezeigteHilfen_;
};

}  // namespace zelo::dialogs
