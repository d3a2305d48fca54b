# Without QUOM_HOME the working folders live next to the executables, wherever Quom is
# started from; and a Quom that is killed leaves the settings store untouched.
source "$(dirname "$0")/lib.sh"

unset QUOM_HOME
mkdir -p "$E2E_TMP/install" "$E2E_TMP/elsewhere"
cp "$QUOM_BINARY" "$(dirname "$QUOM_BINARY")/quom-window" "$E2E_TMP/install/"
QUOM_BINARY="$E2E_TMP/install/quom"

start_display
cd "$E2E_TMP/elsewhere"
start_quom
cd "$E2E_TMP"

for folder in Patterns Filters Waves Kits Output Projects Pictures Midi; do
  [ -d "$E2E_TMP/install/$folder" ] || fail "the $folder folder is not next to the executable"
done
[ -z "$(ls -A "$E2E_TMP/elsewhere")" ] || fail "files appeared in the starting folder"

kill -KILL "$QUOM_PID"
wait "$QUOM_PID" 2>/dev/null || true
[ ! -e "$SETTINGS_FILE" ] || fail "settings were written although Quom did not end normally"
