#pragma once
// The clipboard file "seltemp": the copied entries of a selection, binary, little-endian,
// fields back to back. Reading works on bytes in memory, so the same code serves the paste
// and the fuzz target; it never reads past the bytes it is given.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/Katalog.h"

namespace zelo::arrangement {

/// One record: 28 bytes in the file.
struct SeltempSatz {
  int16_t Kategorie = 0;   ///< `Sample-Kategorie` of the sample
  int32_t Spur = 0;
  int32_t Index = 0;       ///< index in its track when copied
  int32_t Relativstart = 0;  ///< start minus the smallest start of the copied set
  int16_t SampleNr = 0;
  int32_t SchnittAnfang = 0;
  int32_t SchnittEnde = 0;
  int16_t Lautstaerke = 0;
  int16_t Markiert = 0;
};

inline constexpr size_t kSeltempSatzBytes = 28;

/// `Sample-Kategorie`: 0 library (ranges 0 and 4), 1 user sound (range 1), 2 special track
/// (range 2), 3 add-on (everything else).
int16_t SampleKategorie(int sample, const std::array<library::Bereich, 21>& bereiche);

/// The file's bytes for these records.
std::string SeltempBytes(const std::vector<SeltempSatz>& saetze);

/// The records of a clipboard file. A count larger than the bytes hold yields only the whole
/// records present; a file shorter than its count field yields none.
std::vector<SeltempSatz> SeltempLesen(std::string_view bytes);

}  // namespace zelo::arrangement
