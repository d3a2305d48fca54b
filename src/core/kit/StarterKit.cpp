#include "core/kit/StarterKit.h"

#include "core/io/WaveWriter.h"
#include "core/kit/Kit.h"
#include "core/kit/StarterSounds.h"
#include "core/model/Tempo.h"

#include <filesystem>
#include <system_error>

namespace quom {

std::string starterFileName(int row)
{
    return starterSoundName(row) + ".wav";
}

WriteResult writeStarterKit(const AppFolders& folders)
{
    const std::string folder = folders.wavesFolder + "/" + kStarterFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return {false, folder + ": " + error.message()};

    CKit kit;
    for (int row = 0; row < kKitSlots; ++row) {
        const std::string path = folder + "/" + starterFileName(row);
        std::vector<float> sound = starterSound(row);
        const bool outlastsAStep = sound.size() > static_cast<std::size_t>(framesPerStep(kDefaultTempo));
        if (WriteResult written = WriteWave16(path, sound, 1, {kStarterPeak, starterRootKey(row), {}});
            !written)
            return written;
        kit.slot(row).name = path;
        kit.slot(row).fade = outlastsAStep;
    }
    return kit.Save(folders.kitsFolder + "/default.kit");
}

} // namespace quom
