#include "dialogs/Kleindialoge.h"

namespace zelo::dialogs {

bool ScriptedKleindialoge::Eingabebox(Eingabefelder& felder) {
  gezeigteEingaben_.push_back(felder);
  if (eingaben_.empty()) return false;
  Eingabe e = std::move(eingaben_.front());
  eingaben_.pop_front();
  if (!e.ok) return false;
  felder.Feld1 = std::move(e.feld1);
  felder.Feld2 = std::move(e.feld2);
  return true;
}

Hilfeantwort ScriptedKleindialoge::Hilfefrage(const Hilfefelder& felder) {
  gezeigteHilfen_.push_back(felder);
  if (hilfen_.empty()) return {felder.OptionAn, false};
  Hilfeantwort a = hilfen_.front();
  hilfen_.pop_front();
  return a;
}

}  // namespace zelo::dialogs
