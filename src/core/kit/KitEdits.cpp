#include "core/kit/KitEdits.h"

#include <array>

namespace quom {

bool loadIntoSlot(CInstrument& slot, const std::string& path)
{
    CInstrument loaded = slot;
    if (!loaded.LoadWave(path))
        return false;
    loaded.name = path;
    loaded.loop = false;
    loaded.fade = false;
    slot = std::move(loaded);
    return true;
}

bool fillSlot(CKit& kit, int index, const std::string& path)
{
    if (loadIntoSlot(kit.slot(index), path))
        return true;
    kit.ClearSlot(index);
    return false;
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

bool addSamples(CKit& kit, const std::vector<std::string>& paths)
{
    int next = 0;
    for (const std::string& path : paths) {
        while (next < kKitSlots && !kit.slot(next).data.empty())
            ++next;
        if (next == kKitSlots)
            return false;
        // A file that fails leaves its slot empty, so the next file takes it.
        fillSlot(kit, next, path);
    }
    return true;
}

void fillKit(CKit& kit, const std::vector<std::string>& paths, const FileProgress& loading)
{
    clearKit(kit);
    for (std::size_t i = 0; i < paths.size() && i < static_cast<std::size_t>(kKitSlots); ++i) {
        if (loading)
            loading(paths[i]);
        fillSlot(kit, static_cast<int>(i), paths[i]);
    }
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
