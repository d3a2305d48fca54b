"""Records what a JACK MIDI port sends: midi_recorder.py PORT SECONDS. Connects PORT to
an input of a client of its own ("MIDI recorder:in"), records for SECONDS seconds, then
prints one line per event: ABSOLUTE_FRAME HEXBYTES..., the frame being the period's
first frame (last_frame_time) plus the event's offset in it, each byte in two hex digits."""

import sys
import threading
import time

import jack

source, seconds = sys.argv[1], float(sys.argv[2])
client = jack.Client("MIDI recorder", no_start_server=True)
inport = client.midi_inports.register("in")
recording = threading.Event()
events = []


@client.set_process_callback
def process(frames):
    if not recording.is_set():
        return
    first = client.last_frame_time
    for offset, data in inport.incoming_midi_events():
        events.append((first + offset, bytes(data)))


with client:
    client.connect(source, inport)
    recording.set()
    time.sleep(seconds)
    recording.clear()

for frame, data in events:
    print(frame, " ".join(f"{byte:02x}" for byte in data))
