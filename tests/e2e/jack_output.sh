# With a JACK server as its sound card Quom opens its stream on the configured device
# and, with playback stopped, plays digital silence, continuously; the title shows the
# stream's load. One client "Quom" on the server carries its sound and its MIDI ports.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
write_audio_settings 'audio%20device=system'
start_quom
wait_for_quom_output

# Sound and MIDI in one client, so that its MIDI events carry the frames of its sound.
clients="$(jack_lsp 2>/dev/null | sed 's/:.*//' | sort -u | grep -vx system)"
[ "$clients" = Quom ] || fail "clients on the server: $(tr "\n" " " <<<"$clients")"
ports="$(jack_lsp 2>/dev/null | grep '^Quom:' | sort | tr "\n" " ")"
[ "$ports" = "Quom:MIDI In Quom:MIDI Out Quom:out_0 Quom:out_1 " ] || fail "Quom's ports: $ports"

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
