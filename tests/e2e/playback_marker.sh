# Space starts playback: the red play-position marker appears above the grid and moves
# from column to column; Space again stops it and the marker is erased.
source "$(dirname "$0")/lib.sh"

start_display
start_jack
write_audio_settings 'audio%20device=system'
start_quom
wait_for_quom_output

# Pure red pixels in the play-position strip above the grid (cells 13 pixels wide on
# this screen): "COUNT LEFT", LEFT the strip x of the leftmost, -1 without any.
red_pixels() {
  local mask="$E2E_TMP/red.png"
  convert "$1" -crop "$((64 * 13))x3+15+5" +repage \
    -fill black +opaque 'rgb(255,0,0)' -fill white -opaque 'rgb(255,0,0)' "$mask"
  local count
  count="$(convert "$mask" -format '%[fx:round(mean*w*h)]' info:)"
  if [ "$count" -eq 0 ]; then
    echo "0 -1"
  else
    echo "$count $(convert "$mask" -trim -format '%X' info: | tr -d '+')"
  fi
}

read -r count _ <<<"$(red_pixels "$(screenshot stopped)")"
[ "$count" -eq 0 ] || fail "a marker shows before playback ($count red pixels)"

press_key space
sleep 0.5
read -r count first <<<"$(red_pixels "$(screenshot playing-1)")"
[ "$count" -gt 0 ] || fail "no marker after Space"
# One cell wide (13 pixels on this screen, less the grid line) and 3 pixels high.
[ "$count" -eq 36 ] || fail "the marker has $count red pixels, not one column's 36"
sleep 0.4
read -r count second <<<"$(red_pixels "$(screenshot playing-2)")"
[ "$count" -eq 36 ] || fail "the marker has $count red pixels"
[ "$second" -ne "$first" ] || fail "the marker did not move (still at x $first)"

press_key space
sleep 0.3
read -r count _ <<<"$(red_pixels "$(screenshot stopped-again)")"
[ "$count" -eq 0 ] || fail "the marker stayed after stopping ($count red pixels)"

close_quom
