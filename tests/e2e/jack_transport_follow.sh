# Quom follows JACK's transport (Sync source "JACK transport"): its steps start on the
# frames where the rolling transport reaches them, at its own tempo while no timebase
# master writes one, a locate moves it to the matching step, and it stands while the
# transport stands.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

readonly STEP_FRAMES=5512 # at 120 beats per minute

start_quom_with_sync 'source=2'

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
