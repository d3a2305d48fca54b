# Quom follows a MIDI clock at 100 beats per minute sent to its MIDI In, its pattern at
# 120: after the first beat each step's note leaves its MIDI Out within one millisecond of
# the step's frame, even while the pulses wobble by JITTER_MS either way, and Stop stops
# the steps while the pulses go on.
# Argument: JITTER_MS.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

readonly JITTER_MS="$1"
readonly MILLISECOND_FRAMES=44

start_quom_with_sync 'source=1'

record_midi_out 10 "$E2E_TMP/recorded.txt"
sync_probe send-clock "$QUOM_MIDI_IN" 100 7 --start --stop-after 5 --jitter-ms "$JITTER_MS" --seed 25 \
  >"$E2E_TMP/sent.txt"
wait_for_recorder
sync_check follows-clock "$E2E_TMP/sent.txt" "$E2E_TMP/recorded.txt" 100 "$MILLISECOND_FRAMES"
close_quom
