# The MIME package, built into one database with the system's packages as installing it
# does, names Quom's files from their content and their names as file managers do, and
# leaves other programs' files alone.
set -euo pipefail

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/share/mime/packages" "$tmp/home" "$tmp/files"
export XDG_DATA_HOME="$tmp/home" XDG_DATA_DIRS="$tmp/share"
cp /usr/share/mime/packages/*.xml "$MIME_PACKAGE" "$tmp/share/mime/packages/"
# It reports a broken package on stderr but still succeeds.
errors=$("$UPDATE_MIME_DATABASE" "$tmp/share/mime" 2>&1)
if [ -n "$errors" ]; then
  echo "$errors"
  exit 1
fi

cd "$tmp/files"
printf 'QUOM\x01\x00\x00\x00\x10\x00\x00\x00' >project
cp project song.qom
printf 'PATT\x78\x00\x00\x00\x00\x00\x00\x00' >pattern
cp pattern drums.pat
# Another program's pattern picture, also named *.pat: its magic is at offset 20.
printf '\x00\x00\x00\x1c\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x03GPATtex\x00\xff\xff\xff' >texture.pat
# A kit as Quom writes it: the one `quom slice --kit` saves.
python3 -c '
import math, struct, wave
with wave.open("long.wav", "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(i / 7))) for i in range(6400)))'
"$QUOM_BINARY" slice long.wav -o slices --kit drums.kit
cp drums.kit kit
printf '<?xml version="1.0"?>\n<settings><tempo value="120"/></settings>\n' >other

"$MIME_PROBE" \
  project=application/x-quom-project song.qom=application/x-quom-project \
  pattern=application/x-quom-pattern drums.pat=application/x-quom-pattern \
  texture.pat=image/x-gimp-pat \
  kit=application/x-quom-kit drums.kit=application/x-quom-kit \
  other=application/xml
