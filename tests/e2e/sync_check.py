"""Checks what the end-to-end sync tests recorded; exits non-zero naming the first fault.

  sync_check.py follows-clock SENT RECORDED BPM TOLERANCE_FRAMES
      SENT is sync_probe.py send-clock's output, RECORDED midi_recorder.py's of Quom's MIDI
      out while it plays a pattern with a note in every column. After the first beat, every
      step's note starts within TOLERANCE_FRAMES of the frame the clock puts it on; none
      starts after Stop.
  sync_check.py clock-out RECORDED TEMPO
      Quom led the clock at TEMPO: Start, then pulse i of step n on frame
      first + n * framesPerStep + i * framesPerStep // 6 exactly, each step's note on its
      first pulse, Stop at the end.
  sync_check.py follows-transport BBT RECORDED TEMPO
      BBT is sync_probe.py bbt's output: every step the transport passes while rolling
      starts on the frame the transport reaches it (counted at TEMPO), within one frame;
      no note starts while it stands.
  sync_check.py master-bbt BBT TEMPO
      Quom as timebase master wrote, at every cycle read, the bar, beat and tick of the
      transport's frame at TEMPO in 4/4 with 1920 ticks a beat.
  sync_check.py steps-at RECORDED BPM TOLERANCE_FRAMES
      Quom's steps, read off its MIDI out, came a sixteenth of a beat at BPM apart, each
      within TOLERANCE_FRAMES of a sixteenth after the one before, at least a bar of them."""

import sys

RATE = 44100
FRAMES_PER_FOUR_MINUTES = RATE * 60 * 4


def frames_per_step(tempo):
    return FRAMES_PER_FOUR_MINUTES // (tempo * 16)


def fail(message):
    sys.exit(f"FAIL: {message}")


def messages(path):
    """(frame, bytes) per line of "FRAME HEXBYTES..." (the bytes may be spaced)."""
    result = []
    with open(path) as lines:
        for line in lines:
            fields = line.split()
            if len(fields) >= 2 and fields[0].isdigit():
                result.append((int(fields[0]), bytes.fromhex("".join(fields[1:]))))
    return result


def note_ons(recorded):
    return [frame for frame, data in recorded if len(data) == 3 and data[0] & 0xF0 == 0x90 and data[2] > 0]


def follows_clock(sent_path, recorded_path, bpm, tolerance):
    sent = messages(sent_path)
    starts = [frame for frame, data in sent if data[0] in (0xFA, 0xFB)]
    if not starts:
        fail("the clock sent no Start")
    start = starts[0]
    stops = [frame for frame, data in sent if data[0] == 0xFC]
    stop = stops[0] if stops else max(frame for frame, _ in sent)
    step_frames = RATE * 60.0 / (bpm * 4)
    notes = note_ons(messages(recorded_path))
    # After Stop the block that carries it may still hold a step; none after that block.
    late = [frame for frame in notes if frame >= stop + 256]
    if stops and late:
        fail(f"{len(late)} notes after Stop at frame {stop}, the first at {late[0]}")
    worst, checked = 0, 0
    step = 4  # after the first beat
    while start + step * step_frames < stop - tolerance:
        want = start + step * step_frames
        got = min(notes, key=lambda frame: abs(frame - want), default=None)
        if got is None or abs(got - want) > tolerance:
            fail(f"step {step} should start at frame {want:.0f}, the nearest note is at {got}")
        worst = max(worst, abs(got - want))
        checked += 1
        step += 1
    steady = [frame for frame in notes if start + 4 * step_frames - tolerance <= frame < stop - tolerance]
    if len(steady) != checked:
        fail(f"{len(steady)} notes for {checked} steps after the first beat")
    print(f"{checked} steps followed, at most {worst:.1f} frames from the clock")


def clock_out(recorded_path, tempo):
    recorded = messages(recorded_path)
    pulses = [frame for frame, data in recorded if data[0] == 0xF8]
    if len(pulses) < 24 * 4:
        fail(f"only {len(pulses)} pulses")
    starts = [frame for frame, data in recorded if data[0] == 0xFA]
    if not starts or starts[0] > pulses[0]:
        fail("no Start before the first pulse")
    step = frames_per_step(tempo)
    first = pulses[0]
    for i, frame in enumerate(pulses):
        want = first + (i // 6) * step + (i % 6) * step // 6
        if frame != want:
            fail(f"pulse {i} at frame {frame}, expected {want}")
    notes = [frame for frame in note_ons(recorded) if frame <= pulses[-1]]
    for n, frame in enumerate(notes):
        if frame != first + n * step:
            fail(f"step {n}'s note at frame {frame}, its first pulse at {first + n * step}")
    if len(notes) != (len(pulses) + 5) // 6:
        fail(f"{len(notes)} notes for {len(pulses)} pulses")
    stops = [frame for frame, data in recorded if data[0] == 0xFC]
    if not stops or stops[-1] < pulses[-1]:
        fail("no Stop after the last pulse")
    print(f"{len(pulses)} pulses and {len(notes)} notes, every one on its frame")


def transport_rows(bbt_path):
    """(cycle frame, transport frame, rolling, bar, beat, tick, bpm or None) per cycle."""
    rows = []
    with open(bbt_path) as lines:
        for line in lines:
            fields = line.split()
            if len(fields) != 7:
                continue
            bbt = None if fields[3] == "-" else (int(fields[3]), int(fields[4]), int(fields[5]), float(fields[6]))
            rows.append((int(fields[0]), int(fields[1]), fields[2] == "1", bbt))
    if not rows:
        fail("the transport was never read")
    return rows


def follows_transport(bbt_path, recorded_path, tempo, period=256):
    rows = transport_rows(bbt_path)
    step = frames_per_step(tempo)
    expected = []
    for cycle, position, rolling, _ in rows:
        if rolling:
            n = -(-position // step)  # the first step boundary at or after the cycle's start
            while n * step < position + period:
                expected.append(cycle + n * step - position)
                n += 1
    if len(expected) < 8:
        fail(f"the transport rolled through only {len(expected)} steps")
    window = (rows[0][0], rows[-1][0] + period)
    notes = [frame for frame in note_ons(messages(recorded_path)) if window[0] <= frame < window[1]]
    for want in expected:
        if not any(abs(frame - want) <= 1 for frame in notes):
            fail(f"no note at frame {want}, where the transport reached a step")
    for frame in notes:
        if not any(abs(frame - want) <= 1 for want in expected):
            fail(f"a note at frame {frame}, where the transport reached no step")
    print(f"{len(expected)} steps, each on the frame the transport reached it")


def master_bbt(bbt_path, tempo):
    rows = transport_rows(bbt_path)
    step = frames_per_step(tempo)
    written = [row for row in rows if row[3] is not None]
    if not any(rolling for _, _, rolling, _ in written):
        fail("no bars written while the transport rolled")
    for cycle, position, _, (bar, beat, tick, bpm) in written:
        steps, into = divmod(position, step)
        beats = steps // 4
        want = (beats // 4 + 1, beats % 4 + 1, ((steps % 4) * step + into) * 1920 // (4 * step))
        if (bar, beat, tick) != want:
            fail(f"at transport frame {position} bar {bar} beat {beat} tick {tick}, expected {want}")
        if abs(bpm - RATE * 60.0 / (4 * step)) > 1e-3:
            fail(f"tempo {bpm} at transport frame {position}")
    print(f"{len(written)} positions written, each the bar, beat and tick of its frame")


def steps_at(recorded_path, bpm, tolerance):
    notes = note_ons(messages(recorded_path))
    if len(notes) < 16:
        fail(f"only {len(notes)} steps played")
    step_frames = RATE * 60.0 / (bpm * 4)
    for n in range(1, len(notes)):
        if abs(notes[n] - notes[n - 1] - step_frames) > tolerance:
            fail(f"step {n} at frame {notes[n]}, {notes[n - 1] + step_frames:.1f} at {bpm} BPM")
    print(f"{len(notes)} steps, a sixteenth of a beat at {bpm} BPM apart")


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "follows-clock":
        follows_clock(args[0], args[1], float(args[2]), float(args[3]))
    elif command == "clock-out":
        clock_out(args[0], int(args[1]))
    elif command == "follows-transport":
        follows_transport(args[0], args[1], int(args[2]))
    elif command == "master-bbt":
        master_bbt(args[0], int(args[1]))
    elif command == "steps-at":
        steps_at(args[0], float(args[1]), float(args[2]))
    else:
        fail(f"unknown check {command}")


if __name__ == "__main__":
    main()
