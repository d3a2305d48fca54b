#pragma once

#include "kit/Instrument.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The 64 instruments a pattern plays: row r sounds slot r.
namespace quom {

constexpr int kKitSlots = 64;

class CKit {
public:
    CKit();
    virtual ~CKit() = default;
    CKit(const CKit& other);
    CKit& operator=(const CKit& other);

    CInstrument& slot(int index) { return *slots_[index]; }
    const CInstrument& slot(int index) const { return *slots_[index]; }

    // Empties one slot: "not used", no sample, flags off, root key 60.
    void ClearSlot(int index);

    // Called after each sample that loaded, with its path.
    using Progress = std::function<void(const std::string& samplePath)>;

    struct LoadResult {
        bool opened = false; // false: the kit file could not be read
        std::vector<std::string> failedSamples; // each sample path that could not be read
    };

    // Reads the kit file at path into this kit, then reads every named sample.
    // The caller shows "Unable to read the file:\n %s" once per failed sample.
    LoadResult Load(const std::string& path, const Progress& progress = {});

    // Writes the kit atomically. False when the file could not be written; the
    // previous file at path is then left untouched.
    bool Save(const std::string& path) const;

private:
    std::array<std::unique_ptr<CInstrument>, kKitSlots> slots_;
};

} // namespace quom
