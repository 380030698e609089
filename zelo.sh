#!/usr/bin/env bash
# Zelo's one set-up script.
#   ./zelo.sh          install what is missing, build, make the content, start Zelo
#   ./zelo.sh test     the same set-up, then every test
#   ./zelo.sh build    the set-up only
# ZELO_BUILD_DIR (default build) and ZELO_CMAKE_ARGS choose other build trees, such as the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libimgui-dev
  libfontconfig-dev fonts-liberation2 fonts-dejavu-core
  libsndfile1-dev libmp3lame-dev libmpg123-dev librubberband-dev libsamplerate0-dev
  libcairo2-dev libpango1.0-dev libespeak-ng-dev espeak-ng-data
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick sox xdg-utils
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "zelo: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_dir=${ZELO_BUILD_DIR:-build}
build() {
  # shellcheck disable=SC2086
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${ZELO_BUILD_TYPE:-Release} ${ZELO_CMAKE_ARGS:-} >/dev/null
  cmake --build "$build_dir"
}

install_missing
build
case "${1:-run}" in
  test)
    ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" --timeout 900
    ;;
  build) ;;
  run | *)
    exec "$build_dir/medium/zelo/zelo/zelo" "${@:2}"
    ;;
esac
