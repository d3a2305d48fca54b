# On a small screen beside a desktop panel, every control of the main window and of
# the kit editor lies inside the area the desktop leaves to windows.
# Argument: the screen's size, WIDTHxHEIGHT.
source "$(dirname "$0")/lib.sh"

readonly SCREEN="${1:?the screen size, WIDTHxHEIGHT}"
readonly WIDTH="${SCREEN%x*}" HEIGHT="${SCREEN#*x}"
readonly PANEL=32

# Checks that the window titled $1 and everything shown in it lie in the area below the
# panel, and that it shows at least $2 controls.
check_inside() {
  local title="$1" least="$2" count=0 x y w h
  while read -r x y w h; do
    ((x >= 0 && y >= PANEL && x + w <= WIDTH && y + h <= HEIGHT)) \
      || fail "$title: a control at $x,$y of $w x $h lies outside the screen's free area"
    count=$((count + 1))
  done < <("$QUOM_XCTL" controls "$title")
  [ "$count" -ge "$least" ] || fail "$title shows only $count controls"
}

start_display "$SCREEN"
"$QUOM_XCTL" workarea 0 "$PANEL" "$WIDTH" "$((HEIGHT - PANEL))" || fail "could not set the work area"
# Every control becomes an X window of its own, whose place can be read.
export QT_USE_NATIVE_WINDOWS=1
start_quom

# The canvas, 45 buttons, the colour swatch, the sliders and labels, the pencil's panel.
check_inside "Quom 1.1" 55
screenshot main >/dev/null

press_key k
"$QUOM_XCTL" wait "Kit Editor" 10 >/dev/null || fail "the kit editor did not open"
# The window and its seven buttons.
check_inside "Kit Editor" 8
read -r x y w h < <("$QUOM_XCTL" geometry "Kit Editor")
import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_ARTIFACTS/$E2E_NAME-$SCREEN-kit.png" \
  || fail "screenshot failed"
"$QUOM_XCTL" close "Kit Editor" || fail "no kit editor to close"
wait_for 10 eval '! "$QUOM_XCTL" title "Kit Editor" >/dev/null 2>&1' || fail "the kit editor did not close"

close_quom
