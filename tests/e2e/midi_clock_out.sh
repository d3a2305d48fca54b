# Quom leads a MIDI clock on its MIDI Out ("clock out"): Start, 24 pulses a beat at the
# pattern's tempo on exactly the frames its steps divide into, each step's note on its
# step's first pulse, and Stop when it stops.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sync_lib.sh"

start_display
start_jack
write_audio_settings 'audio%20device=system' 'buffer%20size=256'
add_settings 'Sync%20Settings' 'clock%20out=1'
make_project 120 $(every_column) >/dev/null
start_quom "$E2E_TMP/project/test.qom"
wait_for_quom_midi

record_midi_out 8 "$E2E_TMP/recorded.txt"
press_key space
sleep 4
press_key space
wait_for_recorder
sync_check clock-out "$E2E_TMP/recorded.txt" 120
close_quom
