# Quom follows JACK's transport (Sync source "JACK transport"): its steps start on the
# frames where the rolling transport reaches them, at its own tempo while no timebase
# master writes one, a locate moves it to the matching step, and it stands while the
# transport stands.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

readonly STEP_FRAMES=5512 # at 120 beats per minute

start_display
start_jack
write_audio_settings 'audio%20device=system' 'buffer%20size=256'
add_settings 'Sync%20Settings' 'source=2'
make_project 120 $(every_column) >/dev/null
start_quom "$E2E_TMP/project/test.qom"
wait_for_quom_midi

sync_probe transport locate 0
record_midi_out 12 "$E2E_TMP/recorded.txt"
sync_probe bbt 7 >"$E2E_TMP/bbt.txt" &
reader=$!
sleep 1
sync_probe transport start
sleep 2
sync_probe transport locate $((40 * STEP_FRAMES))
sleep 2
sync_probe transport stop
wait "$reader" || fail "the transport reader failed"
wait_for_recorder
sync_check follows-transport "$E2E_TMP/bbt.txt" "$E2E_TMP/recorded.txt" 120
close_quom
