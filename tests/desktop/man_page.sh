# The man page renders without a warning and keeps up with the program: every sub-command
# and option that `quom --help` lists is in it.
set -euo pipefail

warnings=$("$GROFF" -man -Tutf8 -z -ww "$MAN_PAGE" 2>&1)
if [ -n "$warnings" ]; then
  echo "$warnings"
  exit 1
fi

page=$("$GROFF" -man -Tascii -P-cbou "$MAN_PAGE" 2>/dev/null)
help=$("$QUOM_BINARY" --help)
missing=0
for command in $(sed -n 's/^ *quom \([a-z]\+\) .*/\1/p' <<<"$help"); do
  grep -q -- "quom $command " <<<"$page" || { echo "not in the man page: quom $command"; missing=1; }
done
for option in $(grep -o -- '--[a-z]\+' <<<"$help" | sort -u); do
  grep -q -- "$option" <<<"$page" || { echo "not in the man page: $option"; missing=1; }
done
exit $missing
