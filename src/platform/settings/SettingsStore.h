#pragma once

#include "core/io/ReadResult.h"
#include "core/settings/Settings.h"

#include <optional>
#include <vector>

// The per-user settings store: QSettings of the organisation "Caldenor" and the
// application "Quom" (~/.config/Caldenor/Quom.conf, honouring XDG_CONFIG_HOME), one
// group per section. Numbers are stored as integers, the switches as 0 or 1.
namespace quom {

// Values found in the store replace those in settings; missing or unreadable values
// (a number beyond 32 bits among them) leave them alone. A number out of its setting's
// range is brought into it and listed, in the store's order. A file that is not a
// regular file of a plausible size is not read: settings stay as they are, and the
// refusal comes back for the user.
struct SettingsLoad {
    std::optional<ReadError> refused;
    std::vector<ClampedSetting> clamped;
};
SettingsLoad loadSettings(Settings& settings);

// Writes every key. Called only at a normal exit. Such a refused file is left as it is.
void saveSettings(const Settings& settings);

} // namespace quom
