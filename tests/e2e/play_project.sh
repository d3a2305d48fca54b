# Quom plays a project given on the command line through a JACK server: after Space
# the notes start at the frames the engine defines, within one buffer.
source "$(dirname "$0")/lib.sh"

readonly BUFFER=256

start_display
start_jack
write_audio_settings 'audio%20device=system' "buffer%20size=$BUFFER"
mapfile -t expected < <(make_project 120 0:0 4:1 9:2 16:3)
# A relative path, from where Quom was started (it then moves to its own folder).
cd "$E2E_TMP/project"
start_quom test.qom
cd "$E2E_TMP"
wait_for_quom_output

capture_output "$E2E_TMP/heard.wav" 4 &
capture=$!
sleep 1
press_key space
wait "$capture" || fail "capture failed"
press_key space
close_quom

mapfile -t heard < <("$QUOM_WAVEPROBE" onsets "$E2E_TMP/heard.wav" 1000)
echo "expected onsets: ${expected[*]}; heard: ${heard[*]}"
[ "${#heard[@]}" -ge "${#expected[@]}" ] || fail "heard ${#heard[@]} notes, expected ${#expected[@]}"
for i in "${!expected[@]}"; do
  want=$((expected[i] - expected[0]))
  got=$((heard[i] - heard[0]))
  [ $((got - want)) -le $BUFFER ] && [ $((want - got)) -le $BUFFER ] \
    || fail "note $i starts at frame $got after the first, expected $want"
done
