# Under a JACK server that does not run real-time, Quom makes its audio thread and the
# thread that reads its MIDI port real-time where the system allows it, and where it
# does not (no privilege, no system bus to reach rtkit) plays on at normal priority.
# Under Quom's own JACK client the two are one thread, its process callback.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
make_project 120 0:0 4:1 8:2 12:3 >/dev/null
write_audio_settings 'audio%20device=system'
export QUOM_DEVICE_MESSAGES=1
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus"

# Plays the project with a MIDI message on the way; fails unless Quom is heard.
play_with_midi() {
  start_quom "$E2E_TMP/project/test.qom"
  wait_for_quom_output
  wait_for 20 eval 'jack_lsp | grep -q "Quom.*MIDI"' || fail "Quom offers no MIDI port"
  send_jack_midi "$(jack_lsp | grep -m1 'Quom.*MIDI')" B01540
  press_key space
  capture_output "$E2E_TMP/heard.wav" 2
  info="$("$QUOM_WAVEPROBE" info "$E2E_TMP/heard.wav")"
  [[ "$info" != *"peak=0 "* ]] || fail "Quom is silent: $info"
}

# Fails unless Quom's device messages say of its audio and MIDI threads that they OUTCOME
# (or, the second time one thread is asked about, that it already does).
expect_threads() {
  local outcome="$1" role
  for role in audio MIDI; do
    wait_for 5 grep -Eq "the $role thread [0-9]* (already )?$outcome" "$E2E_TMP/quom.log" \
      || fail "the $role thread does not say it $outcome: $(cat "$E2E_TMP/quom.log")"
  done
}

# How many of Quom's threads run under a real-time policy (FF, RR).
realtime_threads() {
  ps -L -o cls= -p "$QUOM_PID" | grep -Ec 'FF|RR' || true
}

# Whether this machine lets the test's own processes run real-time at all: a container
# may refuse it even to root.
realtime_allowed=0
chrt --fifo 1 true 2>/dev/null && realtime_allowed=1

# Neither a real-time limit nor, for root, the capability that passes over it. Root
# that may run real-time but not drop the capability cannot be refused: that part waits
# for another machine.
refusable=1
drop=()
if [ "$realtime_allowed" -eq 1 ] && [ "$(id -u)" -eq 0 ]; then
  drop=(setpriv --inh-caps=-sys_nice --bounding-set=-sys_nice --)
  "${drop[@]}" true 2>/dev/null || refusable=0
fi
real_binary="$QUOM_BINARY"
if [ "$refusable" -eq 1 ]; then
  unprivileged="$E2E_TMP/unprivileged"
  printf '#!/bin/sh\nexec prlimit --rtprio=0 %s "%s" "$@"\n' "${drop[*]}" "$QUOM_BINARY" >"$unprivileged"
  chmod +x "$unprivileged"
  QUOM_BINARY="$unprivileged"
  play_with_midi
  expect_threads "stays at normal priority"
  [ "$(realtime_threads)" -eq 0 ] || fail "a thread runs real-time without the right to"
  close_quom
fi

# Root may set the policy itself, where the machine allows it: the audio and MIDI
# threads run real-time.
if [ "$(id -u)" -eq 0 ] && [ "$realtime_allowed" -eq 1 ]; then
  QUOM_BINARY="$real_binary"
  play_with_midi
  expect_threads "runs real-time"
  [ "$(realtime_threads)" -ge 1 ] || fail "$(realtime_threads) threads run real-time"
  close_quom
fi
