"""Counts the xruns a JACK server's log blames on each client, Quom's clients apart.

Usage: soak_xruns.py JACKD_LOG
Every client Quom opens is called "Quom", the later ones numbered by the server
("Quom-01", ...): its sound and each of its MIDI inputs. A cycle in which a client is
late gives one line naming it, so one late cycle may blame several clients; a cycle
the server itself began late gives a line of the driver's.
"""

import re
import sys
from collections import Counter

LATE_CLIENT = re.compile(r"JackEngine::XRun: client = (.+?) was not finished")
LATE_SERVER = re.compile(r"Driver::Process XRun")
QUOM_CLIENT = re.compile(r"Quom(-\d+)?")


def late_clients(lines):
    """How many times each client was late, by name; the server's own cycles as None."""
    counts = Counter()
    for line in lines:
        if m := LATE_CLIENT.search(line):
            counts[m.group(1)] += 1
        elif LATE_SERVER.search(line):
            counts[None] += 1
    return counts


def is_quom(client):
    return client is not None and QUOM_CLIENT.fullmatch(client) is not None


def report(counts):
    """The lines of the soak's report: Quom's clients, each and together, then all."""
    quom = {name: n for name, n in counts.items() if is_quom(name)}
    each = ", ".join(f"{name} {quom[name]}" for name in sorted(quom)) or "none late"
    others = sum(n for name, n in counts.items() if name is not None and not is_quom(name))
    return [
        f"xruns blamed on Quom: {sum(quom.values())} ({each})",
        f"xruns blamed on other clients: {others}; the server's own cycles late: {counts[None]}",
    ]


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8", errors="replace") as log:
        print("\n".join(report(late_clients(log))))
