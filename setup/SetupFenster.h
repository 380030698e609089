#pragma once
// The setup dialog's window, apart from its work: what its controls show (`SetupAnsicht`),
// the events it reports (`SetupSteuerung`), and the window that shows it (`SetupFenster`).
// The program shows it as a Dear ImGui window; tests drive it from a script
// (`ScriptedSetupFenster`). Texts are Windows-1252; a carriage return breaks a line. UI thread only.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Window.h"

namespace zelo::setup {

/// One entry of the drive list: a mounted file system and the folder a path starts at there.
struct Laufwerk {
  std::string Name;    ///< as the list shows it
  std::string Ordner;  ///< ends with "/"
};

/// One button of the dialog.
struct Knopf {
  std::string Text;
  bool Sichtbar = true;
  bool Aktiv = true;
};

/// The controls of `zelosetup` as they are to be shown.
struct SetupAnsicht {
  platform::Rect Rechteck;  ///< the dialog in window pixels
  std::string Rahmentitel;  ///< `Frame`
  std::string Label2;       ///< information, then pre-caching progress
  std::string Label3;       ///< "working folder" caption
  std::string Label4;       ///< uninstall explanation
  std::string Textt;        ///< the installation path as typed
  std::string ComboEintrag; ///< uninstall: the single entry
  std::vector<Laufwerk> Laufwerke;
  size_t LaufwerkNummer = 0;
  bool Label3Sichtbar = true, Label4Sichtbar = false, ComboSichtbar = false;
  bool TexttSichtbar = true, DriveSichtbar = true;
  bool TexttAktiv = true, DriveAktiv = true;
  bool Aktiv = false;  ///< the dialog takes input
  Knopf voll, mini, Ende, weiter;
  /// Pre-caching progress: title and share 0..1; shown while `FortschrittOffen`.
  bool FortschrittOffen = false;
  std::string FortschrittTitel;
  double FortschrittAnteil = 0;
};

/// Keys the dialog reacts to.
enum class Taste { Escape, AltF4, Andere };

/// The dialog's events, as the window reports them.
class SetupSteuerung {
 public:
  virtual ~SetupSteuerung() = default;
  virtual void voll_Click() = 0;
  virtual void mini_Click() = 0;
  virtual void weiter_Click() = 0;
  virtual void Ende_Click() = 0;
  virtual void Drive_Change(size_t laufwerk) = 0;
  virtual void Form_KeyDown(Taste taste) = 0;
  /// The user edited the path.
  virtual void Textt_Change(const std::string& text) = 0;
  virtual const SetupAnsicht& Ansicht() const = 0;
  /// True once the dialog is unloaded.
  virtual bool Geschlossen() const = 0;
};

/// The window that shows the dialog.
class SetupFenster {
 public:
  virtual ~SetupFenster() = default;
  /// Shows the dialog modally, reporting its events to `steuerung`, until it is unloaded or
  /// the program ends.
  virtual void Modal(SetupSteuerung& steuerung) = 0;
  /// Lets pending window events run once: the dialog is drawn and may report events.
  virtual void EreignisseLaufen(SetupSteuerung& steuerung) = 0;
  /// True when the progress box's Cancel was pressed since it opened.
  virtual bool FortschrittAbgebrochen() { return false; }
};

/// One scripted user action.
struct SetupSchritt {
  enum Art { Voll, Mini, Weiter, Ende, Laufwerkwahl, Escape, Pfad } Was = Weiter;
  std::string Text;     ///< Pfad: the typed path
  size_t Nummer = 0;    ///< Laufwerkwahl: the drive chosen
};

/// The dialog driven from a script: Modal plays the steps in order until the dialog is
/// unloaded or the script runs out; every yield is counted and may act through `beiEreignis`.
class ScriptedSetupFenster final : public SetupFenster {
 public:
  std::deque<SetupSchritt> Schritte;
  /// Called on every yield during the work (for example to press Ende while copying).
  std::function<void(SetupSteuerung&)> beiEreignis;
  /// Cancel of the progress box, as the script sets it.
  bool Abbrechen = false;

  void Modal(SetupSteuerung& steuerung) override;
  void EreignisseLaufen(SetupSteuerung& steuerung) override;
  bool FortschrittAbgebrochen() override { return Abbrechen; }

  int Modalaufrufe = 0;
  int Ereignislaeufe = 0;
  /// The view as it was when Modal was entered, and each progress text shown.
  std::vector<SetupAnsicht> Gezeigt;
  std::vector<std::string> Fortschrittstexte;
};

}  // namespace zelo::setup
