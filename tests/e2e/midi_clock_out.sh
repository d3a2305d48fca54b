# Quom leads a MIDI clock on its MIDI Out ("clock out"): Start, 24 pulses a beat at the
# pattern's tempo on exactly the frames its steps divide into, each step's note on its
# step's first pulse, and Stop when it stops.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

start_quom_with_sync 'clock%20out=1'

record_midi_out 8 "$E2E_TMP/recorded.txt"
press_key space
sleep 4
press_key space
wait_for_recorder
sync_check clock-out "$E2E_TMP/recorded.txt" 120
close_quom
