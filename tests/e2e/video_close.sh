# The Video window closes at the window manager's request (a WM_DELETE_WINDOW client
# message, as a close box sends) every time, while the frames of a large video keep
# arriving.
source "$(dirname "$0")/lib.sh"

# Full-HD Motion JPEG: GStreamer's good plugins decode it quickly, and each frame is
# large to convert and shrink.
readonly VIDEO="$E2E_TMP/large.avi"
ffmpeg -hide_banner -loglevel error -f lavfi -i 'testsrc2=s=1920x1080:r=30:d=2' -c:v mjpeg -q:v 10 \
  "$VIDEO" >"$E2E_TMP/ffmpeg.log" 2>&1 || fail "ffmpeg could not write the video"

mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '[Video%%20Settings]\nsource=%s\n' "$VIDEO" >"$SETTINGS_FILE"

start_display
start_quom

video_open() {
  "$QUOM_XCTL" title Video >/dev/null 2>&1
}

for try in 1 2 3 4 5; do
  # Cam: the fourth button of the right column's row at y 380 (see video_source.sh).
  "$QUOM_XCTL" click "Quom 1.1" $((64 * 13 + 15 + 20 + 3 * 40 + 10)) 390 || fail "could not click Cam"
  "$QUOM_XCTL" wait Video 20 >/dev/null || fail "the Video window did not open (try $try)"
  sleep 1
  "$QUOM_XCTL" close Video || fail "no Video window to close (try $try)"
  wait_for 10 eval '! video_open' || fail "the Video window ignored the close request (try $try)"
done

close_quom
