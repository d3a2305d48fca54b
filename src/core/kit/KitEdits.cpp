#include "core/kit/KitEdits.h"

#include <array>

namespace quom {

ReadStatus loadIntoSlot(CInstrument& slot, const std::string& path, FileRate rate)
{
    CInstrument loaded = slot;
    ReadStatus status = loaded.LoadWave(path, rate);
    if (!status)
        return status;
    loaded.name = path;
    loaded.loop = false;
    loaded.fade = false;
    slot = std::move(loaded);
    return status;
}

ReadStatus fillSlot(CKit& kit, int index, const std::string& path, FileRate rate)
{
    ReadStatus status = loadIntoSlot(kit.slot(index), path, rate);
    if (!status)
        kit.ClearSlot(index);
    return status;
}

void clearKit(CKit& kit)
{
    for (int i = 0; i < kKitSlots; ++i)
        kit.ClearSlot(i);
}

bool& flagOf(CInstrument& slot, SlotFlag flag)
{
    return flag == SlotFlag::Loop ? slot.loop : slot.fade;
}

void setFlagEverywhere(CKit& kit, SlotFlag flag, int from)
{
    const bool value = !flagOf(kit.slot(from), flag);
    for (int i = 0; i < kKitSlots; ++i)
        flagOf(kit.slot(i), flag) = value;
}

AddedSamples addSamples(CKit& kit, const std::vector<std::string>& paths, FileRate rate)
{
    AddedSamples added;
    int next = 0;
    for (const std::string& path : paths) {
        while (next < kKitSlots && !kit.slot(next).data.empty())
            ++next;
        if (next == kKitSlots) {
            added.allFitted = false;
            break;
        }
        // A file that fails leaves its slot empty, so the next file takes it.
        if (const ReadStatus status = fillSlot(kit, next, path, rate); !status)
            added.failed.push_back(status.error());
    }
    return added;
}

void fillKit(CKit& kit, const std::vector<std::string>& paths, FileRate rate, const FileProgress& loading)
{
    clearKit(kit);
    for (std::size_t i = 0; i < paths.size() && i < static_cast<std::size_t>(kKitSlots); ++i) {
        if (loading)
            loading(paths[i]);
        fillSlot(kit, static_cast<int>(i), paths[i], rate);
    }
}

std::string fileRateLabel(const CInstrument& slot)
{
    if (slot.data.empty() || slot.fileRate == kPlayingRate)
        return {};
    if (slot.fileRate < 1000)
        return std::to_string(slot.fileRate) + " Hz";
    std::string kilohertz = std::to_string(slot.fileRate / 1000);
    if (const std::uint32_t fraction = slot.fileRate % 1000; fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1); // three digits, leading zeros kept
        digits.erase(digits.find_last_not_of('0') + 1);
        kilohertz += '.' + digits;
    }
    return kilohertz + " kHz";
}

std::string slotLabel(int index, const CInstrument& slot)
{
    std::string name = slot.name;
    if (const auto slash = name.find_last_of("/\\"); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos)
        name.erase(dot);
    const std::string number = std::to_string(index + 1);
    return (number.size() < 2 ? "0" + number : number) + " - " + name;
}

std::string keyName(std::uint8_t key)
{
    static constexpr std::array<const char*, 12> kPitchClasses{
        "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};
    return std::string(kPitchClasses[key % 12]) + std::to_string(key / 12);
}

} // namespace quom
