"""Compares what Quom sent on its MIDI out with its MIDI export of the same pattern:
compare_midi.py EXPORT.mid RECORDED FRAMES_PER_STEP, RECORDED being midi_recorder.py's
output. The recording's first event starts step 0; every event must fall exactly on a
step's first frame (no jitter), and steps 0 to 63 must carry the export's messages, the
notes the last step started ending as the next pass begins. Exit status 1 on a difference."""

import collections
import sys


def read_export(path):
    """(step, bytes) of every channel message, steps counted in sixteenths."""
    data = open(path, "rb").read()
    assert data[:4] == b"MThd", "not a MIDI file"
    division = int.from_bytes(data[12:14], "big")
    ticks_per_step = division // 4
    position, messages = 14, []
    while position < len(data):
        length = int.from_bytes(data[position + 4 : position + 8], "big")
        track, position = data[position + 8 : position + 8 + length], position + 8 + length
        i, tick, status = 0, 0, 0
        while i < len(track):
            delta = 0
            while True:
                byte = track[i]
                i += 1
                delta = (delta << 7) | (byte & 0x7F)
                if byte < 0x80:
                    break
            tick += delta
            if track[i] >= 0x80:
                status = track[i]
                i += 1
            if status == 0xFF:
                i += 1  # meta type
                length = track[i]
                i += 1 + length
                continue
            size = 1 if status & 0xF0 in (0xC0, 0xD0) else 2
            assert tick % ticks_per_step == 0, f"export event off the step grid at tick {tick}"
            messages.append((tick // ticks_per_step, bytes([status]) + track[i : i + size]))
            i += size
    return messages


def read_recording(path, frames_per_step):
    events = []
    for line in open(path):
        frame, *hexbytes = line.split()
        events.append((int(frame), bytes.fromhex("".join(hexbytes))))
    if not events:
        sys.exit("nothing was recorded")
    start = events[0][0]
    steps = []
    for frame, message in events:
        step, off = divmod(frame - start, frames_per_step)
        if off:
            sys.exit(f"{message.hex()} at frame {frame} is {off} frames off its step's start")
        steps.append((step, message))
    return steps


def by_step(messages, last):
    steps = collections.defaultdict(collections.Counter)
    for step, message in messages:
        if step <= last:
            steps[step][message] += 1
    return steps


export = by_step(read_export(sys.argv[1]), 64)
recorded = by_step(read_recording(sys.argv[2], int(sys.argv[3])), 64)
different = [s for s in range(64) if export[s] != recorded[s]]
# At 64 the export ends its last notes; the live pattern does so as its next pass starts.
if export[64] - recorded[64]:
    different.append(64)
for step in different:
    print(f"step {step}: export {sorted(m.hex() for m in export[step].elements())}, "
          f"sent {sorted(m.hex() for m in recorded[step].elements())}")
sys.exit(1 if different else 0)
