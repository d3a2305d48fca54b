# A MIDI controller connected to Quom's JACK port "MIDI In" steers the pattern: a
# program change shows another pattern, and the red controller shifts the red of
# every painted cell by the difference between its values.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
make_project 120 5:7 40:50 >/dev/null
start_quom "$E2E_TMP/project/test.qom"

quom_midi_port() {
  jack_lsp 2>/dev/null | grep 'Quom' | grep -m1 'MIDI'
}
wait_for 20 quom_midi_port || fail "Quom offers no MIDI input port on the JACK server"
readonly PORT="$(quom_midi_port)"

send_midi() {
  send_jack_midi "$PORT" "$@"
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
