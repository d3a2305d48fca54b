# Record (Enter) while Quom plays through a JACK server: the recording in the Output
# folder starts with the silence before Play and holds the same sound as what reached
# the server.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
write_audio_settings 'audio%20device=system'
make_project 120 0:0 4:1 9:2 16:3 >/dev/null
start_quom "$E2E_TMP/project/test.qom"
wait_for_quom_output

capture_output "$E2E_TMP/heard.wav" 5 &
capture=$!
sleep 1
press_key Return
sleep 0.5
press_key space
sleep 2.5
press_key space
press_key Return
wait "$capture" || fail "capture failed"
close_quom

recording="$QUOM_HOME/Output/output1.wav"
[ -f "$recording" ] || fail "Record made no file"
info="$("$QUOM_WAVEPROBE" info "$recording")"
echo "$info"
[[ "$info" == "channels=2 rate=44100 bits=16 "* ]] || fail "unexpected recording format: $info"
first="$(sed -E 's/.*first=(-?[0-9]+).*/\1/' <<<"$info")"
[ "$first" -gt 0 ] || fail "the recording does not start with the silence before Play"
"$QUOM_WAVEPROBE" same "$recording" "$E2E_TMP/heard.wav" || fail "the recording differs from what was heard"
