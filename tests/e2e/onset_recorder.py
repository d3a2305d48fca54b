"""Records where sounds start on a JACK audio port: onset_recorder.py PORT SECONDS.
Connects PORT to an input of a client of its own ("Onset recorder:in"), listens for
SECONDS seconds, then prints the absolute frame (last_frame_time plus the offset in the
period) of every sample that sounds after at least 500 silent ones, one a line."""

import sys
import threading
import time

import jack

source, seconds = sys.argv[1], float(sys.argv[2])
client = jack.Client("Onset recorder", no_start_server=True)
inport = client.inports.register("in")
listening = threading.Event()
onsets = []
silent = 500  # the start counts as after silence


@client.set_process_callback
def process(frames):
    global silent
    if not listening.is_set():
        return
    first = client.last_frame_time
    for offset, sample in enumerate(memoryview(inport.get_buffer()).cast("f")):
        if sample == 0.0:
            silent += 1
            continue
        if silent >= 500:
            onsets.append(first + offset)
        silent = 0


with client:
    client.connect(source, inport)
    listening.set()
    time.sleep(seconds)
    listening.clear()

for frame in onsets:
    print(frame)
