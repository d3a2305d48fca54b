# Quom as JACK's timebase master ("transport master"): Play starts the transport from its
# start and Stop stops it, another client reads Quom's bar, beat, tick and tempo at every
# frame it stands at, and Quom's steps start on the frames its bars put them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

start_quom_with_sync 'transport%20master=1'

record_midi_out 10 "$E2E_TMP/recorded.txt"
sync_probe bbt 6 >"$E2E_TMP/bbt.txt" &
reader=$!
sleep 1
press_key space
sleep 3
press_key space
wait "$reader" || fail "the transport reader failed"
wait_for_recorder
sync_check master-bbt "$E2E_TMP/bbt.txt" 120
sync_check follows-transport "$E2E_TMP/bbt.txt" "$E2E_TMP/recorded.txt" 120
[ "$(tail -n1 "$E2E_TMP/bbt.txt" | cut -d' ' -f3)" = 0 ] || fail "Quom's Stop did not stop the transport"
close_quom
