#include "dialogs/Menuefenster.h"

#include "text/Texte.h"

namespace zelo::dialogs {

Menuefenster::Menuefenster(platform::DialogHost& host, const text::Texte& texte, const text::DiskMenue& disk)
    : host_(host), texte_(texte), disk_(disk) {
  diskEintraege_.push_back(platform::MenuItem{1, {}, false, true, false, {}});
}

std::vector<platform::MenuItem> Menuefenster::SampleEintraege(bool eigenesSample, bool langerName) const {
  std::vector<platform::MenuItem> m;
  auto eintrag = [&](int id, int text, bool haken) {
    platform::MenuItem e;
    e.id = id;
    e.text = texte_[text];
    e.checked = haken;
    m.push_back(std::move(e));
  };
  eintrag(KontextSortImport, 106, Sortiermodus == sortimport);
  eintrag(KontextSortAlpha, 107, Sortiermodus == sortalpha);
  eintrag(KontextSortHarm, 108, Sortiermodus == sortharm);
  eintrag(KontextSortLang, 121, Sortiermodus == sortlang);
  if (eigenesSample) {
    platform::MenuItem trenner;
    trenner.separator = true;
    m.push_back(trenner);
    eintrag(KontextName, 109, false);
    eintrag(KontextLoeschen, langerName ? 163 : 110, false);
  }
  return m;
}

int Menuefenster::SampleMenue(int x, int y, bool eigenesSample, bool langerName) {
  const int id = host_.PopupMenu(SampleEintraege(eigenesSample, langerName), x + VersatzX, y + VersatzY);
  switch (id) {
    case KontextSortImport:
    case KontextSortAlpha:
    case KontextSortHarm:
    case KontextSortLang:
      Sortiermodus = static_cast<int16_t>(id);  // the check mark moves with it
      if (aktionen.sortieren) aktionen.sortieren(Sortiermodus);
      break;
    case KontextName:
      if (eigenesSample && aktionen.umbenennen) aktionen.umbenennen();
      break;
    case KontextLoeschen:
      if (eigenesSample && aktionen.loeschen) aktionen.loeschen();
      break;
    default:
      break;
  }
  return id;
}

int Menuefenster::GeneratorMenue(int menue, int x, int y) {
  if (menue < 0 || menue >= static_cast<int>(Generatormenues.size())) return 0;
  std::vector<platform::MenuItem> m = Generatormenues[static_cast<size_t>(menue)].sub;
  if (!Testeintrag.text.empty()) {
    platform::MenuItem trenner;
    trenner.separator = true;
    m.push_back(trenner);
    m.push_back(Testeintrag);
  }
  if (m.empty()) return 0;
  return host_.PopupMenu(m, x + VersatzX, y + VersatzY);
}

int Menuefenster::DiskMenue(int16_t mode, int x, int y) {
  PendingDialog = KeinDialog;
  // The menu is built anew each time: every item but the first goes, so it never grows.
  diskEintraege_.resize(1);
  if (mode == 1) {
    diskEintraege_[0].text = disk_.DiskText("DISK_LOAD");
    int id = 2;
    for (const char* schluessel : {"DISK_SAVE", "DISK_IMPORT", "DISK_EXPORT"})
      diskEintraege_.push_back(platform::MenuItem{id++, disk_.DiskText(schluessel), false, true, false, {}});
  }
  if (aktionen.normalZeiger) aktionen.normalZeiger();
  const int id = host_.PopupMenu(diskEintraege_, x + VersatzX, y + VersatzY);
  const int item = id - 1;
  if (item < 0 || item >= static_cast<int>(diskEintraege_.size())) return -1;
  switch (item) {
    case 0: if (aktionen.mixOeffnen) aktionen.mixOeffnen(); break;
    case 1: if (aktionen.mixSpeichern) aktionen.mixSpeichern(); break;
    case 2: if (aktionen.importieren) aktionen.importieren(1); break;
    case 3: if (aktionen.exportieren) aktionen.exportieren(); break;
    default: break;
  }
  return item;
}

void Menuefenster::Laden() {
  if (PendingDialog != KeinDialog) {
    ExternerDialog = true;
    if (dateidialoge) {
      switch (PendingDialog) {
        case MixLadenDialog: dateidialoge->DoMixLoadDlg(fenster); break;
        case MixSpeichernDialog: dateidialoge->DoMixSaveDlg(fenster); break;
        case WaveExportDialog: dateidialoge->DoWaveExportDlg(fenster); break;
        case WaveImportDialog: dateidialoge->DoWaveImportDlg(fenster, ImportFlag ? 1 : 0); break;
        default: break;
      }
    }
    PendingDialog = KeinDialog;
    ExternerDialog = false;
  }
  if (aktionen.zeigeWindow) aktionen.zeigeWindow();
  if (aktionen.normalZeiger) aktionen.normalZeiger();
}

void Menuefenster::DialogOeffnen(Dialogcode code, bool importFlag) {
  PendingDialog = code;
  ImportFlag = importFlag;
  Laden();
}

}  // namespace zelo::dialogs
