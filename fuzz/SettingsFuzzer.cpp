// The settings file as the store reads it at start-up: any text in Quom.conf.
#include "FuzzFile.h"
#include "OffscreenApplication.h"

#include "core/settings/Settings.h"
#include "platform/settings/SettingsStore.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The store follows XDG_CONFIG_HOME, read once at the first load. The program reads
    // its settings with the application object made: a value written as a Qt type (a
    // cursor, a picture) can only be rebuilt then.
    static const bool kConfigured = [] {
        std::filesystem::create_directories(fuzzFolder() / "Caldenor");
        return ::setenv("XDG_CONFIG_HOME", fuzzFolder().c_str(), 1) == 0;
    }();
    startOffscreenApplication("fuzz_settings");
    if (!kConfigured)
        fuzzFailure("cannot set XDG_CONFIG_HOME");
    const std::string path = writeFuzzFile(data, size, "Caldenor/Quom.conf");
    // The store keeps a parsed file while its size and time stay; a new time each run
    // makes it read every input.
    static std::filesystem::file_time_type stamp{};
    stamp += std::chrono::seconds(1);
    std::filesystem::last_write_time(path, stamp);

    quom::Settings settings;
    quom::loadSettings(settings);
    return 0;
}
