# Shared by the scripts: where the sources and the build live.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

configure_and_build() {
  local dir="$1" type="$2"
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
