# Shared by the scripts: where the sources and the builds live, and how to build.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The one build that scripts/run and scripts/test share, optimised with debug
# information: the program is compiled once for both, and the tests add their own files.
build="$root/build"

# Tells the user what the script is doing, on stderr, so that output stays the program's.
say() {
  echo "${0##*/}: $*" >&2
}

# Says that WHAT is about to be built in DIR and how long that takes: FIRST (measured on
# 2 cores) when MARK (a file of DIR the build makes; build.ninja when not named) is not
# there yet, seconds for a tree that only needs what changed.
announce_build() {
  local what="$1" dir="$2" first="$3" mark="${4:-build.ninja}"
  if [ -f "$dir/$mark" ]; then
    say "building $what in ${dir#"$root"/}/ (only what changed since the last build)"
  else
    say "building $what in ${dir#"$root"/}/ for the first time: about $first on 2 cores"
  fi
}

# Configures the shared build (a no-op check once done) and builds TARGETS in it, or
# everything when none is named.
build_shared() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --parallel "$(nproc)" ${1:+--target "$@"}
}
