# A first start on a clean machine: the working folders appear, the window shows the
# empty grid and the CPU load with the new project's name, the device libraries print
# nothing, and a normal close leaves all 24 settings with their defaults in the per-user store.
source "$(dirname "$0")/lib.sh"

start_display
start_quom

for folder in Patterns Filters Waves Kits Output Projects Pictures Midi; do
  [ -d "$QUOM_HOME/$folder" ] || fail "the $folder folder was not created"
done
[ ! -e "$SETTINGS_FILE" ] || fail "settings were written before the exit"

title_shows_load() {
  title="$("$QUOM_XCTL" title "Quom 1.1")"
  [[ "$title" =~ ^"Quom 1.1  -  CPU load: "[0-9]+"%  -  untitled"$ ]]
}
wait_for 5 title_shows_load || fail "title: $title"

# The dark window with the empty grid: black cells between grey lines.
shot="$(screenshot window)"
[ "$(pixel_at "$shot" 5 5)" = "srgb(34,34,34)" ] || fail "window background: $(pixel_at "$shot" 5 5)"
crop "$shot" "$E2E_TMP/grid.png" 20 20 500 500
black="$(pixels_of_colour "$E2E_TMP/grid.png" 0 0 0)"
[ "$black" -gt 150000 ] || fail "the grid shows only $black black pixels"

close_quom

# Without a sound card or a JACK server, the sound and MIDI libraries' reports of the
# devices they could not open stay unprinted.
! grep -E '^ALSA lib|jack server|Cannot connect to server' "$E2E_TMP/quom.log" \
  || fail "Quom printed the device libraries' messages"

[ -f "$SETTINGS_FILE" ] || fail "no settings written at the exit"
# The audio device defaults to the machine's default output device, whatever it is.
grep -q '^audio%20device=' "$SETTINGS_FILE" || fail "the audio device was not written"
# Without a sound card (as on CI machines) the stream stays closed and the load reads 0.
if grep -qx 'audio%20device=' "$SETTINGS_FILE"; then
  [ "$title" = "Quom 1.1  -  CPU load: 0%  -  untitled" ] || fail "without a device the title shows: $title"
fi
diff -u - <(grep -v '^audio%20device=' "$SETTINGS_FILE" | grep -v '^$') <<'END' || fail "settings differ"
[Audio%20Settings]
audio%20editor=audacity
buffer%20size=256
interpolation=1
number%20of%20buffers=0
own%20sample%20rate=0
[General%20Settings]
confirmation%20messages=1
default%20kit=1
stem%20files=0
stem%20format=1
switch%20patterns=0
zoom=0
[MIDI%20Settings]
MIDI%20IN%20channel=0
MIDI%20IN%20port=0
MIDI%20OUT%20mapping=0
MIDI%20OUT%20port=-1
cc%20blue=24
cc%20green=10
cc%20red=7
cc%20rotation=23
cc%20tempo=20
cc%20x=21
cc%20y=22
own%20sound=1
[Sync%20Settings]
clock%20out=0
source=0
transport%20master=0
[Video%20Settings]
source=
END
