#pragma once

#include "core/io/AtomicFile.h"
#include "core/settings/AppFolders.h"

// The kit a first start writes, so that a new Quom plays music at once: the 64 starter
// sounds as wave files in Waves/Starter and Kits/default.kit naming each by its full
// path, which the "default kit" setting then loads.
namespace quom {

// The starter sound files go into this folder of the Waves folder.
inline constexpr const char* kStarterFolder = "Starter";

// The file of row 0..63 in the starter folder: "kick.wav" ... "epiano-C2.wav"; the kit
// editor shows it as the slot's name.
std::string starterFileName(int row);

// Creates the starter folder, writes the sounds in row order, then the kit, replacing
// files of the same names. Stops at the first file that cannot be written, whose path
// the error names; the kit is written only once every sound is.
WriteResult writeStarterKit(const AppFolders& folders);

} // namespace quom
