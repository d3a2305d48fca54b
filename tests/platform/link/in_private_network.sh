#!/bin/sh
# Runs a command in a network namespace of its own with only the loopback up, so a
# Link session reaches no network beyond this process's, and with a /dev/shm of its own,
# where the JACK servers its tests start keep their registry away from the machine's
# eight entries. Exits 77 (CTest's skip) where the system allows no such namespace.
if ! command -v ip >/dev/null || ! unshare -rn true 2>/dev/null; then
    echo "no private network namespace here: skipped"
    exit 77
fi
exec unshare -rnm sh -c 'ip link set lo up && mount -t tmpfs -o mode=1777 tmpfs /dev/shm && exec "$@"' sh "$@"
