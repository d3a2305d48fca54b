# With its own sound off Quom only drives other instruments: a synthesizer connected to
# "Quom:MIDI Out" plays the pattern's notes while Quom's own output stays silent.
source "$(dirname "$0")/lib.sh"

readonly SOUND_FONT=/usr/share/sounds/sf2/FluidR3_GM.sf2
[ -f "$SOUND_FONT" ] || fail "no General MIDI sound font (fluid-soundfont-gm)"

start_display
start_jack
# A note every beat on the first channel (row 0): a piano's E.
make_project 120 0:0 4:0 8:0 12:0 16:0 20:0 24:0 28:0 32:0 36:0 40:0 44:0 48:0 52:0 56:0 60:0 >/dev/null
write_audio_settings 'audio%20device=system'
printf '[MIDI%%20Settings]\nown%%20sound=0\n' >>"$SETTINGS_FILE"

fluidsynth -a jack -m jack -i -s -g 1 -o audio.jack.id=synth -o midi.jack.id=synth \
  "$SOUND_FONT" >"$E2E_TMP/fluidsynth.log" 2>&1 &
e2e_pids+=($!)
wait_for 20 eval 'jack_lsp | grep -q "^synth:.*midi"' || fail "fluidsynth offers no MIDI port"

start_quom "$E2E_TMP/project/test.qom"
wait_for_quom_output
jack_connect "Quom:MIDI Out" "$(jack_lsp | grep -m1 '^synth:.*midi')" || fail "could not connect the synthesizer"
press_key space

# Captures SECONDS seconds of the ports PATTERN into FILE and prints their peak.
peak_of() {
  local file="$1" pattern="$2"
  timeout 25 jack_capture --daemon --bitdepth 16 --recording-time 2 --port "$pattern" "$file" \
    >>"$E2E_TMP/capture.log" 2>&1 || fail "jack_capture failed"
  "$QUOM_WAVEPROBE" info "$file" | sed -E 's/.*peak=([0-9]+).*/\1/'
}
synth_peak="$(peak_of "$E2E_TMP/synth.wav" 'synth:*')"
quom_peak="$(peak_of "$E2E_TMP/quom.wav" 'Quom:out_*')"
echo "synthesizer peak $synth_peak, Quom's own peak $quom_peak"
[ "$synth_peak" -gt 300 ] || fail "the synthesizer is silent (peak $synth_peak)"
[ "$quom_peak" -eq 0 ] || fail "Quom sounds with its own sound off (peak $quom_peak)"

close_quom
