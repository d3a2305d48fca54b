# Quom leads JACK's transport ("transport master") while the server goes away: Quom runs
# on, and once a server starts again under the same name it is the new server's timebase
# master, and its Play rolls the new transport with its bars.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

start_quom_with_sync 'transport%20master=1'
# start_jack's server, the second process the test started.
jack_pid="${e2e_pids[1]}"

press_key space
sleep 1
kill -TERM "$jack_pid"
wait "$jack_pid" || true
sleep 2
quom_running || fail "Quom ended with its server"

start_jack
wait_for_quom_midi
# Stop, then Play from the start on the new server.
press_key space
press_key space
sync_probe bbt 2 >"$E2E_TMP/bbt.txt"
sync_check master-bbt "$E2E_TMP/bbt.txt" 120
quom_running || fail "Quom ended"
close_quom
