# While Quom plays, its JACK port "MIDI Out" sends each painted cell's messages as the
# MIDI export writes them, each on the very frame at which its step starts; closing Quom
# while a note sounds ends that note.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
# 300 beats per minute: 2205 frames a step, 3.2 seconds a pass. Cells on several
# channels and at both ends of the pattern.
readonly FRAMES_PER_STEP=2205
make_project 300 0:0 3:5 17:2 17:30 40:63 63:1 >/dev/null
"$QUOM_BINARY" midi "$E2E_TMP/project/test.qom" -o "$E2E_TMP/export.mid" || fail "quom midi failed"

start_quom "$E2E_TMP/project/test.qom"
wait_for 20 eval 'jack_lsp | grep -qx "Quom:MIDI Out"' || fail "Quom offers no MIDI Out port"
/usr/bin/python3 "$(dirname "$0")/midi_recorder.py" "Quom:MIDI Out" 6 >"$E2E_TMP/sent.txt" \
  2>"$E2E_TMP/recorder.log" &
recorder=$!
e2e_pids+=("$recorder")
wait_for 10 eval 'jack_lsp -c | grep -A1 -x "Quom:MIDI Out" | grep -q "MIDI recorder:in"' \
  || fail "the recorder did not connect"
press_key space
wait "$recorder" || fail "the recorder failed: $(cat "$E2E_TMP/recorder.log")"
cp "$E2E_TMP/sent.txt" "$E2E_ARTIFACTS/$E2E_NAME-sent.txt"

/usr/bin/python3 "$(dirname "$0")/compare_midi.py" "$E2E_TMP/export.mid" "$E2E_TMP/sent.txt" \
  "$FRAMES_PER_STEP" || fail "MIDI out differs from the export"

close_quom

# Every step of row 0 painted, slowly: a note always sounds while the pattern plays.
make_project 20 $(printf '%d:0 ' $(seq 0 63)) >/dev/null
start_quom "$E2E_TMP/project/test.qom"
/usr/bin/python3 "$(dirname "$0")/midi_recorder.py" "Quom:MIDI Out" 8 >"$E2E_TMP/closing.txt" \
  2>>"$E2E_TMP/recorder.log" &
recorder=$!
e2e_pids+=("$recorder")
wait_for 10 eval 'jack_lsp -c | grep -A1 -x "Quom:MIDI Out" | grep -q "MIDI recorder:in"' \
  || fail "the recorder did not connect"
press_key space
sleep 2 # a few steps, each a note
close_quom
wait "$recorder" || fail "the recorder failed: $(cat "$E2E_TMP/recorder.log")"
ons="$(grep -c ' 90 40 7f$' "$E2E_TMP/closing.txt" || true)"
offs="$(grep -c ' 80 40 00$' "$E2E_TMP/closing.txt" || true)"
[ "$ons" -ge 1 ] || fail "no note was played: $(cat "$E2E_TMP/closing.txt")"
[ "$ons" -eq "$offs" ] || fail "$ons notes started, $offs ended: $(cat "$E2E_TMP/closing.txt")"
