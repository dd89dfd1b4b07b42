#!/usr/bin/env bash
# Ondavox's one-command set-up.
#   ./build.sh run    install what is missing, build the program and its data, start Ondavox
#   ./build.sh test   install what is missing, build with the test suites, run them
#   ./build.sh bench  install what is missing, build the program and the benchmarks, run them
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
mode=${1:-run}
# The test and benchmark builds point the publisher's sites at loopback ports,
# so that nothing they run sends a request beyond the machine (the benchmark
# serves the start-up pages itself); each has a folder of its own. The test
# build also builds the suites and the benchmarks and treats warnings as errors.
case "$mode" in
test) build=${ONDAVOX_BUILD_DIR:-$here/build-test}
      build_args=(-DONDAVOX_SITE_URL=http://127.0.0.1:47911 -DONDAVOX_SECOND_SITE_URL=http://127.0.0.1:47912
                  -DBUILD_TESTING=ON -DONDAVOX_WERROR=ON -DONDAVOX_BENCH=ON) ;;
bench) build=${ONDAVOX_BUILD_DIR:-$here/build-bench}
      build_args=(-DONDAVOX_SITE_URL=http://127.0.0.1:47913 -DONDAVOX_SECOND_SITE_URL=http://127.0.0.1:47914
                  -DBUILD_TESTING=OFF -DONDAVOX_BENCH=ON) ;;
*)    build=${ONDAVOX_BUILD_DIR:-$here/build}
      build_args=(-DBUILD_TESTING=OFF) ;;
esac

packages=(qt6-base-dev qt6-webengine-dev libqt6opengl6-dev qt6-5compat-dev libmpv-dev cmake ninja-build g++ pkg-config)
test_packages=(xvfb xauth dbus icecast2 ffmpeg imagemagick clang-format locales python3 trayer at-spi2-core python3-pyatspi libxcb1-dev)
bench_packages=(mpv vlc-bin vlc-plugin-base goodvibes pulseaudio pulseaudio-utils)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

french_locale() {
    # libmpv's refusal of a French numeric locale only shows under one.
    if ! locale -a 2>/dev/null | grep -qi '^fr_FR.utf8$'; then
        as_root sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
        as_root locale-gen >/dev/null
    fi
}

configure_and_build() {
    cmake -S "$here" -B "$build" -G Ninja "${build_args[@]}" ${ONDAVOX_CMAKE_ARGS:-}
    cmake --build "$build" --parallel "$(nproc)"
}

case "$mode" in
run)
    install_missing "${packages[@]}"
    configure_and_build
    exec "$build/bin/ondavox"
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    french_locale
    configure_and_build
    "$here/tools/check-format"
    cd "$build"
    exec dbus-run-session -- xvfb-run -a -s '-screen 0 1280x800x24' \
        ctest --output-on-failure --parallel "$(nproc)" ${ONDAVOX_CTEST_ARGS:-}
    ;;
bench)
    install_missing "${packages[@]}" "${test_packages[@]}" "${bench_packages[@]}"
    configure_and_build
    # The benchmark brings its own X server, session bus and sound server.
    ONDAVOX_BUILD_DIR="$build" exec "$here/bench/run"
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
