# With a JACK server as its sound card Quom opens its stream on the configured device
# and, with playback stopped, plays digital silence, continuously; the title shows the
# stream's load. Its clients on the server, for sound and MIDI, are all called Quom.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
write_audio_settings 'audio%20device=system'
start_quom
wait_for_quom_output

# Every client Quom opens on the server, for sound and for MIDI, is called Quom (JACK
# numbers the later ones).
clients="$(jack_lsp 2>/dev/null | sed 's/:.*//' | sort -u | grep -vx system)"
[ "$(grep -Ecx 'Quom(-[0-9]+)?' <<<"$clients")" -ge 2 ] && ! grep -Evx 'Quom(-[0-9]+)?' <<<"$clients" \
  || fail "clients on the server: $(tr "\n" " " <<<"$clients")"

capture_output "$E2E_TMP/silence.wav" 2
info="$("$QUOM_WAVEPROBE" info "$E2E_TMP/silence.wav")"
echo "$info"
[[ "$info" == "channels=2 rate=44100 bits=16 "* ]] || fail "unexpected capture format: $info"
frames="$(sed -E 's/.*frames=([0-9]+).*/\1/' <<<"$info")"
[ "$frames" -ge 80000 ] || fail "only $frames frames captured in 2 seconds"
[[ "$info" == *"peak=0 first=-1" ]] || fail "a stopped Quom is not silent: $info"

title="$("$QUOM_XCTL" title "Quom 1.1")"
[[ "$title" =~ ^"Quom 1.1  -  CPU load: "[0-9]+"%  -  untitled"$ ]] || fail "title: $title"

close_quom
