#pragma once
// The order of the sound groups: every sample of the catalogue sorted into 18 blocks, one per
// group, in a base order (the import order: the user's own sounds first, every derived sound
// beside the sound it was made from) and in the order shown (import, alphabetical, harmony or
// length), both sorted by the engine's text sorter. UI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "library/Katalog.h"

namespace zelo::platform {
class Engine;
}

namespace zelo::library {

/// Number of blocks (and of group pages, 0 to 17).
inline constexpr int kBloecke = 18;

/// Sort orders (`Sortiermodus`): the values of the sort entries of the sample menu.
enum Sortiermodus : int16_t { kSortImport = 1, kSortAlpha = 2, kSortHarmonie = 4, kSortLaenge = 8 };

/// The group code a block holds: b for 1 to 10, b + 1 for 11 to 17, 11 for block 18.
int16_t GruppeDesBlocks(int block);
/// The block of a group page 0 to 17 (always the block of group page + 1); 0 for any other page.
int BlockDerSeite(int seite);
/// The import-order key of sample n made from origin o: five digits of anchor (the sound it
/// belongs beside) and five digits of rank within that anchor.
std::string Importschluessel(int n, int herkunft);

class Gruppenordnung {
 public:
  Gruppenordnung();

  /// Positions 1 to 17100 (index 0 unused): the samples of all blocks one after another.
  std::vector<int16_t> Grundliste;
  std::vector<int16_t> Anzeigeliste;
  /// Block b covers positions Blockende[b-1]+1 to Blockende[b].
  std::array<int16_t, kBloecke + 1> Blockende{};

  /// Rebuilds the base order and the blocks from the catalogue.
  void GruppenOrdnen(const Katalog& katalog, platform::Engine& engine);
  /// Rebuilds the order shown for a sort order; any other mode leaves it as it is.
  void GruppenSortieren(const Katalog& katalog, platform::Engine& engine, int modus);

  /// First position and length of a block.
  int Blockanfang(int block) const { return Blockende[static_cast<size_t>(block - 1)] + 1; }
  int Blocklaenge(int block) const {
    return Blockende[static_cast<size_t>(block)] - Blockende[static_cast<size_t>(block - 1)];
  }
  /// The samples a block shows, in the order shown.
  std::vector<int16_t> Block(int block) const;
};

}  // namespace zelo::library
