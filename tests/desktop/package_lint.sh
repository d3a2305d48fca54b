# The Debian package of this build, as lintian (Debian's own checker) reads it: no error
# and no warning. The build's flags are not the package build's, so the hardening is left
# to scripts/lint-package.
set -euo pipefail

rm -rf "$PACKAGE_DIR"
"$CPACK" --config "$CPACK_CONFIG" -B "$PACKAGE_DIR" >/dev/null
"$LINTIAN" --fail-on error,warning "$PACKAGE_DIR"/quom_*.deb
