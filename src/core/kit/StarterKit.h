#pragma once

#include "core/io/AtomicFile.h"
#include "core/settings/AppFolders.h"

// The kit a first start writes, so that a new Quom plays music at once: the 64 starter
// sounds as wave files in Waves/Starter and Kits/default.kit naming each by its full
// path, which the "default kit" setting then loads.
namespace quom {

// The starter sound files go into this folder of the Waves folder.
inline constexpr const char* kStarterFolder = "Starter";

// The file of row 0..63 in the starter folder: "kick.wav" ... "epiano-C3.wav"; the kit
// editor shows it as the slot's name.
std::string starterFileName(int row);

// Each sound's loudest sample: half of full scale, so that a first beat (a kick, a snare,
// hats and a chord at the pencil's colour and the default volume) stays below full
// scale, every sound keeping its balance with the others.
inline constexpr float kStarterPeak = 0.5f;

// Creates the starter folder, writes the sounds in row order, then the kit, replacing
// files of the same names. A pitched sound's file carries its root key; a slot whose
// sound outlasts a step at the default tempo fades, so that the step's end does not
// cut it with a click. Stops at the first file that cannot be written, whose path the
// error names; the kit is written only once every sound is.
WriteResult writeStarterKit(const AppFolders& folders);

} // namespace quom
