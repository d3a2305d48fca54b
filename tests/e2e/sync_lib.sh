# Shared by the sync tests, after lib.sh: Quom started with Sync settings, its MIDI ports on
# the test's JACK server, a recorder of its MIDI out, and sync_probe.py and sync_check.py
# (Debian's own interpreter, which the python3-jack-client package installs into).
readonly E2E_DIR="$(dirname "${BASH_SOURCE[0]}")"
readonly QUOM_MIDI_IN="Quom:MIDI In"
readonly QUOM_MIDI_OUT="Quom:MIDI Out"

# Appends a section of settings to the settings file: SECTION (as the file spells it,
# such as Sync%20Settings), then lines such as 'source=1'.
add_settings() {
  printf '[%s]\n' "$1" >>"$SETTINGS_FILE"
  shift
  printf '%s\n' "$@" >>"$SETTINGS_FILE"
}

# Starts a display, a JACK server and Quom on a pattern at 120 beats per minute with a
# note in every column, with the Sync settings given as lines such as 'source=1'.
start_quom_with_sync() {
  start_display
  start_jack
  write_audio_settings 'audio%20device=system' 'buffer%20size=256'
  add_settings 'Sync%20Settings' "$@"
  make_project 120 $(for column in $(seq 0 63); do printf '%s:0 ' "$column"; done) >/dev/null
  start_quom "$E2E_TMP/project/test.qom"
  wait_for_quom_midi
}

wait_for_quom_midi() {
  wait_for 20 eval 'jack_lsp 2>/dev/null | grep -qx "$QUOM_MIDI_OUT"' || fail "Quom offers no $QUOM_MIDI_OUT port"
  wait_for 20 eval 'jack_lsp 2>/dev/null | grep -qx "$QUOM_MIDI_IN"' || fail "Quom offers no $QUOM_MIDI_IN port"
}

# Records Quom's MIDI out for SECONDS into FILE in the background (its process id in
# RECORDER_PID), and returns once the recorder is connected.
record_midi_out() {
  /usr/bin/python3 "$E2E_DIR/midi_recorder.py" "$QUOM_MIDI_OUT" "$1" >"$2" 2>"$E2E_TMP/recorder.log" &
  RECORDER_PID=$!
  wait_for 20 eval '[ "$(jack_lsp -c "$QUOM_MIDI_OUT" 2>/dev/null | wc -l)" -gt 1 ]' \
    || fail "the recorder did not connect to $QUOM_MIDI_OUT"
}

wait_for_recorder() {
  wait "$RECORDER_PID" || fail "the recorder failed: $(cat "$E2E_TMP/recorder.log")"
}

sync_probe() {
  /usr/bin/python3 "$E2E_DIR/sync_probe.py" "$@" 2>>"$E2E_TMP/sync_probe.log" || fail "sync_probe.py $* failed"
}

sync_check() {
  /usr/bin/python3 "$E2E_DIR/sync_check.py" "$@" || fail "sync_check.py $1"
}
