"""Sends MIDI messages to a JACK port: send_midi.py PORT MESSAGE... (each its bytes in
hexadecimal), from a client of its own, in one process cycle once connected."""

import sys
import threading
import time

import jack

target, messages = sys.argv[1], [bytes.fromhex(m) for m in sys.argv[2:]]
client = jack.Client("MIDI controller", no_start_server=True)
out = client.midi_outports.register("out")
connected, sent = threading.Event(), threading.Event()
cycles_connected = 0


# A cycle that began before the connection may still run with the old graph: send in
# the second cycle that sees it.
@client.set_process_callback
def process(frames):
    global cycles_connected
    out.clear_buffer()
    if connected.is_set() and not sent.is_set():
        cycles_connected += 1
        if cycles_connected == 2:
            for message in messages:
                out.write_midi_event(0, message)
            sent.set()


with client:
    client.connect(out, target)
    connected.set()
    if not sent.wait(10):
        sys.exit("the messages were not sent")
    # Quom's client reads them in the same cycle; let the cycle end before leaving.
    time.sleep(0.1)
