# A video file named in the settings plays in the Video window as a camera would:
# looped, its colour paints the painted cells while empty cells stay empty, and
# Escape gives the pattern back as it was.
source "$(dirname "$0")/lib.sh"

# Two seconds of green, then two of blue, as Theora in Ogg: GStreamer's base plugins
# alone play it, and its colours come through within a step or two. (Motion JPEG
# comes out some 25 steps off per channel, which would hide a real colour fault.)
readonly VIDEO="$E2E_TMP/two colours.ogv"
ffmpeg -hide_banner -loglevel error -f lavfi -i 'color=c=0x28c85a:s=64x64:r=10:d=2' \
  -f lavfi -i 'color=c=0x3c50dc:s=64x64:r=10:d=2' -filter_complex '[0][1]concat=n=2:v=1' \
  -c:v libtheora -q:v 10 "$VIDEO" >"$E2E_TMP/ffmpeg.log" 2>&1 \
  || fail "ffmpeg could not write the video"

mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '[Video%%20Settings]\nsource=%s\n' "$VIDEO" >"$SETTINGS_FILE"

start_display
# Cells near the corners, clear of the Video window in the middle of the screen.
make_project 120 5:7 58:60 >/dev/null
start_quom "$E2E_TMP/project/test.qom"

# The colour shown in the middle of cell (COLUMN, ROW) of 13 x 11 pixels, as "R G B".
cell_colour() {
  local shot="$1" column="$2" row="$3" colour
  colour="$(pixel_at "$shot" $((column * 13 + 21)) $((row * 11 + 15)))"
  [[ "$colour" =~ ^srgb\(([0-9]+),([0-9]+),([0-9]+)\)$ ]] || fail "unexpected pixel $colour"
  echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]}"
}
# Whether the painted cells show R G B within a few steps (the video is lossy), and the
# empty cell (10, 7) black. NAME names the screenshot.
painted_show() {
  local name="$1" shot cell r g b
  shot="$(screenshot "$name")"
  for cell in "5 7" "58 60"; do
    read -r r g b < <(cell_colour "$shot" $cell)
    (( (r - $2) ** 2 <= 36 && (g - $3) ** 2 <= 36 && (b - $4) ** 2 <= 36 )) || return 1
  done
  [ "$(cell_colour "$shot" 10 7)" = "0 0 0" ] || fail "the empty cell (10, 7) was painted"
}
expect() {
  wait_for 10 painted_show "$@" \
    || fail "after $1 cell (5, 7) shows $(cell_colour "$(screenshot "$1")" 5 7), not $2 $3 $4"
}

expect start 255 128 128
# Cam: the fourth button (40 pixels apart) of the right column's row at y 380, which
# starts 20 pixels right of the canvas.
"$QUOM_XCTL" click "Quom 1.1" $((64 * 13 + 15 + 20 + 3 * 40 + 10)) 390 || fail "could not click Cam"
"$QUOM_XCTL" wait Video 20 >/dev/null || fail "the Video window did not open"
expect green 40 200 90
expect blue 60 80 220
expect green-again 40 200 90

"$QUOM_XCTL" key Video Escape || fail "could not press Escape"
wait_for 10 eval '! "$QUOM_XCTL" title Video >/dev/null 2>&1' || fail "Escape left the Video window open"
expect cancelled 255 128 128

close_quom
grep -qxF "source=$VIDEO" "$SETTINGS_FILE" || fail "the video source was not kept in the settings"
