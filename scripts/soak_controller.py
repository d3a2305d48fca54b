"""A MIDI controller for scripts/soak: turns Quom's knobs and changes its programs.

Usage: soak_controller.py PORT PROGRAMS
Connects a JACK MIDI output to PORT and, until stopped with SIGTERM, sends a control
change of a random role (x, y, rotation, tempo, red, green, blue; the default
controller numbers on channel 1) every 0.2 s and a program change 0..PROGRAMS-1 every
15 s. On SIGUSR1 it prints the server's frame time ("frame N"), so that the sound a
recording should hold can be counted in frames. Prints the messages sent when it ends.
"""

import random
import signal
import sys
import threading

import jack

CONTROLLERS = (21, 22, 23, 20, 7, 10, 24)

port, programs = sys.argv[1], int(sys.argv[2])
client = jack.Client("soak controller", no_start_server=True)
out = client.midi_outports.register("out")
pending = []
lock = threading.Lock()
stop = threading.Event()
sent = 0


@client.set_process_callback
def process(frames):
    out.clear_buffer()
    # Never wait on the process thread: what cannot be taken now goes next cycle.
    if lock.acquire(blocking=False):
        for message in pending:
            out.write_midi_event(0, message)
        pending.clear()
        lock.release()


def send(message):
    global sent
    with lock:
        pending.append(message)
    sent += 1


signal.signal(signal.SIGTERM, lambda *_: stop.set())
signal.signal(signal.SIGUSR1, lambda *_: print(f"frame {client.frame_time}", flush=True))
rng = random.Random(1)
with client:
    client.connect(out, port)
    tick = 0
    while not stop.wait(0.2):
        tick += 1
        if tick % 75 == 0:
            send(bytes([0xC0, rng.randrange(programs)]))
        else:
            send(bytes([0xB0, rng.choice(CONTROLLERS), rng.randrange(128)]))
print(f"midi messages sent: {sent}")
