# When the JACK server stops under it, Quom keeps running and says so; when a server of
# the same name starts again, Quom's client and ports come back and it plays on.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
jackd_pid="${e2e_pids[-1]}"
make_project 120 0:0 4:1 8:2 12:3 >/dev/null
write_audio_settings 'audio%20device=system'
start_quom "$E2E_TMP/project/test.qom"
wait_for_quom_output
press_key space

kill -TERM "$jackd_pid"
wait_for 10 eval '! kill -0 "$jackd_pid" 2>/dev/null' || fail "jackd did not stop"
wait_for 10 grep -q "The JACK server stopped" "$E2E_TMP/quom.log" \
  || fail "Quom did not say that the server stopped: $(cat "$E2E_TMP/quom.log")"
sleep 2
quom_running || fail "Quom ended with the server"
"$QUOM_XCTL" title "Quom 1.1" >/dev/null || fail "Quom's window went away"

start_jack
wait_for_quom_output
wait_for 10 grep -q "The JACK server is back" "$E2E_TMP/quom.log" || fail "Quom did not say the server is back"
capture_output "$E2E_TMP/again.wav" 2
info="$("$QUOM_WAVEPROBE" info "$E2E_TMP/again.wav")"
[[ "$info" != *"peak=0 "* ]] || fail "Quom is silent on the new server: $info"

close_quom
