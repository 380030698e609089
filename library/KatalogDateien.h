#pragma once
// The catalogue's files: the state file "g_zelo.inf" and every file in its layout (the default
// catalogue of the medium, container catalogues, the sibling edition's state file), and the
// pre-cache list "inst.txt".
//
// Line format: one value per line ended by CR LF; strings in double quotes, whole numbers
// plain, booleans "#TRUE#" / "#FALSE#". Readers also take several comma-separated values on a
// line, and read an empty or non-numeric number as 0.
//
// Every reader takes the file's bytes as well as a path, so the same code is fuzzed; a reader
// returns normally on any input and leaves what it could not read as it was. A missing file
// changes nothing. All functions run on the user-interface thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/Katalog.h"

namespace zelo::library {

/// Number of header lines before the first record.
inline constexpr int kKopfzeilen = 14;
/// Number of values in one record, the separator included.
inline constexpr int kRecordWerte = 12;
/// Most entries of the pre-cache list.
inline constexpr int kVorladelisteMax = 4201;

/// Reads a file in state-file layout into the header and the catalogue. Slots are not cleared
/// first, so a file merges over what is in memory. False when the file could not be read.
bool KatalogLaden(Katalog& katalog, const std::string& pfad);
void KatalogAusText(Katalog& katalog, std::string_view text);

/// Writes the state file: fourteen header lines and one record per slot in use (1 to 17100).
/// The previous file stays intact until the new one is complete on disk.
bool KatalogSpeichern(const Katalog& katalog, const std::string& pfad);
std::string KatalogAlsText(const Katalog& katalog);

/// Reads a container catalogue: header skipped, group codes of the container's numbering
/// mapped onto the program's.
bool FremdkatalogLaden(Katalog& katalog, const std::string& pfad);
void FremdkatalogAusText(Katalog& katalog, std::string_view text);

/// Reads the sibling edition's state file, taking only the samples it has in its cache: they
/// become location 1 and their name gets "[E2]".
bool PartnerkatalogLaden(Katalog& katalog, const std::string& pfad);
void PartnerkatalogAusText(Katalog& katalog, std::string_view text);

/// Reads the pre-cache list: sample numbers, one a line, at most 4201, ending at the first
/// number below 1. Numbers above 17100 name no slot and are left out. Empty when missing.
std::vector<int16_t> VorladelisteLaden(const std::string& pfad);
std::vector<int16_t> VorladelisteAusText(std::string_view text);

/// A whole number by the list-reading rule: optional sign, digits, an optional fraction that
/// rounds halves to even; anything else reads as 0. Saturates instead of overflowing.
long long ZahlLesen(std::string_view text);

/// Group code of a container catalogue in the program's numbering (one step only).
int16_t FremdgruppeAbbilden(long long gruppe);

}  // namespace zelo::library
