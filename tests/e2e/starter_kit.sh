# A first start writes the starter kit and loads it as the default kit: one cell painted
# with the pencil on row 0 plays the kick as soon as Space starts playback.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
write_audio_settings 'audio%20device=system'
start_quom
wait_for_quom_output

[ -f "$QUOM_HOME/Kits/default.kit" ] || fail "no default kit was written"
sounds="$(find "$QUOM_HOME/Waves/Starter" -name '*.wav' | wc -l)"
[ "$sounds" -eq 64 ] || fail "$sounds starter sounds, expected 64"

# Cell (0, 0) of 13 x 11 pixel cells starts at window pixel (15, 10); the pencil is
# the tool at the start and paints on the press.
"$QUOM_XCTL" click "Quom 1.1" 21 15 || fail "could not click the canvas"
sleep 0.3
shot="$(screenshot painted)"
[ "$(pixel_at "$shot" 21 15)" = "srgb(255,50,100)" ] || fail "the cell shows $(pixel_at "$shot" 21 15)"

capture_output "$E2E_TMP/heard.wav" 3 &
capture=$!
sleep 1
press_key space
wait "$capture" || fail "capture failed"
press_key space
# The painted cell is a change: closing asks, and d discards it.
close_answering d
expect_normal_end

info="$("$QUOM_WAVEPROBE" info "$E2E_TMP/heard.wav")"
echo "$info"
peak="$(sed -E 's/.*peak=([0-9]+).*/\1/' <<<"$info")"
[ "$peak" -gt 3000 ] || fail "the painted kick was not heard (peak $peak)"
