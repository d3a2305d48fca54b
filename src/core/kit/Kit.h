#pragma once

#include "core/io/AtomicFile.h"
#include "core/io/ReadResult.h"
#include "core/kit/Instrument.h"

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
        bool opened = false; // false: the kit file could not be read, the kit is unchanged
        ReadError kitError; // why the kit file could not be read
        std::vector<ReadError> failedSamples; // each sample that could not be read, once, and why
    };

    // Reads the kit file at path into this kit, then reads every named sample again,
    // including those of slots the file did not mention. The caller shows the failed
    // samples, all in one message. Loading a whole new kit means clearing every slot
    // first: a slot the file names "not used" keeps its sample.
    LoadResult Load(const std::string& path, FileRate rate, const Progress& progress = {});

    // The first step of Load alone: names and flags from the kit file, no sample read.
    // Instrument elements past the 64th are ignored. A failure, kit unchanged, when the
    // file cannot be read.
    ReadStatus readKitFile(const std::string& path);

    // The second step of Load: reads every slot's sample whose name is not "not used",
    // in slot order, each file once, its sample shared by the slots naming it. Returns
    // each sample that failed once; those slots keep their samples.
    std::vector<ReadError> loadSamples(FileRate rate, const Progress& progress = {});

    // Reads again, as loadSamples does, only the samples whose files declare another
    // rate than 44100 Hz: what changes when the files' rates are taken another way.
    std::vector<ReadError> reloadOtherRateSamples(FileRate rate);

    // Writes the kit atomically: on failure the previous file at path is untouched.
    WriteResult Save(const std::string& path) const;

private:
    std::vector<ReadError> loadSamplesOf(
        FileRate rate, const Progress& progress, const std::function<bool(const CInstrument&)>& wanted);

    std::array<std::unique_ptr<CInstrument>, kKitSlots> slots_;
};

} // namespace quom
