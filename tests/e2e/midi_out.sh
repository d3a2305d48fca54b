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
wait_for_quom_output
/usr/bin/python3 "$(dirname "$0")/midi_recorder.py" "Quom:MIDI Out" 6 >"$E2E_TMP/sent.txt" \
  2>"$E2E_TMP/recorder.log" &
recorder=$!
e2e_pids+=("$recorder")
/usr/bin/python3 "$(dirname "$0")/onset_recorder.py" "Quom:out_0" 6 >"$E2E_TMP/onsets.txt" \
  2>"$E2E_TMP/onsets.log" &
onsets=$!
e2e_pids+=("$onsets")
wait_for 10 eval 'jack_lsp -c | grep -A1 -x "Quom:MIDI Out" | grep -q "MIDI recorder:in"' \
  || fail "the recorder did not connect"
wait_for 10 eval 'jack_lsp -c | grep -A2 -x "Quom:out_0" | grep -q "Onset recorder:in"' \
  || fail "the onset recorder did not connect"
press_key space
wait "$recorder" || fail "the recorder failed: $(cat "$E2E_TMP/recorder.log")"
wait "$onsets" || fail "the onset recorder failed: $(cat "$E2E_TMP/onsets.log")"
cp "$E2E_TMP/sent.txt" "$E2E_ARTIFACTS/$E2E_NAME-sent.txt"

/usr/bin/python3 "$(dirname "$0")/compare_midi.py" "$E2E_TMP/export.mid" "$E2E_TMP/sent.txt" \
  "$FRAMES_PER_STEP" || fail "MIDI out differs from the export"
# The same frames as Quom's own sound: over the first pass (both recordings hold it
# whole), each note starts on the frame its click does.
first="$(awk '$2 ~ /^9/ { print $1; exit }' "$E2E_TMP/sent.txt")"
[ -n "$first" ] || fail "no note was sent"
end=$((first + 64 * FRAMES_PER_STEP))
note_ons="$(awk -v end="$end" '$2 ~ /^9/ && $1 < end { print $1 }' "$E2E_TMP/sent.txt" | sort -un)"
sounds="$(awk -v end="$end" '$1 < end' "$E2E_TMP/onsets.txt" | sort -un)"
[ "$note_ons" = "$sounds" ] || fail "notes at $(tr "\n" " " <<<"$note_ons"), sounds at $(tr "\n" " " <<<"$sounds")"

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
