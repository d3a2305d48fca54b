# Quom follows a Link session (Sync source Link) with a peer: the peer's tempo and start
# reach Quom, whose steps then come a sixteenth of the peer's beat apart on its MIDI out;
# Quom's tempo, set by its tempo controller, reaches the peer; the peer's stop stops Quom.
# Link announces itself on every network interface, so Quom and the peer run in a network
# namespace of the test's own, with its loopback alone.
if [ -z "${E2E_PRIVATE_NETWORK:-}" ]; then
  export E2E_PRIVATE_NETWORK=1
  flags=-rn
  [ "$(id -u)" -eq 0 ] && flags=-n
  unshare "$flags" true 2>/dev/null || exit 77
  exec unshare "$flags" bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"
: "${QUOM_LINKPEER:?}"
[ "$(ip -o link | awk -F': ' '{print $2}')" = lo ] || fail "the namespace has interfaces besides the loopback"

mkfifo "$E2E_TMP/peer.in"
"$QUOM_LINKPEER" 120 <"$E2E_TMP/peer.in" >"$E2E_TMP/peer.out" 2>"$E2E_TMP/peer.log" &
e2e_pids+=($!)
exec 7>"$E2E_TMP/peer.in"
# The peer's state (peers, tempo, playing) after its answers so far.
peer_state() {
  echo "state 0" >&7
  sleep 0.2
  grep '^state' "$E2E_TMP/peer.out" | tail -n1
}

start_quom_with_sync 'source=3'
wait_for 20 eval '[[ "$(peer_state)" == "state 1 "* ]]' || fail "Quom did not join the peer's session"

echo "tempo 100" >&7
echo "play" >&7
sleep 1.5 # the tempo reaches Quom within a second, and the pattern starts on the next bar
record_midi_out 3 "$E2E_TMP/recorded.txt"
wait_for_recorder
# Link times the beat on the host's clock, and the dummy driver's frames keep only roughly
# to it on a busy machine: 5 ms here; the phase within 1 ms is platform.LinkSync's, on
# JACK's own cycle times.
sync_check steps-at "$E2E_TMP/recorded.txt" 100 220

# Controller 20 on channel 1 sets Quom's tempo: value 64 of 0..127 over 1..350.
send_jack_midi "$QUOM_MIDI_IN" B01440
wait_for 10 eval '[[ "$(peer_state)" =~ ^state\ 1\ 17[0-9]\. ]]' \
  || fail "Quom's tempo did not reach the peer: $(peer_state)"

echo "stop" >&7
sleep 1
record_midi_out 1 "$E2E_TMP/stopped.txt"
wait_for_recorder
! grep -q ' 9' "$E2E_TMP/stopped.txt" || fail "Quom played on after the peer stopped"
echo quit >&7
close_answering d # the tempo set is a change to the project
expect_normal_end
