"""A musician's setup around Quom, for the end-to-end tests: a JACK client of its own
that leads a MIDI clock, moves the transport, reads it, or leads it as timebase master.

  sync_probe.py send-clock PORT BPM SECONDS [--jitter-ms J --seed S]
                [--start | --continue-from STEP] [--stop-after SECONDS]
      Sends 24 pulses a beat to PORT for SECONDS, each on its exact frame (moved by up to
      J ms either way, from seed S), after Start, or after Song Position Pointer STEP and
      Continue; Stop after --stop-after seconds (the pulses go on). Prints each message
      sent as "ABSOLUTE_FRAME HEXBYTES" once done.
  sync_probe.py transport start|stop|locate FRAME
  sync_probe.py bbt SECONDS
      Prints, once a process cycle for SECONDS, "CYCLE_FRAME TRANSPORT_FRAME ROLLING BAR
      BEAT TICK BPM" as read at the cycle's first frame (BAR BEAT TICK BPM are "-" without
      a timebase master).
  sync_probe.py timebase BPM SECONDS
      Leads the transport as timebase master at BPM, 4/4, 1920 ticks a beat, for SECONDS.

Frames are the server's frame count (jack_last_frame_time plus the offset in the cycle),
the one midi_recorder.py prints."""

import argparse
import random
import sys
import threading
import time

import jack

CLOCK, START, CONTINUE, STOP, SONG_POSITION = 0xF8, 0xFA, 0xFB, 0xFC, 0xF2
PULSES_PER_BEAT = 24
TICKS_PER_BEAT = 1920
BEATS_PER_BAR = 4


def open_client(name):
    return jack.Client(name, no_start_server=True)


def clock_messages(args, rate, base):
    """Every message of the run as (absolute frame, bytes), in frame order."""
    interval = rate * 60.0 / (args.bpm * PULSES_PER_BEAT)
    jitter = args.jitter_ms * rate / 1000.0
    rng = random.Random(args.seed)
    messages = []
    if args.start:
        messages.append((base, bytes([START])))
    elif args.continue_from is not None:
        step = args.continue_from
        messages.append((base, bytes([SONG_POSITION, step & 0x7F, (step >> 7) & 0x7F])))
        messages.append((base, bytes([CONTINUE])))
    end = base + round(args.seconds * rate)
    pulse, last = 0, base
    while True:
        frame = base + round(pulse * interval + (rng.uniform(-jitter, jitter) if pulse else 0.0))
        frame = max(frame, last)  # jitter never reorders the pulses
        if frame >= end:
            break
        messages.append((frame, bytes([CLOCK])))
        last, pulse = frame, pulse + 1
    if args.stop_after is not None:
        messages.append((base + round(args.stop_after * rate), bytes([STOP])))
        messages.sort(key=lambda m: m[0])  # stable: Stop after a pulse of the same frame
    return messages


def send_clock(args):
    client = open_client("clock leader")
    out = client.midi_outports.register("out")
    state = {"messages": None, "next": 0, "base": None}
    done = threading.Event()

    @client.set_process_callback
    def process(frames):
        out.clear_buffer()
        cycle = client.last_frame_time
        if state["messages"] is None:
            if state["base"] is None:
                return
            # The schedule starts a whole period later, so nothing is ever late.
            state["messages"] = clock_messages(args, client.samplerate, cycle + 2 * frames)
        messages = state["messages"]
        i = state["next"]
        while i < len(messages) and messages[i][0] < cycle + frames:
            frame, data = messages[i]
            out.write_midi_event(max(frame - cycle, 0), data)
            i += 1
        state["next"] = i
        if i == len(messages):
            done.set()

    with client:
        client.connect(out, args.port)
        # A cycle that began before the connection may still run with the old graph.
        time.sleep(0.05)
        state["base"] = True
        if not done.wait(args.seconds + 30):
            sys.exit("the clock was not sent")
        time.sleep(0.1)  # the receiver reads the last cycle before the port goes
    for frame, data in state["messages"]:
        print(frame, data.hex())


def transport(args):
    client = open_client("transport control")
    if args.action == "start":
        client.transport_start()
    elif args.action == "stop":
        client.transport_stop()
    else:
        client.transport_locate(args.frame)
    # The request is heard at the next cycle.
    time.sleep(0.05)
    client.close()


def bbt(args):
    client = open_client("transport reader")
    rows = []

    @client.set_process_callback
    def process(frames):
        state, pos = client.transport_query_struct()
        if pos.valid & jack.POSITION_BBT:
            bbt = f"{pos.bar} {pos.beat} {pos.tick} {pos.beats_per_minute:g}"
        else:
            bbt = "- - - -"
        rows.append(f"{client.last_frame_time} {pos.frame} {int(state == jack.ROLLING)} {bbt}")

    with client:
        time.sleep(args.seconds)
    print("\n".join(rows))


def timebase(args):
    client = open_client("timebase master")
    beats_per_frame = args.bpm / (60.0 * client.samplerate)

    def write_position(state, blocksize, pos, new_pos):
        beats = pos.frame * beats_per_frame
        whole = int(beats)
        pos.valid = pos.valid | jack.POSITION_BBT
        pos.bar = whole // BEATS_PER_BAR + 1
        pos.beat = whole % BEATS_PER_BAR + 1
        pos.tick = int((beats - whole) * TICKS_PER_BEAT)
        pos.bar_start_tick = (pos.bar - 1) * BEATS_PER_BAR * TICKS_PER_BEAT
        pos.beats_per_bar = BEATS_PER_BAR
        pos.beat_type = 4
        pos.ticks_per_beat = TICKS_PER_BEAT
        pos.beats_per_minute = args.bpm

    client.set_timebase_callback(write_position)
    with client:
        time.sleep(args.seconds)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    clock = commands.add_parser("send-clock")
    clock.add_argument("port")
    clock.add_argument("bpm", type=float)
    clock.add_argument("seconds", type=float)
    clock.add_argument("--jitter-ms", type=float, default=0.0)
    clock.add_argument("--seed", type=int, default=1)
    first = clock.add_mutually_exclusive_group()
    first.add_argument("--start", action="store_true")
    first.add_argument("--continue-from", type=int, metavar="STEP")
    clock.add_argument("--stop-after", type=float, metavar="SECONDS")
    move = commands.add_parser("transport")
    move.add_argument("action", choices=["start", "stop", "locate"])
    move.add_argument("frame", type=int, nargs="?", default=0)
    read = commands.add_parser("bbt")
    read.add_argument("seconds", type=float)
    lead = commands.add_parser("timebase")
    lead.add_argument("bpm", type=float)
    lead.add_argument("seconds", type=float)
    args = parser.parse_args()
    {"send-clock": send_clock, "transport": transport, "bbt": bbt, "timebase": timebase}[args.command](args)


if __name__ == "__main__":
    main()
