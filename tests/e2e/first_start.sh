# A first start on a clean machine: the working folders appear, the window shows, and
# a normal close leaves all 16 settings with their defaults in the per-user store.
source "$(dirname "$0")/lib.sh"

start_display
start_quom

for folder in Patterns Filters Waves Kits Output Projects Pictures Midi; do
  [ -d "$QUOM_HOME/$folder" ] || fail "the $folder folder was not created"
done
[ ! -e "$SETTINGS_FILE" ] || fail "settings were written before the exit"

shot="$(screenshot window)"
[ -s "$shot" ] || fail "empty screenshot"

close_quom

[ -f "$SETTINGS_FILE" ] || fail "no settings written at the exit"
# The audio device defaults to the machine's default output device, whatever it is.
grep -q '^audio%20device=' "$SETTINGS_FILE" || fail "the audio device was not written"
diff -u - <(grep -v '^audio%20device=' "$SETTINGS_FILE" | grep -v '^$') <<'END' || fail "settings differ"
[Audio%20Settings]
audio%20editor=audacity
buffer%20size=256
interpolation=1
number%20of%20buffers=0
[General%20Settings]
confirmation%20messages=1
default%20kit=1
[MIDI%20Settings]
MIDI%20IN%20channel=0
MIDI%20IN%20port=0
cc%20blue=24
cc%20green=10
cc%20red=7
cc%20rotation=23
cc%20tempo=20
cc%20x=21
cc%20y=22
END
