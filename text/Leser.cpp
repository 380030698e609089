#include "text/Leser.h"

#include <unordered_map>
#include <vector>

#include "pages/Objekte.h"
#include "platform/Dialogs.h"

namespace zelo::text {
namespace {

using platform::EqualsNoCase;
using platform::FindNoCase;
using platform::StartsWithNoCase;
using platform::TrimSpaces;

/// The loader messages have an OK button and no title.
void Meldung(platform::DialogHost& dialoge, std::string text) {
  platform::MessageRequest m;
  m.prompt = std::move(text);
  dialoge.MessageBox(m);
}

/// Text before the first "(", trimmed: parentheses carry comments.
std::string OhneKommentar(std::string_view zeile) {
  size_t klammer = zeile.find('(');
  return TrimSpaces(zeile.substr(0, klammer));
}

std::string Ab(const std::string& s, size_t i) { return i < s.size() ? s.substr(i) : std::string(); }

bool IstBlockanfang(std::string_view zeile) {
  return StartsWithNoCase(zeile, "M_") || StartsWithNoCase(zeile, "DLG_") || StartsWithNoCase(zeile, "H_") ||
         StartsWithNoCase(zeile, "DISK_");
}

/// Calls `block` for every key line with its text lines. The first line always opens a block.
template <typename Block>
void BloeckeLesen(std::string_view datei, Block&& block) {
  platform::LineSource quelle(datei);
  std::string zeile, schluessel;
  std::vector<std::string> zeilen;
  bool offen = false;
  while (quelle.Next(zeile)) {
    if (!offen || IstBlockanfang(zeile)) {
      if (offen) block(schluessel, zeilen);
      schluessel = zeile;
      zeilen.clear();
      offen = true;
    } else {
      zeilen.push_back(zeile);
    }
  }
  if (offen) block(schluessel, zeilen);
}

/// Stores a block text at n, splitting off its variants at the "##" markers. A marker pair
/// "##name##" separates the variants; the part after a closing marker at the end of the
/// text, or after the fourth marker, starts one character later (that character separates).
void Teilen(const std::string& s, int n, Texte& texte) {
  if (n < 0 || n >= kTextanzahl) return;
  constexpr std::string_view kMarke = "##";
  const size_t m1 = FindNoCase(s, kMarke);
  if (m1 == std::string::npos) {
    texte.Setzen(n, s);
    return;
  }
  if (FindNoCase(s, "##PRODUCT##") != std::string::npos) {
    texte.Setzen(n, Ab(s, 11));
    return;
  }
  texte.Setzen(n, s.substr(0, m1));
  const size_t m2 = FindNoCase(s, kMarke, m1 + 1);
  if (m2 == std::string::npos) return;
  const size_t m3 = FindNoCase(s, kMarke, m2 + 1);
  if (m3 == std::string::npos) {
    texte.Setzen(n + 1, Ab(s, m2 + 3));
    return;
  }
  texte.Setzen(n + 1, m3 > m2 + 2 ? s.substr(m2 + 2, m3 - m2 - 2) : std::string());
  const size_t m4 = FindNoCase(s, kMarke, m3 + 1);
  if (m4 == std::string::npos) return;
  // Text 74's third part belongs to text 75, and the part stored there moves on to text 100.
  if (n == 74) {
    texte.Setzen(100, texte[75]);
    texte.Setzen(75, Ab(s, m4 + 3));
  } else {
    texte.Setzen(n + 2, Ab(s, m4 + 3));
  }
}

}  // namespace

bool ElementzeileLesen(platform::LineSource& quelle, const Konstanten& konstanten, platform::DialogHost& dialoge,
                       Elementzeile& zeile) {
  std::string roh;
  while (quelle.Next(roh)) {
    std::string text = OhneKommentar(roh);
    if (text.empty()) continue;
    zeile.Text = text;
    zeile.Nummer.reset();
    if (roh.find('[') != std::string::npos && roh.find(']') != std::string::npos) {
      if (auto nummer = konstanten.Nummer(text))
        zeile.Nummer = Ganzzahl(Zahlwert(*nummer));
      else
        Meldung(dialoge, "Eintrag in Seitendatei: " + text + " kann nicht in pkonst gefunden werden");
    }
    return true;
  }
  return false;
}

void FontsLesen(std::string_view datei, const Konstanten& konstanten, platform::DialogHost& dialoge,
                Fonttabelle& fonts) {
  platform::LineSource quelle(datei);
  Elementzeile z;
  auto zahl = [&](int& ziel) {
    if (!ElementzeileLesen(quelle, konstanten, dialoge, z)) return false;
    ziel = Ganzzahl(Zahlwert(z.Text)).value_or(0);
    return true;
  };
  for (size_t rolle = 0; rolle < fonts.size(); ++rolle) {
    for (size_t spalte = 0; spalte < 10; ++spalte) {
      if (!ElementzeileLesen(quelle, konstanten, dialoge, z)) return;
      platform::FontSpec& f = fonts[rolle][spalte];
      f.Name = z.Text;
      if (!ElementzeileLesen(quelle, konstanten, dialoge, z)) return;
      f.Fett = EqualsNoCase(z.Text, "bold");
      if (!zahl(f.Groesse) || !zahl(f.XVersatz) || !zahl(f.YVersatz) || !zahl(f.Extra)) return;
    }
  }
}

void PkonstLesen(std::string_view datei, Konstanten& konstanten, pages::Objekte& objekte,
                 platform::DialogHost& dialoge) {
  platform::LineSource quelle(datei);
  std::string name, nummer, vorige;
  while (quelle.Next(name)) {
    name = TrimSpaces(name);
    if (!quelle.Next(nummer)) break;
    nummer = TrimSpaces(nummer);
    // Element names are words: a number where a name belongs means a line is missing above.
    if (Zahlwert(name) > 10) Meldung(dialoge, "Fehler in pkonst: " + name + " " + vorige);
    konstanten.Hinzufuegen(name, nummer);
    // An empty or wordy number line names no element (it would otherwise read as element 0).
    auto element = nummer.find_first_of("0123456789") == std::string::npos ? std::nullopt : Ganzzahl(Zahlwert(nummer));
    if (element && *element > konstanten.Hoechste) konstanten.Hoechste = *element;
    if (element && pages::Objekte::Gueltig(*element)) objekte[*element].Name = name;
    vorige = nummer;
  }
}

void E2infLesen(std::string_view datei, Textnummern& nummern) {
  platform::ValueSource werte(datei);
  std::string name, nummer;
  while (werte.Next(name) && werte.Next(nummer)) {
    // A number without any digit is a broken line, not text 0.
    if (nummer.find_first_of("0123456789") == std::string::npos) continue;
    if (auto n = Ganzzahl(Zahlwert(nummer))) nummern.Hinzufuegen(name, *n);
  }
}

void SprachdateiTexte(std::string_view datei, const Textnummern& nummern, Texte& texte) {
  BloeckeLesen(datei, [&](const std::string& schluessel, const std::vector<std::string>& zeilen) {
    if (StartsWithNoCase(schluessel, "DLG") || StartsWithNoCase(schluessel, "H_")) return;
    auto n = nummern.Nummer(schluessel);
    if (!n) return;
    std::string text;
    for (size_t i = 0; i < zeilen.size(); ++i) {
      if (i > 0) text += "\r\n";
      text += zeilen[i];
    }
    Teilen(text, *n, texte);
  });
}

void SprachdateiLaden(std::string_view datei, pages::Objekte& objekte, DiskMenue& disk, bool mp3,
                      const DialogSchluessel& dialog) {
  std::unordered_map<std::string, std::vector<int>> elemente;
  for (int i = 0; i < pages::kElemente; ++i)
    if (!objekte[i].Name.empty()) elemente[platform::AnsiUpper(objekte[i].Name)].push_back(i);

  BloeckeLesen(datei, [&](const std::string& roh, const std::vector<std::string>& zeilen) {
    const std::string schluessel = OhneKommentar(roh);
    std::string text;
    for (size_t i = 0; i < zeilen.size(); ++i) text = i == 0 ? zeilen[0] : TrimSpaces(text + "\r\n" + zeilen[i]);

    if (StartsWithNoCase(schluessel, "H_")) {
      auto it = elemente.find(platform::AnsiUpper(schluessel));
      if (it != elemente.end())
        for (int e : it->second) objekte[e].Text = text;
    } else if (StartsWithNoCase(schluessel, "DISK")) {
      disk.Hinzufuegen(schluessel, text);
    } else if (StartsWithNoCase(schluessel, "DLG")) {
      if (mp3 && EqualsNoCase(schluessel, "DLG_LI_FILEFILTER")) {
        constexpr std::string_view kMitMp3 = "(*.zub, *.wav, *.mp3)|*.zub;*.wav;*.mp3";
        text = Ersetze(text, "(*.zub, *.wav)|*.zub;*.wav", kMitMp3);
        text = Ersetze(text, "(*.zub,*.wav)|*.zub;*.wav", kMitMp3);
      } else if (mp3 && EqualsNoCase(schluessel, "DLG_SE_FILEFILTER")) {
        text = Ersetze(text, "(*.wav)|*.wav",
                       "(*.wav)|*.wav|MP3 HighQuality 256kbit/s|*.ma3|MP3 Normal-Quality 128kbit/s|*.mb3|"
                       "MP3 Half-Quality 64kbit/s|*.mc3|MP3 Low-Quality 32kbit/s|*.md3");
      }
      if (dialog) dialog(schluessel, text);
    }
  });
}

void TexteLesen(const std::string& alternativordner, const std::string& datenordner, Textnummern& nummern,
                Texte& texte) {
  texte.Setzen(2, "Zelo");
  auto lesen = [&](const char* name) {
    auto bytes = platform::ReadWholeFile(alternativordner + name);
    if (!bytes) bytes = platform::ReadWholeFile(datenordner + name);
    return bytes.value_or(std::string());
  };
  E2infLesen(lesen("e2inf"), nummern);
  SprachdateiTexte(lesen("f_zelo2"), nummern, texte);
}

}  // namespace zelo::text
