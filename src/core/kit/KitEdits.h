#pragma once

#include "core/kit/Kit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the kit editor does to a kit, apart from any window.
namespace quom {

// A file into a slot as a click puts it there: name, sample and root key from the file,
// loop and fade off. A file that cannot be read leaves the slot as it was.
ReadStatus loadIntoSlot(CInstrument& slot, const std::string& path, FileRate rate);

// A file into a slot for the commands that fill many slots at once: a file that cannot
// be read leaves the slot "not used", never naming a file it does not hold.
ReadStatus fillSlot(CKit& kit, int index, const std::string& path, FileRate rate);

void clearKit(CKit& kit);

enum class SlotFlag { Loop, Fade };

bool& flagOf(CInstrument& slot, SlotFlag flag);
// Every slot's flag becomes the opposite of the flag slot `from` has now.
void setFlagEverywhere(CKit& kit, SlotFlag flag, int from);

// Told of each file as its turn comes, for a progress line.
using FileProgress = std::function<void(const std::string& path)>;

struct AddedSamples {
    bool allFitted = true; // false: the kit ran out of empty slots before the last file
    std::vector<ReadError> failed; // the files that could not be read, whose slots stay empty
};

// Each file in turn into the first slot without a sample.
AddedSamples addSamples(CKit& kit, const std::vector<std::string>& paths, FileRate rate);

// A new kit: every slot cleared, then file i into slot i (at most 64 files).
void fillKit(
    CKit& kit, const std::vector<std::string>& paths, FileRate rate, const FileProgress& loading = {});

// The rate a slot's file declares, as the editor shows it beside the name: "48 kHz",
// "22.05 kHz"; empty for 44100 Hz, at which every sample plays, and for an empty slot.
std::string fileRateLabel(const CInstrument& slot);

// "NN - name": the slot number from 1 and the sample's file name without its folder
// and extension ("01 - not used" for an empty slot).
std::string slotLabel(int index, const CInstrument& slot);

// A MIDI key as the editor shows it: the pitch class and key / 12, so 60 is "C5".
std::string keyName(std::uint8_t key);

} // namespace quom
