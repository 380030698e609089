#pragma once
// Readers of the text content files: "fonts", "pkonst", "e2inf" and the language file
// "f_zelo2". Each reads from memory, returns cleanly on any input and reports malformed lines
// only with the program's own German loader messages.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"
#include "text/Texte.h"

namespace zelo::pages {
struct Objekte;
}
namespace zelo::platform {
class DialogHost;
}

namespace zelo::text {

/// One line read by the element-line rule: the text before any "(" trimmed, and the element
/// number when the line names an element in brackets.
struct Elementzeile {
  std::string Text;
  std::optional<int> Nummer;
};

/// Reads the next non-empty element line. A line holding "[" and "]" names an element that
/// is looked up in Konstanten; an unknown name is reported through `dialoge` and the line
/// comes back without a number. False at the end of the source.
bool ElementzeileLesen(platform::LineSource& quelle, const Konstanten& konstanten, platform::DialogHost& dialoge,
                       Elementzeile& zeile);

/// "fonts": records of name, "bold", size, x offset, y offset and extra value, filling role 0
/// columns 0..9, then role 1, and so on.
void FontsLesen(std::string_view datei, const Konstanten& konstanten, platform::DialogHost& dialoge,
                Fonttabelle& fonts);

/// "pkonst": pairs of name and number lines; sets Konstanten and the element names.
void PkonstLesen(std::string_view datei, Konstanten& konstanten, pages::Objekte& objekte,
                 platform::DialogHost& dialoge);

/// "e2inf": pairs of message name and text number.
void E2infLesen(std::string_view datei, Textnummern& nummern);

/// The language file as the first start-up stage reads it: every block except the "DLG" and
/// "H_" ones goes into the text table, with its variants split at the "##" markers.
void SprachdateiTexte(std::string_view datei, const Textnummern& nummern, Texte& texte);

/// Receives each dialog key and its text for the file dialogs.
using DialogSchluessel = std::function<void(const std::string& schluessel, const std::string& text)>;

/// The language file as Laden reads it: "H_" blocks become element help texts, "DISK" blocks
/// fill the disk menu, "DLG" blocks go to `dialog` (the two file filters widened when `mp3`).
void SprachdateiLaden(std::string_view datei, pages::Objekte& objekte, DiskMenue& disk, bool mp3,
                      const DialogSchluessel& dialog);

/// The first stage's texts: entry 2 becomes "Zelo", then "e2inf" and the language file are
/// read, each from the alternate data folder when it is there, else from the data folder.
void TexteLesen(const std::string& alternativordner, const std::string& datenordner, Textnummern& nummern,
                Texte& texte);

}  // namespace zelo::text
