#pragma once

// What Quom tells the sound and MIDI libraries before they start.
namespace quom {

// The name of every client Quom opens on the ALSA sequencer and on a JACK server, so a
// patchbay shows Quom's ports under it (JACK numbers a second client "Quom-01").
// PortAudio keeps the pointer: it must live as long as the program.
inline constexpr const char* kDeviceClientName = "Quom";

// ALSA and JACK print their probing of every device they cannot open to stderr: some
// sixty lines on a machine without a sound card or a JACK server, and nothing a user can
// act on, since Quom says what failed in its own words. They are silenced unless the
// environment variable QUOM_DEVICE_MESSAGES is set to something other than "0" (for
// finding out why a device does not open). Call it before a library starts; window thread.
void quietDeviceLibraries();

// Whether QUOM_DEVICE_MESSAGES asks for the libraries' messages, and Quom's own about
// its devices.
bool deviceMessagesWanted();

} // namespace quom
