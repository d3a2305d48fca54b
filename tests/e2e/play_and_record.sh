# Quom plays a project through a JACK server: Space starts playback, the notes start
# at the frames the engine defines (within one buffer), and a recording made with
# Record holds the same sound as what reached the server.
source "$(dirname "$0")/lib.sh"

readonly BUFFER=256
readonly TEMPO=120

start_display
start_jack
write_audio_settings 'audio%20device=system' "buffer%20size=$BUFFER"
mapfile -t expected < <(make_project "$TEMPO" 0:0 4:1 9:2 16:3)
start_quom "$E2E_TMP/project/test.qom"
wait_for_quom_output

capture_output "$E2E_TMP/heard.wav" 5 &
capture=$!
sleep 1
press_key Return # record
press_key space # play
sleep 2
shot="$(screenshot playing)"
press_key space # stop
press_key Return # stop recording
wait "$capture" || fail "capture failed"
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

recording="$QUOM_HOME/Output/output1.wav"
[ -f "$recording" ] || fail "Record made no file"
"$QUOM_WAVEPROBE" info "$recording"
"$QUOM_WAVEPROBE" same "$recording" "$E2E_TMP/heard.wav" || fail "the recording differs from what was heard"
