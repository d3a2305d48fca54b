# A MIDI controller connected to Quom's JACK port "MIDI In" steers the pattern: a
# program change shows another pattern, and the red controller shifts the red of
# every painted cell by the difference between its values.
source "$(dirname "$0")/lib.sh"

# Debian's own interpreter, which the python3-jack-client package installs into.
readonly PYTHON=/usr/bin/python3

start_display
start_jack
make_project 120 5:7 40:50 >/dev/null
start_quom "$E2E_TMP/project/test.qom"

quom_midi_port() {
  jack_lsp 2>/dev/null | grep 'Quom' | grep -m1 'MIDI'
}
wait_for 20 quom_midi_port || fail "Quom offers no MIDI input port on the JACK server"
readonly PORT="$(quom_midi_port)"

# Sends MESSAGE... (each its bytes in hexadecimal) from a client of our own, in one
# process cycle once its output is connected to Quom's port.
cat >"$E2E_TMP/send_midi.py" <<'END'
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
END
send_midi() {
  "$PYTHON" "$E2E_TMP/send_midi.py" "$PORT" "$@" >>"$E2E_TMP/send_midi.log" 2>&1 \
    || fail "could not send $* to $PORT"
}

# The colour shown in the middle of cell (5, 7), 13 x 11 pixels a cell on this screen.
cell_colour() {
  pixel_at "$(screenshot "$1")" $((5 * 13 + 21)) $((7 * 11 + 15))
}
# Waits until the cell shows COLOUR; NAME names the screenshot.
expect_cell() {
  local name="$1" colour="$2"
  wait_for 10 eval '[ "$(cell_colour "$name")" = "$colour" ]' \
    || fail "after $name cell (5, 7) shows $(cell_colour "$name"), not $colour"
}

expect_cell start 'srgb(255,128,128)'
# Program 1 on channel 1 is the second pattern, which is empty.
send_midi C001
expect_cell program-1 'srgb(0,0,0)'
send_midi C000
expect_cell program-0 'srgb(255,128,128)'

# Controller 7 (red): the first value is only a reference, then 20 to 10 takes 20
# from red and 10 to 20 gives it back.
send_midi B00714 B0070A
expect_cell red-down 'srgb(235,128,128)'
send_midi B00714
expect_cell red-up 'srgb(255,128,128)'

close_quom
