#include "setup/SetupFenster.h"

namespace zelo::setup {

void ScriptedSetupFenster::Modal(SetupSteuerung& s) {
  ++Modalaufrufe;
  Gezeigt.push_back(s.Ansicht());
  while (!s.Geschlossen() && !Schritte.empty()) {
    SetupSchritt schritt = Schritte.front();
    Schritte.pop_front();
    switch (schritt.Was) {
      case SetupSchritt::Voll: s.voll_Click(); break;
      case SetupSchritt::Mini: s.mini_Click(); break;
      case SetupSchritt::Weiter: s.weiter_Click(); break;
      case SetupSchritt::Ende: s.Ende_Click(); break;
      case SetupSchritt::Laufwerkwahl: s.Drive_Change(schritt.Nummer); break;
      case SetupSchritt::Escape: s.Form_KeyDown(Taste::Escape); break;
      case SetupSchritt::Pfad: s.Textt_Change(schritt.Text); break;
    }
  }
}

void ScriptedSetupFenster::EreignisseLaufen(SetupSteuerung& s) {
  ++Ereignislaeufe;
  const std::string& text = s.Ansicht().Label2;
  if (s.Ansicht().FortschrittOffen && (Fortschrittstexte.empty() || Fortschrittstexte.back() != text)) {
    Fortschrittstexte.push_back(text);
  }
  if (beiEreignis) beiEreignis(s);
}

}  // namespace zelo::setup
