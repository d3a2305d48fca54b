#pragma once

#include "core/settings/Settings.h"

#include <vector>

// The per-user settings store: QSettings of the organisation "Caldenor" and the
// application "Quom" (~/.config/Caldenor/Quom.conf, honouring XDG_CONFIG_HOME), one
// group per section. Numbers are stored as integers, the switches as 0 or 1.
namespace quom {

// Values found in the store replace those in settings; missing or unreadable values
// (a number beyond 32 bits among them) leave them alone. A number out of its setting's
// range is brought into it and listed in the result, in the store's order.
std::vector<ClampedSetting> loadSettings(Settings& settings);

// Writes every key. Called only at a normal exit.
void saveSettings(const Settings& settings);

} // namespace quom
