# Shared by the end-to-end tests: a private display, a private JACK server and Quom
# itself, each in temporary folders of the test's own, all stopped when the test ends.
# Needs QUOM_BINARY, QUOM_XCTL, QUOM_WAVEPROBE, QUOM_E2E_PROJECT and E2E_ARTIFACTS
# (set by CTest).
set -euo pipefail

# As root each test gets a /dev/shm of its own, where JACK keeps its registry of servers:
# one that dies uncleanly then cannot use up the machine's eight entries for later tests.
if [ "$(id -u)" -eq 0 ] && [ -z "${E2E_PRIVATE_SHM:-}" ] && unshare -m true 2>/dev/null; then
  export E2E_PRIVATE_SHM=1
  exec unshare -m bash -c 'mount -t tmpfs -o mode=1777 tmpfs /dev/shm && exec bash "$0" "$@"' "$0" "$@"
fi

: "${QUOM_BINARY:?}" "${QUOM_XCTL:?}" "${QUOM_WAVEPROBE:?}" "${QUOM_E2E_PROJECT:?}" "${E2E_ARTIFACTS:?}"

readonly E2E_NAME="$(basename "$0" .sh)"
E2E_TMP="$(mktemp -d "${TMPDIR:-/tmp}/quom-e2e-XXXXXX")"
readonly E2E_TMP
mkdir -p "$E2E_ARTIFACTS" "$E2E_TMP/runtime"
chmod 700 "$E2E_TMP/runtime"

export QUOM_HOME="$E2E_TMP/home"
export XDG_CONFIG_HOME="$E2E_TMP/config"
export XDG_DATA_HOME="$E2E_TMP/data"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
export QT_QPA_PLATFORM=xcb
export JACK_NO_START_SERVER=1
# A server name of our own even without a server: Quom never reaches a JACK server
# that someone else runs on the machine.
export JACK_DEFAULT_SERVER="quom-e2e-$$-$RANDOM"
unset DISPLAY

readonly SETTINGS_FILE="$XDG_CONFIG_HOME/Caldenor/Quom.conf"
QUOM_PID=""
e2e_pids=()

e2e_cleanup() {
  local status=$?
  local i pid
  # Newest first: Quom before the servers it uses. Whatever ignores the request for
  # five seconds is killed.
  for ((i = ${#e2e_pids[@]} - 1; i >= 0; i--)); do
    pid="${e2e_pids[i]}"
    kill "$pid" 2>/dev/null || continue
    wait_for 5 eval "! kill -0 $pid 2>/dev/null" || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "$status" -ne 0 ]; then
    # Keep the logs of a failed run next to its screenshots.
    for log in "$E2E_TMP"/*.log; do
      [ -f "$log" ] && cp "$log" "$E2E_ARTIFACTS/$E2E_NAME-$(basename "$log")"
    done
  fi
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls CONDITION (a command) every 0.1 s for up to SECONDS seconds.
wait_for() {
  local seconds="$1"
  shift
  local tries=$((seconds * 10))
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# A display of our own: Xvfb picks a free number and tells it through a pipe.
# Argument: the screen's size, WIDTHxHEIGHT (1280x1024 when not given). With -noreset
# the server keeps what a test sets on the screen (a work area) after the client that
# set it leaves.
start_display() {
  local size="${1:-1280x1024}"
  Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
  e2e_pids+=($!)
  wait_for 20 test -s "$E2E_TMP/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
}

# A JACK server with the dummy driver under a name of our own, so that runs never
# collide; PortAudio sees its "system" device as a real output device.
start_jack() {
  jackd --no-realtime --sync --timeout 5000 -d dummy -r 44100 -p 256 >"$E2E_TMP/jackd.log" 2>&1 &
  e2e_pids+=($!)
  wait_for 20 jack_lsp >/dev/null 2>&1 || fail "jackd did not start"
}

# Writes a settings file as a previous run would have left it.
# Arguments: lines such as 'audio%20device=system' for the [Audio%20Settings] group.
write_audio_settings() {
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  printf '[Audio%%20Settings]\n' >"$SETTINGS_FILE"
  printf '%s\n' "$@" >>"$SETTINGS_FILE"
}

# Starts Quom with the given arguments and waits for its window.
start_quom() {
  "$QUOM_BINARY" "$@" >"$E2E_TMP/quom.log" 2>&1 &
  QUOM_PID=$!
  e2e_pids+=("$QUOM_PID")
  "$QUOM_XCTL" wait "Quom 1.1" 30 >/dev/null || fail "Quom's window did not appear"
}

quom_running() {
  kill -0 "$QUOM_PID" 2>/dev/null
}

# Closes Quom through its window's close box and checks that it ended normally.
close_quom() {
  "$QUOM_XCTL" close "Quom 1.1" || fail "no Quom window to close"
  expect_normal_end
}

expect_normal_end() {
  wait_for 30 eval '! quom_running' || fail "Quom did not end after its window was closed"
  local status=0
  wait "$QUOM_PID" || status=$?
  [ "$status" -eq 0 ] || fail "Quom ended with status $status"
}

# The question that closing the window with unsaved changes asks.
readonly CLOSE_QUESTION="Quom: unsaved changes"

# Closes Quom's window with unsaved changes and answers the question with KEY, an X
# keysym: d discards the changes, Escape cancels.
close_answering() {
  "$QUOM_XCTL" close "Quom 1.1" || fail "no Quom window to close"
  "$QUOM_XCTL" wait "$CLOSE_QUESTION" 20 >/dev/null || fail "closing asked nothing about the unsaved changes"
  "$QUOM_XCTL" key "$CLOSE_QUESTION" "$1" || fail "could not answer with $1"
  wait_for 10 eval '! "$QUOM_XCTL" title "$CLOSE_QUESTION" >/dev/null 2>&1' || fail "the question stayed"
}

# Presses a key (an X keysym such as space or Return) in Quom's window.
press_key() {
  "$QUOM_XCTL" key "Quom 1.1" "$1" || fail "could not press $1"
}

# Saves a picture of Quom's window as $E2E_ARTIFACTS/<test>-NAME.png and prints its
# path; its pixels are window pixels.
screenshot() {
  local file="$E2E_ARTIFACTS/$E2E_NAME-$1.png" x y w h
  read -r x y w h < <(window_geometry)
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$file" \
    || fail "screenshot failed"
  echo "$file"
}

# Records SECONDS seconds of Quom's output (its audio client's ports on the JACK server)
# into the 16-bit wave FILE.
capture_output() {
  local file="$1" seconds="$2"
  timeout $((seconds + 20)) jack_capture --daemon --bitdepth 16 --recording-time "$seconds" \
    --port 'Quom:out_*' "$file" >"$E2E_TMP/capture.log" 2>&1 || fail "jack_capture failed"
  [ -s "$file" ] || fail "jack_capture wrote nothing"
}

# Sends MESSAGE... (each its bytes in hexadecimal) to the JACK MIDI port PORT, in one
# process cycle, from a client of our own. Debian's own interpreter, which the
# python3-jack-client package installs into.
send_jack_midi() {
  local port="$1"
  shift
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/send_midi.py" "$port" "$@" >>"$E2E_TMP/send_midi.log" 2>&1 \
    || fail "could not send $* to $port"
}

# Waits until Quom's two outputs are connected to the server's playback ports.
wait_for_quom_output() {
  wait_for 20 eval 'jack_lsp -c 2>/dev/null | grep -A1 "^Quom:out_1" | grep -q "system:playback_2"' \
    || fail "Quom's output is not connected to the JACK server"
}

# Writes $E2E_TMP/project/test.qom at TEMPO with a click at each COLUMN:ROW, and
# prints the frames at which those columns start once playback starts.
make_project() {
  mkdir -p "$E2E_TMP/project"
  "$QUOM_E2E_PROJECT" "$E2E_TMP/project" "$@" || fail "could not write the test project"
}

# Prints the rectangle of Quom's window on the screen: X Y WIDTH HEIGHT.
window_geometry() {
  "$QUOM_XCTL" geometry "Quom 1.1" || fail "no Quom window"
}

# Cuts the rectangle X Y WIDTH HEIGHT out of the picture SHOT into the picture OUT.
crop() {
  convert "$1" -crop "${5}x${6}+${3}+${4}" +repage "$2" || fail "crop failed"
}

# Number of pixels of the picture with exactly the colour R,G,B.
pixels_of_colour() {
  convert "$1" -fill black +opaque "rgb($2,$3,$4)" -fill white -opaque "rgb($2,$3,$4)" \
    -format '%[fx:round(mean*w*h)]' info:
}

# Prints the colour of one pixel of a screenshot as "srgb(r,g,b)".
pixel_at() {
  convert "$1" -format "%[pixel:p{$2,$3}]" info:
}
