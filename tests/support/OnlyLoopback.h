#pragma once

#include <ifaddrs.h>
#include <net/if.h>

// Link announces itself on every interface: its tests join a session only where nothing
// but the loopback is there (a private network namespace), so no test traffic leaves the
// machine.
inline bool onlyLoopback()
{
    ifaddrs* addresses = nullptr;
    if (getifaddrs(&addresses) != 0)
        return false;
    bool loopback = true;
    for (const ifaddrs* a = addresses; a; a = a->ifa_next)
        loopback = loopback && (a->ifa_flags & IFF_LOOPBACK);
    freeifaddrs(addresses);
    return loopback;
}
