#!/usr/bin/env bash
# Ondavox's one-command set-up.
#   ./build.sh run    install what is missing, build the program and its data, start Ondavox
#   ./build.sh test   install what is missing, build with the test suites, run them
#   ./build.sh bench  install what is missing, build the program and the benchmarks, run them
#   ./build.sh asan   install what is missing, build with the test suites under AddressSanitizer
#                     and UndefinedBehaviorSanitizer, run them
#   ./build.sh fuzz   install what is missing, build the fuzz targets (clang, libFuzzer), run each
#                     for ONDAVOX_FUZZ_SECONDS (60)
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
# The sanitizer build is the test build with the sanitizers on (and without
# the benchmarks, which it does not run), in a folder of its own; its site
# ports differ, so that it can run beside the test build.
asan) build=${ONDAVOX_BUILD_DIR:-$here/build-asan}
      build_args=(-DONDAVOX_SITE_URL=http://127.0.0.1:47915 -DONDAVOX_SECOND_SITE_URL=http://127.0.0.1:47916
                  -DBUILD_TESTING=ON -DONDAVOX_WERROR=ON -DONDAVOX_SANITIZE=ON) ;;
fuzz) build=${ONDAVOX_BUILD_DIR:-$here/build-fuzz}
      build_args=(-DCMAKE_CXX_COMPILER=clang++ -DONDAVOX_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
*)    build=${ONDAVOX_BUILD_DIR:-$here/build}
      build_args=(-DBUILD_TESTING=OFF) ;;
esac

packages=(qt6-base-dev qt6-webengine-dev libqt6opengl6-dev qt6-5compat-dev libmpv-dev cmake ninja-build g++ pkg-config)
test_packages=(xvfb xauth dbus icecast2 ffmpeg imagemagick clang-format locales python3 trayer at-spi2-core python3-pyatspi libxcb1-dev)
bench_packages=(mpv vlc-bin vlc-plugin-base goodvibes pulseaudio pulseaudio-utils)
# GCC's sanitizer runtimes come with g++; libFuzzer and clang's with these.
fuzz_packages=(clang-14 libclang-rt-14-dev)

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
    cmake --build "$build" --parallel "$(nproc)" "$@"
}

run_tests() {
    cd "$build"
    exec dbus-run-session -- xvfb-run -a -s '-screen 0 1280x800x24' \
        ctest --output-on-failure --parallel "$(nproc)" ${ONDAVOX_CTEST_ARGS:-}
}

# Each target for ONDAVOX_FUZZ_SECONDS from its seeds, its corpus growing in
# the build folder; the first fault stops everything and names the input.
run_fuzzers() {
    local seconds=${ONDAVOX_FUZZ_SECONDS:-60}
    mkdir -p "$build/crashes"
    for folder in "$here"/fuzz/*/; do
        local name
        name=$(basename "$folder")
        [ -f "$folder/fuzzer.cpp" ] || continue
        local corpus="$build/corpus/$name" log="$build/fuzz-$name.log"
        local options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
                       -artifact_prefix="$build/crashes/$name-")
        [ -f "$folder/$name.dict" ] && options+=(-dict="$folder/$name.dict")
        mkdir -p "$corpus"
        echo "fuzz_$name: $seconds s"
        if ! "$build/fuzz/fuzz_$name" "${options[@]}" "$corpus" "$folder/seeds" >"$log" 2>&1; then
            tail -n 40 "$log" >&2
            local input
            input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
            echo "fuzz_$name found a fault; the input is ${input:-in $build/crashes} (log: $log)" >&2
            echo "replay it: $build/fuzz/fuzz_$name ${input:-INPUT}" >&2
            exit 1
        fi
        grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | sed 's/^stat::/    /' || true
        # Run once more over everything kept, each input timed: the slowest.
        find "$corpus" "$folder/seeds" -type f -print0 |
            xargs -0 "$build/fuzz/fuzz_$name" -runs=1 2>&1 |
            sed -n 's/^Executed \(.*\) in \([0-9]*\) ms$/\2 \1/p' | sort -n | tail -n 1 |
            sed 's/^\([0-9]*\) \(.*\)$/    slowest input: \1 ms, \2/' || true
    done
    echo "Every fuzz target ran $seconds s without a fault."
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
    run_tests
    ;;
asan)
    install_missing "${packages[@]}" "${test_packages[@]}"
    french_locale
    configure_and_build
    run_tests
    ;;
fuzz)
    install_missing "${packages[@]}" "${fuzz_packages[@]}"
    configure_and_build --target ondavox_fuzzers
    run_fuzzers
    ;;
bench)
    install_missing "${packages[@]}" "${test_packages[@]}" "${bench_packages[@]}"
    configure_and_build
    # The benchmark brings its own X server, session bus and sound server.
    ONDAVOX_BUILD_DIR="$build" exec "$here/bench/run"
    ;;
*)
    echo "usage: $0 run|test|bench|asan|fuzz" >&2
    exit 2
    ;;
esac
