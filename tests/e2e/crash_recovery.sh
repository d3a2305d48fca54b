# Quom killed while it records, with a painted cell not saved: a second Quom started
# meanwhile leaves the first one's copy alone; the next start after the kill finishes
# the recording, asks whether to restore the work (Yes, with Return) and shows the cell
# again, still as unsaved work; closing asks about it, and discarding it removes the copy.
source "$(dirname "$0")/lib.sh"

# A copy every second instead of every 30.
export QUOM_RECOVERY_SECONDS=1
readonly RECORDING="$QUOM_HOME/Output/output1.wav"
readonly QUESTION="Quom: unsaved work"
# The pencil's colour (255, 50, 100) as a cell word, red in the low byte.
readonly PAINTED=$((100 * 65536 + 50 * 256 + 255))

# Each running Quom keeps its own copy, named after it, beside a lock it holds.
copies() {
  find "$QUOM_HOME" -maxdepth 1 -name 'recovery*.qom' | sort
}
locks() {
  find "$QUOM_HOME" -maxdepth 1 -name 'recovery*.lock' | wc -l
}
one_copy() {
  [ "$(copies | wc -l)" -eq 1 ]
}

frames_of() {
  "$QUOM_WAVEPROBE" info "$1" | sed -E 's/.*frames=([0-9]+).*/\1/'
}

# A server whose client was killed in the middle of a cycle of --sync waits for it for
# ever: the next start gets a fresh one.
restart_jack() {
  kill "$JACK_PID" 2>/dev/null || true
  wait_for 5 eval "! kill -0 $JACK_PID 2>/dev/null" || kill -KILL "$JACK_PID" 2>/dev/null || true
  wait "$JACK_PID" 2>/dev/null || true
  start_jack
  JACK_PID="${e2e_pids[-1]}"
}

start_display
start_jack
JACK_PID="${e2e_pids[-1]}"
write_audio_settings 'audio%20device=system'
start_quom
wait_for_quom_output
sleep 1.5
[ -z "$(copies)" ] || fail "a copy was written before anything changed"

# Cell (0, 0) starts at window pixel (15, 10); the pencil paints on the press.
"$QUOM_XCTL" click "Quom 1.1" 21 15 || fail "could not click the canvas"
press_key Return
wait_for 10 one_copy || fail "the unsaved work was not copied"
COPY="$(copies)"
"$QUOM_BINARY" info "$COPY" --json | grep -q "\"cells\":\[$PAINTED," \
  || fail "the copy does not hold the painted cell"
sleep 3

# A second Quom on the same folder (a double-click on a file does it) while the first
# runs: the first one's work is not offered to it, and its copy stays.
FIRST_PID="$QUOM_PID"
"$QUOM_BINARY" >"$E2E_TMP/second.log" 2>&1 &
SECOND_PID=$!
e2e_pids+=("$SECOND_PID")
wait_for 30 eval '[ "$(locks)" -eq 2 ]' || fail "the second Quom did not start"
sleep 2
! "$QUOM_XCTL" title "$QUESTION" >/dev/null 2>&1 || fail "the second Quom offered the first one's work"
[ "$(copies)" = "$COPY" ] || fail "the second Quom touched the first one's copy"

kill -KILL "$FIRST_PID" "$SECOND_PID"
wait "$FIRST_PID" "$SECOND_PID" 2>/dev/null || true
restart_jack

[ -f "$RECORDING.partial" ] || fail "no unfinished recording was left"
left="$(frames_of "$RECORDING.partial")" || fail "the unfinished recording is not a wave file"
echo "frames in the unfinished recording: $left"
[ "$left" -gt 44100 ] || fail "the unfinished recording keeps only $left frames"

start_quom
"$QUOM_XCTL" wait "$QUESTION" 20 >/dev/null || fail "Quom did not offer the unsaved work"
"$QUOM_XCTL" key "$QUESTION" Return || fail "could not answer"
wait_for 10 eval '! "$QUOM_XCTL" title "$QUESTION" >/dev/null 2>&1' || fail "the question stayed"

[ ! -e "$RECORDING.partial" ] || fail "the recording was not finished"
finished="$(frames_of "$RECORDING")" || fail "the finished recording is not a wave file"
echo "frames in the finished recording: $finished"
[ "$finished" -ge "$left" ] || fail "finishing lost sound: $finished < $left frames"
[ "$(stat -c %s "$RECORDING")" -eq $((56 + 4 * finished)) ] || fail "the sizes do not match the file"

sleep 0.3
shot="$(screenshot restored)"
[ "$(pixel_at "$shot" 21 15)" = "srgb(255,50,100)" ] || fail "the restored cell shows $(pixel_at "$shot" 21 15)"

# Restored work becomes this run's copy; one removed is written again, unchanged.
wait_for 10 one_copy || fail "the restored work has no copy"
[ "$(copies)" != "$COPY" ] || fail "the restored work is still in the killed Quom's copy"
[ "$(locks)" -eq 1 ] || fail "the killed Quoms' locks were left behind"
COPY="$(copies)"
rm -f "$COPY"
wait_for 10 test -f "$COPY" || fail "the restored work was not copied again"

# Closing asks about the unsaved work.
close_answering d
expect_normal_end
[ -z "$(copies)" ] || fail "discarding the work left the copy"
[ "$(locks)" -eq 0 ] || fail "a Quom that ended left its lock"

# Without a copy nothing is asked.
start_quom
sleep 1
! "$QUOM_XCTL" title "$QUESTION" >/dev/null 2>&1 || fail "asked without a copy"
close_quom
