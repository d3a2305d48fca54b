#include "platform/devices/DeviceLibraries.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <cstdlib>
#include <string_view>

namespace quom {

namespace {

void ignoreAlsa(const char*, int, const char*, int, const char*, ...) { }

void ignoreJack(const char*) { }

} // namespace

bool deviceMessagesWanted()
{
    const char* wanted = std::getenv("QUOM_DEVICE_MESSAGES");
    return wanted && *wanted && std::string_view(wanted) != "0";
}

void quietDeviceLibraries()
{
    if (deviceMessagesWanted())
        return;
    snd_lib_error_set_handler(&ignoreAlsa);
    jack_set_error_function(&ignoreJack);
    jack_set_info_function(&ignoreJack);
}

} // namespace quom
